// The image-wide rules: new images, normalisation for both signalling systems, switching the
// signalling type, the option-board and hardware rules, and the numeric entry rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "byte_checks.h"

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

TEST(NewImageTest, HoldsTheDefaultsOfEveryArea) {
  const RadioData d = NewImage();
  const RadioImage& img = d.image;
  EXPECT_EQ(img[7] & 0x01, 1);  // 5-tone
  // One byte of each area (each area's defaults are checked in full with the area), and the
  // bytes that several areas share (5: LED, squelch tail 3, 5-tone auto reset "10 s"; 7667:
  // "HT-620 Series", "16 Key").
  EXPECT_TRUE(BytesAre(img, {{124, 0x33}, {3, 0x11}, {5, 0xE8}, {8, 0x06}, {128, 0x40}, {129, 1}, {143, 0x73},
      {7667, 0x05}, {7630, 0x0F}, {6697, 50}, {6712, 70}}));
  EXPECT_EQ(GetU16(img, 6736), 2400u);
  EXPECT_TRUE(BytesAre(img, {{6766, 0x0F}, {6958 + 4, 0x21}, {7088, 5}}));
  EXPECT_EQ(GetU16(img, 7574), 2885u);
  // 5-tone is selected: the 2-tone encode, parameters and systems are zero.
  EXPECT_TRUE(RangeIs(img, 7568, 7573, 0));
  EXPECT_TRUE(RangeIs(img, 7614, 7629, 0));
  EXPECT_TRUE(RangeIs(img, 7646, 7666, 0));
  EXPECT_EQ(img[89], 0);
  EXPECT_EQ(GetU16(img, off::kChecksum), ImageChecksum(img));
}

TEST(NewImageTest, InitImageWritesTheTwoToneDefaultsBeforeNormalising) {
  RadioData d;
  InitImage(d);
  EXPECT_TRUE(BytesAt(d.image, 7568, {0, 10, 30, 0x02}));
  EXPECT_EQ(d.image[7573], 10);
  EXPECT_TRUE(RangeIs(d.image, 7614, 7629, 0));  // no default step for the 2-tone systems
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

TEST(NormalizeTest, FiveToneZeroesTheTwoToneRegionsAndKeepsTheTable) {
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
}

TEST(NormalizeTest, BitsThatNoAreaOwnsBecomeZero) {
  RadioData d = FullImage(true);
  NormalizeImage(d);
  const RadioImage& img = d.image;
  EXPECT_TRUE(BytesAre(img, {{89, 0}, {2, 0xFB}, {7, 0xEF}, {8, 0x9F}, {125, 0x3F}, {128, 0xE7}, {144, 0x0F},
      {7712, 0x01}}));
  for (std::size_t i = 7647; i <= 7666; i += 2) EXPECT_EQ(img[i], 0xCF) << i;
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
  struct Quiet : UserPrompt {
    Answer Show(std::string_view, Icon, Buttons) override { return Answer::Ok; }
  } prompt;
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
  EXPECT_TRUE(BytesAt(d.image, 7569, {10, 30}));
  EXPECT_EQ(d.image[7573], 10);
  EXPECT_EQ(d.image[5] & 0x0F, 3);  // 2-tone auto reset "5 s"
  EXPECT_EQ(GetU16(d.image, 7574), 3490u);
  EXPECT_EQ(d.image[17], 0x31);

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
  EXPECT_EQ(GetU16(d.image, 7574), 3490u);
  EXPECT_EQ(GetU16(d.image, 6736), 1234u);
  EXPECT_EQ(d.image[17], 0x31);
  EXPECT_EQ(d.image[297 + 3], 0x00);  // the whole signalling byte, DTMF ANI bit included

  ASSERT_TRUE(ChangeSignalingType(d, 0));
  NormalizeImage(d);
  EXPECT_TRUE(RangeIs(d.image, 7614, 7629, 0x02));
  EXPECT_EQ(GetU16(d.image, 7574), 3490u);
}

// --- Option board --------------------------------------------------------------------------------

TEST(OptionBoardTest, LeavingTheScb31ClearsPageSignalling) {
  RadioData d = NewImage();
  d.channels.Entry(3).signalType = 2;
  d.channels.Entry(3).signalNo = 4;
  d.channels.Entry(4).signalType = 1;
  d.channels.Entry(4).signalNo = 5;
  d.channels.StoreToImage(d.image, d.hardware);
  CommonOptionsArea o;
  o.LoadFromImage(d.image);
  o.optionBoard = 1;
  ChangeOptionBoard(d, o, 0);
  EXPECT_EQ(o.optionBoard, 0);
  EXPECT_EQ(d.channels.Entry(3).signalNo, 0);
  EXPECT_EQ(d.image[297 + 25 * 3 + 3], 0);
  EXPECT_EQ(d.image[297 + 25 * 4 + 3], 0x44);
}

TEST(OptionBoardTest, LeavingTheVmu140ClearsAllSignalling) {
  RadioData d = NewImage();
  for (int i = 0; i < kChannelCount; ++i) {
    d.channels.Entry(i).signalType = 3;
    d.channels.Entry(i).signalNo = 7;
  }
  d.channels.StoreToImage(d.image, d.hardware);
  CommonOptionsArea o;
  o.optionBoard = 6;
  ChangeOptionBoard(d, o, 0);
  for (int i = 0; i < kChannelCount; ++i) {
    EXPECT_EQ(d.channels.Entry(i).signalType, 0);
    EXPECT_EQ(d.image[297 + 25 * static_cast<std::size_t>(i) + 3], 0) << i;
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
  EXPECT_EQ(hw.model, 0);
  EXPECT_EQ(o.frontKeypad, 0);
  ApplyModelChange(hw, o, 1);
  EXPECT_EQ(o.frontKeypad, 2);
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
  EXPECT_EQ(d.image[6703], 0);
  EXPECT_EQ(d.image[6705], 0xF3);
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
  EXPECT_EQ(hw.refOscA, 2920u);  // 14.6 MHz in 5 kHz steps
  EXPECT_EQ(hw.refOscB, 2336u);
  hw.SetRefOscMHz(RefOscEntryMHz("12.8"));
  EXPECT_EQ(hw.refOscA, 2560u);
  EXPECT_EQ(hw.refOscB, 2048u);
  EXPECT_DOUBLE_EQ(RefOscEntryMHz("99.999"), 99.99);
  // With 10 kHz steps 99.99 MHz fits the 14 bits; with 5 kHz steps it would wrap round to
  // 18.07 MHz and is held at the largest frequency the copy can count instead.
  hw.bandIndex = 3;
  EXPECT_EQ(ApplyRefOscEntry(hw, "99.999"), "99.99MHz");
  EXPECT_EQ(hw.refOscA, 9999u);
  hw.bandIndex = 1;
  ApplyRefOscEntry(hw, "99.999");
  EXPECT_EQ(hw.refOscA, 16383u);
  EXPECT_EQ(hw.refOscB, 13106u);
  EXPECT_EQ(ApplyRefOscEntry(hw, "-3"), " 0.00MHz");
}

// --- Lists and completions -----------------------------------------------------------------------

TEST(ListRulesTest, SquelchTailElimination) {
  auto items = SquelchTailItems(2);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[2].text, "Rev. Burst ");
  items = SquelchTailItems(0);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[2].text, "180        ");
  EXPECT_EQ(items[2].code, 3);
}

