#include "image/scan_area.h"

namespace kp53 {

void ScanArea::LoadFromImage(const RadioImage& img) {
  resumeTime1 = static_cast<int>(GetField(img, off::kScanParams, 4, 4));
  resumeTime2 = static_cast<int>(GetField(img, off::kScanParams, 0, 4));
  dualWatch = GetBit(img, 6, 5);
  dualWatchTimer = GetBit(img, 6, 3);
  talkBack = GetBit(img, 6, 2);
  revertChannel = static_cast<int>(GetField(img, 6, 0, 2));
  scanSpeed = GetBit(img, 7, 2);
  groupScan = GetBit(img, 7, 3);
}

void ScanArea::StoreToImage(RadioImage& img) const {
  PutField(img, off::kScanParams, 4, 4, static_cast<unsigned>(resumeTime1));
  PutField(img, off::kScanParams, 0, 4, static_cast<unsigned>(resumeTime2));
  PutBit(img, 6, 5, dualWatch != 0);
  PutBit(img, 6, 3, dualWatchTimer != 0);
  PutBit(img, 6, 2, talkBack != 0);
  PutField(img, 6, 0, 2, static_cast<unsigned>(revertChannel));
  PutBit(img, 7, 2, scanSpeed != 0);
  PutBit(img, 7, 3, groupScan != 0);
}

}  // namespace kp53
