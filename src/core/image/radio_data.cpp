#include "image/radio_data.h"

#include <algorithm>

#include "image/common_options_area.h"
#include "image/dtmf_area.h"
#include "image/emergency_area.h"
#include "image/five_tone_areas.h"
#include "image/key_function_area.h"
#include "image/paging_area.h"
#include "image/scan_area.h"
#include "image/two_tone_areas.h"

namespace kp53 {

namespace {

// One instance of every on-demand area, as InitImage and NormalizeImage use them.
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
};

}  // namespace

void InitImage(RadioData& data) {
  RadioImage& img = data.image;
  img.fill(0);
  data.defaultSplit = 0.0;

  data.signaling = SignalingSystemArea{};
  data.signaling.SetDefaults();
  data.signaling.StoreToImage(img);

  data.hardware = HardwareArea{};
  data.hardware.SetDefaults();
  data.hardware.StoreToImage(img);

  // The on-demand areas, each with its defaults, in the radio's order. The 2-tone systems have no
  // default here: their bytes stay zero in a new image.
  {
    ScanArea scan;
    scan.SetDefaults();
    scan.StoreToImage(img);
  }
  {
    DtmfParams dtmf;
    dtmf.SetDefaults();
    dtmf.StoreToImage(img);
    TwoToneParams params;
    params.SetDefaults();
    params.StoreToImage(img);
    TwoToneTable table;
    table.SetDefaults();
    table.StoreToImage(img);
  }
  {
    FiveToneGeneral general;
    general.SetDefaults();
    general.StoreToImage(img);
  }
  {
    FiveToneFormatTiming timing;
    timing.SetDefaults();
    timing.StoreToImage(img);
  }
  {
    FiveToneSystemTable systems;
    systems.SetDefaults();
    systems.StoreToImage(img);
  }
  {
    FiveToneDecodeTable decode;
    decode.SetDefaults();
    decode.StoreToImage(img);
  }
  {
    FiveToneEncodeTable encode;
    encode.SetDefaults();
    encode.StoreToImage(img);
  }
  {
    FiveToneUserTones tones;
    tones.SetDefaults();
    tones.StoreToImage(img);
  }
  {
    EmergencyArea emergency;
    emergency.SetDefaults();
    emergency.StoreToImage(img);
  }
  {
    KeyFunctionArea keys;
    keys.SetDefaults();
    keys.StoreToImage(img);
  }
  {
    CommonOptionsArea options;
    options.SetDefaults();
    options.StoreToImage(img);
  }
  {
    TwoToneEncode encode;
    encode.SetDefaults();
    encode.StoreToImage(img);
  }
  {
    PagingParams paging;
    paging.SetDefaults();
    paging.StoreToImage(img);
  }

  data.identity = IdentityArea{};
  data.identity.SetDefaults();
  data.identity.StoreToImage(img);

  data.channels = ChannelTable{};
  data.channels.SetDefaults();
  data.channels.StoreToImage(img, data.hardware);
  for (int i = 0; i < kChannelCount; ++i) data.channels.EncodeChannel(img, i, data.hardware);
}

void ReloadAreas(RadioData& data) {
  data.identity.LoadFromImage(data.image);
  data.signaling.LoadFromImage(data.image);
  data.hardware.LoadFromImage(data.image);
  data.channels.LoadFromImage(data.image, data.hardware);
}

void NormalizeImage(RadioData& data) {
  RadioImage& img = data.image;
  // The signalling system decides which signalling areas are meaningful. SignalingSystemArea is
  // the master copy of its bit and is stored first, so the result always agrees with its own bit.
  const bool fiveTone = data.signaling.IsFiveTone();

  // 1. Read every on-demand area from the image; the long-lived areas already hold their values.
  OnDemandAreas a;
  a.scan.LoadFromImage(img);
  a.keys.LoadFromImage(img);
  a.dtmf.LoadFromImage(img);
  if (fiveTone) {
    a.twoToneTable.LoadFromImage(img);
    a.fiveToneGeneral.LoadFromImage(img);
    a.formatTiming.LoadFromImage(img);
    a.fiveToneSystems.LoadFromImage(img);
    a.decode.LoadFromImage(img);
    a.encode.LoadFromImage(img);
  } else {
    a.twoToneParams.LoadFromImage(img);
    a.twoToneTable.LoadFromImage(img);
    a.twoToneSystems.LoadFromImage(img);
    a.twoToneEncode.LoadFromImage(img);
  }
  a.userTones.LoadFromImage(img);
  a.emergency.LoadFromImage(img);
  a.options.LoadFromImage(img);
  a.paging.LoadFromImage(img);

  // 2. Clear everything but the firmware version, the market application and the factory data.
  std::fill(img.begin() + 2, img.begin() + 7715, std::uint8_t{0});
  std::fill(img.begin() + 7723, img.begin() + 7727, std::uint8_t{0});

  // 3. Store every area back.
  data.signaling.StoreToImage(img);
  data.hardware.StoreToImage(img);
  data.channels.StoreToImage(img, data.hardware);
  a.scan.StoreToImage(img);
  a.keys.StoreToImage(img);
  a.dtmf.StoreToImage(img);
  if (fiveTone) {
    a.twoToneTable.StoreToImage(img);
    a.fiveToneGeneral.StoreToImage(img);
    a.formatTiming.StoreToImage(img);
    a.fiveToneSystems.StoreToImage(img);
    a.decode.StoreToImage(img);
    a.encode.StoreToImage(img);
  } else {
    a.twoToneParams.StoreToImage(img);
    a.twoToneTable.StoreToImage(img);
    a.twoToneSystems.StoreToImage(img);
    a.twoToneEncode.StoreToImage(img);
  }
  a.userTones.StoreToImage(img);
  a.emergency.StoreToImage(img);
  a.options.StoreToImage(img);
  data.identity.StoreToImage(img);
  a.paging.StoreToImage(img);

  // 5. The checksum over bytes 2 to 7714.
  StoreChecksum(img);
}

}  // namespace kp53
