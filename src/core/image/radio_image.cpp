#include "image/radio_image.h"

namespace kp53 {

std::uint16_t ImageChecksum(const RadioImage& img) {
  std::uint16_t sum = 0;
  for (std::size_t i = 2; i <= 7714; ++i) sum = static_cast<std::uint16_t>(sum + img[i]);
  return sum;
}

void StoreChecksum(RadioImage& img) { PutU16(img, off::kChecksum, ImageChecksum(img)); }

}  // namespace kp53
