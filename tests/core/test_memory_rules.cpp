// The image-wide rules: new images, normalisation for both signalling systems, switching the
// signalling type, the option-board and hardware rules, and the numeric entry rules.
// And the radio's value encodings: frequency numbers, sub-audio words and digit strings (six-bit
// text, 5-tone numbers and the areas' defaults are held by the golden reports and the round trips);
// the on-demand areas: stores that keep every foreign bit, load and store round trips, and each
// area's edge cases.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <set>
#include <typeinfo>
#include <vector>

#include "byte_checks.h"
#include "fake_prompt.h"
#include "image/channel_table.h"
#include "image/codecs.h"
#include "image/common_options_area.h"
#include "image/data_file.h"
#include "image/dtmf_area.h"
#include "image/emergency_area.h"
#include "image/entry_rules.h"
#include "image/field_table.h"
#include "image/five_tone_areas.h"
#include "image/image_rules.h"
#include "image/key_function_area.h"
#include "image/paging_area.h"
#include "image/radio_data.h"
#include "image/scan_area.h"
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

TEST(EntryRulesTest, NumbersAreReadClampedAndShown) {
  EXPECT_EQ(std::pair(LeadingNumber(" 12.5MHz"), LeadingNumber("-3")), std::pair(12.5, -3.0));
  for (const char* none : {"abc", "", "."}) EXPECT_DOUBLE_EQ(LeadingNumber(none), 0.0) << none;
  EXPECT_EQ(LeadingInteger("99999999999999999999"), INT_MAX);
  EXPECT_EQ(std::pair(DefaultSplitEntry("150"), DefaultSplitEntry("-150")), std::pair(99.9, -99.9));
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

// Bits of the image an area owns.
struct Owned {
  std::size_t offset;
  std::size_t length;
  std::uint8_t mask;
};
using OwnedList = std::vector<Owned>;

// `one` repeated `count` times, `stride` bytes apart (the records of a table), then `more`.
OwnedList Every(std::size_t stride, std::size_t count, const OwnedList& one, const OwnedList& more = {}) {
  OwnedList out;
  for (std::size_t k = 0; k < count; ++k)
    for (const Owned& o : one) out.push_back({o.offset + stride * k, o.length, o.mask});
  out.insert(out.end(), more.begin(), more.end());
  return out;
}

std::array<std::uint8_t, kImageBufferSize> MaskOf(const OwnedList& owned) {
  std::array<std::uint8_t, kImageBufferSize> m{};
  for (const auto& o : owned)
    for (std::size_t i = o.offset; i < o.offset + o.length; ++i) m[i] |= o.mask;
  return m;
}

RadioImage Filled(std::uint8_t v) {
  RadioImage img;
  img.fill(v);
  return img;
}

RadioImage Random(unsigned seed) {
  std::mt19937 gen(seed);
  RadioImage img;
  for (auto& b : img) b = static_cast<std::uint8_t>(gen() & 0xFF);
  return img;
}

// Loading from one fill and storing onto the other changes no bit outside the area; loading from
// a random image and storing onto a blank one gives back exactly the owned bits (when `exact`).
template <class Area>
void CheckOwnership(const OwnedList& owned, bool exact = true, bool checkDefaults = true) {
  SCOPED_TRACE(typeid(Area).name());
  const auto mask = MaskOf(owned);
  for (std::uint8_t fill : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
    Area area;
    area.LoadFromImage(Filled(static_cast<std::uint8_t>(~fill)));
    RadioImage img = Filled(fill);
    area.StoreToImage(img);
    for (std::size_t i = 0; i < img.size(); ++i)
      ASSERT_EQ(img[i] & ~mask[i] & 0xFF, fill & ~mask[i] & 0xFF) << "foreign bit changed at byte " << i;
    // Defaults keep foreign bits too.
    if (!checkDefaults) continue;
    Area defaults;
    defaults.SetDefaults();
    RadioImage img2 = Filled(fill);
    defaults.StoreToImage(img2);
    for (std::size_t i = 0; i < img2.size(); ++i)
      ASSERT_EQ(img2[i] & ~mask[i] & 0xFF, fill & ~mask[i] & 0xFF) << "defaults changed byte " << i;
  }
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const RadioImage src = Random(seed);
    Area a;
    a.LoadFromImage(src);
    RadioImage once = Filled(0);
    a.StoreToImage(once);
    Area b;
    b.LoadFromImage(once);
    RadioImage twice = Filled(0);
    b.StoreToImage(twice);
    ASSERT_EQ(once, twice) << "store of a loaded store differs, seed " << seed;
    if (exact) {
      for (std::size_t i = 0; i < src.size(); ++i)
        ASSERT_EQ(once[i], src[i] & mask[i]) << "round trip differs at byte " << i << ", seed " << seed;
    }
  }
}

