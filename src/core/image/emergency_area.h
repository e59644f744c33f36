// The emergency parameters, bytes 141-144.
#pragma once

#include "image/radio_image.h"

namespace kp53 {

class ChannelTable;

class EmergencyArea {
 public:
  // The emergency channel as stored: byte 141 bits 7-6 (0 current, 1 priority, 2 a channel),
  // byte 141 bits 3-0 (group of the channel) and byte 142 (record index of the channel).
  int channelKind = 0;
  int channelGroup = 0;
  int channelIndex = 0;
  int rxTime = 7;        // byte 143 bits 7-4, item of kEmergencyRxTimes
  int txTime = 3;        // byte 143 bits 3-0, item of kEmergencyTxTimes
  int silentMode = 0;    // byte 141 bit 5
  int keyDuration = 0;   // byte 141 bit 4
  int loneWorkerTimer = 0;  // byte 144 bits 3-0

  void SetDefaults() { *this = EmergencyArea{}; }
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;

  // The emergency channel value: 0 current channel, 1 priority channel, 2 + n channel record n.
  // Read as the kind when the kind is 0 or 1, otherwise the kind plus the record index.
  int ChannelValue() const;
  // Sets the value; a channel value records the group that holds the record in `channels`.
  void SetChannelValue(int value, const ChannelTable& channels);
};

}  // namespace kp53
