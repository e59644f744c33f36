#include "image/long_lived_areas.h"

#include <algorithm>
#include <cmath>

#include "image/codecs.h"

namespace kp53 {

// ---------------------------------------------------------------------------------------------
// IdentityArea

void IdentityArea::SetDefaults() {
  firmwareVersion = 200;
  marketApplication = "0000";
  serialNumber = "1C010001";
}

void IdentityArea::LoadFromImage(const RadioImage& img) {
  firmwareVersion = (img[0] >> 4) * 1000 + (img[0] & 0x0F) * 100 + (img[1] >> 4) * 10 + (img[1] & 0x0F);

  marketApplication.clear();
  for (std::size_t i = 0; i < 2; ++i) {
    marketApplication.push_back(CodeToDigit(img[off::kMarketApplication + i] >> 4));
    marketApplication.push_back(CodeToDigit(img[off::kMarketApplication + i] & 0x0F));
  }

  const std::uint8_t* s = img.data() + off::kSerialNumber;
  serialNumber.clear();
  serialNumber.push_back(CodeToDigit(s[0] >> 4));
  serialNumber.push_back(static_cast<char>('B' + (s[0] & 0x0F)));
  // The text holds bytes 7722, 7724 and 7723 in that order.
  for (std::size_t i : {std::size_t{1}, std::size_t{3}, std::size_t{2}}) {
    serialNumber.push_back(CodeToDigit(s[i] >> 4));
    serialNumber.push_back(CodeToDigit(s[i] & 0x0F));
  }
}

void IdentityArea::StoreToImage(RadioImage& img) const {
  const int v = std::clamp(firmwareVersion, 0, 9999);
  img[0] = static_cast<std::uint8_t>((v / 1000) << 4 | (v / 100 % 10));
  img[1] = static_cast<std::uint8_t>((v / 10 % 10) << 4 | (v % 10));

  auto at = [](const std::string& s, std::size_t i) { return i < s.size() ? s[i] : '0'; };
  auto pair = [&](const std::string& s, std::size_t i) {
    return static_cast<std::uint8_t>(DigitToCode(at(s, i)) << 4 | DigitToCode(at(s, i + 1)));
  };
  img[off::kMarketApplication] = pair(marketApplication, 0);
  img[off::kMarketApplication + 1] = pair(marketApplication, 2);

  char letter = at(serialNumber, 1);
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  const int letterCode = std::clamp(letter - 'B', 0, 15);
  std::uint8_t* s = img.data() + off::kSerialNumber;
  s[0] = static_cast<std::uint8_t>(DigitToCode(at(serialNumber, 0)) << 4 | letterCode);
  s[1] = pair(serialNumber, 2);
  s[3] = pair(serialNumber, 4);
  s[2] = pair(serialNumber, 6);
}

std::string IdentityArea::FirmwareText() const {
  return Format("%-d.%2.2d", firmwareVersion / 100, firmwareVersion % 100);
}

// ---------------------------------------------------------------------------------------------
// HardwareArea

void HardwareArea::SetDefaults() {
  block.fill(0);
  model = 1;
  firstIf = 44250;
  sqlAttack = 4;
  sqlHysteresis = 12;
  ctcssRelease = 0;
  rxSaveOff = 0;
  temperatureTable = 0;
  ApplyBandDefaults(false);
  SetRefOscMHz(14.6);
}

void HardwareArea::ApplyBandDefaults(bool uhf) {
  // The reference oscillator's counts stay as stored: only the band index changes under them.
  frequencyRange = uhf ? 4 : 1;
  bandIndex = uhf ? 2 : 1;
  injection = uhf ? 0 : 1;
  minFreq = uhf ? 4500 : 1460;
  maxFreq = uhf ? 4900 : 1740;
  sqlRelease = uhf ? 4 : 6;
}

double HardwareArea::RefOscMHz() const {
  return static_cast<double>(std::uint64_t{refOscA} * StepHz(0, bandIndex)) / 1e6;
}

void HardwareArea::SetRefOscMHz(double mhz) {
  double hzD = std::floor(mhz * 1e6);
  if (!(hzD > 0.0)) hzD = 0.0;
  hzD = std::min(hzD, 1e12);
  auto hz = static_cast<std::uint64_t>(hzD);
  // Each copy has 14 bits. A frequency beyond what the first copy can count in the band's steps
  // is held at the largest one it can count, instead of wrapping round to an unrelated frequency
  // (step B is never smaller than step A, so the second copy then fits as well).
  hz = std::min<std::uint64_t>(hz, std::uint64_t{0x3FFF} * StepHz(0, bandIndex));
  refOscA = static_cast<unsigned>((hz / StepHz(0, bandIndex)) & 0x3FFF);
  refOscB = static_cast<unsigned>((hz / StepHz(1, bandIndex)) & 0x3FFF);
}

void HardwareArea::LoadFromImage(const RadioImage& img) {
  std::copy_n(img.begin() + off::kHardwareConfig, kBlockSize, block.begin());
  model = GetBit(img, 7667, 0);
  bandIndex = static_cast<int>(GetField(img, 7668, 6, 2));
  refOscA = (GetField(img, 7668, 0, 6) << 8) | img[7669];
  injection = GetBit(img, 7670, 7);
  refOscB = (GetField(img, 7670, 0, 6) << 8) | img[7671];
  minFreq = GetU16(img, 7672);
  maxFreq = GetU16(img, 7674);
  firstIf = GetU16(img, 7676);
  sqlRelease = static_cast<int>(GetField(img, 7686, 0, 3));
  sqlAttack = static_cast<int>(GetField(img, 7687, 4, 4));
  sqlHysteresis = static_cast<int>(GetField(img, 7687, 0, 4));
  rxSaveOff = static_cast<int>(GetField(img, 4, 5, 2));
  ctcssRelease = GetBit(img, 3, 7);
  // The range code is not in the image; keep it within the loaded band's list.
  const bool uhf = IsUhfBand(bandIndex);
  const bool rangeIsUhf = frequencyRange >= 2;
  if (uhf != rangeIsUhf) frequencyRange = uhf ? 4 : 1;
}

void HardwareArea::StoreToImage(RadioImage& img) const {
  // The raw block first, without the front-keypad bits of byte 7667 that another area owns.
  const std::uint8_t keypad = img[7667] & 0x06;
  std::copy(block.begin(), block.end(), img.begin() + off::kHardwareConfig);
  img[7667] = static_cast<std::uint8_t>((img[7667] & ~0x06) | keypad);

  PutBit(img, 7667, 0, model != 0);
  PutField(img, 7668, 6, 2, static_cast<unsigned>(bandIndex));
  PutField(img, 7668, 0, 6, refOscA >> 8);
  img[7669] = static_cast<std::uint8_t>(refOscA & 0xFF);
  PutBit(img, 7670, 7, injection != 0);
  PutField(img, 7670, 0, 6, refOscB >> 8);
  img[7671] = static_cast<std::uint8_t>(refOscB & 0xFF);
  PutU16(img, 7672, minFreq);
  PutU16(img, 7674, maxFreq);
  PutU16(img, 7676, firstIf);
  PutField(img, 7686, 0, 3, static_cast<unsigned>(sqlRelease));
  img[7687] = static_cast<std::uint8_t>((sqlAttack & 0x0F) << 4 | (sqlHysteresis & 0x0F));
  PutField(img, 4, 5, 2, static_cast<unsigned>(rxSaveOff));
  PutBit(img, 3, 7, ctcssRelease != 0);
}

}  // namespace kp53
