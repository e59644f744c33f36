// The DTMF block: ANI transmit, delay, speed, pause time and pause code, ten speed-dial codes, the
// ANI code and the emergency code.
#pragma once

#include <array>
#include <string>

#include "image/radio_image.h"

namespace kp53 {

class DtmfParams {
 public:
  static constexpr int kSpeedDialCount = 10;
  static constexpr std::size_t kMaxCodeDigits = 15;

  int aniTransmit = 0;  // byte 8 bit 4: "PTT Pressed", "PTT Released"
  int delay = 1;        // byte 8 bits 3-2: kDtmfDelays
  int speed = 2;        // byte 8 bits 1-0: kDtmfSpeeds
  int pauseTime = 2;    // byte 128 bits 7-5: kDtmfPauseTimes
  std::string pauseCode;  // 0 or 1 digit: byte 2 bit 3 (present) and bits 7-4
  std::array<std::string, kSpeedDialCount> speedDial;  // 8 bytes each from byte 9
  std::string aniCode;        // 7630-7637
  std::string emergencyCode;  // 7638-7645

  void SetDefaults() { *this = DtmfParams{}; }
  void LoadFromImage(const RadioImage& img);
  // A code field rewrites only its count byte and the bytes its digits need; an empty code writes
  // 0x0F into the count byte alone.
  void StoreToImage(RadioImage& img) const;
};

}  // namespace kp53