template <class Area>
RadioImage StoredDefaults() {
  Area a;
  a.SetDefaults();
  RadioImage img = Filled(0);
  a.StoreToImage(img);
  return img;
}

const OwnedList kCommonOptionsBits = {
    {145, 8, 0x3F}, {2, 1, 0x03},   {3, 1, 0x7F},   {4, 1, 0x9F},    {5, 1, 0xF0},
    {6, 1, 0x80},   {7, 1, 0xE0},   {8, 1, 0x80},   {125, 1, 0x3F},  {128, 1, 0x07},
    {7712, 1, 0x01}, {7713, 2, 0xFF}, {7667, 1, 0x06}};

// The bits each area owns. Where an area works a value out from others (the emergency channel's
// group, the tables' flags), a store of a random image need not give back its bits.
TEST(AreaStores, KeepEveryForeignBit) {
  CheckOwnership<ScanArea>({{124, 1, 0xFF}, {6, 1, 0x2F}, {7, 1, 0x0C}});
  CheckOwnership<CommonOptionsArea>(kCommonOptionsBits, false);
  CheckOwnership<KeyFunctionArea>({{129, 12, 0xFF}, {6, 1, 0x40}});
  CheckOwnership<EmergencyArea>({{141, 3, 0xFF}, {144, 1, 0x0F}}, false);
  CheckOwnership<DtmfParams>({{2, 1, 0xF8}, {8, 1, 0x1F}, {128, 1, 0xE0}, {9, 80, 0xFF}, {7630, 16, 0xFF}}, false);
  // A page without a code is two zero bytes, its bits 5-4 included; the defaults have no codes.
  CheckOwnership<PagingParams>(Every(2, 10, {{7647, 1, 0xCF}, {7648, 1, 0xFF}}, {{7646, 1, 0xFF}}), true, false);
  CheckOwnership<TwoToneParams>({{5, 1, 0x0F}, {7, 1, 0x02}, {7571, 1, 0xFF}, {7572, 1, 0xFC}, {7573, 1, 0xFF}});
  CheckOwnership<TwoToneTable>({{7574, 40, 0xFF}});
  CheckOwnership<TwoToneEncode>({{7568, 1, 0xCF}, {7569, 2, 0xFF}});
  CheckOwnership<TwoToneSystemTable>({{7614, 16, 0xFF}}, false);
  CheckOwnership<FiveToneGeneral>({{6697, 15, 0xFF}, {5, 1, 0x0F}, {7, 1, 0x02}});
  CheckOwnership<FiveToneFormatTiming>({{6712, 24, 0xFF}});
  CheckOwnership<FiveToneUserTones>({{6736, 30, 0xFF}});
  CheckOwnership<FiveToneSystemTable>(Every(6, 32, {{6766, 4, 0xFF}, {6770, 1, 0xE0}, {6771, 1, 0xFF}}), false);
  CheckOwnership<FiveToneDecodeTable>(
      Every(15, 8, {{6958, 7, 0xFF}, {6965, 8, 0x3F}}, {{7078, 1, 0x7F}, {7079, 1, 0xFE}, {7080, 8, 0x3F}}), false);
  CheckOwnership<FiveToneEncodeTable>(
      Every(15, 32, {{7088, 5, 0xFF}, {7093, 1, 0xFE}, {7094, 1, 0xFF}, {7095, 8, 0x3F}}), false);
}

