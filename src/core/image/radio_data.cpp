#include "image/radio_data.h"

#include <algorithm>

namespace kp53 {

namespace {

// Regions read and written by the on-demand parameter and signalling areas, with the bits of
// each byte they own. Normalisation carries them over from the image as they are.
struct OwnedBits {
  std::size_t offset;
  std::size_t length;
  std::uint8_t mask;
};
constexpr OwnedBits kOnDemandRegions[] = {
    {2, 1, 0xFB},    {3, 1, 0x7F},      {4, 1, 0x9F},     {5, 1, 0xFF},   {6, 1, 0xEF},
    {7, 1, 0xEE},    {8, 1, 0x9F},      {9, 80, 0xFF},    {124, 2, 0xFF}, {128, 1, 0xE7},
    {129, 24, 0xFF}, {6697, 970, 0xFF}, {7667, 1, 0x06},  {7712, 3, 0xFF},
};

}  // namespace

void InitImage(RadioData& data) {
  data.image.fill(0);
  data.defaultSplit = 0.0;

  data.signaling = SignalingSystemArea{};
  data.signaling.SetDefaults();
  data.signaling.StoreToImage(data.image);

  data.hardware = HardwareArea{};
  data.hardware.SetDefaults();
  data.hardware.StoreToImage(data.image);

  data.identity = IdentityArea{};
  data.identity.SetDefaults();
  data.identity.StoreToImage(data.image);

  data.channels = ChannelTable{};
  data.channels.SetDefaults();
  data.channels.StoreToImage(data.image, data.hardware);
  for (int i = 0; i < kChannelCount; ++i) data.channels.EncodeChannel(data.image, i, data.hardware);
}

void ReloadAreas(RadioData& data) {
  data.identity.LoadFromImage(data.image);
  data.signaling.LoadFromImage(data.image);
  data.hardware.LoadFromImage(data.image);
  data.channels.LoadFromImage(data.image, data.hardware);
}

void NormalizeImage(RadioData& data) {
  RadioImage& img = data.image;
  const RadioImage before = img;

  std::fill(img.begin() + 2, img.begin() + 7715, std::uint8_t{0});
  std::fill(img.begin() + 7723, img.begin() + 7727, std::uint8_t{0});

  data.signaling.StoreToImage(img);
  data.hardware.StoreToImage(img);
  data.channels.StoreToImage(img, data.hardware);
  for (const auto& r : kOnDemandRegions)
    for (std::size_t i = r.offset; i < r.offset + r.length; ++i)
      img[i] = static_cast<std::uint8_t>((img[i] & ~r.mask) | (before[i] & r.mask));
  data.identity.StoreToImage(img);

  StoreChecksum(img);
}

}  // namespace kp53
