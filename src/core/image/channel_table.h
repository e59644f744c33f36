// The decoded channel model: 256 channels distributed over 16 groups, with group tags, system
// types, scan flags and the priority channel. The grid edits this model; the image catches up when
// the model is stored.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "image/codecs.h"
#include "image/long_lived_areas.h"
#include "image/radio_image.h"

namespace kp53 {

// The group that holds channel record `index` when the groups hold `sizes` consecutive channels in
// group order; kGroupCount when no group holds it.
int GroupHolding(std::span<const std::uint8_t, kGroupCount> sizes, int index);

struct ChannelEntry {
  std::string tag;             // 8 characters, blank-padded
  double rxFreq = 150.0;       // MHz
  double txFreq = 150.0;       // MHz
  bool txOff = false;          // transmit inhibited
  int bandwidth = 0;           // 0 "W5", 1 "W4", 2 "N"
  int rxStep = 0;              // step selector of rxFreq
  int txStep = 0;              // step selector of txFreq
  bool rxPowerSave = false;
  bool txPowerSave = false;
  int txToneType = kToneNone;  // encode sub-audio: 0 none, 1 CTCSS, 2 DCS
  int rxToneType = kToneNone;  // decode sub-audio
  bool txDcsInverted = false;
  bool rxDcsInverted = false;
  bool rxDcsBoth = false;
  double txCtcss = 0;          // tenths of a hertz
  double rxCtcss = 0;
  double txDcs = 0;            // octal digits read as decimal: 23 = code 023
  double rxDcs = 0;
  int savedTxToneType = kToneNone;
  int savedRxToneType = kToneNone;
  bool arts = false;
  int power = 0;               // 0 high "H", 1 low "L"
  bool tot = false;
  int lockout = 0;             // 0 "--", 1 "BC", 2 "BT"; a file may hold 3
  bool xtal = false;
  int signalNo = 0;            // 0 = none
  int signalType = 0;          // 0 disabled, 1 "Signal", 2 "Page", 3 "Option"
  int squelch = 4;
  int enabled = 1;             // bit 0: channel in use
  int index = 0;
  int scan = 1;                // bit 0 is the flag
  std::array<std::uint8_t, 5> tuning{};  // record bytes 12..16
  std::uint8_t encryptHigh = 0;
  std::uint8_t compander = 0;
  std::uint8_t rxBit16 = 0;    // copies of the frequency numbers' bit 16 as read
  std::uint8_t txBit16 = 0;
  std::uint8_t dtmfAni = 0;
  std::uint8_t encryptLow = 0;

  int Encryption() const { return (encryptHigh & 1) * 2 + (encryptLow & 1); }
  void SetEncryption(int code) {
    encryptHigh = static_cast<std::uint8_t>((code >> 1) & 1);
    encryptLow = static_cast<std::uint8_t>(code & 1);
  }
  SubAudio TxTone() const;
  SubAudio RxTone() const;
};

class ChannelTable {
 public:
  static constexpr int maxGroupSize = 128;
  static constexpr int maxChannels = kChannelCount;
  static constexpr int groupCount = kGroupCount;

  int totalAllocated = 256;
  std::array<ChannelEntry, kChannelCount> entries;
  int groupFirst = 1;       // 1-based number of the current group's first channel
  int groupLast = 256;      // 1-based number of its last channel (groupFirst - 1 when empty)
  int currentChannel = 0;   // absolute index under the grid cursor
  int channelsLeft = 0;
  int currentGroup = 0;
  int priorityChannel = 0;  // 1-based; 0 = none
  std::array<std::uint8_t, kGroupCount> groupSize{};
  std::array<std::string, kGroupCount> groupName;
  std::array<std::string, kGroupCount> groupTag;
  std::array<std::uint8_t, kGroupCount> groupSystemType{};

  ChannelTable();

  void SetDefaults();
  // Decodes the whole model; channel decoding needs the band, IF, injection side and limits.
  void LoadFromImage(const RadioImage& img, const HardwareArea& hw);
  void StoreToImage(RadioImage& img, const HardwareArea& hw);

  // One channel record from or to the image. Encoding recomputes the derived tuning bytes from
  // the frequencies, the band limits and the alignment bytes in the image.
  void DecodeChannel(const RadioImage& img, int index, const HardwareArea& hw);
  void EncodeChannel(RadioImage& img, int index, const HardwareArea& hw);

  void SelectGroup(int g);
  void NextGroup();
  // Group holding absolute index `index`; 16 when no group holds it.
  int GroupOf(int index) const;
  // The group and the position inside it.
  std::pair<int, int> SplitIndex(int index) const;
  // First absolute index of group g.
  int GroupStart(int g) const;
  bool IsEnabled(int index) const { return (entries[static_cast<std::size_t>(index)].enabled & 1) != 0; }
  void EnableAll();
  void ResetFrequencies(bool uhf);
  // Clears every channel's signalling byte (kind, number and DTMF ANI) in the model and in the
  // image, and the 16 2-tone system bytes.
  void ClearSignalling(RadioImage& img);
  // Recomputes totalAllocated and channelsLeft from the group sizes.
  void RecountGroups();
  // Makes currentGroup a non-empty group (wrapping) and sets groupFirst, groupLast and
  // currentChannel from it.
  void NormalizeCurrentGroup();

  ChannelEntry& Entry(int index) { return entries[static_cast<std::size_t>(index)]; }
  const ChannelEntry& Entry(int index) const { return entries[static_cast<std::size_t>(index)]; }
};

// Derived tuning bytes 12..16 of a record: byte 12 from the receive frequency, bytes 13..16 from
// the transmit frequency, with the band limits and the alignment bytes 7688-7701 of the image.
std::array<std::uint8_t, 5> DerivedTuningBytes(const RadioImage& img, double minMHz, double maxMHz,
                                               double rxMHz, double txMHz, int bandwidth);

}  // namespace kp53
