// The common parameters spread over the packed option bytes: power saving, miscellaneous, option
// board and recorder, power-on tag and password, and the front keypad of byte 7667.
#pragma once

#include <string>

#include "image/radio_image.h"

namespace kp53 {

// List fields hold the item index of their list (text/choice_texts.h).
class CommonOptionsArea {
 public:
  static constexpr int kOptionDummy = 0;
  static constexpr int kOptionScb31 = 1;
  static constexpr int kOptionOmnitrunk = 2;
  static constexpr int kOptionVru8 = 5;
  static constexpr int kOptionVmu140 = 6;

  // Power saving.
  std::string powerOnTag = "SELFTEST";  // bytes 145-152, six-bit text
  int transmitTimer = 1;       // byte 3 bits 6-4
  int penaltyTimer = 0;        // byte 3 bits 3-2
  int releaseTimer = 1;        // byte 3 bits 1-0
  int receiveSaveMode = 0;     // byte 4 bits 2-0
  int micGain = 0;             // byte 7 bits 7-6
  int lowBatteryAlert = 0;     // byte 125 bits 5-4
  // Miscellaneous.
  int powerOnCondition = 0;    // byte 2 bits 1-0
  int beep = 1;                // byte 4 bit 7
  int squelchTailElim = 3;     // byte 5 bits 6-5
  int bell = 0;                // byte 7 bit 5
  int ledLighting = 1;         // byte 5 bit 7
  int lcdLightingMode = 1;     // byte 4 bit 3
  int setToSetClone = 1;       // byte 4 bit 4
  int externalJack = 0;        // byte 5 bit 4
  int keyHoldingTime = 0;      // byte 6 bit 7
  int artsBeep = 0;            // byte 8 bit 7
  // Option.
  int optionBoard = 0;         // byte 125 bits 3-0
  int recordMode = 0;          // byte 128 bit 2
  int playMode = 0;            // byte 128 bit 1
  int powerOnRecord = 0;       // byte 128 bit 0
  // Power-on password.
  int passwordEnabled = 0;     // byte 7712 bit 0
  std::string password;        // bytes 7713-7714, 4 digit codes; empty stores "0000"
  // Hardware.
  int frontKeypad = 2;         // byte 7667 bits 2-1: "None  ", "4 Key ", "16 Key"

  void SetDefaults() { *this = CommonOptionsArea{}; }
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

}  // namespace kp53
