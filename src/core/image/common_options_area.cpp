#include "image/common_options_area.h"

#include "image/codecs.h"

namespace kp53 {

namespace {
constexpr std::size_t kPasswordDigits = off::kPassword + 1;
}  // namespace

void CommonOptionsArea::LoadFromImage(const RadioImage& img) {
  powerOnTag = DecodeText6(Bytes<8>(img, off::kPowerOnTag));
  transmitTimer = static_cast<int>(GetField(img, 3, 4, 3));
  penaltyTimer = static_cast<int>(GetField(img, 3, 2, 2));
  releaseTimer = static_cast<int>(GetField(img, 3, 0, 2));
  receiveSaveMode = static_cast<int>(GetField(img, 4, 0, 3));
  micGain = static_cast<int>(GetField(img, 7, 6, 2));
  lowBatteryAlert = static_cast<int>(GetField(img, off::kCommonOptions, 4, 2));

  powerOnCondition = static_cast<int>(GetField(img, 2, 0, 2));
  beep = GetBit(img, 4, 7);
  squelchTailElim = static_cast<int>(GetField(img, 5, 5, 2));
  bell = GetBit(img, 7, 5);
  ledLighting = GetBit(img, 5, 7);
  lcdLightingMode = GetBit(img, 4, 3);
  setToSetClone = GetBit(img, 4, 4);
  externalJack = GetBit(img, 5, 4);
  keyHoldingTime = GetBit(img, 6, 7);
  artsBeep = GetBit(img, 8, 7);

  optionBoard = static_cast<int>(GetField(img, off::kCommonOptions, 0, 4));
  recordMode = GetBit(img, 128, 2);
  playMode = GetBit(img, 128, 1);
  powerOnRecord = GetBit(img, 128, 0);

  passwordEnabled = GetBit(img, off::kPassword, 0);
  password.clear();
  for (std::size_t i = 0; i < 2; ++i) {
    password.push_back(CodeToDigit(img[kPasswordDigits + i] >> 4));
    password.push_back(CodeToDigit(img[kPasswordDigits + i] & 0x0F));
  }

  frontKeypad = static_cast<int>(GetField(img, off::kHardwareConfig, 1, 2));
}

void CommonOptionsArea::StoreToImage(RadioImage& img) const {
  auto u = [](int v) { return static_cast<unsigned>(v); };
  EncodeText6(powerOnTag, Bytes<8>(img, off::kPowerOnTag));
  PutField(img, 3, 4, 3, u(transmitTimer));
  PutField(img, 3, 2, 2, u(penaltyTimer));
  PutField(img, 3, 0, 2, u(releaseTimer));
  PutField(img, 4, 0, 3, u(receiveSaveMode));
  PutField(img, 7, 6, 2, u(micGain));
  PutField(img, off::kCommonOptions, 4, 2, u(lowBatteryAlert));

  PutField(img, 2, 0, 2, u(powerOnCondition));
  PutBit(img, 4, 7, beep != 0);
  PutField(img, 5, 5, 2, u(squelchTailElim));
  PutBit(img, 7, 5, bell != 0);
  PutBit(img, 5, 7, ledLighting != 0);
  PutBit(img, 4, 3, lcdLightingMode != 0);
  PutBit(img, 4, 4, setToSetClone != 0);
  PutBit(img, 5, 4, externalJack != 0);
  PutBit(img, 6, 7, keyHoldingTime != 0);
  PutBit(img, 8, 7, artsBeep != 0);

  PutField(img, off::kCommonOptions, 0, 4, u(optionBoard));
  PutBit(img, 128, 2, recordMode != 0);
  PutBit(img, 128, 1, playMode != 0);
  PutBit(img, 128, 0, powerOnRecord != 0);

  PutBit(img, off::kPassword, 0, passwordEnabled != 0);
  auto digit = [this](std::size_t i) { return i < password.size() ? DigitToCode(password[i]) : 0; };
  for (std::size_t i = 0; i < 2; ++i)
    img[kPasswordDigits + i] = static_cast<std::uint8_t>(digit(2 * i) << 4 | digit(2 * i + 1));

  PutField(img, off::kHardwareConfig, 1, 2, u(frontKeypad));
}

}  // namespace kp53
