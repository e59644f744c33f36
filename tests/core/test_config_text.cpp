// The configuration text: the schema's fields, error and change positions, the round trip, the
// compare and the checks.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "config/config_schema.h"
#include "config/config_text.h"
#include "config/config_verify.h"
#include "fake_prompt.h"
#include "image/data_file.h"
#include "image/image_rules.h"
#include "image/radio_data.h"

namespace kp53::config {
namespace {

RadioData NewImage() {
  RadioData d;
  InitImage(d);
  NormalizeImage(d);
  return d;
}

ImportResult Import(const std::string& text, const RadioData& base = NewImage()) {
  return ImportText(text, base.image, base.defaultSplit);
}

std::string Joined(const std::vector<Note>& notes) {
  std::string s;
  for (const auto& n : notes) s += NoteText(n) + "\n";
  return s;
}

// The bytes where two images differ.
std::vector<std::size_t> Changed(const RadioImage& a, const RadioImage& b) {
  std::vector<std::size_t> out;
  for (std::size_t k = 0; k < kImageSize; ++k)
    if (a[k] != b[k]) out.push_back(k);
  return out;
}

// Export then import gives the same bytes and the same split. The only changes to accept are
// what the checks find in the image itself, reported at its field or at the stored bytes.
::testing::AssertionResult RoundTrips(const RadioData& d) {
  const auto r = Import(ExportText(d.image, d.defaultSplit));
  const auto found = Verify(d.image, d.defaultSplit);
  const bool known = std::all_of(r.changes.begin(), r.changes.end(), [&](const Note& n) {
    return std::any_of(found.begin(), found.end(), [&](const Finding& f) {
      const std::string atField = ", but " + f.message;
      return n.message.rfind("stored: " + f.place + ": ", 0) == 0 ||
             (f.place.rfind(n.area + ".", 0) == 0 && n.message.size() > atField.size() &&
              n.message.compare(n.message.size() - atField.size(), atField.size(), atField) == 0);
    });
  });
  if (!r.errors.empty() || !known) return ::testing::AssertionFailure() << Joined(r.errors) << Joined(r.changes);
  const auto diff = Changed(d.image, r.image);
  if (!diff.empty()) return ::testing::AssertionFailure() << diff.size() << " bytes differ, first " << diff[0];
  if (std::signbit(r.split) != std::signbit(d.defaultSplit) || r.split != d.defaultSplit)
    return ::testing::AssertionFailure() << "split " << r.split;
  return ::testing::AssertionSuccess();
}

TEST(ConfigSchema, NamesAreUniqueChoicesHoldTheValuesAndEveryItemHasItsBytes) {
  ConfigModel m;
  const RadioData d = NewImage();
  m.Load(d.image, d.defaultSplit);
  std::set<std::string> names;
  for (const Section& sec : Schema()) {
    EXPECT_TRUE(names.insert(sec.name).second) << sec.name;
    ASSERT_TRUE(sec.bytes) << sec.name;
    for (int i = 0; i < std::max(sec.count, 1); ++i)
      for (const auto& [offset, size] : sec.bytes(i)) EXPECT_LE(offset + size, kImageSize) << sec.name;
    std::set<std::string> fields{"stored"};
    for (const Field& f : sec.fields) {
      EXPECT_TRUE(fields.insert(f.name).second) << sec.name << "." << f.name;
      if (!sec.present(m) || f.choices.empty() || f.name == "channel_step") continue;
      const std::string v = f.get(m, 0);
      EXPECT_NE(std::find(f.choices.begin(), f.choices.end(), v), f.choices.end()) << sec.name << "." << f.name << " = " << v;
    }
  }
}

// One field entered onto a new image, and what the image then holds for it. (The fields of the
// field table are entered through the text and through their dialogs by the parity property.)
TEST(ConfigSchema, FieldsEnterThroughTheirRules) {
  struct Case {
    const char* text;
    const char* place;
    const char* stored;
  } cases[] = {
      {"groups: {1: {size: 100}, 2: {size: 4}, 3: {size: 0}, 4: {size: 0}, 5: {size: 0}, 6: {size: 0}, 7: {size: 0}}",
       "groups.1.size", "100"},
      {"hardware: {band: UHF}", "hardware.min_frequency", "450.0MHz"},
      {"key_functions: {side1: Lamp, side2: Monitor}", "key_functions.side2", "Monitor"},
      {"scanning: {priority_channel: 7}", "scanning.priority_channel", "7"},
      {"channels: {3: &c {squelch: 9, power: L}, 5: *c}", "channels.5.power", "L"},
  };
  for (const auto& c : cases) {
    const auto r = Import(c.text);
    ASSERT_TRUE(r.errors.empty() && r.changes.empty()) << c.text << "\n" << Joined(r.errors) << Joined(r.changes);
    ConfigModel m;
    m.Load(r.image, r.split);
    std::string value = "(absent)";
    for (const auto& f : Flatten(m))
      if (f.Place() == c.place) value = f.value;
    EXPECT_EQ(value, c.stored) << c.text;
  }
}

// The band and the step change the band index under the reference oscillator's two counts.
TEST(ConfigImport, BandAndStepKeepTheOscillatorCounts) {
  const RadioData base = NewImage();
  for (const char* text : {"hardware: {band: UHF}", "hardware: {channel_step: '2.5,6.25kHz'}"}) {
    const auto r = Import(text, base);
    ASSERT_TRUE(r.errors.empty()) << Joined(r.errors);
    EXPECT_EQ(r.image[7668] & 0x3F, base.image[7668] & 0x3F) << text;
    EXPECT_EQ(r.image[7669], base.image[7669]) << text;
    EXPECT_EQ(r.image[7670] & 0x3F, base.image[7670] & 0x3F) << text;
    EXPECT_EQ(r.image[7671], base.image[7671]) << text;
    EXPECT_NE(r.image[7668] >> 6, base.image[7668] >> 6) << text;
  }
}

// Stored bytes that break another field's rule are reported at the stored line as a change to
// accept; a negative zero split comes back, a split beyond the range is found by verify.
TEST(ConfigImport, StoredBytesAndTheSplitAreHeldToTheRules) {
  const auto r = Import("groups:\n  1: {stored: 0000000000000000FF00}\n");
  ASSERT_TRUE(r.errors.empty()) << Joined(r.errors);
  ASSERT_FALSE(r.changes.empty());
  EXPECT_EQ(std::tuple(r.changes[0].line, r.changes[0].column), std::tuple(2, 15));
  EXPECT_NE(r.changes[0].message.find("groups.1.size"), std::string::npos) << r.changes[0].message;

  RadioData d = NewImage();
  d.defaultSplit = -0.0;
  EXPECT_TRUE(RoundTrips(d));
  for (const double split : {100.0, -100.0, 1e308, std::nan("")}) {
    bool found = false;
    for (const auto& f : Verify(NewImage().image, split)) found |= f.place == "hardware.default_split";
    EXPECT_TRUE(found) << split;
  }
}

TEST(ConfigImport, ErrorsAndChangesNameTheirLineAndColumn) {
  struct Case {
    const char* text;
    int line, column;
    const char* message;
    bool change;
  } cases[] = {
      {"hardware:\n  modle: x\n", 2, 3, "unknown field \"modle\"", false},
      {"nonsense: 1\n", 1, 1, "unknown area", false},
      {"channels:\n  300: {rx: 150}\n", 2, 3, "no item \"300\"", false},
      {"channels:\n  1:\n    rx: [150]\n", 3, 9, "expected a single value", false},
      {"scanning: {scan_speed: Medium}\n", 1, 24, "expected one of", false},
      {"channels: {1: {in_use: false}}\n", 1, 24, "channel 1 stays in use", false},
      {"channels: {4: {arts: true}}\n", 1, 22, "ARTS needs DCS", false},
      {"two_tone: {duty: On-Duty}\n", 1, 18, "not selected", false},
      {"identity: {firmware: 2.00\n", 1, 11, "not closed", false},
      {"channels:\n  1:\n    rx: 150.0031\n", 3, 9, "would be stored as \"150.00500\"", true},
      {"channels: {1: {rx: 190}}\n", 1, 20, "would be stored as \"174.00000\"", true},
      {"channels: {1: {tag: 'a!b'}}\n", 1, 21, "a channel tag cannot hold '!'", false},
      {"channels: {1: {tag: \"a\\tb\"}}\n", 1, 21, "cannot hold the control character with code 9", false},
      {"channels: {3: {tag: abc}}\n", 1, 21, "would be stored as \"ABC\"", true},
      {"password: {password: 12}\n", 1, 22, "would be stored as \"0012\"", true},
      {"hardware: {first_if: -1}\n", 1, 22, "would be stored as \"0.000 MHz\"", true},
      {"hardware: {min_frequency: 15x}\n", 1, 27, "expected a frequency", false},
      {"two_tone_pairs: {1: {first: 100}}\n", 1, 29, "would be stored as \"288.5 Hz\"", true},
      {"channels: {1: {rx_tone: C-100.3}}\n", 1, 25, "is stored, but CTCSS 100.3 Hz is not one of the radio's tones", true},
      {"channels: {1: {tx_tone: d-023i}}\n", 1, 25, "would be stored as \"D-023I\"", true},
      {"channels:\n  1: &a {rx: *a}\n", 2, 14, "expected a single value", false},
  };
  for (const auto& c : cases) {
    const auto r = Import(c.text);
    const auto& notes = c.change ? r.changes : r.errors;
    ASSERT_EQ(notes.size(), 1u) << c.text << "\n" << Joined(r.errors) << Joined(r.changes);
    EXPECT_EQ(notes[0].line, c.line) << c.text;
    EXPECT_EQ(notes[0].column, c.column) << c.text;
    EXPECT_NE(notes[0].message.find(c.message), std::string::npos) << notes[0].message;
  }
}

TEST(ConfigImport, AReceiveFrequencyEditChangesOnlyTheBytesItOwns) {
  const RadioData base = NewImage();
  std::string text = ExportText(base.image, base.defaultSplit);
  const auto at = text.find("rx: 150.00000", text.find("\n  5:", text.find("\nchannels:")));
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 13, "rx: 146.51250");
  const auto r = Import(text, base);
  ASSERT_TRUE(r.errors.empty() && r.changes.empty()) << Joined(r.errors) << Joined(r.changes);
  const std::size_t rec = off::kChannels + 4 * kChannelRecordSize;
  // Step selector (byte 0), bit 16 of the number (byte 2), the number, the tuning byte, checksum.
  std::vector<std::size_t> owned{rec + 0, rec + 2, rec + 8, rec + 9, rec + 12, off::kChecksum, off::kChecksum + 1};
  for (const std::size_t k : Changed(base.image, r.image))
    EXPECT_NE(std::find(owned.begin(), owned.end(), k), owned.end()) << "byte " << k;
  RadioData d = base;
  d.image = r.image;
  ReloadAreas(d);
  EXPECT_EQ(d.channels.Entry(4).rxFreq, 146.5125);
  EXPECT_EQ(d.channels.Entry(4).rxStep, 1);  // 6.25 kHz, as the grid chooses
}

TEST(ConfigImport, ChangedValuesAreStoredOnlyWhenAcceptedAndTheBaseKeepsTheRest) {
  RadioData base = NewImage();
  base.channels.Entry(9).tag = "KEEP    ";
  NormalizeImage(base);
  const auto r = Import("channels: {1: {rx: 151.0033}}", base);
  ASSERT_EQ(r.changes.size(), 1u);
  RadioData d = base;
  d.image = r.image;
  ReloadAreas(d);
  EXPECT_EQ(d.channels.Entry(9).tag, "KEEP    ");
  EXPECT_EQ(FrequencyText(d.channels.Entry(0).rxFreq), "151.00500");
}

TEST(ConfigRoundTrip, HoldsForNewAndEditedImagesAndRandomNormalisedOnes) {
  RadioData d = NewImage();
  EXPECT_TRUE(RoundTrips(d));
  d.hardware.ApplyBandDefaults(true);
  ResetChannelsForBand(d, true);
  d.channels.Entry(3).rxFreq = 455.00625;
  d.channels.Entry(3).rxStep = 1;
  d.channels.Entry(7).txOff = true;
  d.channels.Entry(8).enabled = 0;
  d.channels.groupSize[1] = 0;
  d.defaultSplit = 5.0;
  NormalizeImage(d);
  EXPECT_TRUE(RoundTrips(d));
  ASSERT_TRUE(ChangeSignalingType(d, 0));
  NormalizeImage(d);
  EXPECT_TRUE(RoundTrips(d));

  // Random bytes made into a settled image: export and import give it back.
  std::mt19937 rng(53);
  for (int n = 0; n < 8; ++n) {
    RadioData r;
    InitImage(r);
    for (std::size_t k = 2; k < kImageSize; ++k)
      if (rng() % 8 == 0) r.image[k] = static_cast<std::uint8_t>(rng());
    ReloadAreas(r);
    NormalizeImage(r);
    EXPECT_TRUE(RoundTrips(r)) << "image " << n;
  }
}

// Every file of the data-file fuzz corpus, settled by normalising it as a save would.
TEST(ConfigRoundTrip, HoldsForTheDataFileCorpusFilesOnceSettled) {
  test::FakePrompt prompt;  // a file's problems are messages with an OK button
  int tried = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KP53_DATA_FILE_CORPUS)) {
    RadioData d;
    InitImage(d);
    if (!ReadDataFile(entry.path().string(), d.image, d.defaultSplit, prompt)) continue;
    ReloadAreas(d);
    NormalizeImage(d);
    ++tried;
    EXPECT_TRUE(RoundTrips(d)) << entry.path();
  }
  EXPECT_GE(tried, 10);
}

