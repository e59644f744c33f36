// The channel model: groups, group selection and the channel record's fields.
#include <gtest/gtest.h>

#include "image/radio_data.h"

namespace kp53 {
namespace {

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
  EXPECT_EQ(d.image[o + 0], 0xAF);  // in use, RX step B, both power saves, Xtal, ARTS
  EXPECT_EQ(d.image[o + 1], 0x6E);  // low power, TOT, W4, encryption high bit, BTLO
  EXPECT_EQ(d.image[o + 3], 0x7F);  // Signal 32 stored as 31, DTMF ANI after it
  EXPECT_FALSE(GetBit(d.image, off::kScanBits + 1, 1));

  const ChannelEntry r = Decoded(9);
  EXPECT_EQ(r.tag, "RPT-1 A ");
  EXPECT_EQ(FormatFrequency(r.rxFreq), "146.51875");
  EXPECT_EQ(r.txFreq, 146.0);
  EXPECT_EQ(std::tuple(r.bandwidth, r.Encryption(), r.lockout, r.squelch, r.signalType, r.signalNo, r.dtmfAni),
            std::tuple(1, 2, 2, 15, 1, 32, 1));
  EXPECT_EQ(FormatSubAudio(r.TxTone()), "C-131.8");
  EXPECT_EQ(FormatSubAudio(r.RxTone()), "D-754B  ");
  EXPECT_EQ(r.scan, 0);
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

}  // namespace
}  // namespace kp53
