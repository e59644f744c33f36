// The adjustment items of the alignment mode: which byte an item edits for a channel, the
// back-computation of the base bytes, the bandwidth factor, the modulation ratio and the texts.
#include <gtest/gtest.h>

#include "image/alignment_items.h"

namespace kp53 {
namespace {

TEST(AlignmentRules, OtherModulationByteRoundsUpAndHoldsAt255) {
  struct Case {
    int v, ratio;
    bool narrow;
    int expected;
  };
  const Case cases[] = {
      {80, 70, false, 56},   // wide: narrow = 80 x 70 / 100
      {80, 70, true, 115},   // narrow: wide = 8000 / 70 = 114.28..., rounded up
      {1, 1, false, 1},      // 0.01 rounds up
      {0, 70, true, 0},
      {200, 150, false, 255},
      {200, 50, true, 255},  // 400 is held at 255
      {50, 0, true, 255},    // no ratio: held, not divided by zero
  };
  for (const auto& c : cases)
    EXPECT_EQ(OtherModulationByte(c.v, c.ratio, c.narrow), c.expected) << c.v << " " << c.ratio << " " << c.narrow;
}

TEST(AlignmentRules, BandwidthFactorIsUndoneAndHeldInOneByte) {
  const int cases[][3] = {
      // v, bandwidth, value before the factor
      {100, 0, 100}, {255, 0, 255}, {100, 1, 125}, {101, 1, 126}, {102, 1, 128},
      {204, 1, 255}, {205, 1, 255}, {255, 1, 255}, {127, 2, 254}, {128, 2, 255}, {200, 2, 255},
  };
  for (const auto& c : cases) EXPECT_EQ(UndoBandwidthFactor(c[0], c[1]), c[2]) << c[0] << " bw " << c[1];
}

TEST(AlignmentRules, BaseBytesAreComputedBackFromTheBandPosition) {
  // Band 146..174 MHz, middle 160.
  struct Case {
    int v;
    std::uint8_t low, high;
    double f;
    int expected;
  };
  const Case tx[] = {
      {100, 0x00, 0x05, 174.0, 95},  // top of the band: the whole high slope
      {100, 0x85, 0x00, 146.0, 105}, // bottom: the low slope, negative
      {100, 0x05, 0x05, 160.0, 100}, // middle: no slope
      {100, 0x03, 0x00, 153.0, 98},  // half way down: 1.5 rounds away from zero to 2
      {100, 0x83, 0x00, 153.0, 102}, // -1.5 to -2
      {100, 0x05, 0x7F, 140.0, 100}, // below the band: k = 0
      {100, 0x05, 0x07, 180.0, 93},  // above the band: k = 1, high slope
      {2, 0x00, 0x05, 174.0, 0},     // limited to 0..255
      {254, 0x00, 0x85, 174.0, 255},
  };
  for (const auto& c : tx) EXPECT_EQ(TxBaseByte(c.v, c.low, c.high, 146.0, 174.0, c.f), c.expected) << c.f;

  const Case rx[] = {
      {100, 5, 0, 146.0, 100}, {100, 5, 0, 174.0, 95}, {100, 5, 0, 160.0, 97},  // 2.5 rounds up to 3
      {100, 5, 0, 140.0, 100}, {100, 5, 0, 180.0, 95}, {3, 200, 0, 174.0, 0},
  };
  for (const auto& c : rx) EXPECT_EQ(RxBaseByte(c.v, c.low, 146.0, 174.0, c.f), c.expected) << c.f;
}

class AlignmentStore : public ::testing::Test {
 protected:
  AlignmentStore() {
    InitImage(data);
    ReloadAreas(data);
  }
  ChannelEntry& Channel(int bandwidth, int tone) {
    ChannelEntry& e = data.channels.Entry(0);
    e.bandwidth = bandwidth;
    e.txToneType = tone;
    e.txCtcss = 885;
    e.txDcs = 23;
    return e;
  }
  RadioData data;
};

TEST_F(AlignmentStore, ItemsEditTheWideOrNarrowByteOfTheChannel) {
  struct Case {
    int item, bandwidth, tone;
    std::size_t byte;
  };
  const Case cases[] = {
      {8, 0, 0, 7678}, {9, 0, 0, 7680}, {10, 0, 0, 7681}, {8, 1, 0, 7678},
      {8, 2, 0, 7682}, {9, 2, 0, 7684}, {10, 2, 0, 7685},
      {4, 0, kToneCtcss, 7702}, {4, 2, kToneCtcss, 7703}, {4, 0, kToneDcs, 7705}, {4, 2, kToneDcs, 7706},
      {1, 2, 0, 7711}, {5, 2, 0, 7710}, {7, 2, 0, 7709}, {6, 2, 0, 7688}, {2, 2, 0, 7696}, {3, 0, 0, 7699},
  };
  for (const auto& c : cases) {
    Channel(c.bandwidth, c.tone);
    EXPECT_EQ(AlignmentItemByte(c.item, data.channels.Entry(0)), c.byte) << c.item << " bw " << c.bandwidth;
  }
  // Stored and shown through the same byte, and kept by the hardware area over a normalisation.
  Channel(2, kToneNone);
  StoreAlignmentValue(data, 0, 9, 77);
  NormalizeImage(data);
  EXPECT_EQ(data.image[7684], 77);
  EXPECT_EQ(AlignmentItemValue(data, 0, 9), 77);
}

TEST_F(AlignmentStore, ModulationStoresItsByteAndDerivesTheOtherFromTheRatio) {
  struct Case {
    int bandwidth, tone;
    std::size_t ratioByte, wide, narrow;
    int wideExpected, narrowExpected;
  };
  const Case cases[] = {
      {0, kToneCtcss, 7704, 7702, 7703, 80, 56},
      {2, kToneCtcss, 7704, 7702, 7703, 115, 80},
      {1, kToneDcs, 7707, 7705, 7706, 80, 56},
      {2, kToneDcs, 7707, 7705, 7706, 115, 80},
  };
  for (const auto& c : cases) {
    Channel(c.bandwidth, c.tone);
    data.image[c.ratioByte] = 70;
    data.hardware.LoadFromImage(data.image);
    StoreAlignmentValue(data, 0, align::kSubAudioModulation, 80);
    NormalizeImage(data);
    EXPECT_EQ(data.image[c.wide], c.wideExpected) << c.bandwidth << " " << c.tone;
    EXPECT_EQ(data.image[c.narrow], c.narrowExpected) << c.bandwidth << " " << c.tone;
  }
}

TEST_F(AlignmentStore, DerivedValuesComeBackAndEveryChannelFollows) {
  // Slopes without half steps at 174 MHz, so the value shown is the value stored.
  for (std::size_t o = 7689; o <= 7701; ++o) data.image[o] = 4;
  data.hardware.LoadFromImage(data.image);
  ChannelEntry& e = Channel(0, kToneNone);
  e.txFreq = e.rxFreq = 174.0;
  data.channels.Entry(5).rxFreq = 146.0;
  data.channels.EncodeChannel(data.image, 0, data.hardware);
  for (const int bw : {0, 2}) {
    e.bandwidth = bw;
    for (const int item : {0, 2, 3, 6}) {
      StoreAlignmentValue(data, 0, item, 60);
      EXPECT_EQ(AlignmentItemValue(data, 0, item), 60) << item << " bw " << bw;
    }
  }
  // Item 6 at the top of the band moved base byte 7688 to 56; channel 6 at the bottom shows it.
  EXPECT_EQ(data.image[7688], 56);
  EXPECT_EQ(data.channels.Entry(5).tuning[0], 56);
  EXPECT_EQ(data.image[off::kChannels + 5 * 25 + 12], 56);
}

TEST_F(AlignmentStore, DeviationPastOneByteIsHeldBeforeTheBackComputation) {
  ChannelEntry& e = Channel(2, kToneNone);
  e.txFreq = 160.0;  // middle of the band: no slope
  data.channels.EncodeChannel(data.image, 0, data.hardware);
  StoreAlignmentValue(data, 0, align::kMaxDeviation, 200);  // 400 before the factor
  EXPECT_EQ(data.image[7696], 255);
  EXPECT_EQ(AlignmentItemValue(data, 0, align::kMaxDeviation), 128);  // 255 x 0.5, rounded up
  e.bandwidth = 1;
  StoreAlignmentValue(data, 0, align::kMaxRefDeviation, 230);
  EXPECT_EQ(data.image[7699], 255);
}

TEST(AlignmentTexts, LabelsAndChannelTextsFollowTheChannel) {
  struct Case {
    int power, bandwidth, tone;
    const char *powerLabel, *toneLabel, *powerText, *subAudio, *toneCode, *width;
  };
  const Case cases[] = {
      {0, 0, kToneCtcss, "RF Power (High)", "CTCSS Modulation", "High", "CTCSS", " 88.5", "Wide 5kHz"},
      {1, 1, kToneDcs, "RF Power (Low)", "DCS Modulation", "Low ", "DCS  ", "023  ", "Wide 4kHz"},
      {0, 2, kToneNone, "RF Power (High)", "CTCSS Modulation", "High", "None ", "-----", "Narrow"},
  };
  for (const auto& c : cases) {
    const ChannelEntry e{.tag = {}, .txFreq = 151.025, .bandwidth = c.bandwidth, .txToneType = c.tone, .txCtcss = 885,
                         .txDcs = 23, .power = c.power};
    EXPECT_EQ(std::tuple(AlignmentItemLabel(align::kRfPower, e), AlignmentItemLabel(align::kSubAudioModulation, e),
                         AlignmentItemShown(align::kSubAudioModulation, e)),
              std::tuple(c.powerLabel, c.toneLabel, c.tone != kToneNone));
    const auto t = AlignmentTextsOf(e, 99);
    EXPECT_EQ(std::tuple(t.number, t.txFreq, t.power, t.subAudio, t.toneCode, t.width),
              std::tuple("100", "151.02500 ", c.powerText, c.subAudio, c.toneCode, c.width));
  }
  EXPECT_EQ(AlignmentTextsOf(ChannelEntry{}, 0).number, " 1");
}

TEST(AlignmentRules, TypedValuesAndReadings) {
  EXPECT_EQ(std::tuple(MeasurementEntry(" 42"), MeasurementEntry("250"), MeasurementEntry("   ")), std::tuple(42, 100, 0));
  EXPECT_EQ(std::tuple(SliderEntry("999"), SliderEntry("7")), std::tuple(255, 7));
  const std::array<std::uint8_t, 4> m{1, 2, 3, 4};
  EXPECT_EQ(std::tuple(MeasurementReading(align::kRssi, m), MeasurementReading(align::kSquelchThreshold, m),
                       MeasurementReading(align::kSquelchTight, m)),
            std::tuple(3, 2, 2));
}

}  // namespace
}  // namespace kp53
