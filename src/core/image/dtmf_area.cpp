#include "image/dtmf_area.h"

#include "image/codecs.h"
#include "image/entry_rules.h"

namespace kp53 {

namespace {

std::size_t SpeedDialOffset(std::size_t n) { return off::kDtmfSpeedDial + 8 * n; }

}  // namespace

void DtmfParams::LoadFromImage(const RadioImage& img) {
  aniTransmit = GetBit(img, 8, 4);
  delay = static_cast<int>(GetField(img, 8, 2, 2));
  speed = static_cast<int>(GetField(img, 8, 0, 2));
  pauseTime = static_cast<int>(GetField(img, 128, 5, 3));
  pauseCode.clear();
  if (GetBit(img, 2, 3)) pauseCode.push_back(CodeToDigit(static_cast<int>(GetField(img, 2, 4, 4))));
  for (std::size_t n = 0; n < kSpeedDialCount; ++n) speedDial[n] = DecodePackedDigits(Bytes<8>(img, SpeedDialOffset(n)));
  aniCode = DecodePackedDigits(Bytes<8>(img, off::kDtmfAni));
  emergencyCode = DecodePackedDigits(Bytes<8>(img, off::kDtmfEmergency));
}

void DtmfParams::StoreToImage(RadioImage& img) const {
  PutBit(img, 8, 4, aniTransmit != 0);
  PutField(img, 8, 2, 2, static_cast<unsigned>(delay));
  PutField(img, 8, 0, 2, static_cast<unsigned>(speed));
  PutField(img, 128, 5, 3, static_cast<unsigned>(pauseTime));
  PutField(img, 2, 3, 5, 0);
  const std::string pause = DtmfDigitsEntry(pauseCode, 1);
  if (!pause.empty()) {
    PutBit(img, 2, 3, true);
    PutField(img, 2, 4, 4, static_cast<unsigned>(DigitToCode(pause[0])));
  }
  for (std::size_t n = 0; n < kSpeedDialCount; ++n)
    EncodePackedDigits(DtmfDigitsEntry(speedDial[n], kMaxCodeDigits), Bytes<8>(img, SpeedDialOffset(n)));
  EncodePackedDigits(DtmfDigitsEntry(aniCode, kMaxCodeDigits), Bytes<8>(img, off::kDtmfAni));
  EncodePackedDigits(DtmfDigitsEntry(emergencyCode, kMaxCodeDigits), Bytes<8>(img, off::kDtmfEmergency));
}

}  // namespace kp53
