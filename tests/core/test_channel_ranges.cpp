// Many channels at once: clip texts split into cells, a paste into a selection, Fill Down,
// clearing, and the order of the channels in their group with the priority and emergency
// channels following.
#include <gtest/gtest.h>

#include "image/channel_ranges.h"
#include "image/emergency_area.h"
#include "fake_prompt.h"

namespace kp53 {
namespace {

using test::FakePrompt;
using Rows = std::vector<std::vector<std::string>>;

class ChannelRangesTest : public ::testing::Test {
 protected:
  ChannelRangesTest() {
    InitImage(data);
    env = std::make_unique<EditEnv>(EditEnvFor(data));
  }
  ChannelEntry& Ch(int number) { return data.channels.Entry(number - 1); }
  std::vector<int> Channels(int from, int to) {
    std::vector<int> v;
    for (int n = from; n <= to; ++n) v.push_back(n - 1);
    return v;
  }
  int EmergencyIndex() {
    EmergencyArea em;
    em.LoadFromImage(data.image);
    return em.channelKind == 2 ? em.channelIndex : -1;
  }
  void SetEmergency(int index) {
    EmergencyArea em;
    em.LoadFromImage(data.image);
    em.channelKind = 2;
    em.channelIndex = index;
    em.StoreToImage(data.image);
  }

