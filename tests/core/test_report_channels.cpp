// The report's channel pages: how the groups are laid out on pages and every column of a channel
// line.
#include <gtest/gtest.h>

#include <algorithm>

#include "image/radio_data.h"
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

class ReportChannelTest : public ::testing::Test {
 protected:
  ReportChannelTest() {
    InitImage(data);
    ReloadAreas(data);
  }
  ReportContext Report() const { return ReportContext(data, "/some/folder/site.k53", "12/6/2026"); }
  void SetSizes(const Sizes& sizes) {
    data.channels.groupSize = sizes;
    data.channels.RecountGroups();
  }
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

// The default layout, the first channel page of either system and every line of the default
// pages are held by the whole-report comparisons.
TEST_F(ReportChannelTest, PageCountAndPagesOutsideTheReport) {
  data.signaling.system = SignalingSystemArea::kTwoTone;
  const auto report = Report();
  EXPECT_EQ(report.PageCount(), 2 + static_cast<int>(report.ChannelPages().size()));
  EXPECT_EQ(ReportPageCount(data), report.PageCount());
  EXPECT_TRUE(report.Page(0).empty());
  EXPECT_TRUE(report.Page(report.PageCount() + 1).empty());
}

TEST_F(ReportChannelTest, ContinuationPagesRepeatTheGroupHeading) {
  SetSizes(SizesOf({128, 128}));
  const auto report = Report();
  const int first = report.FirstChannelPage();
  for (int p = first; p < first + 3; ++p) {
    const ReportPage page = report.Page(p);
    EXPECT_EQ(page[4].substr(0, 22), "        Group No. : 1 ") << "page " << p;
  }
  EXPECT_EQ(report.Page(first + 1)[11].substr(0, 14), "          53  ");
  EXPECT_EQ(report.Page(first + 1)[62].substr(0, 14), "         104  ");
}

TEST_F(ReportChannelTest, EmptyGroupPrintsItsHeadingOnly) {
  SetSizes(SizesOf({2, 0, 3}));
  const ReportPage page = Report().Page(Report().FirstChannelPage());
  EXPECT_EQ(page[4].substr(0, 22), "        Group No. : 1 ");
  EXPECT_EQ(page[15].substr(0, 22), "        Group No. : 2 ");  // heading from line 13
  EXPECT_EQ(page[24].substr(0, 22), "        Group No. : 3 ");  // straight after it, from line 22
  EXPECT_EQ(page[31].substr(0, 14), "           3  ");
}

// --- Channel lines -------------------------------------------------------------------------------

TEST_F(ReportChannelTest, EveryColumnOfAProgrammedChannel) {
  data.channels.priorityChannel = 5;
  data.channels.Entry(4) = {.tag = "REPEATER", .rxFreq = 151.0125, .txFreq = 155.5, .bandwidth = 2,
                            .rxPowerSave = true, .txToneType = kToneDcs, .rxToneType = kToneCtcss,
                            .txDcsInverted = true, .rxCtcss = 885, .txDcs = 23, .arts = true, .power = 1, .tot = true,
                            .lockout = 2, .xtal = true, .signalNo = 7, .signalType = 2, .squelch = 12, .index = 4,
                            .scan = 0, .encryptHigh = 1, .compander = 1, .dtmfAni = 1, .encryptLow = 1};
  EXPECT_EQ(Report().ChannelLine(4),
            "           5  P N  REPEATER 151.01250 155.50000  C- 88.5 D-023   X  -  L - X 12 Page    7 X 3 BTLO X X X ");
}

TEST_F(ReportChannelTest, TransmitOffSignalOptionAndDcsDecode) {
  data.channels.Entry(0) = {.tag = " CH-001 ", .txOff = true, .bandwidth = 1, .rxToneType = kToneDcs,
                            .rxDcsBoth = true, .rxDcs = 754, .lockout = 1, .signalNo = 1, .signalType = 3};
  const std::string line = Report().ChannelLine(0);
  EXPECT_EQ(line.substr(14, 43), "- W4  CH-001  150.00000 ---.-----  D-754   ");
  EXPECT_NE(line.find(" Option  1 - - BCLO "), std::string::npos) << line;
}

TEST_F(ReportChannelTest, ValuesNoEditorProducesPrintQuestionMarks) {
  ChannelEntry& e = data.channels.Entry(0);
  e.lockout = 3;
  e.bandwidth = 3;
  e.power = 2;
  const std::string line = Report().ChannelLine(0);
  EXPECT_EQ(line.substr(16, 3), "???");
  EXPECT_NE(line.find("????"), std::string::npos);
  EXPECT_EQ(line.size(), Report().ChannelLine(1).size());
}

TEST_F(ReportChannelTest, OmnitrunkGroupAndItsTag) {
  data.channels.groupSystemType[0] = 1;
  data.channels.groupTag[0] = "TRUNK A ";
  const ReportPage page = Report().Page(Report().FirstChannelPage());
  EXPECT_EQ(page[4], "        Group No. : 1    System Type : Omnitrunk               Tag : TRUNK A ");
}

// --- Text helpers --------------------------------------------------------------------------------

TEST(ReportText, DateHasNoLeadingZeros) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 5;
  EXPECT_EQ(ReportDate(t), "1/5/2026");
  t.tm_mon = 11;
  t.tm_mday = 31;
  EXPECT_EQ(ReportDate(t), "12/31/2026");
}

}  // namespace
}  // namespace kp53
