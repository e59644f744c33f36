// The whole configuration as the text form sees it: the image with its long-lived areas and one
// instance of every other area, loaded from the image and stored back into it.
#pragma once

#include "image/common_options_area.h"
#include "image/dtmf_area.h"
#include "image/emergency_area.h"
#include "image/five_tone_areas.h"
#include "image/key_function_area.h"
#include "image/paging_area.h"
#include "image/radio_data.h"
#include "image/scan_area.h"
#include "image/two_tone_areas.h"

namespace kp53::config {

struct ConfigModel {
  RadioData data;
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
  // While the text enters a channel's fields the channel is in use (the grid edits only those);
  // its own state is kept here.
  int heldChannel = -1;
  int heldEnabled = 1;

  // Loads every area from `image` and `split` as opening a file does.
  void Load(const RadioImage& image, double split);
  // The areas kept beside the image, read from it again.
  void LoadAreas();
  // Those areas written into the image: the selected signalling system's areas only, since the
  // two systems share bits.
  void StoreAreas();
  // Runs a rule that works on the image: the areas go in first and are read back after.
  template <typename F>
  void WithImage(F f) {
    StoreAreas();
    f();
    LoadAreas();
  }
  // Stores every area, normalises the image and reads it back: the image a save would write.
  void Finish();
};

}  // namespace kp53::config