// --- Key functions -------------------------------------------------------------------------------

// Which slots offer a function, and the HT-610's, are the Key Function dialog's tests.
TEST(KeyFunctionAreaTest, OutOfRangeCodesFromAFileAreHarmless) {
  RadioImage img = Filled(0xFF);
  KeyFunctionArea k;
  k.LoadFromImage(img);
  k.SelectFunction(0, 3);
  EXPECT_TRUE(k.marks[3]);
  EXPECT_EQ(k.OfferedCodes(1, 1).front(), 0);
}

// --- Emergency -----------------------------------------------------------------------------------

TEST(EmergencyAreaTest, ChannelValueMapping) {
  RadioImage img = Filled(0);
  img[off::kGroupSizes] = 2;
  img[off::kGroupSizes + 1] = 1;
  img[off::kGroupSizes + 2] = 10;  // record 4 lies in group index 2
  img[141] = 0x30;                 // silent mode and key duration set
  EmergencyArea e;
  e.LoadFromImage(img);
  // "CH-5  " (its group and record), then "Priority Channel".
  for (const auto& [value, byte141, byte142] : {std::tuple{2 + 4, 0xB2, 4}, {1, 0x70, 4}}) {
    e.SetChannelValue(value);
    e.StoreToImage(img);
    EXPECT_TRUE(BytesAt(img, 141, {byte141, byte142})) << value;
    EmergencyArea back;
    back.LoadFromImage(img);
    EXPECT_EQ(back.ChannelValue(), value);
  }
}

TEST(EmergencyAreaTest, NormalisingPutsTheGroupOfTheCurrentAllocation) {
  const std::array<std::uint8_t, kGroupCount> issueSizes{10, 10, 10, 20, 16};
  const std::array<std::uint8_t, kGroupCount> oneBigGroup{50};
  const struct {
    std::uint8_t byte141, byte142;
    std::array<std::uint8_t, kGroupCount> sizes;
    std::uint8_t want141;
  } cases[] = {
      {0x82, 40, issueSizes, 0x83},   // record 40 lies in the fourth group, not the third
      {0x83, 40, oneBigGroup, 0x80},  // re-allocated into the first group
      {0x4F, 40, issueSizes, 0x40},   // the priority channel has no group
      {0x3F, 40, issueSizes, 0x30},   // neither has the current channel; bits 5 and 4 stay
  };
  for (const auto& c : cases) {
    RadioData data;
    InitImage(data);
    data.image[141] = c.byte141;
    data.image[142] = c.byte142;
    data.channels.groupSize = c.sizes;
    NormalizeImage(data);
    EXPECT_EQ(data.image[141], c.want141) << int{c.byte141};
    EXPECT_EQ(data.image[142], c.byte142);
  }
}

// --- Paging --------------------------------------------------------------------------------------

// A store of cleared pages leaves no page bit set.
TEST(PagingParamsTest, ClearedPagesStoreZeroBytes) {
  RadioImage full = Filled(0xFF);
  PagingParams cleared;
  cleared.StoreToImage(full);
  EXPECT_TRUE(BytesAre(full, {{7647, 0}, {7666, 0}, {7667, 0xFF}}));
}