TEST(ListRulesTest, EmergencyChannelItems) {
  ChannelTable t;
  t.SetDefaults();
  const auto items = EmergencyChannelItems(t);
  ASSERT_EQ(items.size(), 258u);
  EXPECT_EQ(items[0], "current Channel");
  EXPECT_EQ(items[6], "CH-5  ");
  EXPECT_EQ(items[257], "CH-256");
  // The dialog's choices add the tags the user gave; default and blank tags add nothing.
  t.Entry(15).tag = "EMERG   ";
  t.Entry(16).tag = "        ";
  const auto choices = EmergencyChannelChoices(t);
  ASSERT_EQ(choices.size(), items.size());
  EXPECT_EQ(choices[17], "CH-16  EMERG");
  EXPECT_EQ(choices[18], "CH-17 ");
  EXPECT_EQ(choices[6], "CH-5  ");
  EXPECT_EQ(choices[1], items[1]);
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
  std::set<std::pair<int, std::string>> ids;  // the decode table's group row shares its column's prompt
  for (const TextFieldRule& r : TextFieldRules()) EXPECT_TRUE(ids.insert({r.id, r.area}).second) << r.id;
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

TEST(EntryRulesTest, LeadingNumber) {
  EXPECT_DOUBLE_EQ(LeadingNumber(" 12.5MHz"), 12.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("-3"), -3.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber(""), 0.0);
  EXPECT_DOUBLE_EQ(LeadingNumber("."), 0.0);
  EXPECT_EQ(LeadingInteger("99999999999999999999"), INT_MAX);
}

TEST(EntryRulesTest, FrequencyLimits) {
  EXPECT_EQ(MinFrequencyEntry("700", 1740).stored, 1740);
  EXPECT_EQ(MinFrequencyEntry("700", 6500).stored, 6000);
  EXPECT_EQ(MinFrequencyEntry("50", 1740).stored, 1000);
  EXPECT_EQ(MinFrequencyEntry("146.3", 1740).stored, 1463);
  EXPECT_EQ(MinFrequencyEntry("146.3", 1740).shown, "146.3MHz");
  EXPECT_EQ(MaxFrequencyEntry("120", 1460).stored, 1460);
  EXPECT_EQ(MaxFrequencyEntry("999", 1460).stored, 6000);
}

TEST(EntryRulesTest, FirstIfAndSplit) {
  EXPECT_EQ(FirstIfEntry("44.25").stored, 44250);
  EXPECT_EQ(FirstIfEntry("70").stored, 65530);
  EXPECT_EQ(FirstIfEntry("-5").stored, 0);
  EXPECT_EQ(FirstIfEntry("44.25").shown, "44.25MHz");
  EXPECT_DOUBLE_EQ(DefaultSplitEntry("150"), 99.9);
  EXPECT_DOUBLE_EQ(DefaultSplitEntry("-150"), -99.9);
}

TEST(EntryRulesTest, TwoToneValues) {
  EXPECT_EQ(TwoToneEntry("5000").stored, 30000);
  EXPECT_EQ(TwoToneEntry("5000").shown, "3000.0 Hz");
  EXPECT_EQ(TwoToneEntry("100").stored, 2885);
  EXPECT_EQ(TwoToneEntry("1513.5").stored, 15135);
  EXPECT_EQ(PickedTwoTone(" 1- 349.0").stored, 3490);
  EXPECT_EQ(PickedTwoTone("DIA 742.5").stored, 7425);
  EXPECT_EQ(PickedTwoTone("[MOTOROLA]").stored, 2885);
  EXPECT_EQ(PickedTwoTone("[GE Type 99]").stored, 2885);
  EXPECT_EQ(BeepRepeatEntry("300").stored, 255);
  EXPECT_EQ(BeepRepeatEntry("7.9").shown, "  7 s");
  EXPECT_EQ(PeriodTimeEntry("2.3").stored, 23);
  EXPECT_EQ(PeriodTimeEntry("2.3").shown, "2.3 s");
  EXPECT_EQ(PeriodTimeEntry("30").stored, 255);
  EXPECT_EQ(PeriodTimeEntry("-1").stored, 0);
}

TEST(EntryRulesTest, FiveToneValues) {
  EXPECT_EQ(FiveToneDelayEntry("1234").stored, 123);
  EXPECT_EQ(FiveToneDelayEntry("1234").shown, "1230 ms");
  EXPECT_EQ(FiveToneDelayEntry("9999").stored, 255);
  EXPECT_EQ(FiveToneDelayEntry("9999").shown, "2550 ms");
  EXPECT_EQ(IdDecodeTimeEntry("1600").stored, 160);
  EXPECT_EQ(FiveToneSecondsEntry("256").stored, 255);
  EXPECT_EQ(ReceiveGapEntry("100").stored, 40);
  EXPECT_EQ(ReceiveGapEntry("100").shown, "100.0 ms");
  EXPECT_EQ(ReceiveGapEntry("101").stored, 40);
  EXPECT_EQ(ReceiveGapEntry("700").stored, 255);
  EXPECT_EQ(TonePeriodEntry("70").shown, " 70 ms");
  EXPECT_EQ(UserToneEntry("50").stored, 300);
  EXPECT_EQ(UserToneEntry("3500").stored, 3000);
  EXPECT_EQ(UserToneEntry("1060").shown, "1060 Hz");
}

// --- Texts ---------------------------------------------------------------------------------------

TEST(ChoiceTextsTest, TonePickerLines) {
  const auto& lines = text::TonePickerLines();
  ASSERT_EQ(lines.size(), 1u + 80 + 1 + 30 + 1 + 1 + 50);
  EXPECT_EQ(lines[0], "[MOTOROLA]");
  EXPECT_EQ(lines[113], "[REACH TWO TONE]");
  EXPECT_EQ(text::TonePickerTitle(3, true), "Pair#3 2nd Tone   Custom  ");
}

TEST(ChoiceTextsTest, PickListsAndWidths) {
  using text::PickList;
  EXPECT_EQ(text::PickListItems(PickList::kRepeaterCode)[1], "  1 ");
  EXPECT_EQ(text::PickListItems(PickList::kRepeaterCode).size(), 33u);
  EXPECT_EQ(text::PickListItems(PickList::kTranspond)[2], "ENC-1 ");
  EXPECT_EQ(text::PickListItems(PickList::kTranspond)[33], "ENC-32");
  EXPECT_EQ(text::PickListItems(PickList::kPrimaryPair)[10], "Pair #10");
  EXPECT_EQ(text::PickListCaption(PickList::kPrimaryPair, 3), "Primary Pair Position(No= 3)");
  EXPECT_EQ(text::TranspondText(1), "Sys Call");
  EXPECT_EQ(text::TwoTonePrimaryText(0), "-");
  EXPECT_EQ(text::TwoTonePrimaryText(10), "10");
  EXPECT_EQ(text::TranspondText(33), "ENC-32");
  for (auto s : text::kKeyFunctions) EXPECT_EQ(s.size(), 14u) << s;
  for (int i = 0; i < 6; ++i) EXPECT_EQ(text::kOptionBoards[i].size(), 20u) << i;
  EXPECT_EQ(text::Choice(text::kOptionBoards, 7), "");
}

}  // namespace
}  // namespace kp53
