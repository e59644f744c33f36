// The emergency parameters, bytes 141-144.
#pragma once

#include "image/radio_image.h"

namespace kp53 {

class EmergencyArea {
 public:
  // The emergency channel as stored: byte 141 bits 7-6 (0 current, 1 priority, 2 a channel) and
  // byte 142 (record index of the channel). Byte 141 bits 3-0 hold the group of that record; it is
  // not kept here but worked out from the allocation whenever the area is stored, so that a
  // re-allocation never leaves the radio a stale group.
  int channelKind = 0;
  int channelIndex = 0;
  int rxTime = 7;        // byte 143 bits 7-4, item of kEmergencyRxTimes
  int txTime = 3;        // byte 143 bits 3-0, item of kEmergencyTxTimes
  int silentMode = 0;    // byte 141 bit 5
  int keyDuration = 0;   // byte 141 bit 4
  int loneWorkerTimer = 0;  // byte 144 bits 3-0

  void SetDefaults() { *this = EmergencyArea{}; }
  void LoadFromImage(const RadioImage& img);
  // Stores the fields; the group nibble follows the group sizes already in the image (0 for the
  // current and the priority channel).
  void StoreToImage(RadioImage& img) const;

  // The emergency channel value: 0 current channel, 1 priority channel, 2 + n channel record n.
  // Read as the kind when the kind is 0 or 1, otherwise the kind plus the record index.
  int ChannelValue() const;
  void SetChannelValue(int value);
};

}  // namespace kp53