TEST(PagingParamsTest, PagesAndSettings) {
  RadioImage img = Filled(0);
  img[7647] = 0x3F;  // page 1: bits 4-5 set, not programmed
  img[7648] = 0x12;
  PagingParams p;
  p.LoadFromImage(img);
  EXPECT_EQ(p.ShownCode(0), "");
  p.autoResetTime = 15;
  p.callTimes = 3;
  p.answerBack = 1;
  p.dtmfSpeed = 1;
  p.pages[1] = {true, 1, "9*#"};
  p.pages[2] = {true, 0, ""};
  img[7651] = 0xFF;
  img[7652] = 0xFF;
  p.StoreToImage(img);
  EXPECT_TRUE(BytesAt(img, 7646, {0xFF, 0x3F}));
  EXPECT_TRUE(BytesAt(img, 7649, {0xC9, 0xEF, 0x00, 0x00}));
  PagingParams back;
  back.LoadFromImage(img);
  EXPECT_EQ(std::tuple(back.ShownCode(1), back.pages[1].mode), std::tuple("9*#", 1));
}

// --- 2-tone --------------------------------------------------------------------------------------

TEST(TwoToneAreasTest, SystemByte) {
  TwoToneSystem s;
  s.primaryPair = 10;
  s.autoReset = false;
  EXPECT_EQ(s.Encode(), 0x98);
  s.secondary = true;
  s.autoReset = true;
  EXPECT_EQ(s.Encode(), 0x9E);
  s.primaryPair = 0;  // "Disable"
  EXPECT_EQ(s.Encode() & 0xF8, 0);
  // Without the "set" bit there is no pair.
  EXPECT_EQ(std::tuple(TwoToneSystem::Decode(0x98).primaryPair, TwoToneSystem::Decode(0x70).primaryPair), std::tuple(10, 0));
}

// --- 5-tone --------------------------------------------------------------------------------------

TEST(FiveToneAreasTest, SystemsDefaultsAndCodes) {
  const RadioImage img = StoredDefaults<FiveToneSystemTable>();
  for (std::size_t s = 0; s < 32; ++s) EXPECT_TRUE(BytesAt(img, 6766 + 6 * s, {0x0F, 0x00, 0x00, 0x00, 0x80, 0xFF}));

  std::uint8_t bytes[6] = {0, 0x40, 0, 0, 0x1F, 0};
  FiveToneSystem s;
  s.repeaterCode = 32;
  s.channelSwitch = 2;
  s.Store(bytes);
  EXPECT_EQ(std::tuple(bytes[1], bytes[4] & 0x1F), std::tuple(0xDF, 0x1F));
  FiveToneSystem back;
  back.Load(bytes);
  EXPECT_EQ(std::tuple(back.repeaterCode, back.channelSwitch), std::tuple(32, 2));
  back.repeaterCode = 0;
  back.Store(bytes);
  EXPECT_EQ(bytes[1], 0x40);
}

TEST(FiveToneAreasTest, DecodeDefaultsAndTranspond) {
  const RadioImage img = StoredDefaults<FiveToneDecodeTable>();
  for (std::size_t k = 0; k < 8; ++k) {
    const std::size_t o = 6958 + 15 * k;
    EXPECT_TRUE(BytesAt(img, o, {0, 0xFF, 0xF5, 0x43, 0x21, 0x24, 0x10}));
    EXPECT_EQ(DecodeText6(Bytes<8>(img, o + 7)), "DECODE-" + std::to_string(k + 1));
  }
  EXPECT_TRUE(BytesAt(img, 7078, {0x24, 0x00}));
  EXPECT_EQ(DecodeText6(Bytes<8>(img, 7080)), "  GROUP ");

  // Transpond "Sys Call" (1) is code 32, "ENC-32" (33) code 31; bit 7 of byte 5 is set while one
  // is chosen.
  std::uint8_t e[15] = {};
  for (const auto& [transpond, code, on] : {std::tuple{1, 32, true}, {33, 31, true}, {0, 0, false}}) {
    FiveToneDecodeEntry d;
    d.transpond = transpond;
    d.Store(e);
    EXPECT_EQ(std::tuple(int{e[0]}, (e[5] & 0x80) != 0), std::tuple(code, on)) << transpond;
    FiveToneDecodeEntry back;
    back.Load(e);
    EXPECT_EQ(back.transpond, transpond);
  }
}

