#include "image/two_tone_areas.h"

namespace kp53 {

namespace {
constexpr std::size_t kParams1 = off::kTwoToneParams;      // 7571
constexpr std::size_t kParams2 = off::kTwoToneParams + 1;  // 7572
constexpr std::size_t kBeepRepeat = off::kTwoToneParams + 2;
unsigned U(int v) { return static_cast<unsigned>(v); }
}  // namespace

void TwoToneParams::LoadFromImage(const RadioImage& img) {
  autoResetTime = static_cast<int>(GetField(img, 5, 0, 4));
  autoResetBeep = GetBit(img, 7, 1);
  primaryGroupCall = static_cast<int>(GetField(img, kParams1, 6, 2));
  secondaryGroupCall = static_cast<int>(GetField(img, kParams1, 4, 2));
  callBeepTone = static_cast<int>(GetField(img, kParams1, 1, 3));
  beepMode = GetBit(img, kParams1, 0);
  secondaryPagePair = static_cast<int>(GetField(img, kParams2, 4, 4));
  complement = GetBit(img, kParams2, 3);
  duty = GetBit(img, kParams2, 2);
  beepRepeatTime = img[kBeepRepeat];
}

void TwoToneParams::StoreToImage(RadioImage& img) const {
  PutField(img, 5, 0, 4, U(autoResetTime));
  PutBit(img, 7, 1, autoResetBeep != 0);
  PutField(img, kParams1, 6, 2, U(primaryGroupCall));
  PutField(img, kParams1, 4, 2, U(secondaryGroupCall));
  PutField(img, kParams1, 1, 3, U(callBeepTone));
  PutBit(img, kParams1, 0, beepMode != 0);
  PutField(img, kParams2, 4, 4, U(secondaryPagePair));
  PutBit(img, kParams2, 3, complement != 0);
  PutBit(img, kParams2, 2, duty != 0);
  img[kBeepRepeat] = static_cast<std::uint8_t>(beepRepeatTime);
}

void TwoToneTable::LoadFromImage(const RadioImage& img) {
  for (std::size_t n = 0; n < kPairCount; ++n) {
    pairs[n].first = static_cast<int>(GetU16(img, off::kTwoToneTable + 4 * n));
    pairs[n].second = static_cast<int>(GetU16(img, off::kTwoToneTable + 4 * n + 2));
  }
}

void TwoToneTable::StoreToImage(RadioImage& img) const {
  for (std::size_t n = 0; n < kPairCount; ++n) {
    PutU16(img, off::kTwoToneTable + 4 * n, U(pairs[n].first));
    PutU16(img, off::kTwoToneTable + 4 * n + 2, U(pairs[n].second));
  }
}

std::uint8_t TwoToneSystem::Encode() const {
  unsigned b = 0;
  if (primaryPair > 0) b = (U(primaryPair - 1) & 0x0F) << 4 | 0x08;
  if (secondary) b |= 0x04;
  if (autoReset) b |= 0x02;
  return static_cast<std::uint8_t>(b);
}

TwoToneSystem TwoToneSystem::Decode(std::uint8_t byte) {
  TwoToneSystem s;
  s.primaryPair = (byte & 0x08) ? (byte >> 4) + 1 : 0;
  s.secondary = (byte & 0x04) != 0;
  s.autoReset = (byte & 0x02) != 0;
  return s;
}

void TwoToneSystemTable::LoadFromImage(const RadioImage& img) {
  for (std::size_t s = 0; s < kSystemCount; ++s) systems[s] = TwoToneSystem::Decode(img[off::kTwoToneSystems + s]);
}

void TwoToneSystemTable::StoreToImage(RadioImage& img) const {
  for (std::size_t s = 0; s < kSystemCount; ++s) img[off::kTwoToneSystems + s] = systems[s].Encode();
}

void TwoToneEncode::LoadFromImage(const RadioImage& img) {
  encodeType = static_cast<int>(GetField(img, off::kTwoToneEncode, 6, 2));
  formatPair = static_cast<int>(GetField(img, off::kTwoToneEncode, 0, 4));
  period1 = img[off::kTwoToneEncode + 1];
  period2 = img[off::kTwoToneEncode + 2];
}

void TwoToneEncode::StoreToImage(RadioImage& img) const {
  PutField(img, off::kTwoToneEncode, 6, 2, U(encodeType));
  PutField(img, off::kTwoToneEncode, 0, 4, U(formatPair));
  img[off::kTwoToneEncode + 1] = static_cast<std::uint8_t>(period1);
  img[off::kTwoToneEncode + 2] = static_cast<std::uint8_t>(period2);
}

}  // namespace kp53
