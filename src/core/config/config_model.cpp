#include "config/config_model.h"

namespace kp53::config {

void ConfigModel::Load(const RadioImage& image, double split) {
  data.image = image;
  data.defaultSplit = split;
  ReloadAreas(data);
  LoadAreas();
}

void ConfigModel::LoadAreas() { LoadAllFromImage(data.image); }

void ConfigModel::StoreAreas() {
  RadioImage& img = data.image;
  data.signaling.StoreToImage(img);
  scan.StoreToImage(img);
  keys.StoreToImage(img);
  dtmf.StoreToImage(img);
  twoToneTable.StoreToImage(img);
  if (data.signaling.IsFiveTone()) {
    fiveToneGeneral.StoreToImage(img);
    formatTiming.StoreToImage(img);
    fiveToneSystems.StoreToImage(img);
    decode.StoreToImage(img);
    encode.StoreToImage(img);
  } else {
    twoToneParams.StoreToImage(img);
    twoToneSystems.StoreToImage(img);
    twoToneEncode.StoreToImage(img);
  }
  userTones.StoreToImage(img);
  emergency.StoreToImage(img);
  options.StoreToImage(img);
  paging.StoreToImage(img);
  data.identity.StoreToImage(img);
}

void ConfigModel::Finish() {
  StoreAreas();
  NormalizeImage(data);
  ReloadAreas(data);
  LoadAreas();
}

}  // namespace kp53::config