TEST(FiveToneAreasTest, EncodeDefaultsAndDigitCount) {
  const RadioImage img = StoredDefaults<FiveToneEncodeTable>();
  EXPECT_EQ(img[7088], 5);
  EXPECT_TRUE(BytesAt(img, 7093, {0x48, 0x18}));
  EXPECT_EQ(DecodeText6(Bytes<8>(img, 7095)), "CALL-01 ");
  EXPECT_EQ(DecodeText6(Bytes<8>(img, 7088 + 15 * 31 + 7)), "CALL-32 ");

  std::uint8_t e[15];
  std::fill(std::begin(e), std::end(e), std::uint8_t{0xFF});
  FiveToneEncodeEntry entry;
  entry.code = "ABCDE012";
  entry.Store(e);
  EXPECT_EQ(std::tuple(e[0], e[5] & 0x05), std::tuple(8, 0x01));  // the digit count; bit 2 cleared, bit 0 kept
  entry.code = "";
  entry.Store(e);
  EXPECT_TRUE(BytesAre(e, {{0, 0}, {1, 0xFF}, {4, 0xFF}}));
}

struct Record {
  std::array<std::uint8_t, kChannelRecordSize> bytes{};
  RecordRef ref() { return RecordRef(bytes.data(), kChannelRecordSize); }
  RecordView view() const { return RecordView(bytes.data(), kChannelRecordSize); }
  unsigned rx() const { return (bytes[2] & 0x80 ? 0x10000u : 0u) | unsigned{bytes[8]} << 8 | bytes[9]; }
  unsigned tx() const { return (bytes[2] & 0x40 ? 0x10000u : 0u) | unsigned{bytes[10]} << 8 | bytes[11]; }
};

constexpr double kIf = 44.25;
// Two stored bytes, high first.
using Word = std::pair<std::uint8_t, std::uint8_t>;

// The receive number counts the local oscillator (channel -/+ IF) in steps; a product one hertz
// short in binary floating point (144.26 - 44.25 = 100.00999999999999 MHz) is repaired.
TEST(FrequencyCodec, ReceiveNumberIsTheLocalOscillatorOnEitherSide) {
  const struct {
    double mhz;
    int injection;
    unsigned number;
  } cases[] = {{146.52, 0, 20454}, {146.52, 1, 38154}, {144.26, 0, 20002}};
  for (const auto& c : cases) {
    Record r;
    EncodeRxFrequency(r.ref(), c.mhz, 0, 1, kIf, c.injection);
    EXPECT_EQ(r.rx(), c.number) << c.mhz;
    EXPECT_EQ(r.bytes[2] & 0x80, 0);
    EXPECT_DOUBLE_EQ(DecodeRxFrequency(r.view(), 0, 1, false, kIf, c.injection), c.mhz);
  }
  EXPECT_EQ(FrequencyNumber(0.25625, 3125), 82u);  // 256249.99999999997 Hz
}

TEST(FrequencyCodec, TransmitAboveSixteenBitsSetsTheFlag) {
  Record r;
  r.bytes[2] = 0xBF;  // every other bit of byte 2 set
  EncodeTxFrequency(r.ref(), 450.0, 1, 2);
  EXPECT_EQ(r.tx(), 72000u);
  EXPECT_EQ(Word(r.bytes[10], r.bytes[11]), Word(0x19, 0x40));
  EXPECT_EQ(r.bytes[2], 0xFF);
  const TxFrequency f = DecodeTxFrequency(r.view(), 1, 2, true, 460.0, 450.0, 490.0);
  EXPECT_EQ(f.mhz, 450.0);  // the limit itself is inside the band
  EXPECT_FALSE(f.inhibit);

  EncodeTxFrequency(r.ref(), 150.0, 0, 1);  // below 2^16 steps: the flag clears, nothing else
  EXPECT_EQ(r.bytes[2], 0xBF);
}

