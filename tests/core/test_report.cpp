// The report: how the groups are laid out on pages, the pages outside the report, bytes no
// editor produces; and whole reports compared line by line with stored copies, so that any change
// to a text of the report shows up. Run with KP53_UPDATE_GOLDEN=1 to rewrite the stored copies
// after a deliberate change, then review the difference.
#include <gtest/gtest.h>

#include <algorithm>
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
#include "report/report_text.h"

namespace kp53 {
namespace {

using Sizes = std::array<std::uint8_t, kGroupCount>;

Sizes SizesOf(std::initializer_list<int> first) {
  Sizes s{};
  std::size_t g = 0;
  for (int v : first) s[g++] = static_cast<std::uint8_t>(v);
  return s;
}

class ReportTest : public ::testing::Test {
 protected:
  ReportTest() {
    InitImage(data);
    ReloadAreas(data);
  }
  ReportContext Report() const { return ReportContext(data, "/some/folder/site.k53", "12/6/2026"); }
  RadioData data;
};

// --- Page layout ---------------------------------------------------------------------------------

// A page holds 62 lines: the page header takes 2, a group heading 9; a group continued on the
// next page starts it with its heading again, so a page holds at most 52 channels.
TEST(ReportLayout, GroupsAreLaidOutOnPages) {
  using P = ChannelPage;
  const struct {
    const char* what;
    Sizes sizes;
    std::vector<ChannelPage> pages;
  } cases[] = {
      {"a long group continues with 52 channels a page", SizesOf({100}),
       {P{0, 0, 0, 51}, P{0, 0, 52, 99}, P{1, 6, 100, 99}, P{7, 12, 100, 99}, P{13, 15, 100, 99}}},
      {"the largest group: 52, 52 and 24", SizesOf({128}),
       {P{0, 0, 0, 51}, P{0, 0, 52, 103}, P{0, 3, 104, 127}, P{4, 9, 128, 127}, P{10, 15, 128, 127}}},
      {"100 after 16 spans three pages: 27, 52, 21", SizesOf({16, 100}),
       {P{0, 1, 0, 42}, P{1, 1, 43, 94}, P{1, 4, 95, 115}, P{5, 10, 116, 115}, P{11, 15, 116, 115}}},
      {"43 channels end on line 53: no line left under the next heading", SizesOf({43, 5}),
       {P{0, 0, 0, 42}, P{1, 6, 43, 47}, P{7, 12, 48, 47}, P{13, 15, 48, 47}}},
      {"42 channels end on line 52: the next group's first channel fits on line 62", SizesOf({42, 5}),
       {P{0, 1, 0, 42}, P{1, 6, 43, 46}, P{7, 12, 47, 46}, P{13, 15, 47, 46}}},
      {"a group ending on the last line is not split", SizesOf({52, 1}),
       {P{0, 0, 0, 51}, P{1, 6, 52, 52}, P{7, 12, 53, 52}, P{13, 15, 53, 52}}},
      {"empty groups still take their headings: six a page", Sizes{}, {P{0, 5, 0, -1}, P{6, 11, 0, -1}, P{12, 15, 0, -1}}},
  };
  for (const auto& c : cases) {
    const auto pages = LayoutChannelPages(c.sizes);
    ASSERT_EQ(pages.size(), c.pages.size()) << c.what;
    for (std::size_t i = 0; i < pages.size(); ++i)
      EXPECT_TRUE(pages[i] == c.pages[i]) << c.what << ", page " << i << ": " << pages[i].firstGroup << " "
                                          << pages[i].lastGroup << " " << pages[i].firstChannel << " "
                                          << pages[i].lastChannel;
  }
}

TEST(ReportLayout, SizesBeyondTheChannelCountAreCut) {
  Sizes sizes;
  sizes.fill(128);  // only a damaged file says so
  const auto pages = LayoutChannelPages(sizes);
  EXPECT_EQ(pages.back().lastChannel, 255);
  for (const auto& p : pages) {
    EXPECT_LE(p.lastChannel, 255);
    EXPECT_LE(p.firstChannel, p.lastChannel + 1);
  }
}

// --- Pages ---------------------------------------------------------------------------------------

TEST_F(ReportTest, PagesOutsideTheReportAreEmpty) {
  data.signaling.system = SignalingSystemArea::kTwoTone;
  const auto report = Report();
  EXPECT_EQ(ReportPageCount(data), report.PageCount());
  EXPECT_EQ(std::pair(report.Page(0).empty(), report.Page(report.PageCount() + 1).empty()), std::pair(true, true));
}

TEST_F(ReportTest, ParameterValuesNoEditorProducesPrintQuestionMarks) {
  // Option board codes 7 to 15 and lone-worker items 12 to 15 exist only in damaged files.
  data.image[off::kCommonOptions] = static_cast<std::uint8_t>((data.image[off::kCommonOptions] & 0xF0) | 0x0F);
  data.image[off::kEmergency + 3] = static_cast<std::uint8_t>((data.image[off::kEmergency + 3] & 0xF0) | 0x0F);
  data.image[off::kEmergency] = static_cast<std::uint8_t>(data.image[off::kEmergency] | 0xC0);  // channel kind 3
  ReloadAreas(data);
  const ReportPage one = Report().Page(1);
  const auto line = [&one](const std::string& text) {
    for (const auto& l : one)
      if (l.find(text) != std::string::npos) return l.substr(l.find(text));
    return "<no line with \"" + text + "\">";
  };
  EXPECT_EQ(line("Option Board:"), "Option Board:????????????????????        ");
  EXPECT_EQ(line("Emergency Channel:"), "Emergency Channel:     ??????              ");
  EXPECT_EQ(line("Lone Worker Timer:"), "Lone Worker Timer:     ??????");
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

// --- Text helpers --------------------------------------------------------------------------------

TEST(ReportText, DateHasNoLeadingZeros) {
  for (const auto& [month, day, text] : {std::tuple{0, 5, "1/5/2026"}, {11, 31, "12/31/2026"}}) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = month;
    t.tm_mday = day;
    EXPECT_EQ(ReportDate(t), text);
  }
}

// --- Whole reports ---------------------------------------------------------------------------------

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