TEST(ConfigDiff, ListsEveryDifferingFieldByArea) {
  RadioData a = NewImage(), b = NewImage();
  b.channels.Entry(4).tag = "OTHER   ";
  b.hardware.model = 0;
  NormalizeImage(b);
  ConfigModel ma, mb;
  ma.Load(a.image, a.defaultSplit);
  mb.Load(b.image, b.defaultSplit);
  EXPECT_TRUE(Diff(ma, ma).empty());
  std::vector<std::string> lines;
  for (const auto& d : Diff(ma, mb)) lines.push_back(DiffLine(d));
  EXPECT_EQ(lines, (std::vector<std::string>{"hardware.config_bytes: 054B68892005B406CCACDA -> 044B68892005B406CCACDA",
                                             "hardware.model: HT-620 Series -> HT-610 Series",
                                             "channels.5.tag:  CH-005 -> OTHER"}));
  EXPECT_EQ(DiffJson(Diff(ma, mb)).find("[{\"area\": \"hardware\", \"item\": \"\", \"field\": \"config_bytes\""), 0u);
  ASSERT_TRUE(ChangeSignalingType(b, 0));
  NormalizeImage(b);
  mb.Load(b.image, b.defaultSplit);
  bool absent = false;
  for (const auto& d : Diff(ma, mb)) absent |= d.area == "five_tone" && !d.inB;
  EXPECT_TRUE(absent);
}