  RadioData data;
  std::unique_ptr<EditEnv> env;
  FakePrompt prompt;
  VisibleItems allVisible{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
};

TEST(ClipTextTest, RowsEndAtAnyLineEndAndCellsAtTabs) {
  const struct {
    const char* text;
    Rows rows;
  } cases[] = {
      {"N", {{"N"}}},
      {"", {{""}}},
      {"a\tb", {{"a", "b"}}},
      {"a\tb\rc\td", {{"a", "b"}, {"c", "d"}}},
      {"a\r\nb\r\n", {{"a"}, {"b"}}},
      {"a\nb\n\nc", {{"a"}, {"b"}, {""}, {"c"}}},
      {"a\t\tc", {{"a", "", "c"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitClipText(c.text), c.rows) << c.text;
}

TEST_F(ChannelRangesTest, OneValueFillsEverySelectedCellAndRefusalsAreReported) {
  Ch(5).enabled = 0;  // a disabled channel takes nothing but Chn
  const auto r = PasteIntoSelection(data.channels, *env, Channels(1, 16), 2, 2, {{"N"}}, allVisible, prompt);
  EXPECT_EQ(r.filled, 15);
  EXPECT_EQ(r.skipped, (std::vector<CellRef>{{4, 2}}));
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(Ch(n).bandwidth, n == 5 ? 0 : 2) << n;
  EXPECT_EQ(Ch(17).bandwidth, 0);
}

TEST_F(ChannelRangesTest, OneRowFillsEverySelectedRowAndChnAndPriAreLeftAlone) {
  const auto r = PasteIntoSelection(data.channels, *env, Channels(3, 6), 1, 4, {{"P", "N", "TAXI", "146.52"}},
                                    allVisible, prompt);
  EXPECT_EQ(r.filled, 12);
  EXPECT_EQ(r.skipped.size(), 4u);  // the Pri cells
  EXPECT_EQ(data.channels.priorityChannel, 0);
  for (int n = 3; n <= 6; ++n) {
    EXPECT_EQ(Ch(n).tag, "TAXI    ");
    EXPECT_DOUBLE_EQ(Ch(n).rxFreq, 146.52);
  }
  // Two rows alternate over four channels; a one-column selection takes the rows' width.
  PasteIntoSelection(data.channels, *env, Channels(3, 6), 10, 10, {{"L", "v"}, {"H", "-"}}, allVisible, prompt);
  EXPECT_EQ(std::tuple(Ch(3).power, Ch(4).power, Ch(5).power, Ch(5).scan & 1, Ch(6).scan & 1),
            std::tuple(1, 0, 1, 1, 0));
}

TEST_F(ChannelRangesTest, FillDownCarriesNarrowAndSignalOneToSixteenChannels) {
  data.channels.currentChannel = 0;
  ChannelEditor ed(data.channels, *env);
  ASSERT_EQ(ed.Paste(2, "N", allVisible, prompt), CellResult::Changed);
  ASSERT_EQ(ed.Paste(14, "Signal", allVisible, prompt), CellResult::Changed);
  ASSERT_EQ(ed.Paste(15, "1", allVisible, prompt), CellResult::Changed);
  Ch(1).tot = true;
  const auto r = FillDown(data.channels, *env, Channels(1, 16), 2, 15, allVisible, prompt);
  EXPECT_TRUE(r.skipped.empty());
  for (int n = 2; n <= 16; ++n)
    EXPECT_EQ(std::tuple(Ch(n).bandwidth, Ch(n).signalType, Ch(n).signalNo, Ch(n).tot, Ch(n).tag),
              std::tuple(2, 1, 1, true, Ch(1).tag)) << n;
  EXPECT_EQ(Ch(17).signalType, 0);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ChannelRangesTest, ClearingSetsTheBandDefaultAndNoTones) {
  Ch(2) = {.tag = "KEEP    ", .rxFreq = 146.52, .txFreq = 147.12, .txOff = true, .txToneType = kToneCtcss,
           .rxToneType = kToneDcs, .txCtcss = 885, .rxDcs = 23, .index = 1};
  ClearFrequenciesAndTones(data.channels, *env, Channels(2, 2));
  EXPECT_EQ(std::tuple(Ch(2).rxFreq, Ch(2).txFreq, Ch(2).txOff, Ch(2).rxToneType, Ch(2).txToneType, Ch(2).tag),
            std::tuple(150.0, 150.0, false, kToneNone, kToneNone, "KEEP    "));
}

TEST_F(ChannelRangesTest, InsertDeleteAndMoveStayInTheGroupAndThePriorityAndEmergencyFollow) {
  // Group 1 holds channels 1..16, group 2 channels 17..32.
  for (int n = 1; n <= 17; ++n)
    if (n != 16) Ch(n).tag = "T" + std::to_string(n) + std::string(7 - std::to_string(n).size(), ' ');
  data.channels.priorityChannel = 5;
  SetEmergency(6);  // channel 7
  EXPECT_FALSE(GroupEndInUse(data, 2));
  Ch(16).rxToneType = kToneCtcss;
  EXPECT_TRUE(GroupEndInUse(data, 2));

  // The tags of channels 1 to 17, the priority channel and the emergency channel's index.
  const auto state = [this] {
    std::string tags;
    for (int n = 1; n <= 17; ++n) tags += Ch(n).tag.substr(0, Ch(n).tag.find(' ', 1)) + "|";
    return std::tuple(tags, data.channels.priorityChannel, EmergencyIndex());
  };
  // Before channel 3: the former channel 16 falls off, the next group stays.
  ASSERT_TRUE(InsertChannel(data, 2));
  EXPECT_EQ(state(), std::tuple("T1|T2| CH-003|T3|T4|T5|T6|T7|T8|T9|T10|T11|T12|T13|T14|T15|T17|", 6, 7));
  ASSERT_TRUE(DeleteChannel(data, 5));  // channel 6, the priority channel
  EXPECT_EQ(state(), std::tuple("T1|T2| CH-003|T3|T4|T6|T7|T8|T9|T10|T11|T12|T13|T14|T15| CH-016|T17|", 0, 6));
  ASSERT_TRUE(MoveChannel(data, 6, -1));  // the emergency channel up
  EXPECT_EQ(state(), std::tuple("T1|T2| CH-003|T3|T4|T7|T6|T8|T9|T10|T11|T12|T13|T14|T15| CH-016|T17|", 0, 5));
  EXPECT_FALSE(MoveChannel(data, 0, -1));
  EXPECT_FALSE(MoveChannel(data, 15, 1));  // no move into the next group
  ASSERT_TRUE(DeleteChannel(data, 5));
  EXPECT_EQ(EmergencyIndex(), -1);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(data.channels.Entry(i).index, i);
}

}  // namespace
}  // namespace kp53
