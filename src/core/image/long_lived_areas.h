// The three small long-lived areas that the document keeps beside the channel table: the identity
// fields, the signalling-system bit and the hardware configuration with the alignment data.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "image/codecs.h"
#include "image/radio_image.h"

namespace kp53 {

// Firmware version, market application and serial number.
class IdentityArea {
 public:
  int firmwareVersion = 200;              // four BCD digits as a number; 200 shows as "2.00"
  std::string marketApplication = "0000"; // 4 characters of the digit alphabet
  std::string serialNumber = "1C010001";  // digit, letter "B".."Q", six digits

  void SetDefaults();
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;

  // "%-d.%2.2d" of the version divided by 100 and its remainder: 200 -> "2.00".
  std::string FirmwareText() const;
};

// Byte 7 bit 0: 1 = 5-tone, 0 = 2-tone selective calling.
class SignalingSystemArea {
 public:
  static constexpr int kTwoTone = 0;
  static constexpr int kFiveTone = 1;
  int system = kFiveTone;

  void SetDefaults() { system = kFiveTone; }
  void LoadFromImage(const RadioImage& img) { system = GetBit(img, 7, 0) ? kFiveTone : kTwoTone; }
  void StoreToImage(RadioImage& img) const { PutBit(img, 7, 0, system == kFiveTone); }
  bool IsFiveTone() const { return system == kFiveTone; }
};

// The hardware configuration (bytes 7667-7677, compared with the radio before a Download), the
// alignment data (7678-7711) and two hardware bits among the packed option bytes.
//
// The area owns the whole block 7667-7711 except the front-keypad bits of byte 7667: bits that no
// field below names are carried as read, because they belong to the radio and a Download refuses
// to write when the configuration differs from the radio's.
class HardwareArea {
 public:
  static constexpr std::size_t kBlockSize = 45;  // 7667..7711

  int model = 1;            // byte 7667 bit 0: 0 "HT-610 Series", 1 "HT-620 Series"
  int bandIndex = 1;        // byte 7668 bits 7-6
  unsigned refOscA = 0;     // 14 bits, units of step table A (7668 bits 5-0, 7669)
  unsigned refOscB = 0;     // 14 bits, units of step table B (7670 bits 5-0, 7671)
  int injection = 1;        // byte 7670 bit 7: 0 Lower, 1 Upper
  unsigned minFreq = 1460;  // 7672-7673, units of 0.1 MHz
  unsigned maxFreq = 1740;  // 7674-7675, units of 0.1 MHz
  unsigned firstIf = 44250; // 7676-7677, kHz
  int sqlRelease = 6;       // 7686 bits 2-0, index of 0, 40, ..., 280 ms
  int sqlAttack = 4;        // 7687 bits 7-4, index of 0, 5, ..., 75 ms
  int sqlHysteresis = 12;   // 7687 bits 3-0
  int rxSaveOff = 0;        // byte 4 bits 6-5: 100, 200, 300, 400 ms
  int ctcssRelease = 0;     // byte 3 bit 7: 0 "500 ms", 1 "200 ms"
  int frequencyRange = 1;   // not in the image; range code of the band's list
  int temperatureTable = 0; // not in the image
  std::array<std::uint8_t, kBlockSize> block{};  // raw 7667..7711 under the fields above

  HardwareArea() { SetDefaults(); }
  void SetDefaults();
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;

  // The band defaults of the VHF (uhf = false) or UHF family: range code, band index, injection
  // side, band limits and squelch release time.
  void ApplyBandDefaults(bool uhf);

  bool IsUhf() const { return IsUhfBand(bandIndex); }
  double MinMHz() const { return minFreq / 10.0; }
  double MaxMHz() const { return maxFreq / 10.0; }
  double FirstIfMHz() const { return firstIf / 1000.0; }
  double RefOscMHz() const;
  // Stores both copies: hertz (fraction dropped) divided by each table's step. A frequency the
  // 14-bit first copy cannot count is held at the largest one it can.
  void SetRefOscMHz(double mhz);
  std::uint8_t AlignmentByte(std::size_t imageOffset) const { return block[imageOffset - off::kHardwareConfig]; }
};

}  // namespace kp53
