// The 2-tone signalling areas: parameters (byte 5 bits 3-0, byte 7 bit 1, 7571-7573), the table of
// ten tone pairs (7574-7613), sixteen systems (7614-7629) and the encode setting (7568-7570).
#pragma once

#include <array>

#include "image/radio_image.h"

namespace kp53 {

// List fields hold the item index of their list (text/choice_texts.h).
class TwoToneParams {
 public:
  int autoResetTime = 3;       // byte 5 bits 3-0 (shared with the 5-tone general parameters)
  int autoResetBeep = 0;       // byte 7 bit 1 (shared with the 5-tone general parameters)
  int primaryGroupCall = 0;    // 7571 bits 7-6
  int secondaryGroupCall = 0;  // 7571 bits 5-4
  int callBeepTone = 1;        // 7571 bits 3-1
  int beepMode = 0;            // 7571 bit 0
  int secondaryPagePair = 0;   // 7572 bits 7-4, "Pair#1" = 0
  int complement = 0;          // 7572 bit 3
  int duty = 0;                // 7572 bit 2
  int beepRepeatTime = 10;     // 7573, seconds

  void SetDefaults() { *this = TwoToneParams{}; }
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

class TwoToneTable {
 public:
  static constexpr int kPairCount = 10;
  static constexpr int kMinTone = 2885;   // tenths of a hertz
  static constexpr int kMaxTone = 30000;

  struct Pair {
    int first = kMinTone;   // tenths of a hertz
    int second = kMinTone;
  };
  std::array<Pair, kPairCount> pairs{};

  void SetDefaults() { *this = TwoToneTable{}; }
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

struct TwoToneSystem {
  int primaryPair = 0;     // 0 none, 1 to 10: bit 3 set and bits 7-4 = pair - 1
  bool secondary = false;  // bit 2
  bool autoReset = true;   // bit 1

  std::uint8_t Encode() const;
  static TwoToneSystem Decode(std::uint8_t byte);
};

class TwoToneSystemTable {
 public:
  static constexpr int kSystemCount = 16;
  std::array<TwoToneSystem, kSystemCount> systems{};
  int current = 0;  // the system under the grid cursor

  // The defaults a switch to 2-tone writes: no primary pair, secondary off, auto reset on. A new
  // image does not use them: its system bytes stay zero.
  void SetDefaults() { *this = TwoToneSystemTable{}; }
  void LoadFromImage(const RadioImage& img);
  // Writes the whole byte of each system; bit 0 belongs to no field and becomes 0.
  void StoreToImage(RadioImage& img) const;
};

class TwoToneEncode {
 public:
  int encodeType = 0;     // 7568 bits 7-6
  int formatPair = 0;     // 7568 bits 3-0, "Pair#1" = 0
  int period1 = 10;       // 7569, tenths of a second
  int period2 = 30;       // 7570, tenths of a second

  void SetDefaults() { *this = TwoToneEncode{}; }
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

}  // namespace kp53
