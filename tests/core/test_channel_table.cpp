// The image layout: checksum, identity fields, priority channel, derived channel bytes and the
// image-wide operations; the channel model: groups, group selection and the channel record's
// fields; the channel grid's cell and header texts; the adjustment items of the alignment mode:
// which byte an item edits for a channel, the back-computation of the base bytes, the bandwidth
// factor, the modulation ratio and the texts.
#include <gtest/gtest.h>

#include "byte_checks.h"
#include "image/alignment_items.h"
#include "image/radio_data.h"
#include "text/grid_texts.h"

namespace kp53 {
namespace {

using test::BytesAre;
using test::BytesAt;
using test::ByteIs;

std::size_t Rec(int index) { return off::kChannels + kChannelRecordSize * static_cast<std::size_t>(index); }

TEST(Groups, EmptyAndFullGroups) {
  ChannelTable t;
  t.groupSize.fill(0);
  t.groupSize[1] = 255;
  t.groupSize[2] = 1;
  EXPECT_EQ(std::tuple(t.GroupOf(0), t.GroupOf(254), t.GroupOf(255), t.GroupStart(2)), std::tuple(1, 1, 2, 255));
  EXPECT_EQ(t.SplitIndex(255), (std::pair<int, int>{2, 0}));
  t.groupSize[2] = 0;
  EXPECT_EQ(t.GroupOf(255), 16);
  EXPECT_EQ(t.SplitIndex(255).first, 16);

  t.groupSize = {10, 10, 10, 20};
  EXPECT_EQ(t.SplitIndex(40), (std::pair<int, int>{3, 10}));
  EXPECT_EQ(t.GroupOf(50), 16);
}

TEST(Groups, NextGroupSkipsEmptyGroupsAndWraps) {
  ChannelTable t;
  t.groupSize.fill(0);
  t.groupSize[0] = 5;
  t.groupSize[2] = 7;
  const auto selected = [&t] { return std::tuple(t.currentGroup, t.groupFirst, t.groupLast, t.currentChannel); };
  t.SelectGroup(2);
  EXPECT_EQ(selected(), std::tuple(2, 6, 12, 5));
  t.NextGroup();
  EXPECT_EQ(selected(), std::tuple(0, 1, 5, 0));
  t.NextGroup();
  EXPECT_EQ(t.currentGroup, 2);
  t.SelectGroup(15);  // empty: wraps to the first non-empty group
  EXPECT_EQ(t.currentGroup, 0);
}

TEST(Groups, AllGroupsEmptyDoesNotLoop) {
  ChannelTable t;
  t.groupSize.fill(0);
  t.SelectGroup(3);
  EXPECT_EQ(t.groupLast, t.groupFirst - 1);
  t.SelectGroup(-7);
  EXPECT_EQ(t.currentGroup, 0);
}

class ChannelRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitImage(d);
    ReloadAreas(d);
  }
  ChannelEntry& Encode(int index) {
    d.channels.EncodeChannel(d.image, index, d.hardware);
    return d.channels.Entry(index);
  }
  ChannelEntry Decoded(int index) {
    ChannelTable t;
    t.DecodeChannel(d.image, index, d.hardware);
    return t.Entry(index);
  }
  RadioData d;
};

TEST_F(ChannelRecordTest, EveryFieldRoundTrips) {
  // Receive step 6250 Hz: 146.52 MHz is not a multiple and is cut to 146.51875.
  d.channels.Entry(9) = {.tag = "RPT-1 A", .rxFreq = 146.52, .txFreq = 146.0, .bandwidth = 1, .rxStep = 1,
                         .rxPowerSave = true, .txPowerSave = true, .txToneType = kToneCtcss, .rxToneType = kToneDcs,
                         .rxDcsBoth = true, .txCtcss = 1318, .rxDcs = 754, .arts = true, .power = 1, .tot = true,
                         .lockout = 2, .xtal = true, .signalNo = 32, .signalType = 1, .squelch = 15, .index = 9,
                         .scan = 0, .encryptHigh = 1, .compander = 1, .dtmfAni = 1};
  Encode(9);
  const std::size_t o = Rec(9);
  // 0: in use, RX step B, both power saves, Xtal, ARTS; 1: low power, TOT, W4, encryption high
  // bit, BTLO; 3: Signal 32 stored as 31, DTMF ANI after it.
  EXPECT_TRUE(BytesAre(d.image, {{o + 0, 0xAF}, {o + 1, 0x6E}, {o + 3, 0x7F}}));
  EXPECT_FALSE(GetBit(d.image, off::kScanBits + 1, 1));

  const ChannelEntry r = Decoded(9);
  EXPECT_EQ(std::tuple(r.tag, FormatFrequency(r.rxFreq), r.txFreq), std::tuple("RPT-1 A ", "146.51875", 146.0));
  EXPECT_EQ(std::tuple(r.bandwidth, r.Encryption(), r.lockout, r.squelch, r.signalType, r.signalNo, r.dtmfAni),
            std::tuple(1, 2, 2, 15, 1, 32, 1));
  EXPECT_EQ(std::tuple(FormatSubAudio(r.TxTone()), FormatSubAudio(r.RxTone()), r.scan),
            std::tuple("C-131.8", "D-754B  ", 0));
  EXPECT_TRUE(r.arts && r.xtal && r.tot && r.rxPowerSave && r.txPowerSave);
}

