// The scanning parameters: resume times (byte 124) and the scan bits of bytes 6 and 7.
#pragma once

#include "image/radio_image.h"

namespace kp53 {

// Every field is the item index of its list (text/choice_texts.h).
class ScanArea {
 public:
  int resumeTime1 = 3;    // byte 124 bits 7-4, kScanResumeTimes1
  int resumeTime2 = 3;    // byte 124 bits 3-0, kScanResumeTimes2
  int dualWatch = 0;      // byte 6 bit 5
  int dualWatchTimer = 0; // byte 6 bit 3
  int talkBack = 0;       // byte 6 bit 2
  int revertChannel = 0;  // byte 6 bits 1-0
  int scanSpeed = 0;      // byte 7 bit 2
  int groupScan = 0;      // byte 7 bit 3

  void SetDefaults() { *this = ScanArea{}; }
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;
};

}  // namespace kp53
