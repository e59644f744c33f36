// The image layout: checksum, identity fields, priority channel, derived channel bytes and the
// image-wide operations InitImage, ReloadAreas and NormalizeImage.
#include <gtest/gtest.h>

#include "byte_checks.h"

#include <memory>

#include "image/radio_data.h"

namespace kp53 {
namespace {

using test::BytesAt;
using test::ByteIs;

std::size_t Rec(int index) { return off::kChannels + kChannelRecordSize * static_cast<std::size_t>(index); }

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

}  // namespace
}  // namespace kp53
