// The report's pages 1 to 4: common parameters, DTMF and paging, 2-tone and 5-tone data, with
// the model and option-board variants and values no editor produces.
#include <gtest/gtest.h>

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

// The new image and an HT-610 on 2-tone are held line by line by the whole-report comparisons;
// these are the variants they do not print.
TEST_F(ReportPagesTest, Ht610OnFiveToneDashesTagsAndDisplayDigits) {
  SetModel(0);
  const auto report = Report();
  const ReportPage two = report.Page(2);
  EXPECT_EQ(Find(two, "              Tag Display:").substr(0, 43), "              Tag Display:         --------");
  for (int d = 1; d <= 8; ++d)
    EXPECT_EQ(Find(two, "              Display Digit" + std::to_string(d)).substr(35, 8), "--------");
  // Decode and encode tables lose their TAG column.
  EXPECT_EQ(report.Page(3)[38], "                      Trans   I  LED                      Beep           Auto");
  EXPECT_EQ(report.Page(4)[5], "           1: 12345    -   X   -    -    -   X   - - - X X - - -");
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

TEST_F(ReportPagesTest, FiveToneSystemCodesAndDecodeTranspond) {
  Edit<FiveToneSystemTable>([](FiveToneSystemTable& t) {
    t.systems[0].repeaterCode = 32;
    t.systems[0].toneFormat = 11;
    t.systems[0].flow = 2;
    t.systems[0].decode[7] = false;
  });
  Edit<FiveToneDecodeTable>([](FiveToneDecodeTable& t) { t.entries[0].transpond = 1; });
  const auto report = Report();
  EXPECT_EQ(report.SignallingPageCount(), 4);
  const ReportPage three = report.Page(3);
  EXPECT_EQ(three[5], "           1: USER   Both  -----   X   X  32   --   -- ID-Call -------  X    -    -   X X X X X X X -");
  EXPECT_EQ(three[41].substr(0, 40), "           1: 12345    DECODE-1 Sys Call");
}

TEST_F(ReportPagesTest, TwoToneSystemWithAPair) {
  SetTwoTone();
  Edit<TwoToneSystemTable>([](TwoToneSystemTable& t) {
    t.systems[0].primaryPair = 10;
    t.systems[0].secondary = true;
  });
  const auto report = Report();
  EXPECT_EQ(report.SignallingPageCount(), 2);
  EXPECT_EQ(report.FirstChannelPage(), 3);
  const ReportPage two = report.Page(2);
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
