#include "image/dtmf_area.h"

#include "image/codecs.h"

namespace kp53 {

namespace {

std::size_t SpeedDialOffset(std::size_t n) { return off::kDtmfSpeedDial + 8 * n; }

// Upper-case digit text of at most 15 DTMF digits; other characters are dropped.
std::string CleanCode(std::string_view text, std::size_t limit) {
  std::string out;
  for (char c : text) {
    if (out.size() >= limit) break;
    if (c >= 'a' && c <= 'd') c = static_cast<char>(c - 'a' + 'A');
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#') out.push_back(c);
  }
  return out;
}

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
  const std::string pause = CleanCode(pauseCode, 1);
  if (!pause.empty()) {
    PutBit(img, 2, 3, true);
    PutField(img, 2, 4, 4, static_cast<unsigned>(DigitToCode(pause[0])));
  }
  for (std::size_t n = 0; n < kSpeedDialCount; ++n)
    EncodePackedDigits(CleanCode(speedDial[n], kMaxCodeDigits), Bytes<8>(img, SpeedDialOffset(n)));
  EncodePackedDigits(CleanCode(aniCode, kMaxCodeDigits), Bytes<8>(img, off::kDtmfAni));
  EncodePackedDigits(CleanCode(emergencyCode, kMaxCodeDigits), Bytes<8>(img, off::kDtmfEmergency));
}

}  // namespace kp53
