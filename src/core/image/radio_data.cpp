#include "image/radio_data.h"

#include <algorithm>

#include "image/on_demand_areas.h"

namespace kp53 {

namespace {


// The signalling areas of the selected system, in the order they are loaded and stored: DTMF
// with the 2-tone table (5-tone) or with the 2-tone parameters and table (2-tone), the system's
// own areas, then the user tones, which survive either way.
template <typename F>
void ForEachSignalingArea(OnDemandAreas& a, bool fiveTone, F f) {
  f(a.dtmf);
  if (fiveTone) {
    f(a.twoToneTable);
    f(a.fiveToneGeneral);
    f(a.formatTiming);
    f(a.fiveToneSystems);
    f(a.decode);
    f(a.encode);
  } else {
    f(a.twoToneParams);
    f(a.twoToneTable);
    f(a.twoToneSystems);
    f(a.twoToneEncode);
  }
  f(a.userTones);
}

template <typename Area>
void StoreDefault(RadioImage& img) {
  Area area;
  area.SetDefaults();
  area.StoreToImage(img);
}

// Creates each area, gives it its defaults and stores it, in the order given.
template <typename... Areas>
void StoreDefaults(RadioImage& img) {
  (StoreDefault<Areas>(img), ...);
}

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
  StoreDefaults<ScanArea, DtmfParams, TwoToneParams, TwoToneTable, FiveToneGeneral, FiveToneFormatTiming, FiveToneSystemTable, FiveToneDecodeTable, FiveToneEncodeTable, FiveToneUserTones, EmergencyArea, KeyFunctionArea, CommonOptionsArea, TwoToneEncode, PagingParams>(img);

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

void OnDemandAreas::LoadAllFromImage(const RadioImage& img) {
  scan.LoadFromImage(img);
  keys.LoadFromImage(img);
  dtmf.LoadFromImage(img);
  twoToneParams.LoadFromImage(img);
  twoToneTable.LoadFromImage(img);
  twoToneSystems.LoadFromImage(img);
  twoToneEncode.LoadFromImage(img);
  fiveToneGeneral.LoadFromImage(img);
  formatTiming.LoadFromImage(img);
  fiveToneSystems.LoadFromImage(img);
  decode.LoadFromImage(img);
  encode.LoadFromImage(img);
  userTones.LoadFromImage(img);
  emergency.LoadFromImage(img);
  options.LoadFromImage(img);
  paging.LoadFromImage(img);
}

namespace {
void StoreAllAreas(RadioData& data);
}  // namespace

void NormalizeImage(RadioData& data) {
  StoreAllAreas(data);
  // A model read from a damaged image can hold values its store does not give back as they were
  // (a transmit frequency outside band limits that exclude everything); read what was stored and
  // store it again until the image settles, so that a saved file normalises to itself. The
  // document's own areas keep what they hold.
  RadioData again = data;
  for (int pass = 0; pass < 3; ++pass) {
    ReloadAreas(again);
    StoreAllAreas(again);
    if (again.image == data.image) return;
    data.image = again.image;
  }
}

namespace {

void StoreAllAreas(RadioData& data) {
  RadioImage& img = data.image;
  // The signalling system decides which signalling areas are meaningful. SignalingSystemArea is
  // the master copy of its bit and is stored first, so the result always agrees with its own bit.
  const bool fiveTone = data.signaling.IsFiveTone();

  // 1. Read every on-demand area from the image; the long-lived areas already hold their values.
  OnDemandAreas a;
  a.scan.LoadFromImage(img);
  a.keys.LoadFromImage(img);
  ForEachSignalingArea(a, fiveTone, [&](auto& area) { area.LoadFromImage(img); });
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
  ForEachSignalingArea(a, fiveTone, [&](auto& area) { area.StoreToImage(img); });
  a.emergency.StoreToImage(img);
  a.options.StoreToImage(img);
  data.identity.StoreToImage(img);
  a.paging.StoreToImage(img);

  // 5. The checksum over bytes 2 to 7714.
  StoreChecksum(img);
}

}  // namespace

}  // namespace kp53
