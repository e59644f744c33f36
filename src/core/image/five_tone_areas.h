// The 5-tone signalling areas: general parameters (6697-6711 and two bits shared with the 2-tone
// parameters), format timing (6712-6735), user tones (6736-6765), 32 systems (6766-6957), 8 decode
// entries with the group entry (6958-7087) and 32 encode entries (7088-7567).
#pragma once

#include <array>
#include <string>

#include "image/radio_image.h"

namespace kp53 {

class FiveToneGeneral {
 public:
  // Delays in units of 10 ms: delay 1 to 4 (6697-6700), first digit (6701), transpond (6702).
  std::array<int, 4> delays{50, 30, 30, 10};
  int firstDigitDelay = 70;
  int transpondDelay = 160;
  std::array<bool, 8> displayDigits{true, true, true, true, true, false, false, false};  // 6703 bit k-1
  int groupTone = 10;    // 6704 bits 7-4, "0 TONE" to "E TONE"
  int repeatTone = 14;   // 6704 bits 3-0
  int delay3Tone = 15;   // 6705 bits 7-4, "0 TONE" to "F TONE"
  bool aniDisplay = false;        // 6705 bit 3
  bool tagDisplay = true;         // 6705 bit 2
  bool clearToTranspond = false;  // 6705 bit 1
  bool pttCall = false;           // 6705 bit 0
  std::array<bool, 8> compareDigits{true, true, true, true, true, false, false, false};  // 6706
  int idDecodeTime = 160;  // 6707, units of 10 ms
  int beepRepeatTime = 5;  // 6708, seconds
  int callKey2 = 31;       // 6709, "ENC NO.1" = 0
  int callKey3 = 30;       // 6710
  int autoTxTime = 60;     // 6711, seconds
  int autoResetTime = 8;   // byte 5 bits 3-0 (shared with the 2-tone parameters)
  int autoResetBeep = 0;   // byte 7 bit 1 (shared with the 2-tone parameters)

  void SetDefaults() { *this = FiveToneGeneral{}; }
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

class FiveToneFormatTiming {
 public:
  static constexpr int kFormatCount = 12;  // ZVEI1 ... NATEL, User
  struct Entry {
    int period = 70;  // milliseconds
    int gap = 42;     // units of 2.5 ms
  };
  std::array<Entry, kFormatCount> formats{};

  FiveToneFormatTiming() { SetDefaults(); }
  void SetDefaults();
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

class FiveToneUserTones {
 public:
  static constexpr int kToneCount = 15;  // "0" to "9", "A" to "E"
  static constexpr int kMinHz = 300;
  static constexpr int kMaxHz = 3000;
  std::array<int, kToneCount> tones{2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830,
                                    2000, 2200, 2800, 810,  970,  885,  2600};

  void SetDefaults() { *this = FiveToneUserTones{}; }
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

struct FiveToneSystem {
  int toneFormat = 0;     // byte 0 bits 7-4
  int monitorSwitch = 3;  // byte 0 bits 3-2: "-----", "Open ", "Close", "Both "
  int channelSwitch = 0;  // byte 1 bits 6-5: "-----", "Open ", "Close"
  bool callSwitch = true; // byte 0 bit 1
  bool pttSwitch = true;  // byte 0 bit 0
  int repeaterCode = 0;   // byte 1: 0 "Disable", 1 to 32 as bit 7 = 1 and bits 4-0 = value - 1
  int callCode = 0;       // byte 2, as the repeater code
  int idCode = 0;         // byte 3, as the repeater code
  int flow = 0;           // byte 2 bits 6-5
  int aniTransmit = 0;    // byte 3 bits 6-5
  bool autoReset = true;  // byte 4 bit 7
  bool compander = false; // byte 4 bit 6
  bool duty = false;      // byte 4 bit 5
  std::array<bool, 8> decode{true, true, true, true, true, true, true, true};  // byte 5 bit k-1

  static constexpr std::size_t kSize = 6;
  void Load(const std::uint8_t* b);
  void Store(std::uint8_t* b) const;
};

class FiveToneSystemTable {
 public:
  static constexpr int kSystemCount = 32;
  std::array<FiveToneSystem, kSystemCount> systems{};
  int current = 0;

  void SetDefaults() { *this = FiveToneSystemTable{}; }
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

struct FiveToneDecodeEntry {
  // 0 "------"; 1 "Sys Call" (byte 0 = 32); 2 to 33 "ENC-1" to "ENC-32" (byte 0 = value - 2);
  // byte 5 bit 7 set for every value but 0.
  int transpond = 0;
  std::string code = "12345   ";  // bytes 1-4, up to 8 digits, blank-padded to 8
  bool id = false;        // byte 5 bit 6
  int ledDisplay = 2;     // byte 5 bits 5-4
  int mode = 1;           // byte 5 bits 3-2
  int scan = 0;           // byte 5 bits 1-0
  bool emergency = false; // byte 6 bit 7
  int beepTone = 1;       // byte 6 bits 6-4
  int beepMode = 0;       // byte 6 bit 3
  int stun = 0;           // byte 6 bits 2-1
  bool autoTx = false;    // byte 6 bit 0
  std::string tag;        // bytes 7-14, six-bit text

  static constexpr std::size_t kSize = 15;
  void Load(const std::uint8_t* b);
  void Store(std::uint8_t* b) const;
  // The group entry (7078-7087): ID, LED, mode and scan in the first byte; emergency, beep tone,
  // beep mode and stun in the second; then the tag. No code, transpond or auto TX.
  void LoadGroup(const std::uint8_t* b);
  void StoreGroup(std::uint8_t* b) const;
};

class FiveToneDecodeTable {
 public:
  static constexpr int kEntryCount = 8;
  std::array<FiveToneDecodeEntry, kEntryCount> entries{};
  FiveToneDecodeEntry group;
  int current = 0;

  FiveToneDecodeTable() { SetDefaults(); }
  void SetDefaults();
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

struct FiveToneEncodeEntry {
  std::string code = "12345   ";  // bytes 1-4; byte 0 holds its digit count
  bool firstExtension = false;    // byte 5 bit 7
  bool sel = true;                // byte 5 bit 6
  bool overwrite = false;         // byte 5 bit 5
  bool beep = false;              // byte 5 bit 4
  bool groupDigit = true;         // byte 5 bit 3
  bool transpondDecode = false;   // byte 5 bit 1
  std::array<bool, 8> inputDigits{false, false, false, true, true, false, false, false};  // byte 6
  std::string tag;                // bytes 7-14

  static constexpr std::size_t kSize = 15;
  void Load(const std::uint8_t* b);
  // Writes the digit count with the code and clears byte 5 bit 2.
  void Store(std::uint8_t* b) const;
};

class FiveToneEncodeTable {
 public:
  static constexpr int kEntryCount = 32;
  std::array<FiveToneEncodeEntry, kEntryCount> entries{};
  int current = 0;

  FiveToneEncodeTable() { SetDefaults(); }
  void SetDefaults();
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

// Repeater, call and ID codes of a system: 0 "Disable" has bit 7 clear; 1 to 32 set bit 7 and put
// value - 1 in bits 4-0. Bits 6-5 belong to another field.
int DecodeSystemCode(std::uint8_t byte);
std::uint8_t EncodeSystemCode(std::uint8_t byte, int value);

}  // namespace kp53