// A stored transmit frequency as decoded with receive 151 MHz: the special values 300 and 50 MHz
// mark transmit inhibited; outside the band (146..174 MHz, its limits inside) the receive
// frequency is shown.
TEST(FrequencyCodec, TransmitSpecialValuesAndFrequenciesOutsideTheBand) {
  const struct {
    double stored;
    int selector;
    double maxMhz, shown;
    bool inhibit;
  } cases[] = {
      {300.0, 1, 174.0, 151.0, true}, {50.0, 1, 174.0, 151.0, true},    {300.005, 0, 400.0, 300.005, false},
      {174.0, 0, 174.0, 174.0, false}, {174.005, 0, 174.0, 151.0, false}, {145.995, 0, 174.0, 151.0, false},
  };
  for (const auto& c : cases) {
    Record r;
    EncodeTxFrequency(r.ref(), c.stored, c.selector, 1);
    const TxFrequency f = DecodeTxFrequency(r.view(), c.selector, 1, false, 151.0, 146.0, c.maxMhz);
    EXPECT_DOUBLE_EQ(f.mhz, c.shown) << c.stored;
    EXPECT_EQ(f.inhibit, c.inhibit) << c.stored;
  }
}

TEST(FrequencyCodec, ZeroNumberGivesTheBandDefault) {
  Record r;
  EXPECT_EQ(DecodeRxFrequency(r.view(), 0, 1, false, kIf, 0), 150.0);
  EXPECT_EQ(DecodeRxFrequency(r.view(), 0, 2, true, kIf, 0), 450.0);
  EXPECT_EQ(DecodeTxFrequency(r.view(), 0, 1, false, 160.0, 146.0, 174.0).mhz, 150.0);
  EXPECT_EQ(DecodeTxFrequency(r.view(), 0, 3, true, 460.0, 450.0, 490.0).mhz, 450.0);
  // Zero bytes with the flag set are 65536 steps, not "no frequency".
  r.bytes[2] = 0x40;
  EXPECT_EQ(DecodeTxFrequency(r.view(), 0, 1, false, 160.0, 100.0, 400.0).mhz, 327.68);
  // Exactly 0.0 stores the zero number.
  r.bytes = {};
  r.bytes[2] = 0xC0;
  r.bytes[8] = r.bytes[10] = 0x12;
  EncodeRxFrequency(r.ref(), 0.0, 0, 1, kIf, 0);
  EncodeTxFrequency(r.ref(), 0.0, 0, 1);
  EXPECT_EQ(r.rx(), 0u);
  EXPECT_EQ(r.tx(), 0u);
}

// Every stored number survives decoding and encoding again, for each step, band and injection side
// (a normalisation must not move a channel).
TEST(FrequencyCodec, EveryNumberRoundTrips) {
  for (int band = 0; band < 4; ++band)
    for (int sel = 0; sel < 2; ++sel)
      for (int inj = 0; inj < 2; ++inj) {
        int failures = 0;
        for (std::uint32_t n = 1; n < 0x20000 && failures < 3; ++n) {
          Record r;
          r.bytes[2] = n & 0x10000 ? 0xC0 : 0;
          r.bytes[8] = r.bytes[10] = static_cast<std::uint8_t>(n >> 8);
          r.bytes[9] = r.bytes[11] = static_cast<std::uint8_t>(n);
          const double rx = DecodeRxFrequency(r.view(), sel, band, IsUhfBand(band), kIf, inj);
          const double tx = DecodeTxFrequency(r.view(), sel, band, IsUhfBand(band), rx, 0.0, 2000.0).mhz;
          if (rx == 0.0) continue;  // exactly 0.0 means "no frequency" to the encoder
          Record back;
          EncodeRxFrequency(back.ref(), rx, sel, band, kIf, inj);
          EncodeTxFrequency(back.ref(), tx, sel, band);
          const bool special = std::uint64_t{n} * StepHz(sel, band) == 300000000u ||
                               std::uint64_t{n} * StepHz(sel, band) == 50000000u;
          if (back.rx() != n || (!special && back.tx() != n)) {
            ++failures;
            ADD_FAILURE() << "band " << band << " selector " << sel << " injection " << inj << " N " << n;
          }
        }
      }
}

