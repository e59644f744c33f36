// One instance of every on-demand area: what NormalizeImage reads and stores back, and what the
// configuration text edits.
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

struct OnDemandAreas {
  ScanArea scan;
  KeyFunctionArea keys;
  DtmfParams dtmf;
  TwoToneParams twoToneParams;
  TwoToneTable twoToneTable;
  TwoToneSystemTable twoToneSystems;
  TwoToneEncode twoToneEncode;
  FiveToneGeneral fiveToneGeneral;
  FiveToneFormatTiming formatTiming;
  FiveToneSystemTable fiveToneSystems;
  FiveToneDecodeTable decode;
  FiveToneEncodeTable encode;
  FiveToneUserTones userTones;
  EmergencyArea emergency;
  CommonOptionsArea options;
  PagingParams paging;

  // Every area read from `img`, both signalling systems' included.
  void LoadAllFromImage(const RadioImage& img);
};

}  // namespace kp53
