// The parameter records that pages 1 to 4 of the report print, copied from the image when the
// report is made.
#pragma once

#include "image/common_options_area.h"
#include "image/dtmf_area.h"
#include "image/emergency_area.h"
#include "image/five_tone_areas.h"
#include "image/key_function_area.h"
#include "image/paging_area.h"
#include "image/radio_image.h"
#include "image/scan_area.h"
#include "image/two_tone_areas.h"

namespace kp53 {

struct ReportRecords {
  ScanArea scan;
  CommonOptionsArea options;
  KeyFunctionArea keys;
  EmergencyArea emergency;
  DtmfParams dtmf;
  PagingParams paging;
  TwoToneParams twoToneParams;
  TwoToneTable twoToneTable;
  TwoToneSystemTable twoToneSystems;
  TwoToneEncode twoToneEncode;
  FiveToneGeneral fiveToneGeneral;
  FiveToneFormatTiming fiveToneTiming;
  FiveToneUserTones userTones;
  FiveToneSystemTable fiveToneSystems;
  FiveToneDecodeTable fiveToneDecode;
  FiveToneEncodeTable fiveToneEncode;

  void LoadFromImage(const RadioImage& img);
};

}  // namespace kp53
