// The report's pages 1 to 4: common parameters, DTMF and paging, 2-tone and 5-tone data, with
// the model and option-board variants and values no editor produces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "image/common_options_area.h"
#include "image/emergency_area.h"
#include "image/five_tone_areas.h"
#include "image/key_function_area.h"
#include "image/paging_area.h"
#include "image/radio_data.h"
#include "image/two_tone_areas.h"
#include "report/report.h"

namespace kp53 {
namespace {

class ReportPagesTest : public ::testing::Test {
 protected:
  ReportPagesTest() {
    InitImage(data);
    ReloadAreas(data);
  }
  ReportContext Report() const { return ReportContext(data, "/data/site.k53", "1/2/2026"); }
  // Stores an area object into the image, as its dialog's OK does.
  template <class Area, class Change>
  void Edit(Change edit) {
    Area area;
    area.LoadFromImage(data.image);
    edit(area);
    area.StoreToImage(data.image);
    ReloadAreas(data);
  }
  void SetModel(int model) {
    data.hardware.model = model;
    data.hardware.StoreToImage(data.image);
    ReloadAreas(data);
  }
  void SetTwoTone() {
    data.signaling.system = SignalingSystemArea::kTwoTone;
    data.signaling.StoreToImage(data.image);
    ReloadAreas(data);
  }
  // The line of `page` that starts with `start` (after its leading blanks are kept).
  static std::string Find(const ReportPage& page, const std::string& start) {
    for (const auto& line : page)
      if (line.rfind(start, 0) == 0) return line;
    return "<no line starting with \"" + start + "\">";
  }
  // The right column of a two-column line: its text from character 55 on, leading blanks dropped
  // (left-column lines of 56 characters push it one place on).
  static std::string Right(const std::string& line) {
    if (line.size() <= 55) return {};
    const auto first = line.find_first_not_of(' ', 55);
    return first == std::string::npos ? std::string() : line.substr(first);
  }

