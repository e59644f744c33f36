// The image-wide rules: new images, normalisation for both signalling systems, switching the
// signalling type, the option-board and hardware rules, and the numeric entry rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "byte_checks.h"
#include "fake_prompt.h"

#include "image/common_options_area.h"
#include "image/data_file.h"
#include "image/entry_rules.h"
#include "image/field_table.h"
#include "image/five_tone_areas.h"
#include "image/image_rules.h"
#include "image/key_function_area.h"
#include "image/radio_data.h"
#include "image/two_tone_areas.h"
#include "text/choice_texts.h"
#include "text/messages.h"

namespace kp53 {
namespace {

using test::BytesAre;
using test::BytesAt;
using test::RangeIs;

RadioData NewImage() {
  RadioData d;
  InitImage(d);
  NormalizeImage(d);
  return d;
}

// --- New image -----------------------------------------------------------------------------------

// A new image's defaults are printed whole by the golden report of a new image and checked byte
// by byte with each area; what the report of a 5-tone image does not show is the 2-tone side:
// InitImage writes its defaults, and normalising then keeps only the tone table.
TEST(NewImageTest, HoldsTheTwoToneDefaultsAndKeepsTheToneTableOnceNormalised) {
  RadioData d;
  InitImage(d);
  EXPECT_TRUE(BytesAt(d.image, 7568, {0, 10, 30, 0x02, 0x00, 10}));
  EXPECT_TRUE(RangeIs(d.image, 7614, 7629, 0));  // no default step for the 2-tone systems
  NormalizeImage(d);
  EXPECT_TRUE(RangeIs(d.image, 7568, 7573, 0));
  for (std::size_t i = 7574; i < 7614; i += 2) EXPECT_EQ(GetU16(d.image, i), 2885u) << i;
}

// --- Normalisation -------------------------------------------------------------------------------

RadioData FullImage(bool fiveTone) {
  RadioData d;
  InitImage(d);
  std::fill(d.image.begin() + 2, d.image.begin() + 7715, std::uint8_t{0xFF});
  PutBit(d.image, 7, 0, fiveTone);
  ReloadAreas(d);
  return d;
}

TEST(NormalizeTest, TwoToneZeroesTheFiveToneRegionsAndKeepsUserTones) {
  RadioData d = FullImage(false);
  NormalizeImage(d);
  EXPECT_TRUE(RangeIs(d.image, 6697, 6735, 0));
  EXPECT_TRUE(RangeIs(d.image, 6766, 7567, 0));
  EXPECT_TRUE(RangeIs(d.image, 6736, 6765, 0xFF));
  EXPECT_TRUE(RangeIs(d.image, 7574, 7613, 0xFF));
  // Bits 5-4 of 7568 and bit 0 of 7614 belong to no field.
  EXPECT_TRUE(BytesAre(d.image, {{7568, 0xCF}, {7572, 0xFC}, {7614, 0xFE}}));
}

// And every bit that no area owns becomes zero.
TEST(NormalizeTest, FiveToneZeroesTheTwoToneRegionsKeepsTheTableAndClearsUnownedBits) {
  RadioData d = FullImage(true);
  NormalizeImage(d);
  EXPECT_TRUE(RangeIs(d.image, 7568, 7573, 0));
  EXPECT_TRUE(RangeIs(d.image, 7614, 7629, 0));
  EXPECT_TRUE(RangeIs(d.image, 7574, 7613, 0xFF));
  EXPECT_TRUE(RangeIs(d.image, 6736, 6765, 0xFF));
  EXPECT_EQ(d.image[6770], 0xE0);  // system byte 4: bits 4-0 belong to no field
  EXPECT_EQ(d.image[6965] & 0xC0, 0);  // tag bits 7-6 belong to no field
  EXPECT_TRUE(BytesAt(d.image, 7078, {0x7F, 0xFE}));
  EXPECT_EQ(d.image[7093], 0xFA);  // encode byte 5: bit 2 cleared, bit 0 unowned
  EXPECT_TRUE(BytesAre(d.image, {{89, 0}, {2, 0xFB}, {7, 0xEF}, {8, 0x9F}, {125, 0x3F}, {128, 0xE7}, {144, 0x0F},
                                 {7712, 0x01}}));
  for (std::size_t i = 7647; i <= 7666; i += 2) EXPECT_EQ(d.image[i], 0xCF) << i;
}

// Normalising settles at once: normalising the reloaded result again (as saving the opened saved
// file does) changes no byte, for random images and every image of the data-file fuzz corpus.
TEST(NormalizeTest, TwiceIsOnceForRandomAndCorpusImages) {
  std::vector<std::pair<std::string, RadioData>> images;
  std::mt19937 rng(620);
  for (int n = 0; n < 60; ++n) {
    RadioData d;
    InitImage(d);
    for (std::size_t k = 0; k < kImageSize; ++k)
      if (rng() % (n % 3 == 0 ? 2 : 16) == 0) d.image[k] = static_cast<std::uint8_t>(rng());
    images.emplace_back("random " + std::to_string(n), d);
  }
  test::FakePrompt prompt;  // a file's problems are messages with an OK button
  for (const auto& entry : std::filesystem::directory_iterator(KP53_DATA_FILE_CORPUS)) {
    RadioData d;
    InitImage(d);
    if (ReadDataFile(entry.path().string(), d.image, d.defaultSplit, prompt)) images.emplace_back(entry.path().filename(), d);
  }
  for (auto& [name, d] : images) {
    ReloadAreas(d);
    NormalizeImage(d);
    const RadioImage once = d.image;
    ReloadAreas(d);
    NormalizeImage(d);
    std::string differ;
    for (std::size_t k = 0; k < kImageSize; ++k)
      if (once[k] != d.image[k]) differ += Format(" %zu:%02X->%02X", k, once[k], d.image[k]);
    EXPECT_EQ(differ, "") << name;
  }
}

// --- Signalling type -----------------------------------------------------------------------------

TEST(SignalingTypeTest, SameTypeChangesNothing) {
  RadioData d = NewImage();
  const RadioImage before = d.image;
  EXPECT_FALSE(ChangeSignalingType(d, 1));
  EXPECT_EQ(d.image, before);
}

TEST(SignalingTypeTest, SwitchingToTwoToneAndBack) {
  RadioData d = NewImage();
  // Give the image user data in every region that must survive or must be reset.
  d.channels.Entry(0).signalType = 1;
  d.channels.Entry(0).signalNo = 3;
  d.channels.Entry(0).dtmfAni = 1;
  d.channels.StoreToImage(d.image, d.hardware);
  PutU16(d.image, 7574, 3490);
  PutU16(d.image, 6736, 1234);
  d.image[17] = 0x31;  // speed dial 1: "1"
  d.image[6697] = 99;
  d.image[7088 + 7] = 0x01;
  ASSERT_EQ(d.image[297 + 3], 0x62);

  ASSERT_TRUE(ChangeSignalingType(d, 0));
  EXPECT_EQ(d.image[7] & 1, 0);
  EXPECT_EQ(d.signaling.system, 0);
  for (int i = 0; i < kChannelCount; ++i) EXPECT_EQ(d.image[297 + 25 * static_cast<std::size_t>(i) + 3] & 0xDF, 0) << i;
  EXPECT_EQ(d.channels.Entry(0).signalNo, 0);
  EXPECT_TRUE(RangeIs(d.image, 7614, 7629, 0x02));
  // The 2-tone defaults; the tone table and the speed dial kept.
  EXPECT_TRUE(BytesAre(d.image, {{7569, 10}, {7570, 30}, {7573, 10}, {7574, 0x0D}, {7575, 0xA2}, {17, 0x31}}));
  EXPECT_EQ(d.image[5] & 0x0F, 3);  // 2-tone auto reset "5 s"

  NormalizeImage(d);
  EXPECT_TRUE(RangeIs(d.image, 6697, 6735, 0));
  EXPECT_EQ(GetU16(d.image, 6736), 1234u);

  ASSERT_TRUE(ChangeSignalingType(d, 1));
  NormalizeImage(d);
  EXPECT_EQ(d.image[7] & 1, 1);
  EXPECT_TRUE(BytesAre(d.image, {{6697, 50}, {6766, 0x0F}, {6958 + 4, 0x21}}));
  EXPECT_EQ(DecodeText6(Bytes<8>(d.image, 7095)), "CALL-01 ");
  EXPECT_EQ(d.image[5] & 0x0F, 8);
  EXPECT_TRUE(RangeIs(d.image, 7568, 7573, 0));
  EXPECT_TRUE(RangeIs(d.image, 7614, 7629, 0));
  // The 2-tone table, the user tones and the speed dial kept; the whole signalling byte of the
  // channel cleared, DTMF ANI bit included.
  EXPECT_TRUE(BytesAre(d.image, {{7574, 0x0D}, {7575, 0xA2}, {6736, 0x04}, {6737, 0xD2}, {17, 0x31}, {297 + 3, 0}}));

  ASSERT_TRUE(ChangeSignalingType(d, 0));
  NormalizeImage(d);
  EXPECT_TRUE(RangeIs(d.image, 7614, 7629, 0x02));
  EXPECT_EQ(GetU16(d.image, 7574), 3490u);
}

// --- Option board --------------------------------------------------------------------------------

// Leaving the SCB-31 takes the channels' paging away, leaving the VMU-140 all their signalling.
TEST(OptionBoardTest, LeavingABoardClearsTheSignallingThatNeedsIt) {
  const struct {
    int board, types;  // channels cycle through signalling types 1 to `types`
    std::set<int> cleared;
  } cases[] = {{1, 2, {2}}, {6, 3, {1, 2, 3}}};
  for (const auto& c : cases) {
    RadioData d = NewImage();
    for (int i = 0; i < kChannelCount; ++i) {
      d.channels.Entry(i).signalType = 1 + i % c.types;
      d.channels.Entry(i).signalNo = 4;
    }
    d.channels.StoreToImage(d.image, d.hardware);
    CommonOptionsArea o;
    o.LoadFromImage(d.image);
    o.optionBoard = c.board;
    ChangeOptionBoard(d, o, 0);
    EXPECT_EQ(o.optionBoard, 0);
    for (int i = 0; i < kChannelCount; ++i) {
      const bool gone = c.cleared.count(1 + i % c.types) > 0;
      EXPECT_EQ(d.channels.Entry(i).signalType, gone ? 0 : 1 + i % c.types) << c.board << " " << i;
      EXPECT_EQ(d.channels.Entry(i).signalNo, gone ? 0 : 4) << c.board << " " << i;
      EXPECT_EQ(d.image[297 + 25 * static_cast<std::size_t>(i) + 3], gone ? 0 : 0x43) << c.board << " " << i;
    }
  }
  EXPECT_TRUE(RecorderFieldsEnabled(5));
  EXPECT_FALSE(RecorderFieldsEnabled(6));
  EXPECT_TRUE(PagingEnabled(1));
}

TEST(OptionBoardTest, OkWithoutOmnitrunkResetsTrunkedGroups) {
  RadioData d = NewImage();
  d.channels.groupSystemType[2] = 1;
  d.channels.groupSystemType[9] = 1;
  d.channels.StoreToImage(d.image, d.hardware);
  CommonOptionsArea o;
  o.LoadFromImage(d.image);
  o.optionBoard = 2;
  ApplyOptionOk(d, o);
  EXPECT_TRUE(BytesAt(d.image, 126, {0x04, 0x02}));
  o.optionBoard = 4;
  ApplyOptionOk(d, o);
  EXPECT_TRUE(BytesAt(d.image, 126, {0, 0}));
  EXPECT_EQ(d.image[125] & 0x0F, 4);
}

// --- Hardware ------------------------------------------------------------------------------------

TEST(HardwareRulesTest, ModelChangeSetsTheFrontKeypad) {
  HardwareArea hw;
  CommonOptionsArea o;
  ApplyModelChange(hw, o, 0);
  EXPECT_EQ(std::pair(hw.model, o.frontKeypad), std::pair(0, 0));
  ApplyModelChange(hw, o, 1);
  EXPECT_EQ(std::pair(hw.model, o.frontKeypad), std::pair(1, 2));
}

TEST(HardwareRulesTest, OkForTheHt610RemovesWhatItLacks) {
  RadioData d = NewImage();
  for (std::size_t s = 0; s < 12; ++s) d.image[129 + s] = static_cast<std::uint8_t>(s + 10);
  PutBit(d.image, 6, 7, true);
  d.image[6703] = 0xFF;
  d.image[6705] = 0xFF;
  CommonOptionsArea o;
  o.LoadFromImage(d.image);
  ApplyModelChange(d.hardware, o, 0);
  ApplyHardwareOk(d, o, 1.5);
  EXPECT_TRUE(BytesAt(d.image, 129, {10, 11, 0, 0, 0, 0, 16, 17, 0, 0, 0, 0}));
  EXPECT_FALSE(GetBit(d.image, 6, 7));
  EXPECT_TRUE(BytesAre(d.image, {{6703, 0}, {6705, 0xF3}}));
  EXPECT_EQ(d.image[7667] & 0x07, 0);
  EXPECT_DOUBLE_EQ(d.defaultSplit, 1.5);
  EXPECT_EQ(GetU16(d.image, off::kChecksum), ImageChecksum(d.image));
}

TEST(HardwareRulesTest, BandDefaultsOfBothFamilies) {
  RadioData d = NewImage();
  d.defaultSplit = 5.0;
  const auto band = [&d] {
    const HardwareArea& h = d.hardware;
    return std::tuple(h.frequencyRange, h.bandIndex, h.injection, h.minFreq, h.maxFreq, h.sqlRelease);
  };
  ApplyBandDefaults(d, true);
  ResetChannelsForBand(d, true);
  EXPECT_EQ(band(), std::tuple(4, 2, 0, 4500u, 4900u, 4));
  EXPECT_EQ(text::FrequencyRangeName(d.hardware.frequencyRange), "450-490 MHz");
  EXPECT_EQ(d.defaultSplit, 0.0);
  EXPECT_DOUBLE_EQ(d.channels.Entry(100).rxFreq, 450.0);
  ApplyBandDefaults(d, false);
  ResetChannelsForBand(d, false);
  EXPECT_EQ(band(), std::tuple(1, 1, 1, 1460u, 1740u, 6));
  EXPECT_DOUBLE_EQ(d.channels.Entry(100).txFreq, 150.0);
}

TEST(HardwareRulesTest, RangeAndStepListPositions) {
  struct Case {
    bool uhf;
    int item;
    int code;
  } const ranges[] = {{false, 0, 0}, {false, 1, 1}, {true, 0, 6}, {true, 1, 2}, {true, 3, 4}, {true, 4, 5}};
  for (const Case& c : ranges) {
    EXPECT_EQ(RangeCodeOfItem(c.uhf, c.item), c.code) << c.uhf << c.item;
    EXPECT_EQ(RangeItemOfCode(c.uhf, c.code), c.item) << c.uhf << c.code;
  }
  EXPECT_EQ(RangeCodeOfItem(false, 2), -1);
  EXPECT_EQ(RangeItemOfCode(false, 4), -1);  // a UHF code in the VHF list
  for (int band = 0; band < 4; ++band) {
    const bool uhf = band >= 2;
    EXPECT_EQ(StepItemOfBandIndex(band), band % 2);
    EXPECT_EQ(BandIndexOfStepItem(uhf, band % 2), band);
  }
}

TEST(HardwareRulesTest, ReferenceOscillatorCopies) {
  HardwareArea hw;
  const auto copies = [&hw] { return std::pair(hw.refOscA, hw.refOscB); };
  EXPECT_EQ(copies(), std::pair(2920u, 2336u));  // 14.6 MHz in 5 kHz and in 6.25 kHz steps
  hw.SetRefOscMHz(RefOscEntryMHz("12.8"));
  EXPECT_EQ(copies(), std::pair(2560u, 2048u));
  EXPECT_DOUBLE_EQ(RefOscEntryMHz("99.999"), 99.99);
  // With 10 kHz steps 99.99 MHz fits the 14 bits; with 5 kHz steps it would wrap round to
  // 18.07 MHz and is held at the largest frequency the copy can count instead.
  hw.bandIndex = 3;
  EXPECT_EQ(ApplyRefOscEntry(hw, "99.999"), "99.99MHz");
  EXPECT_EQ(hw.refOscA, 9999u);
  hw.bandIndex = 1;
  ApplyRefOscEntry(hw, "99.999");
  EXPECT_EQ(copies(), std::pair(16383u, 13106u));
  EXPECT_EQ(ApplyRefOscEntry(hw, "-3"), " 0.00MHz");
}

// --- Lists and completions -----------------------------------------------------------------------

TEST(ListRulesTest, SquelchTailElimination) {
  auto items = SquelchTailItems(2);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[2].text, "Rev. Burst ");
  items = SquelchTailItems(0);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(std::tuple(items[2].text, items[2].code), std::tuple("180        ", 3));
}

TEST(ListRulesTest, EmergencyChannelItems) {
  ChannelTable t;
  t.SetDefaults();
  const auto items = EmergencyChannelItems(t);
  ASSERT_EQ(items.size(), 258u);
  EXPECT_EQ(std::tuple(items[0], items[6], items[257]), std::tuple("current Channel", "CH-5  ", "CH-256"));
  // The dialog's choices add the tags the user gave; default and blank tags add nothing.
  t.Entry(15).tag = "EMERG   ";
  t.Entry(16).tag = "        ";
  const auto choices = EmergencyChannelChoices(t);
  ASSERT_EQ(choices.size(), items.size());
  EXPECT_EQ(std::tuple(choices[17], choices[18], choices[6], choices[1]),
            std::tuple("CH-16  EMERG", "CH-17 ", "CH-5  ", items[1]));
}

// The entry of every text field of the field table: what the dialog and the text store for a
// typed text, and which texts the field does not take at all.
TEST(FieldTableTest, TextFieldsStoreAndRefuse) {
  struct Case {
    const TextFieldRule& rule;
    const char* typed;
    const char* stored;  // nullptr: the field does not take the text
  } cases[] = {
      {fields::kSerialNumber, "1", "1C000000"},        {fields::kSerialNumber, "1d", "1D000000"},
      {fields::kSerialNumber, "1A", nullptr},          {fields::kSerialNumber, "1D0100019", nullptr},
      {fields::kMarketApplication, "12", "1200"},      {fields::kMarketApplication, "12AB", nullptr},
      {fields::kPassword, "12", "0012"},               {fields::kPassword, "", "0000"},
      {fields::kPassword, "a*", "00A*"},               {fields::kPassword, "e", nullptr},
      {fields::kPowerOnTag, "hello", "HELLO   "},      {fields::kPowerOnTag, "A!", nullptr},
      {fields::kAniCode, "a1#", "A1#"},                {fields::kAniCode, "1e2", nullptr},
      {fields::PageCode(4), "12", "12"},               {fields::PageCode(4), "1234", nullptr},
      {fields::kPauseCode, "*", "*"},                  {fields::SpeedDial(9), "bcd*0123456789A", "BCD*0123456789A"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TypedAccepted(c.rule, c.typed), c.stored != nullptr) << c.rule.name << " " << c.typed;
    if (c.stored) {
      EXPECT_EQ(c.rule.enter(c.typed), c.stored) << c.rule.name << " " << c.typed;
    }
  }
  std::set<int> ids;
  for (const TextFieldRule& r : TextFieldRules()) EXPECT_TRUE(ids.insert(r.id).second) << r.id;
}

// --- Numeric entry -------------------------------------------------------------------------------

TEST(EntryRulesTest, StoredDifferentlyLineIgnoresCaseFormatAndUnits) {
  const struct {
    const char* typed;
    const char* shown;
    const char* line;
  } cases[] = {
      {"150", "150.0MHz", ""},
      {" 12 ", " 12 s", ""},
      {"abc", "ABC", ""},
      {"-5", "-5.0 MHz", ""},
      {"700", "600.0MHz", "700 stored as 600.0MHz: the field keeps to its range and steps"},
      {"POWERTAG9", "POWERTAG", "POWERTAG9 stored as POWERTAG: the field holds 8 characters"},
      {"1", "1C000000", "1 stored as 1C000000: the field completes the text to its form"},
      {"C-100.5", "D-100", "C-100.5 stored as D-100: the field keeps to its range and steps"},
  };
  for (const auto& c : cases) EXPECT_EQ(StoredDifferentlyLine(c.typed, c.shown), c.line) << c.typed;
  EXPECT_EQ(StoredDifferentlyLine("3000.5", "3000.0 Hz", "tones are kept in tenths"),
            "3000.5 stored as 3000.0 Hz: tones are kept in tenths");
}

TEST(EntryRulesTest, NumbersAreReadClampedAndShown) {
  EXPECT_DOUBLE_EQ(LeadingNumber(" 12.5MHz"), 12.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("-3"), -3.0);
  for (const char* none : {"abc", "", "."}) EXPECT_DOUBLE_EQ(LeadingNumber(none), 0.0) << none;
  EXPECT_EQ(LeadingInteger("99999999999999999999"), INT_MAX);
  EXPECT_DOUBLE_EQ(DefaultSplitEntry("150"), 99.9);
  EXPECT_DOUBLE_EQ(DefaultSplitEntry("-150"), -99.9);
  using Rule = Entry (*)(std::string_view);
  const auto min1740 = [](std::string_view t) { return MinFrequencyEntry(t, 1740); };
  const auto min6500 = [](std::string_view t) { return MinFrequencyEntry(t, 6500); };
  const auto max1460 = [](std::string_view t) { return MaxFrequencyEntry(t, 1460); };
  const struct {
    Rule rule;
    const char* typed;
    int stored;
    const char* shown;  // nullptr: not checked
  } cases[] = {
      {min1740, "700", 1740, nullptr},          {min6500, "700", 6000, nullptr},
      {min1740, "50", 1000, nullptr},           {min1740, "146.3", 1463, "146.3MHz"},
      {max1460, "120", 1460, nullptr},          {max1460, "999", 6000, nullptr},
      {FirstIfEntry, "44.25", 44250, "44.25MHz"}, {FirstIfEntry, "70", 65530, nullptr},
      {FirstIfEntry, "-5", 0, nullptr},         {TwoToneEntry, "5000", 30000, "3000.0 Hz"},
      {TwoToneEntry, "100", 2885, nullptr},     {TwoToneEntry, "1513.5", 15135, nullptr},
      {PickedTwoTone, " 1- 349.0", 3490, nullptr}, {PickedTwoTone, "DIA 742.5", 7425, nullptr},
      {PickedTwoTone, "[MOTOROLA]", 2885, nullptr}, {PickedTwoTone, "[GE Type 99]", 2885, nullptr},
      {BeepRepeatEntry, "300", 255, nullptr},   {BeepRepeatEntry, "7.9", 7, "  7 s"},
      {PeriodTimeEntry, "2.3", 23, "2.3 s"},    {PeriodTimeEntry, "30", 255, nullptr},
      {PeriodTimeEntry, "-1", 0, nullptr},      {FiveToneDelayEntry, "1234", 123, "1230 ms"},
      {FiveToneDelayEntry, "9999", 255, "2550 ms"}, {IdDecodeTimeEntry, "1600", 160, nullptr},
      {FiveToneSecondsEntry, "256", 255, nullptr}, {ReceiveGapEntry, "100", 40, "100.0 ms"},
      {ReceiveGapEntry, "101", 40, nullptr},    {ReceiveGapEntry, "700", 255, nullptr},
      {TonePeriodEntry, "70", 70, " 70 ms"},    {UserToneEntry, "50", 300, nullptr},
      {UserToneEntry, "3500", 3000, nullptr},   {UserToneEntry, "1060", 1060, "1060 Hz"},
  };
  for (const auto& c : cases) {
    const Entry e = c.rule(c.typed);
    EXPECT_EQ(e.stored, c.stored) << c.typed;
    if (c.shown) {
      EXPECT_EQ(e.shown, c.shown) << c.typed;
    }
  }
}

// --- Texts ---------------------------------------------------------------------------------------

// The picker's and pick lists' texts are checked where they are shown (the signalling grids and
// dialogs); here the shape the dialogs and the report rely on.
TEST(ChoiceTextsTest, ListSizesAndWidths) {
  ASSERT_EQ(text::TonePickerLines().size(), 1u + 80 + 1 + 30 + 1 + 1 + 50);
  EXPECT_EQ(text::TonePickerLines()[113], "[REACH TWO TONE]");
  EXPECT_EQ(text::PickListItems(text::PickList::kRepeaterCode).size(), 33u);
  for (auto s : text::kKeyFunctions) EXPECT_EQ(s.size(), 14u) << s;
  for (int i = 0; i < 6; ++i) EXPECT_EQ(text::kOptionBoards[i].size(), 20u) << i;
  EXPECT_EQ(text::Choice(text::kOptionBoards, 7), "");
}

}  // namespace
}  // namespace kp53