TEST_F(ChannelRecordTest, BandwidthAndSignallingEncodings) {
  ChannelEntry& e = d.channels.Entry(0);
  e.bandwidth = 2;
  Encode(0);
  EXPECT_EQ(d.image[Rec(0)] & 0x40, 0x40);
  EXPECT_EQ(d.image[Rec(0) + 1] & 0x08, 0);
  EXPECT_EQ(Decoded(0).bandwidth, 2);

  e.signalType = 3;  // "Option" 0 cannot be stored: it reads back as no signalling
  e.signalNo = 0;
  e.dtmfAni = 1;
  Encode(0);
  EXPECT_EQ(d.image[Rec(0) + 3], 0x20);
  EXPECT_EQ(Decoded(0).signalType, 0);
  e.signalNo = 31;
  Encode(0);
  EXPECT_EQ(d.image[Rec(0) + 3], 0xFF);
  EXPECT_EQ(Decoded(0).signalNo, 31);
}

TEST_F(ChannelRecordTest, TransmitInhibitBitOrSpecialValue) {
  ChannelEntry& e = d.channels.Entry(3);
  e.txOff = true;
  Encode(3);
  EXPECT_TRUE(Decoded(3).txOff);
  e.txOff = false;
  e.txFreq = 300.0;  // outside the band but still the inhibit mark
  Encode(3);
  const ChannelEntry r = Decoded(3);
  EXPECT_TRUE(r.txOff);
  EXPECT_EQ(r.txFreq, r.rxFreq);
}

class GridTexts : public ::testing::Test {
 protected:
  void SetUp() override { InitImage(data); }
  std::string Cell(int index, int column) { return ChannelCellText(data.channels, index, column, IsHt610(data)); }
  RadioData data;
};

// One cell of a channel set up by `set` (channel 1 unless it sets up another one). The texts of
// what the editors store are those the grid parity walk enters; here their padding and the rest.
TEST_F(GridTexts, CellTextsOfEditedAndDamagedChannels) {
  const struct {
    void (*set)(RadioData&);
    int index, column;
    const char* text;
  } cases[] = {
      {[](RadioData& d) { d.hardware.model = 0; }, 0, 3, "        "},  // the HT-610 has no tags
      // The padding of the texts the walk enters (it compares them without their blanks).
      {[](RadioData& d) { d.channels.Entry(0).rxToneType = kToneDcs, d.channels.Entry(0).rxDcs = 23,
                          d.channels.Entry(0).rxDcsBoth = true; }, 0, 6, "D-023B  "},
      {[](RadioData& d) { d.channels.Entry(4).signalNo = 7; }, 4, 15, " 7"},
      // Values no editor produces give question marks, never a read outside a table.
      {[](RadioData& d) { d.channels.Entry(0).bandwidth = 3; }, 0, 2, "??"},
      {[](RadioData& d) { d.channels.Entry(0).power = 7; }, 0, 10, "?"},
      {[](RadioData& d) { d.channels.Entry(0).signalType = -1; }, 0, 14, "??"},
      {[](RadioData& d) { d.channels.Entry(0).rxToneType = 3; }, 0, 6, "???????"},
      {[](RadioData& d) { d.channels.Entry(0).txToneType = kToneDcs, d.channels.Entry(0).txDcs = 1e300; }, 0, 7,
       "D-???   "},
      // Bits 1-0 of record byte 1 hold 3 in a damaged file: decoded as is.
      {[](RadioData& d) { d.image[off::kChannels + 1] |= 3, ReloadAreas(d); }, 0, 18, "??"},
  };
  for (const auto& c : cases) {
    InitImage(data);
    c.set(data);
    EXPECT_EQ(Cell(c.index, c.column), c.text) << c.column;
  }
}

