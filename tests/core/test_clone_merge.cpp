// Which bytes a Download takes over from the radio, by mode; and the frame sum.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/clone_protocol.h"

namespace kp53 {
namespace {

using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

// Which bytes a Download takes from the radio: every byte of the buffer is either the radio's
// (inside `fromRadio`) or the image's. The radio is unaligned when bytes 7688 and 7689 are blank.
TEST(Merge, TakesTheRadiosOwnBytesByMode) {
  const struct {
    const char* what;
    bool maintenance, edited;
    Ranges blankOnRadio, fromRadio;
    bool editedAfter;
  } cases[] = {
      {"user mode: identity, alignment, factory data and serial number; the password and market "
       "application stay the image's; the flag is left alone",
       false, true, {}, {{0, 1}, {7678, 7711}, {7717, 7724}}, true},
      {"maintenance mode keeps the squelch bytes", true, false, {}, {{0, 1}, {7678, 7685}, {7688, 7711}, {7715, 7724}},
       false},
      {"maintenance mode writes its own alignment to an unaligned radio", true, false, {{7688, 7689}},
       {{0, 1}, {7715, 7724}}, false},
      {"one blank byte is not enough to call the radio unaligned", true, false, {{7688, 7688}},
       {{0, 1}, {7678, 7685}, {7688, 7711}, {7715, 7724}}, false},
      {"a marketing edit keeps the image's identity once and clears the flag", true, true, {},
       {{0, 1}, {7678, 7685}, {7688, 7711}}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RadioImage image, radio;
    image.fill(0x11);
    radio.fill(0x22);
    for (const auto& [first, last] : c.blankOnRadio) std::fill(&radio[first], &radio[last] + 1, std::uint8_t{0xFF});
    bool edited = c.edited;
    MergeRadioOwnedBytes(image, radio, c.maintenance, edited);
    EXPECT_EQ(edited, c.editedAfter);
    for (std::size_t i = 0; i < image.size(); ++i) {
      const bool taken = std::any_of(c.fromRadio.begin(), c.fromRadio.end(),
                                     [i](const auto& r) { return i >= r.first && i <= r.second; });
      ASSERT_EQ(image[i], taken ? radio[i] : 0x11) << "byte " << i;
    }
  }
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