  RadioData data;
};

TEST_F(ReportPagesTest, PageOneHeaderAndFileNameWithoutFolder) {
  const ReportPage page = Report().Page(1);
  EXPECT_EQ(page[0], std::string(81, ' ') + "1/2/2026   Page 1");
  EXPECT_EQ(page[2], "           File Name:  site.k53                        ");
  EXPECT_EQ(page[3], "           Serial No:  1C010001                        ");
  EXPECT_EQ(page[4], std::string("           Hardware Environments") + std::string(23, ' ') + "Key Function");
}

TEST_F(ReportPagesTest, PageOneBlockEndsWithTheSignalingDataLine) {
  const ReportPage page = Report().Page(1);
  EXPECT_EQ(page[44], "        **********************************   SIGNALING DATA   ************************************");
  EXPECT_EQ(page[45].substr(0, 36), "           ANI/Speed Dial Parameters");
  EXPECT_EQ(Right(page[45]), "Paging Setting Parameters");
  // Left column: 19 lines from 45, the last a blank of 55 characters.
  ASSERT_EQ(page.size(), 64u);
  EXPECT_EQ(page[63], std::string(55, ' '));
}

TEST_F(ReportPagesTest, Ht610DashesForTagsKeysAndDisplayDigits) {
  SetModel(0);
  const auto report = Report();
  const ReportPage one = report.Page(1);
  EXPECT_EQ(Find(one, "              Power ON Tag:").substr(0, 49),
            "              Power ON Tag:              --------");
  const auto hasRight = [&one](const std::string& text) {
    return std::any_of(one.begin(), one.end(), [&](const std::string& l) { return Right(l) == text; });
  };
  for (const char* key : {"[A]", "[B]", "[C]", "[D]"})
    EXPECT_TRUE(hasRight(std::string(key) + "     Key: -------------  -------------")) << key;
  EXPECT_TRUE(hasRight("LCD Lighting Mode:   ------"));
  EXPECT_TRUE(hasRight("Key Holding Time:    --------"));

  const ReportPage two = report.Page(2);
  EXPECT_EQ(Find(two, "              Tag Display:").substr(0, 43), "              Tag Display:         --------");
  for (int d = 1; d <= 8; ++d)
    EXPECT_EQ(Find(two, "              Display Digit" + std::to_string(d)).substr(35, 8), "--------");
  // Decode and encode tables lose their TAG column.
  EXPECT_EQ(report.Page(3)[38], "                      Trans   I  LED                      Beep           Auto");
  EXPECT_EQ(report.Page(4)[5], "           1: 12345    -   X   -    -    -   X   - - - X X - - -");
  // Channel lines print dashes for the tag.
  EXPECT_EQ(report.ChannelLine(0).substr(14, 15), "- W5 -------- 1");
}

TEST_F(ReportPagesTest, Ht620KeysPrintTheirFunctions) {
  Edit<KeyFunctionArea>([](KeyFunctionArea& k) {
    k.functions[2] = 3;   // [A] press: Low Power
    k.functions[8] = 13;  // [A] hold: Reset
    k.rotaryMode = 1;
  });
  const ReportPage one = Report().Page(1);
  EXPECT_EQ(Right(one[5]), "[Rotary] SW: Group");
  EXPECT_EQ(Right(one[11]), "[A]     Key: Low Power      Reset         ");
}

TEST_F(ReportPagesTest, PagingShowsDashesUnlessTheOptionBoardIsScb31) {
  Edit<PagingParams>([](PagingParams& p) {
    p.callTimes = 2;
    p.pages[0].programmed = true;
    p.pages[0].mode = 1;
    p.pages[0].code = "12*";
  });
  ReportPage one = Report().Page(1);
  EXPECT_EQ(Right(one[47]), "Answer Back:         --------            ");
  EXPECT_EQ(Right(one[48]), "Call Times:          --------            ");
  EXPECT_EQ(Right(one[52]), "PAGE  1:  ------------------  ");
  EXPECT_EQ(Right(one[53]), "PAGE  2:  ------------------  ");

  Edit<CommonOptionsArea>([](CommonOptionsArea& o) { o.optionBoard = CommonOptionsArea::kOptionScb31; });
  one = Report().Page(1);
  EXPECT_EQ(Right(one[48]), "Call Times:          3 Times             ");
  EXPECT_EQ(Right(one[52]), "PAGE  1:  12*        DEC              ");
  EXPECT_EQ(Right(one[53]), "PAGE  2:  ----------------    ");
}

TEST_F(ReportPagesTest, RecorderSettingsOnlyForTheVru8) {
  EXPECT_EQ(Find(Report().Page(1), "              Rec Mode:").substr(0, 35), "              Rec Mode:    --------");
  Edit<CommonOptionsArea>([](CommonOptionsArea& o) {
    o.optionBoard = CommonOptionsArea::kOptionVru8;
    o.recordMode = 1;
  });
  const ReportPage one = Report().Page(1);
  EXPECT_EQ(Find(one, "              Option Board:").substr(0, 47), "              Option Board:VRU-8               ");
  EXPECT_EQ(Find(one, "              Rec Mode:").substr(0, 34), "              Rec Mode:    Rolling");
}

TEST_F(ReportPagesTest, EmergencyChannelAndTimesAsTheDialogListsThem) {
  Edit<EmergencyArea>([&](EmergencyArea& e) {
    e.SetChannelValue(2 + 4);  // "CH-5  "
    e.rxTime = 0;                              // "5   s"
    e.txTime = 15;                             // "80 s"
  });
  const ReportPage one = Report().Page(1);
  EXPECT_EQ(Right(one[17]), "Emergency Channel:     CH-5                ");
  EXPECT_EQ(Right(one[18]), "Emergency RX Time:     5   s");
  EXPECT_EQ(Right(one[19]), "Emergency TX Time:     80  s");
}

TEST_F(ReportPagesTest, TransmitTimerOfHalfAMinute) {
  Edit<CommonOptionsArea>([](CommonOptionsArea& o) { o.transmitTimer = 0; });
  EXPECT_EQ(Find(Report().Page(1), "              Transmit Timer:").substr(0, 55),
            "              Transmit Timer:            0.5 min       ");
}

TEST_F(ReportPagesTest, ValuesNoEditorProducesPrintQuestionMarks) {
  // Option board codes 7 to 15 and lone-worker items 12 to 15 exist only in damaged files.
  data.image[off::kCommonOptions] = static_cast<std::uint8_t>((data.image[off::kCommonOptions] & 0xF0) | 0x0F);
  data.image[off::kEmergency + 3] = static_cast<std::uint8_t>((data.image[off::kEmergency + 3] & 0xF0) | 0x0F);
  data.image[off::kEmergency] = static_cast<std::uint8_t>(data.image[off::kEmergency] | 0xC0);  // channel kind 3
  ReloadAreas(data);
  const ReportPage one = Report().Page(1);
  EXPECT_EQ(Find(one, "              Option Board:"), "              Option Board:????????????????????        ");
  EXPECT_EQ(Right(one[17]), "Emergency Channel:     ??????              ");
  EXPECT_EQ(Right(one[22]), "Lone Worker Timer:     ??????");
}

TEST_F(ReportPagesTest, FiveToneHasFourSignallingPages) {
  const auto report = Report();
  EXPECT_EQ(report.SignallingPageCount(), 4);
  const ReportPage two = report.Page(2);
  EXPECT_EQ(two[1], "        **********************************   SIGNALING DATA   ************************************");
  EXPECT_EQ(two[2].substr(0, 36), "           5-Tone General Parameters");
  EXPECT_EQ(Right(two[2]), "Group Tone:          A TONE              ");
  EXPECT_EQ(two[38], "                 USER  :    70         105.0");  // below the left column: at the margin

  const ReportPage three = report.Page(3);
  EXPECT_EQ(three[0], std::string(81, ' ') + "1/2/2026   Page 3");
  EXPECT_EQ(three[1], "         ******* 5-Tone Systems *******");
  EXPECT_EQ(three[5], "           1: ZVEI1  Both  -----   X   X  --   --   -- ------- -------  X    -    -   X X X X X X X X");
  EXPECT_EQ(three[37], "         ******* 5-Tone Decode *******");
  EXPECT_EQ(three[41], "           1: 12345    DECODE-1 ------  -  On   Open  ------  -     A    S   ------ -");
  EXPECT_EQ(three[49], "         Grp:            GROUP          -  On   Open  ------  -     -    S   ------  ");

  const ReportPage four = report.Page(4);
  EXPECT_EQ(four[5], "           1: 12345    CALL-01  -   X   -    -    -   X   - - - X X - - -");
  EXPECT_EQ(four[37], "         ******* 5-Tone User Tone *******");
  EXPECT_EQ(four[52], "          User Tone E: 2600 Hz");
}

TEST_F(ReportPagesTest, FiveToneSystemCodesAndDecodeTranspond) {
  Edit<FiveToneSystemTable>([](FiveToneSystemTable& t) {
    t.systems[0].repeaterCode = 32;
    t.systems[0].toneFormat = 11;
    t.systems[0].flow = 2;
    t.systems[0].decode[7] = false;
  });
  Edit<FiveToneDecodeTable>([](FiveToneDecodeTable& t) { t.entries[0].transpond = 1; });
  const ReportPage three = Report().Page(3);
  EXPECT_EQ(three[5], "           1: USER   Both  -----   X   X  32   --   -- ID-Call -------  X    -    -   X X X X X X X -");
  EXPECT_EQ(three[41].substr(0, 40), "           1: 12345    DECODE-1 Sys Call");
}

TEST_F(ReportPagesTest, TwoToneHasTwoSignallingPages) {
  SetTwoTone();
  Edit<TwoToneSystemTable>([](TwoToneSystemTable& t) {
    t.systems[0].primaryPair = 10;
    t.systems[0].secondary = true;
  });
  const auto report = Report();
  EXPECT_EQ(report.SignallingPageCount(), 2);
  EXPECT_EQ(report.FirstChannelPage(), 3);
  const ReportPage two = report.Page(2);
  EXPECT_EQ(two[2].substr(0, 28), "           2-Tone Parameters");
  EXPECT_EQ(Right(two[2]), "2-Tone Table");
  EXPECT_EQ(Right(two[5]), "1:   288.5 Hz    288.5 Hz ");
  // The block has as many lines as the right column: 19, lines 2 to 20. Below the left column's 12
  // lines the right column's lines start at the left margin, with their own indent.
  EXPECT_EQ(two[14], "  10:   288.5 Hz    288.5 Hz ");
  EXPECT_EQ(two[15], "");
  EXPECT_EQ(two[16], "           2-Tone Encode");
  EXPECT_EQ(two[18], "              Encode Format Pair# :   1");
  EXPECT_EQ(two[19], "              1st Tone Period Time:   1.0 s");
  EXPECT_EQ(two[20], "              2nd Tone Period Time:   3.0 s");
  EXPECT_EQ(two[21], "");
  EXPECT_EQ(two[22], "           2-Tone System" + std::string(31, ' '));
  EXPECT_EQ(two[25], "               1:    10         v          -");
  EXPECT_EQ(two[26], "               2:    --         -          -");
  ASSERT_EQ(two.size(), 41u);
}


// Every byte pattern a file may hold prints: values outside their tables give their defined text
// and every page keeps to its lines.
TEST(ReportDamagedImage, AnyBytesPrintWithoutReadingOutsideTheTables) {
  std::uint32_t seed = 12345;
  auto next = [&seed]() {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<std::uint8_t>(seed >> 24);
  };
  for (int round = 0; round < 20; ++round) {
    RadioData data;
    InitImage(data);
    for (std::size_t i = 0; i < kImageSize; ++i)
      data.image[i] = round == 0 ? std::uint8_t{0xFF} : round == 1 ? std::uint8_t{0x00} : next();
    ReloadAreas(data);
    const ReportContext report(data, "damaged.k53", "1/2/2026");
    int channels = 0;
    for (const auto& page : report.ChannelPages()) channels += page.lastChannel - page.firstChannel + 1;
    EXPECT_EQ(channels, data.channels.totalAllocated) << "round " << round;
    for (int p = 1; p <= report.PageCount(); ++p) {
      const ReportPage page = report.Page(p);
      EXPECT_LE(page.size(), 64u) << "round " << round << " page " << p;
      for (const auto& line : page) EXPECT_LE(line.size(), 160u) << line;
    }
  }
}

}  // namespace
}  // namespace kp53