TEST_F(GridTexts, DisabledChannelShowsDashInEveryCheckCell) {
  ChannelEntry& e = data.channels.Entry(1);
  e.rxPowerSave = e.txPowerSave = e.tot = e.arts = e.xtal = true;
  e.dtmfAni = e.compander = 1;
  e.scan = 1;
  for (int c : {8, 9, 11, 12, 16, 19, 20, 21}) EXPECT_EQ(Cell(1, c), "") << c;
  e.enabled = 0;
  for (int c : {8, 9, 11, 12, 16, 19, 20, 21}) {
    EXPECT_EQ(Cell(1, c), "-") << c;
    EXPECT_FALSE(CheckCellShowsPicture(data.channels, 1, c));
    EXPECT_EQ(CheckMark(e, c), 'v');
  }
}

TEST(HeaderTexts, FormatsOfTheSixStatics) {
  RadioData data;
  InitImage(data);
  data.identity.firmwareVersion = 123;
  const HeaderTexts h = MakeHeaderTexts(data, 3, 1, "PDF");
  EXPECT_EQ(std::tuple(h.firmware, h.comPort, h.band, h.productType, h.serial.size()),
            std::tuple("1.23", "COM3  19200BPS", "VHF          ", "HT-620 Series", 8u));
  EXPECT_EQ(MakeHeaderTexts(data, 16, 0, "").comPort, "COM16  9600BPS");
}

class ImageTest : public ::testing::Test {
 protected:
  void SetUp() override { InitImage(d); }
  // The image as a freshly loaded file would give it: areas reloaded, then normalised.
  void LoadAndNormalize() {
    ReloadAreas(d);
    NormalizeImage(d);
  }
  RadioData d;
};

TEST(Checksum, SumsBytesTwoToEndOfPassword) {
  RadioImage img{};
  img.fill(0xFF);  // bytes 0-1 and 7715 on are not summed
  EXPECT_EQ(ImageChecksum(img), 735);
  StoreChecksum(img);
  EXPECT_TRUE(BytesAt(img, 7725, {0x02, 0xDF}));
  EXPECT_EQ(ImageChecksum(img), 735);
}

TEST(Identity, SerialNumberStoresItsLastPairsSwapped) {
  RadioImage img{};
  IdentityArea id;
  id.StoreToImage(img);
  EXPECT_TRUE(BytesAt(img, 7721, {0x11, 0x01, 0x01, 0x00}));

  id.serialNumber = "2Q123456";
  id.StoreToImage(img);
  EXPECT_TRUE(BytesAt(img, 7721, {0x2F, 0x12, 0x56, 0x34}));
  IdentityArea back;
  back.LoadFromImage(img);
  EXPECT_EQ(back.serialNumber, "2Q123456");
}

TEST(Identity, FirmwareIsFourBcdDigits) {
  RadioImage img{};
  IdentityArea id;
  id.StoreToImage(img);
  EXPECT_TRUE(BytesAt(img, 0, {0x02, 0x00}));
  EXPECT_EQ(id.FirmwareText(), "2.00");
  id.firmwareVersion = 1234;
  id.marketApplication = "12*#";
  id.StoreToImage(img);
  EXPECT_TRUE(BytesAt(img, 0, {0x12, 0x34}));
  EXPECT_TRUE(BytesAt(img, 7715, {0x12, 0xEF}));
  IdentityArea back;
  back.LoadFromImage(img);
  EXPECT_EQ(back.firmwareVersion, 1234);
  EXPECT_EQ(back.FirmwareText(), "12.34");
  EXPECT_EQ(back.marketApplication, "12*#");
}

TEST_F(ImageTest, PriorityChannelStoresIndexAndGroup) {
  auto& ch = d.channels;
  ch.groupSize = {10, 10, 10, 20, 10};
  ch.priorityChannel = 41;  // index 40, the 11th channel of group 3
  d.image[90] = 0xA0;
  ch.StoreToImage(d.image, d.hardware);
  EXPECT_EQ(d.image[91], 40);
  EXPECT_EQ(d.image[90], 0xA3);
  EXPECT_TRUE(GetBit(d.image, 6, 4));

  ch.priorityChannel = 0;
  ch.StoreToImage(d.image, d.hardware);
  EXPECT_EQ(d.image[91], 0);
  EXPECT_EQ(d.image[90], 0xA0);  // bits 7-4 kept
  EXPECT_FALSE(GetBit(d.image, 6, 4));

  d.image[91] = 40;
  PutBit(d.image, 6, 4, true);
  ReloadAreas(d);
  EXPECT_EQ(ch.priorityChannel, 41);
  NormalizeImage(d);
  EXPECT_EQ(d.image[90], 0x03);  // no area owns bits 7-4: normalisation clears them
}