TEST(ConfigVerify, FindsEachKindOfProblemOnCraftedImages) {
  EXPECT_TRUE(Verify(NewImage().image, 0.0).empty());
  struct Case {
    void (*craft)(RadioData&);
    bool normalise;
    const char* place;
    const char* value;  // the field's text the finding shows
  } cases[] = {
      {[](RadioData& d) { d.image[300] ^= 1; }, false, "checksum", ""},
      {[](RadioData& d) { d.channels.Entry(2).rxFreq = 180.0; }, true, "channels.3.rx", "180.00000"},
      {[](RadioData& d) { d.channels.Entry(2).txToneType = kToneCtcss, d.channels.Entry(2).txCtcss = 1001; },
       true, "channels.3.tx_tone", "C-100.1"},
      {[](RadioData& d) { d.channels.Entry(2).rxToneType = kToneDcs, d.channels.Entry(2).rxDcs = 24; }, true,
       "channels.3.rx_tone", "D-024N"},
      {[](RadioData& d) { d.channels.groupSize[5] = 200; }, true, "groups.6.size", "176"},
      {[](RadioData& d) { d.channels.Entry(0).signalType = 2, d.channels.Entry(0).signalNo = 1; }, true,
       "channels.1.signal_type", "Page"},
      {[](RadioData& d) { d.identity.serialNumber = "1A000000"; }, true, "identity.serial_number", "1B000000"},
      {[](RadioData& d) { d.image[off::kPowerOnTag + 2] = 60; StoreChecksum(d.image); }, false,
       "power_saving.power_on_tag", "SE"},
      {[](RadioData& d) { d.channels.Entry(0).lockout = 3; }, true, "channels.1.lockout", "??"},
      {[](RadioData& d) { d.image[off::kEmergency + 3] = 0x0E; StoreChecksum(d.image); }, false,
       "emergency.lone_worker_timer", "#14"},
  };
  for (const auto& c : cases) {
    RadioData d = NewImage();
    c.craft(d);
    if (c.normalise) NormalizeImage(d);
    bool found = false;
    std::string all;
    for (const auto& f : Verify(d.image, d.defaultSplit)) {
      found |= f.place == c.place && f.value == c.value;
      all += FindingLine(f) + " [" + f.value + "]\n";
    }
    EXPECT_TRUE(found) << c.place << " " << c.value << "\n" << all;
  }
}

TEST(ConfigReference, TheCheckedInDocumentIsTheGeneratedOne) {
  std::ifstream in(KP53_CONFIG_DOC);
  const std::string doc((std::istreambuf_iterator<char>(in)), {});
  EXPECT_TRUE(doc == SchemaReference()) << "run: kp53 export --schema -o docs/config-text.md";
}

}  // namespace
}  // namespace kp53::config
