// Which bytes a Download takes over from the radio, by mode; and the frame sum.
#include <gtest/gtest.h>

#include "byte_checks.h"
#include "link/clone_protocol.h"

namespace kp53 {
namespace {

struct MergeTest : ::testing::Test {
  RadioImage image{};
  RadioImage radio{};
  void SetUp() override {
    image.fill(0x11);
    radio.fill(0x22);
  }
  bool FromRadio(std::size_t first, std::size_t last) const {
    for (std::size_t i = first; i <= last; ++i)
      if (image[i] != radio[i]) return false;
    return true;
  }
  ::testing::AssertionResult Kept(std::size_t first, std::size_t last) const {
    return test::RangeIs(image, first, last, 0x11);
  }
};

TEST_F(MergeTest, UserModeTakesIdentityAlignmentFactoryDataAndSerialNumber) {
  bool edited = true;
  MergeRadioOwnedBytes(image, radio, false, edited);
  EXPECT_TRUE(FromRadio(0, 1));
  EXPECT_TRUE(Kept(2, 7677));
  EXPECT_TRUE(FromRadio(7678, 7711));
  EXPECT_TRUE(Kept(7712, 7716));  // power-on password and market application stay the image's
  EXPECT_TRUE(FromRadio(7717, 7724));
  EXPECT_TRUE(Kept(7725, kImageBufferSize - 1));
  EXPECT_TRUE(edited);  // user mode leaves the flag alone
}

TEST_F(MergeTest, MaintenanceModeKeepsSquelchBytesAndTakesTheRestOfTheAlignment) {
  bool edited = false;
  MergeRadioOwnedBytes(image, radio, true, edited);
  EXPECT_TRUE(FromRadio(0, 1));
  EXPECT_TRUE(FromRadio(7678, 7685));
  EXPECT_TRUE(Kept(7686, 7687));
  EXPECT_TRUE(FromRadio(7688, 7711));
  EXPECT_TRUE(Kept(7712, 7714));
  EXPECT_TRUE(FromRadio(7715, 7724));
}

TEST_F(MergeTest, MaintenanceModeWritesItsOwnAlignmentToAnUnalignedRadio) {
  radio[7688] = 0xFF;
  radio[7689] = 0xFF;
  bool edited = false;
  MergeRadioOwnedBytes(image, radio, true, edited);
  EXPECT_TRUE(Kept(7678, 7711));
  EXPECT_TRUE(FromRadio(7715, 7724));
  // One blank byte is not enough to call the radio unaligned.
  image.fill(0x11);
  radio[7689] = 0xFE;
  MergeRadioOwnedBytes(image, radio, true, edited);
  EXPECT_TRUE(FromRadio(7678, 7685));
}

TEST_F(MergeTest, MarketingEditKeepsTheImagesIdentityOnceAndClearsTheFlag) {
  bool edited = true;
  MergeRadioOwnedBytes(image, radio, true, edited);
  EXPECT_TRUE(Kept(7715, 7724));
  EXPECT_FALSE(edited);
  image.fill(0x11);
  MergeRadioOwnedBytes(image, radio, true, edited);
  EXPECT_TRUE(FromRadio(7715, 7724));
}

TEST(FrameSum, ReadRequestForBlockBEndsWithF4PlusB) {
  for (int b = 0; b < 61; ++b) {
    const auto block = static_cast<std::uint8_t>(b);
    EXPECT_EQ(FrameSum(0xF2, 0x02, &block, 1), static_cast<std::uint8_t>(0xF4 + b));
  }
  std::uint8_t data[128];
  for (int i = 0; i < 128; ++i) data[i] = 0xFF;
  EXPECT_EQ(FrameSum(0xF2, 0x81, data, 128), static_cast<std::uint8_t>((0xF2 + 0x81 + 128 * 0xFF) & 0xFF));
}

}  // namespace
}  // namespace kp53
