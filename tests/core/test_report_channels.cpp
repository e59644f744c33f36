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

// Channels of group g on each page, pages without any left out.
std::vector<int> GroupChannelsPerPage(const std::vector<ChannelPage>& pages, const Sizes& sizes, int g) {
  int start = 0;
  for (int i = 0; i < g; ++i) start += sizes[static_cast<std::size_t>(i)];
  const int end = start + sizes[static_cast<std::size_t>(g)] - 1;
  std::vector<int> counts;
  for (const auto& p : pages) {
    const int n = std::min(end, p.lastChannel) - std::max(start, p.firstChannel) + 1;
    if (n > 0) counts.push_back(n);
  }
  return counts;
}

TEST(ReportLayout, LongGroupContinuesWithFiftyTwoChannelsAPage) {
  // From the top of a page: 52 on the first, then the rest.
  Sizes sizes = SizesOf({100});
  EXPECT_EQ(GroupChannelsPerPage(LayoutChannelPages(sizes), sizes, 0), (std::vector<int>{52, 48}));

  // The largest group: 52, 52 and the remaining 24, each page starting with its heading.
  sizes = SizesOf({128});
  auto pages = LayoutChannelPages(sizes);
  EXPECT_EQ(GroupChannelsPerPage(pages, sizes, 0), (std::vector<int>{52, 52, 24}));
  EXPECT_EQ(pages[1], (ChannelPage{0, 0, 52, 103}));
  EXPECT_EQ(pages[2].firstGroup, 0);
  EXPECT_EQ(pages[2].firstChannel, 104);

  // A group of 100 after a group of 16 spans three pages: 27 channels, a full 52, the other 21.
  sizes = SizesOf({16, 100});
  pages = LayoutChannelPages(sizes);
  EXPECT_EQ(GroupChannelsPerPage(pages, sizes, 1), (std::vector<int>{27, 52, 21}));
  EXPECT_EQ(pages[0], (ChannelPage{0, 1, 0, 42}));
  EXPECT_EQ(pages[1], (ChannelPage{1, 1, 43, 94}));
  EXPECT_EQ(pages[2].firstGroup, 1);
  EXPECT_EQ(pages[2].firstChannel, 95);
}

TEST(ReportLayout, HeadingThatLeavesNoLineForAChannelStartsTheNextPage) {
  // 43 channels end on line 53: the next heading would take lines 54 to 62.
  auto pages = LayoutChannelPages(SizesOf({43, 5}));
  EXPECT_EQ(pages[0], (ChannelPage{0, 0, 0, 42}));
  EXPECT_EQ(pages[1].firstGroup, 1);
  EXPECT_EQ(pages[1].firstChannel, 43);

  // 42 channels end on line 52: the next group's first channel still fits on line 62.
  pages = LayoutChannelPages(SizesOf({42, 5}));
  EXPECT_EQ(pages[0], (ChannelPage{0, 1, 0, 42}));
  EXPECT_EQ(pages[1].firstGroup, 1);
  EXPECT_EQ(pages[1].firstChannel, 43);
}

TEST(ReportLayout, GroupThatEndsOnTheLastLineIsNotSplit) {
  // 52 channels from line 11 end exactly on line 62.
  const auto pages = LayoutChannelPages(SizesOf({52, 1}));
  EXPECT_EQ(pages[0], (ChannelPage{0, 0, 0, 51}));
  EXPECT_EQ(pages[1].firstGroup, 1);
  EXPECT_EQ(pages[1].firstChannel, 52);
}

TEST(ReportLayout, EmptyGroupsStillTakeTheirHeadings) {
  // Sixteen empty groups: six headings fit a page (lines 2 to 55), then six, then four.
  const auto pages = LayoutChannelPages(Sizes{});
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0], (ChannelPage{0, 5, 0, -1}));
  EXPECT_EQ(pages[1], (ChannelPage{6, 11, 0, -1}));
  EXPECT_EQ(pages[2], (ChannelPage{12, 15, 0, -1}));
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
  ChannelEntry& e = data.channels.Entry(4);
  e.bandwidth = 2;
  e.tag = "REPEATER";
  e.rxFreq = 151.0125;
  e.txFreq = 155.5;
  e.rxToneType = kToneCtcss;
  e.rxCtcss = 885;
  e.txToneType = kToneDcs;
  e.txDcs = 23;
  e.txDcsInverted = true;
  e.rxPowerSave = true;
  e.power = 1;
  e.scan = 0;
  e.tot = true;
  e.squelch = 12;
  e.signalType = 2;
  e.signalNo = 7;
  e.dtmfAni = 1;
  e.SetEncryption(3);
  e.lockout = 2;
  e.arts = true;
  e.compander = 1;
  e.xtal = true;
  EXPECT_EQ(Report().ChannelLine(4),
            "           5  P N  REPEATER 151.01250 155.50000  C- 88.5 D-023   X  -  L - X 12 Page    7 X 3 BTLO X X X ");
}

TEST_F(ReportChannelTest, TransmitOffSignalOptionAndDcsDecode) {
  ChannelEntry& e = data.channels.Entry(0);
  e.txOff = true;
  e.rxToneType = kToneDcs;
  e.rxDcs = 754;
  e.rxDcsBoth = true;
  e.signalType = 3;
  e.signalNo = 1;
  e.lockout = 1;
  e.bandwidth = 1;
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

TEST(ReportText, FileNameWithoutFolder) {
  EXPECT_EQ(ReportFileName("/home/user/radios/site.k53"), "site.k53");
  EXPECT_EQ(ReportFileName("site.k53"), "site.k53");
  EXPECT_EQ(ReportFileName(""), "");
}

TEST(ReportText, TwoColumnBlock) {
  report::TwoColumnBlock block;
  block.Left("left 1");
  block.LeftBlank();
  block.Right("R1");
  block.RightSkip();
  block.Right("R3");
  const auto lines = block.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string("left 1") + std::string(49, ' ') + "R1");
  EXPECT_EQ(lines[1], std::string(55, ' '));
  EXPECT_EQ(lines[2], "R3");  // below the left column: at the left margin
  EXPECT_EQ(block.Lines(5).size(), 5u);
}

TEST(ReportText, ChoiceOutsideTheTable) {
  EXPECT_EQ(report::Choice({"Off ", "On  "}, 1), "On  ");
  EXPECT_EQ(report::Choice({"Off ", "On  "}, 2), "????");
  EXPECT_EQ(report::Choice({"Off ", "On  "}, -1), "????");
}

}  // namespace
}  // namespace kp53