TEST_F(ImageTest, NormalizeClearsUnownedBitsAndKeepsEverythingOwned) {
  // The unowned bits of the common bytes are checked with the whole image set in
  // test_memory_rules.cpp; here the channel records and the block behind the areas.
  RadioImage& img = d.image;
  for (int i = 0; i < kChannelCount; ++i) img[Rec(i) + 2] |= 0x10;
  // The hardware configuration and alignment block is compared with the radio's before a
  // Download: every bit of it must come back as read.
  for (std::size_t i = 7667; i <= 7711; ++i) img[i] = static_cast<std::uint8_t>(i * 13 + 5);
  img[7712] = 1, img[7713] = 0x12, img[7714] = 0x34;
  img[7717] = 0xDE, img[7718] = 0xAD, img[7719] = 0xBE, img[7720] = 0xEF;
  const RadioImage before = img;
  LoadAndNormalize();

  for (int i = 0; i < kChannelCount; ++i) ASSERT_EQ(img[Rec(i) + 2] & 0x10, 0) << i;
  for (std::size_t i = 7667; i <= 7711; ++i) ASSERT_EQ(img[i], before[i]) << i;
  for (std::size_t i = 7712; i <= 7724; ++i) EXPECT_EQ(img[i], before[i]) << i;
  EXPECT_EQ(GetU16(img, off::kChecksum), ImageChecksum(img));
}

TEST_F(ImageTest, FreshImageLeavesTheBufferBehindTheImageZero) {
  ReloadAreas(d);
  for (std::size_t i = 7728; i < kImageBufferSize; ++i) ASSERT_EQ(d.image[i], 0);
}

// Derived tuning bytes with the band 146..174 MHz (mid 160): for chosen alignment bytes, which
// derived byte, at which receive and transmit frequencies and bandwidths.
TEST(DerivedBytes, FollowThePositionInTheBandTheSlopesAndTheBandwidth) {
  struct Point {
    double rx, tx;
    int bandwidth, expected;
  };
  const struct {
    std::vector<ByteIs> alignment;
    std::size_t which;
    std::vector<Point> points;
  } cases[] = {
      // Receive: base byte 7688 plus the position times 7689, held inside the band; x.5 rounds up.
      {{{7688, 50}, {7689, 100}}, 0, {{140, 160, 0, 50}, {146, 160, 0, 50}, {160, 160, 0, 100}, {174, 160, 0, 150},
                                      {180, 160, 0, 150}}},
      {{{7688, 50}, {7689, 3}}, 0, {{160, 160, 0, 52}}},
      {{{7688, 200}, {7689, 100}}, 0, {{174, 160, 0, 255}}},
      // Transmit: sign-magnitude slopes, low (7691) below mid, high (7692) from mid up; outside the
      // band k is 0 below and 1 above.
      {{{7690, 100}, {7691, 0x8A}, {7692, 0x0A}}, 1, {{150, 146, 0, 90}, {150, 153, 0, 95}, {150, 160, 0, 100},
                                                      {150, 174, 0, 110}, {150, 140, 0, 100}, {150, 180, 0, 110}}},
      {{{7690, 5}, {7691, 0xFF}}, 1, {{150, 146, 0, 0}}},  // -127 clamps at 0
      {{{7693, 100}, {7694, 0xFF}, {7695, 0x7F}}, 2, {{150, 160.12, 0, 101}, {150, 159.88, 0, 99}, {150, 160, 0, 100},
                                                      {150, 167, 0, 164}}},
      // The deviation bytes scale with the bandwidth (80.8, 50.5 rounds up).
      {{{7696, 101}}, 3, {{150, 160, 0, 101}, {150, 160, 1, 81}, {150, 160, 2, 51}}},
      {{{7699, 200}}, 4, {{150, 160, 2, 100}}},
  };
  for (const auto& c : cases) {
    RadioImage img{};
    for (const ByteIs& b : c.alignment) img[b.at] = static_cast<std::uint8_t>(b.value);
    for (const Point& p : c.points)
      EXPECT_EQ(DerivedTuningBytes(img, 146.0, 174.0, p.rx, p.tx, p.bandwidth)[c.which], p.expected)
          << p.rx << " " << p.tx << " " << p.bandwidth << " byte " << c.which;
  }
  // Equal limits (a damaged file) put every frequency inside at position 0.
  RadioImage img{};
  img[7688] = 200;
  EXPECT_EQ(DerivedTuningBytes(img, 150.0, 150.0, 150.0, 150.0, 0)[0], 200);
}

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
