#include "image/emergency_area.h"

#include "image/channel_table.h"

namespace kp53 {

void EmergencyArea::LoadFromImage(const RadioImage& img) {
  channelKind = static_cast<int>(GetField(img, off::kEmergency, 6, 2));
  channelIndex = img[off::kEmergency + 1];
  silentMode = GetBit(img, off::kEmergency, 5);
  keyDuration = GetBit(img, off::kEmergency, 4);
  rxTime = static_cast<int>(GetField(img, off::kEmergency + 2, 4, 4));
  txTime = static_cast<int>(GetField(img, off::kEmergency + 2, 0, 4));
  loneWorkerTimer = static_cast<int>(GetField(img, off::kEmergency + 3, 0, 4));
}

void EmergencyArea::StoreToImage(RadioImage& img) const {
  PutField(img, off::kEmergency, 6, 2, static_cast<unsigned>(channelKind));
  int group = 0;
  if (channelKind >= 2) {
    const std::span<const std::uint8_t, kGroupCount> sizes(img.data() + off::kGroupSizes, kGroupCount);
    group = GroupHolding(sizes, channelIndex) & 0x0F;
  }
  PutField(img, off::kEmergency, 0, 4, static_cast<unsigned>(group));
  img[off::kEmergency + 1] = static_cast<std::uint8_t>(channelIndex);
  PutBit(img, off::kEmergency, 5, silentMode != 0);
  PutBit(img, off::kEmergency, 4, keyDuration != 0);
  PutField(img, off::kEmergency + 2, 4, 4, static_cast<unsigned>(rxTime));
  PutField(img, off::kEmergency + 2, 0, 4, static_cast<unsigned>(txTime));
  PutField(img, off::kEmergency + 3, 0, 4, static_cast<unsigned>(loneWorkerTimer));
}

int EmergencyArea::ChannelValue() const { return channelKind <= 1 ? channelKind : channelKind + channelIndex; }

void EmergencyArea::SetChannelValue(int value) {
  if (value <= 1) {
    channelKind = value < 0 ? 0 : value;
    return;
  }
  channelKind = 2;
  channelIndex = value - 2 < kChannelCount ? value - 2 : kChannelCount - 1;
}

}  // namespace kp53
