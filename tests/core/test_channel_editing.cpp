// Editing channels from the grid: cell activation, finished in-place edits, pick lists, snapping,
// paste parsing and the allocation commits; many channels at once: clip texts split into cells, a
// paste into a selection, Fill Down, clearing, and the order of the channels in their group with
// the priority and emergency channels following.
// And the signalling tables as grids: cell texts, toggles and steps, pick lists, typed codes and tags,
// and copy and paste of the systems cells.
#include <gtest/gtest.h>

#include "fake_prompt.h"
#include "image/channel_editing.h"
#include "image/channel_ranges.h"
#include "image/emergency_area.h"
#include "image/radio_data.h"
#include "image/signalling_grids.h"
#include "text/grid_texts.h"

namespace kp53 {
namespace {

using test::FakePrompt;

class ChannelEditingTest : public ::testing::Test {
 protected:
  ChannelEditingTest() { InitImage(data); }
  ChannelEditor Editor() {
    env = std::make_unique<EditEnv>(EditEnv{data.image, data.hardware});
    env->defaultSplit = split;
    env->optionBoard = optionBoard;
    return ChannelEditor(data.channels, *env);
  }
  ChannelEntry& Ch(int number) { return data.channels.Entry(number - 1); }
  void Select(int number) { data.channels.currentChannel = number - 1; }

