// Whole reports compared line by line with stored copies, so that any change to a text of the
// report shows up. Run with KP53_UPDATE_GOLDEN=1 to rewrite the stored copies after a deliberate
// change, then review the difference.
#include <gtest/gtest.h>

#include <cstdlib>
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

std::filesystem::path GoldenPath(const char* name) {
  return std::filesystem::path(KP53_GOLDEN_DIR) / name;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void CompareWithGolden(const std::string& text, const char* name) {
  const auto path = GoldenPath(name);
  const char* update = std::getenv("KP53_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << text;
    GTEST_SKIP() << "rewrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << path;
  std::stringstream stored;
  stored << in.rdbuf();
  const auto want = SplitLines(stored.str());
  const auto got = SplitLines(text);
  for (std::size_t i = 0; i < std::min(want.size(), got.size()); ++i)
    EXPECT_EQ(got[i], want[i]) << name << " line " << i + 1;
  EXPECT_EQ(got.size(), want.size()) << name;
}

// A new document's image, ready for printing as the window prints it.
RadioData NewDocument() {
  RadioData data;
  InitImage(data);
  NormalizeImage(data);
  ReloadAreas(data);
  return data;
}

// Stores an area object into the image, as its dialog's OK does.
template <class Area, class Change>
void Edit(RadioData& data, Change edit) {
  Area area;
  area.LoadFromImage(data.image);
  edit(area);
  area.StoreToImage(data.image);
  ReloadAreas(data);
}

void SetPaging(RadioData& data) {
  Edit<PagingParams>(data, [](PagingParams& p) {
    p.callTimes = 2;
    p.pages[0] = {true, 1, "12*"};
  });
}

TEST(ReportGolden, NewDefaultImage) {
  const RadioData data = NewDocument();
  const ReportContext report(data, "/radios/NEW.K53", "1/2/2026");
  EXPECT_EQ(report.PageCount(), 12);
  CompareWithGolden(ReportText(report), "report_default.txt");
}

TEST(ReportGolden, TwoToneHt610WithScb31) {
  RadioData data = NewDocument();
  data.signaling.system = SignalingSystemArea::kTwoTone;
  data.hardware.model = 0;
  data.signaling.StoreToImage(data.image);
  data.hardware.StoreToImage(data.image);
  data.image[off::kCommonOptions] = static_cast<std::uint8_t>((data.image[off::kCommonOptions] & 0xF0) | 1);
  NormalizeImage(data);
  ReloadAreas(data);
  Edit<TwoToneSystemTable>(data, [](TwoToneSystemTable& t) {
    t.systems[0].primaryPair = 10;
    t.systems[0].secondary = true;
  });
  const ReportContext report(data, "two-tone.k53", "10/31/2026");
  EXPECT_EQ(report.SignallingPageCount(), 2);
  EXPECT_EQ(report.FirstChannelPage(), 3);
  CompareWithGolden(ReportText(report), "report_two_tone_ht610.txt");
}

// An HT-620 on 5-tone with the SCB-31 board and an edit of every kind the other reports lack:
// keys, pages, emergency, a timer of half a minute, 5-tone codes, channels of every column, an
// Omnitrunk group, a group continued over three pages, an empty group.
TEST(ReportGolden, EditedHt620WithScb31) {
  RadioData data = NewDocument();
  Edit<KeyFunctionArea>(data, [](KeyFunctionArea& k) {
    k.functions[2] = 3;   // [A] press: Low Power
    k.functions[8] = 13;  // [A] hold: Reset
    k.rotaryMode = 1;
  });
  SetPaging(data);
  Edit<CommonOptionsArea>(data, [](CommonOptionsArea& o) {
    o.optionBoard = CommonOptionsArea::kOptionScb31;
    o.transmitTimer = 0;
  });
  Edit<EmergencyArea>(data, [](EmergencyArea& e) {
    e.SetChannelValue(2 + 4);  // "CH-5  "
    e.rxTime = 0;              // "5   s"
    e.txTime = 15;             // "80 s"
  });
  Edit<FiveToneSystemTable>(data, [](FiveToneSystemTable& t) {
    t.systems[0].repeaterCode = 32;
    t.systems[0].toneFormat = 11;
    t.systems[0].flow = 2;
    t.systems[0].decode[7] = false;
  });
  Edit<FiveToneDecodeTable>(data, [](FiveToneDecodeTable& t) { t.entries[0].transpond = 1; });
  ChannelTable& t = data.channels;
  t.groupSize = {128, 0, 3, 125};
  t.RecountGroups();
  t.groupSystemType[0] = 1;
  t.groupTag[0] = "TRUNK A ";
  t.priorityChannel = 5;
  t.Entry(0) = {.tag = " CH-001 ", .txOff = true, .bandwidth = 1, .rxToneType = kToneDcs, .rxDcsBoth = true,
                .rxDcs = 754, .lockout = 1, .signalNo = 1, .signalType = 3};
  t.Entry(4) = {.tag = "REPEATER", .rxFreq = 151.0125, .txFreq = 155.5, .bandwidth = 2, .rxPowerSave = true,
                .txToneType = kToneDcs, .rxToneType = kToneCtcss, .txDcsInverted = true, .rxCtcss = 885, .txDcs = 23,
                .arts = true, .power = 1, .tot = true, .lockout = 2, .xtal = true, .signalNo = 7, .signalType = 2,
                .squelch = 12, .index = 4, .scan = 0, .encryptHigh = 1, .compander = 1, .dtmfAni = 1, .encryptLow = 1};
  const ReportContext report(data, "/data/site.k53", "1/2/2026");
  EXPECT_EQ(report.SignallingPageCount(), 4);
  CompareWithGolden(ReportText(report), "report_edited_ht620_scb31.txt");
}

// An HT-610 on 5-tone with the VRU-8 board: dashes for tags, display digits and the pages that
// have codes, the recorder settings; a channel holding values no editor produces.
TEST(ReportGolden, Ht610WithVru8AndDamagedChannelValues) {
  RadioData data = NewDocument();
  data.hardware.model = 0;
  data.hardware.StoreToImage(data.image);
  ReloadAreas(data);
  SetPaging(data);
  Edit<CommonOptionsArea>(data, [](CommonOptionsArea& o) {
    o.optionBoard = CommonOptionsArea::kOptionVru8;
    o.recordMode = 1;
  });
  ChannelEntry& e = data.channels.Entry(0);
  e.lockout = 3;
  e.bandwidth = 3;
  e.power = 2;
  const ReportContext report(data, "/data/site.k53", "1/2/2026");
  CompareWithGolden(ReportText(report), "report_ht610_vru8.txt");
}

}  // namespace
}  // namespace kp53