TEST(FrequencyCodec, HostileFrequenciesStayDefined) {
  EXPECT_EQ(FrequencyNumber(-5.0, 5000), 0u);
  EXPECT_EQ(FrequencyNumber(std::numeric_limits<double>::quiet_NaN(), 5000), 0u);
  EXPECT_LT(FrequencyNumber(std::numeric_limits<double>::infinity(), 5000), 0x20000u);
  EXPECT_LT(FrequencyNumber(1e300, 2500), 0x20000u);
}

TEST(SubAudioCodec, WordsAndDcsPacking) {
  for (const auto& [code, packed] : {std::pair{23, 19}, {754, 492}})
    EXPECT_EQ(std::pair(PackDcs(code), UnpackDcs(packed)), std::pair(packed, code));

  std::uint8_t hi = 0xAA, lo = 0xAA;
  EncodeSubAudio({kToneCtcss, 885, 0, false, false}, false, hi, lo);
  EXPECT_EQ(Word(hi, lo), Word(0x83, 0x75));
  EXPECT_EQ(FormatSubAudio(DecodeSubAudio(hi, lo, false)), "C- 88.5");

  EncodeSubAudio({kToneDcs, 0, 754, true, true}, true, hi, lo);
  EXPECT_EQ(Word(hi, lo), Word(0xF1, 0xEC));
  const SubAudio t = DecodeSubAudio(hi, lo, true);
  EXPECT_EQ(std::tuple(t.kind, t.dcs, t.inverted, t.both), std::tuple(kToneDcs, 754, true, true));
  EXPECT_FALSE(DecodeSubAudio(hi, lo, false).both);  // the encode word has no "both" flag

  EncodeSubAudio({kToneDcs, 0, 23, false, true}, false, hi, lo);
  EXPECT_EQ(Word(hi, lo), Word(0xC0, 0x13));  // "both" is not written into the encode word
  EXPECT_EQ(FormatSubAudio({kToneDcs, 0, 23, true, true}), "D-023I  ");  // inverted wins over "both"

  EncodeSubAudio({}, true, hi, lo);
  EXPECT_EQ(Word(hi, lo), Word(0, 0));
  // No value; a value without the tone bit.
  EXPECT_EQ(std::pair(DecodeSubAudio(0x80, 0x00, true).kind, DecodeSubAudio(0x03, 0x75, true).kind),
            (std::pair<int, int>(kToneNone, kToneCtcss)));
}

TEST(DigitCodes, PackedDigits) {
  std::array<std::uint8_t, 8> b{0x3A, 0x12, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77};
  EXPECT_EQ(DecodePackedDigits(b), "A12");
  b[0] = 0x0F;
  EXPECT_EQ(DecodePackedDigits(b), "");

  b.fill(0x55);
  EncodePackedDigits("", b);
  EXPECT_EQ(b, (std::array<std::uint8_t, 8>{0x0F, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
  EncodePackedDigits("*1#", b);  // the last byte written whole, the rest untouched
  EXPECT_EQ(b, (std::array<std::uint8_t, 8>{0x3E, 0x1F, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
  EncodePackedDigits("1234", b);
  EXPECT_EQ(b, (std::array<std::uint8_t, 8>{0x41, 0x23, 0x40, 0x55, 0x55, 0x55, 0x55, 0x55}));

  EncodePackedDigits("0123456789ABCD*#9", b);  // cut to 15 digits
  EXPECT_EQ(DecodePackedDigits(b), "0123456789ABCD*");
  EncodePackedDigits("abcd", b);
  EXPECT_EQ(DecodePackedDigits(b), "ABCD");
  EXPECT_EQ(DigitToCode('E'), 0);  // beyond the digit alphabet
  EXPECT_EQ(CodeToHex(16), '0');
}

}  // namespace
}  // namespace kp53