  RadioData data;
  double split = 0.0;
  int optionBoard = 0;
  std::unique_ptr<EditEnv> env;
  VisibleItems allVisible{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
};

// A finished edit of channel 3's cell, after an earlier one (`before`, typed the same way): the
// result, the cell's text, and the status line that says what was stored if not what was typed.
// A refused sub-audio text, or a bare "D-"/"C-" prefix, keeps the type and value from before.
TEST_F(ChannelEditingTest, FinishedEditsAreCheckedStoredAndSaidInOneLine) {
  const struct {
    int column;
    const char* before;  // nullptr: a new image's channel
    const char* typed;
    CellResult result;
    const char* shown;
    const char* line;
  } cases[] = {
      {4, nullptr, "154.5275", CellResult::Changed, "154.53000",
       "154.5275 stored as 154.53000: the radio tunes in 5 and 6.25 kHz steps"},
      {4, nullptr, "154.53", CellResult::Changed, "154.53000", ""},
      {4, nullptr, "500", CellResult::Changed, "174.00000", "500 stored as 174.00000: the band runs from 146.0 to 174.0 MHz"},
      {3, nullptr, "base 1", CellResult::Changed, "BASE 1  ", ""},  // upper-casing alone is no change
      {3, nullptr, "BASE 1234", CellResult::Changed, "BASE 123", "BASE 1234 stored as BASE 123: a tag holds 8 characters"},
      {6, nullptr, "c-88.5", CellResult::Changed, "C- 88.5", ""},
      {6, nullptr, "C-100.5", CellResult::Changed, "C-100.5",
       "C-100.5 stored as C-100.5: CTCSS 100.5 Hz is not one of the radio's tones"},
      {6, "C-88.5", "C-254.2", CellResult::None, "C- 88.5", "C-254.2 not stored: CTCSS tones run from 67.0 to 254.1 Hz"},
      {7, nullptr, "D-028", CellResult::None, "-------", "D-028 not stored: a DCS code has three octal digits, 000 to 777"},
      {7, nullptr, "d-023", CellResult::Changed, "D-023N  ", ""},
      {7, nullptr, "D-024", CellResult::Changed, "D-024N  ", "D-024 stored as D-024N: DCS 024 is not one of the radio's codes"},
      {7, nullptr, "D-", CellResult::None, "-------", ""},
      {6, "C-88.5", "D-", CellResult::None, "C- 88.5", ""},
      {6, "D-023", "D-   ", CellResult::None, "D-023N  ", ""},
      {6, "D-023", "C-", CellResult::None, "D-023N  ", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    InitImage(data);
    Select(3);
    auto ed = Editor();
    for (const char* text : {c.before, c.typed}) {
      if (!text) continue;
      if (c.column >= 6) ed.BeginToneTyping(c.column, text[0]);
      const CellResult r = ed.EndEdit(c.column, text);
      if (text == c.before) continue;
      const std::string shown = ChannelCellText(data.channels, 2, c.column, false);
      EXPECT_EQ(r, c.result);
      EXPECT_EQ(shown, c.shown);
      EXPECT_EQ(CellEntryLine(c.column, c.typed, shown, r, Ch(3), data.hardware), c.line);
    }
  }
}

TEST_F(ChannelEditingTest, EveryCtcssTableToneSurvivesItsOwnText) {
  Select(1);
  auto ed = Editor();
  for (int tone : kCtcssTones) {
    ed.BeginToneTyping(7, 'C');
    ed.EndEdit(7, "C-" + CtcssListText(tone));
    EXPECT_EQ(static_cast<int>(Ch(1).txCtcss), tone);
  }
}

TEST_F(ChannelEditingTest, FrequenciesSnapToTheNearerGridAndTransmitFollowsTheSplit) {
  // Band index 1: step A 5000 Hz, P 6250 Hz, 146.0..174.0 MHz. Multiples of 6250 Hz take step P;
  // the limits are multiples of both (selector -1: not checked).
  const struct {
    double typed, mhz;
    int selector;
  } snaps[] = {{146.5031, 146.505, 0}, {146.50625, 146.50625, 1}, {146.52, 146.52, 0}, {100.0, 146.0, -1}, {999.0, 174.0, -1}};
  for (const auto& c : snaps) {
    const auto s = SnapFrequency(c.typed, data.hardware);
    EXPECT_DOUBLE_EQ(s.mhz, c.mhz) << c.typed;
    if (c.selector >= 0) {
      EXPECT_EQ(s.selector, c.selector) << c.typed;
    }
  }

  split = 0.6;
  Select(2);
  auto ed = Editor();
  Ch(2).enabled = 0;
  ed.SetFromText(4, "146.5031");
  EXPECT_EQ(std::tuple(Ch(2).enabled, Ch(2).rxFreq, Ch(2).txFreq, Ch(2).txStep), std::tuple(1, 146.505, 147.105, 0));

  // The transmit column snaps and keeps the inhibit flag; its dashes leave the frequency alone.
  Ch(2).txOff = true;
  ed.SetFromText(5, "---.-----");
  EXPECT_EQ(std::tuple(Ch(2).txFreq, Ch(2).txOff), std::tuple(147.105, true));
}

TEST_F(ChannelEditingTest, CrystalRuleMarksFrequenciesNearMultiplesOf3_6864MHz) {
  // 40 x 3.6864 MHz, 95 ppm away, farther.
  EXPECT_EQ(std::tuple(CrystalRule(147.456), CrystalRule(147.47), CrystalRule(147.48)), std::tuple(true, true, false));
  Select(1);
  auto ed = Editor();
  ed.SetFromText(4, "147.456");
  EXPECT_TRUE(Ch(1).xtal);
  ed.SetFromText(4, "150.0");
  EXPECT_FALSE(Ch(1).xtal);
}

TEST_F(ChannelEditingTest, ActivateFollowsTheColumnRules) {
  Select(1);
  auto ed = Editor();
  EXPECT_EQ(ed.Activate(0), CellResult::Beep);  // channel 1 stays in use
  EXPECT_EQ(Ch(1).enabled, 1);

  Select(2);
  EXPECT_EQ(ed.Activate(0), CellResult::Changed);
  EXPECT_EQ(Ch(2).enabled, 0);
  EXPECT_EQ(ed.Activate(10), CellResult::Beep);  // a disabled channel takes only column 0
  ed.Activate(0);

  // Signalling type: 0 -> 1 -> 2 -> 0, with option board 6 also 3; 3 clears and locks encryption.
  Ch(2).SetEncryption(2);
  for (int i = 0; i < 3; ++i) ed.Activate(14);
  EXPECT_EQ(Ch(2).signalType, 0);
  optionBoard = 6;
  auto ed6 = Editor();
  for (int i = 0; i < 3; ++i) ed6.Activate(14);
  EXPECT_EQ(Ch(2).signalType, 3);
  EXPECT_EQ(Ch(2).Encryption(), 0);
  EXPECT_EQ(ed6.Activate(17), CellResult::None);
  ed6.Activate(14);
  EXPECT_EQ(Ch(2).signalType, 0);
  EXPECT_EQ(ed6.Activate(15), CellResult::Beep);

  // ARTS only while both sides are DCS; a tone change clears it.
  EXPECT_EQ(ed6.Activate(19), CellResult::Beep);
  Ch(2).rxToneType = Ch(2).txToneType = kToneDcs;
  EXPECT_EQ(ed6.Activate(19), CellResult::Changed);
  ed6.Activate(6);
  EXPECT_FALSE(Ch(2).arts);
  EXPECT_EQ(Ch(2).rxToneType, kToneNone);
}

// What each list offers and which item it starts on. (Choosing from them is walked by the grid
// parity test and the window's cell editing tests.)
TEST_F(ChannelEditingTest, ValueListsAndTonePickLists) {
  Select(5);
  auto ed = Editor();
  ListRequest list;
  ASSERT_EQ(ed.Activate(13, &list), CellResult::ValueList);
  EXPECT_EQ(std::tuple(list.title, list.items.size(), list.selected), std::tuple("Squelch Level(CH= 5)", 16u, 4));

  Ch(5).rxToneType = kToneCtcss;
  Ch(5).rxCtcss = 1000;
  ed.SaveToneTypes();
  ASSERT_EQ(ed.PickTone(6, &list), CellResult::TonePick);
  ASSERT_EQ(list.items.size(), 50u);
  EXPECT_EQ(std::tuple(list.title, list.items[0], list.items[12], list.selected),
            std::tuple("CTCSS Frequency(CH= 5)", " 67.0", "100.0", 12));
  // Enter on "D-" switches to DCS and opens the list.
  ASSERT_TRUE(ed.EnterPickShortcut(6, "D- "));
  ASSERT_EQ(ed.PickTone(6, &list), CellResult::TonePick);
  EXPECT_EQ(std::pair(list.items.size(), list.items.back()), std::pair(std::size_t{107}, std::string("754")));
}

// Pastes into channel 4 one after another, each after its setup: the result and the cell's text.
TEST_F(ChannelEditingTest, PastedCellTextsAreParsedOrRefused) {
  const struct {
    void (*setup)(ChannelEntry&);
    int column;
    const char* text;
    CellResult result;
    const char* shown;  // the cell's text, or the copied mark of a check cell
  } steps[] = {
      {nullptr, 19, "v", CellResult::Beep, "-"},  // ARTS needs DCS on both sides
      {[](ChannelEntry& e) { e.rxToneType = e.txToneType = kToneDcs; }, 19, "v", CellResult::Changed, "v"},
      {nullptr, 7, "C- 88.5", CellResult::Changed, "C- 88.5"},
      {nullptr, 7, "C-88.5", CellResult::Beep, "C- 88.5"},
      {[](ChannelEntry& e) { e.rxDcs = 23, e.rxDcsBoth = true; }, 6, "D-023I", CellResult::Changed, "D-023I  "},
      {nullptr, 6, "D-028N", CellResult::Beep, "D-023I  "},
      {nullptr, 6, "-------", CellResult::Changed, "-------"},
      {nullptr, 13, "x", CellResult::Beep, " 4"},
      {nullptr, 13, "16", CellResult::Beep, " 4"},
      {nullptr, 13, "0", CellResult::Changed, " 0"},
      // A refused transmit frequency has already cleared the inhibit flag.
      {[](ChannelEntry& e) { e.txOff = true; }, 5, "abc", CellResult::Beep, "150.00000"},
      {nullptr, 5, "---.-----", CellResult::Changed, "---.-----"},
      {nullptr, 4, "", CellResult::Beep, "150.00000"},
  };
  FakePrompt prompt;
  Select(4);
  auto ed = Editor();
  for (const auto& s : steps) {
    if (s.setup) s.setup(Ch(4));
    EXPECT_EQ(ed.Paste(s.column, s.text, allVisible, prompt), s.result) << s.column << " " << s.text;
    const std::string shown = ed.CopyText(s.column).value_or(ChannelCellText(data.channels, 3, s.column, false));
    EXPECT_EQ(shown, s.shown) << s.column << " " << s.text;
  }
  EXPECT_TRUE(prompt.shown.empty());
}

// A channel number pasted onto the number cell: refused without a question where it names no
// other channel, and No copies nothing. (Yes, with the visible columns only, is the window's test.)
TEST_F(ChannelEditingTest, PastingAChannelNumberAsksBeforeCopying) {
  FakePrompt prompt;
  Ch(12).squelch = 9;
  Select(3);
  auto ed = Editor();
  for (const char* bad : {"3", "0", "257", "146.52"})
    EXPECT_EQ(ed.Paste(0, bad, allVisible, prompt), CellResult::Beep) << bad;
  EXPECT_TRUE(prompt.shown.empty());
  prompt.answers = {Answer::No};
  EXPECT_EQ(ed.Paste(0, "12", allVisible, prompt), CellResult::None);
  EXPECT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(Ch(3).squelch, 4);
}

// Commits one after another on 16 groups of 16 (every channel allocated): the answer, the
// group's size after it and the channels left.
TEST(AllocationCommit, SizesFollowTheLimits) {
  const struct {
    int group, requested;
    bool ok;
    int size, left;
  } steps[] = {
      {1, 20, false, 16, 0},  // no channel left to grow
      {2, 0, true, 0, 16},    {1, 20, true, 20, 12},
      {0, 0, true, 1, 27},    // the first group keeps a channel
      {0, -5, true, 1, 27},   {3, -5, true, 0, 43},   {4, 0, true, 0, 59}, {6, 0, true, 0, 75},
      {7, 0, true, 0, 91},    {8, 0, true, 0, 107},   {9, 0, true, 0, 123},
      {5, 200, true, 128, 11},  // at most 128 in a group
  };
  ChannelTable t;
  t.groupSystemType[4] = 1;
  for (const auto& s : steps) {
    EXPECT_EQ(CommitGroupSize(t, s.group, s.requested), s.ok) << s.group << " " << s.requested;
    EXPECT_EQ(t.groupSize[static_cast<std::size_t>(s.group)], s.size) << s.group << " " << s.requested;
    EXPECT_EQ(t.channelsLeft, s.left) << s.group << " " << s.requested;
  }
  EXPECT_EQ(t.currentGroup, 5);  // a committed size selects its group
  EXPECT_EQ(t.groupSystemType[4], 0);  // an emptied trunked group becomes conventional
  CommitGroupTag(t, 2, "AB");
  EXPECT_EQ(t.groupTag[2], "AB      ");
}

TEST_F(ChannelEditingTest, TagsAreStoredInTheRadiosCharacterSet) {
  Select(2);
  auto ed = Editor();
  ed.SetFromText(3, "rpt-2$<a");
  EXPECT_EQ(Ch(2).tag, "RPT-2  A");
  const std::pair<char, std::optional<char>> characters[] = {
      {'q', 'Q'}, {'_', '_'}, {' ', ' '}, {'@', std::nullopt}, {'$', std::nullopt}};
  for (const auto& [typed, stored] : characters) EXPECT_EQ(StorableTagCharacter(typed), stored) << typed;
}

TEST_F(ChannelEditingTest, TransmitCellTakesAnOffsetFromTheReceiveFrequency) {
  // Band index 1: 146.0..174.0 MHz.
  const struct {
    const char* text;
    CellResult result;
    double txMHz;  // after the entry (147.0 when refused)
  } cases[] = {
      {"+0.6", CellResult::Changed, 147.12},  {"-0.6", CellResult::Changed, 146.0},
      {"+600k", CellResult::Changed, 147.12}, {"+12.5k", CellResult::Changed, 146.535},
      {"-5", CellResult::Changed, 146.0},     {" +1 ", CellResult::Changed, 147.52},
      {"+", CellResult::Beep, 147.0},         {"+.", CellResult::Beep, 147.0},
      {"+1.2.3", CellResult::Beep, 147.0},    {"600k", CellResult::Beep, 147.0},
      {"+6k0", CellResult::Beep, 147.0},      {"148.5", CellResult::Changed, 148.5},
  };
  Select(2);
  for (const auto& c : cases) {
    Ch(2).rxFreq = 146.52;
    Ch(2).txFreq = 147.0;
    auto ed = Editor();
    EXPECT_EQ(ed.SetFromText(5, c.text), c.result) << c.text;
    EXPECT_NEAR(Ch(2).txFreq, c.txMHz, 1e-9) << c.text;
    // Paste takes the same texts through the same rule.
    Ch(2).txFreq = 147.0;
    FakePrompt prompt;
    EXPECT_EQ(ed.Paste(5, c.text, allVisible, prompt), c.result) << c.text;
    EXPECT_NEAR(Ch(2).txFreq, c.txMHz, 1e-9) << c.text;
  }
  EXPECT_EQ(TransmitOffsetMHz("-5"), -5.0);
  EXPECT_FALSE(TransmitOffsetMHz("---.-----").has_value());
}

TEST_F(ChannelEditingTest, PastedSignallingTypeTakesTheShownTextsAndClearsWhatItRulesOut) {
  FakePrompt prompt;
  Select(3);
  Ch(3).signalNo = 5;
  Ch(3).dtmfAni = 1;
  auto ed = Editor();
  EXPECT_EQ(ed.Paste(14, "Signal", allVisible, prompt), CellResult::Changed);
  EXPECT_EQ(std::tuple(Ch(3).signalType, Ch(3).dtmfAni, Ch(3).signalNo), std::tuple(1, 0, 5));
  EXPECT_EQ(ed.Paste(14, "Page", allVisible, prompt), CellResult::Changed);
  EXPECT_EQ(Ch(3).signalNo, 0);
  EXPECT_EQ(ed.Paste(14, "Option", allVisible, prompt), CellResult::Beep);  // no option board 6
  EXPECT_EQ(ed.Paste(14, "x", allVisible, prompt), CellResult::Beep);
  EXPECT_EQ(ed.Paste(14, "--", allVisible, prompt), CellResult::Changed);
  EXPECT_EQ(Ch(3).signalType, 0);
}

// --- Many channels at once ------------------------------------------------------------------------

using Rows = std::vector<std::vector<std::string>>;

// The editing fixture with the image's own editing environment, for changes to many channels.
class ChannelRangesTest : public ChannelEditingTest {
 protected:
  ChannelRangesTest() { env = std::make_unique<EditEnv>(EditEnvFor(data)); }
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

  FakePrompt prompt;
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
  EXPECT_EQ(std::pair(r.filled, r.skipped), std::pair(15, std::vector<CellRef>{{4, 2}}));
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

struct Tables {
  TwoToneSystemTable two;
  FiveToneSystemTable systems;
  FiveToneDecodeTable decode;
  FiveToneEncodeTable encode;
  TwoToneSystemsGrid twoGrid{two};
  FiveToneSystemsGrid systemsGrid{systems};
  FiveToneDecodeGrid decodeGrid{decode, true};
  FiveToneEncodeGrid encodeGrid{encode, true};
  SignallingGrid& Grid(int g) {
    SignallingGrid* grids[] = {&twoGrid, &systemsGrid, &decodeGrid, &encodeGrid};
    return *grids[g];
  }
};

enum { kTwo, kSystems, kDecode, kEncode };

TEST(SignallingGridTest, ShapesAndFirstRow) {
  Tables t;
  struct Case {
    int grid, columns, rows;
    std::vector<std::string> firstRow;
  } cases[] = {
      {kTwo, 4, 16, {"  1", "-", "-", "v"}},
      {kSystems, 22, 32, {" 1", "ZVEI1 ", "Both ", "-----", "v", "v", "Disable", "Disable", "Disable", "-------",
                          "-------", "v", "-", "-", "v", "v", "v", "v", "v", "v", "v", "v"}},
      {kDecode, 13, 9, {" 1", "12345   ", "DECODE-1", "------", "-", " On  ", "Open ", "------", "-", "A", "S",
                        "------", "-"}},
      {kEncode, 17, 32, {" 1", "12345   ", "CALL-01", "-", "v", "-", "-", "-", "v", "-", "-", "-", "v", "v", "-",
                         "-", "-"}},
  };
  for (const Case& c : cases) {
    SignallingGrid& g = t.Grid(c.grid);
    ASSERT_EQ(g.ColumnCount(), c.columns) << c.grid;
    EXPECT_EQ(g.RowCount(), c.rows) << c.grid;
    for (int col = 0; col < c.columns; ++col) {
      EXPECT_EQ(g.Text(0, col), c.firstRow[static_cast<std::size_t>(col)]) << c.grid << " column " << col;
      EXPECT_EQ(g.ShowsCheck(0, col), g.Text(0, col) == "v") << c.grid << " column " << col;
    }
  }
  // The group row of the decode grid has no code, transpond or auto TX.
  EXPECT_EQ(t.decodeGrid.Text(8, 0), "Grp");
  EXPECT_EQ(t.decodeGrid.Text(8, 2), "  GROUP ");
  for (int col : {1, 3, 12}) {
    EXPECT_EQ(t.decodeGrid.Text(8, col), "") << col;
    std::optional<CellPick> pick;
    EXPECT_FALSE(t.decodeGrid.Activate(8, col, &pick));
    EXPECT_FALSE(pick);
  }
}

TEST(SignallingGridTest, CodePickListsShowTheEncodeEntries) {
  RadioData data;
  InitImage(data);
  FiveToneEncodeTable encode;
  encode.LoadFromImage(data.image);
  encode.entries[2].code = "4711    ";
  encode.entries[2].tag = "DEPOT   ";
  encode.StoreToImage(data.image);
  const auto calls = PickListChoices(text::PickList::kCallCode, data.image);
  const auto& plain = text::PickListItems(text::PickList::kCallCode);
  ASSERT_EQ(calls.size(), plain.size());
  EXPECT_EQ(calls[0], "Disable");
  EXPECT_EQ(calls[3], plain[3] + "  4711 DEPOT");
  const auto transpond = PickListChoices(text::PickList::kTranspond, data.image);
  EXPECT_EQ(transpond[1], "Sys Call");
  EXPECT_EQ(transpond[4], text::PickListItems(text::PickList::kTranspond)[4] + "  4711 DEPOT");
  EXPECT_EQ(PickListChoices(text::PickList::kPrimaryPair, data.image), text::PickListItems(text::PickList::kPrimaryPair));
}

TEST(SignallingGridTest, TypedCellsAreEditableWhereTheRadioHasThem) {
  Tables t;
  // Decode: no code on the group row, no tag while the entry's ID flag is on; no tags on the HT-610.
  EXPECT_FALSE(t.decodeGrid.Editable(8, 1));
  EXPECT_TRUE(t.decodeGrid.Editable(8, 2));
  t.decode.entries[3].id = true;
  EXPECT_EQ(std::pair(t.decodeGrid.StartsEdit(3, 2, 'A'), t.decodeGrid.StartsEdit(3, 1, 'A')),
            (std::pair<std::optional<char>, std::optional<char>>(std::nullopt, 'A')));
  FiveToneDecodeGrid ht610Decode(t.decode, false);
  FiveToneEncodeGrid ht610Encode(t.encode, false);
  EXPECT_EQ(std::tuple(ht610Decode.Editable(0, 2), ht610Encode.Editable(0, 2), ht610Encode.Editable(0, 1)),
            std::tuple(false, false, true));
}

TEST(SignallingGridTest, CopyAndPasteOfSystemCells) {
  Tables t;
  FiveToneSystemsGrid& g = t.systemsGrid;
  struct Case {
    int col;
    std::string text;
    bool taken;
    std::string shown;
  } cases[] = {
      {1, "CCIR2 ", true, "CCIR2 "},  {1, " NATEL\r\n", true, "NATEL "}, {1, "ZVEI9", false, "NATEL "},
      {2, "Close", true, "Close"},     {3, "Open", true, "Open "},       {4, "-", true, "-"},
      {4, "v", true, "v"},             {4, "yes", false, "v"},           {6, " 32 ", true, " 32 "},
      {6, "7", true, "  7 "},          {6, "Disable", true, "Disable"},  {6, "33", false, "Disable"},
      {10, "Release", true, "Release"}, {21, "-", true, "-"},            {0, "5", false, " 1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(g.Paste(0, c.col, c.text), c.taken) << c.col << " " << c.text;
    EXPECT_EQ(g.Text(0, c.col), c.shown) << c.col << " " << c.text;
  }
  // A whole row copied cell by cell and pasted into another row gives the same system.
  for (int col = 1; col < g.ColumnCount(); ++col) EXPECT_TRUE(g.Paste(9, col, g.CopyText(0, col))) << col;
  RadioImage img{};
  t.systems.StoreToImage(img);
  for (int b = 0; b < 6; ++b) EXPECT_EQ(img[6766 + b], img[6766 + 9 * 6 + b]) << b;
  // Typed cells take no paste through the grid.
  EXPECT_FALSE(t.decodeGrid.Paste(0, 1, "123"));
}

}  // namespace
}  // namespace kp53
