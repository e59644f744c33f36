#include "image/image_rules.h"

#include <algorithm>

#include "image/channel_ranges.h"
#include <span>

#include "image/five_tone_areas.h"
#include "image/key_function_area.h"
#include "image/two_tone_areas.h"
#include "text/choice_texts.h"

namespace kp53 {

bool ChangeSignalingType(RadioData& data, int type) {
  const int newType = type != 0 ? SignalingSystemArea::kFiveTone : SignalingSystemArea::kTwoTone;
  if (newType == data.signaling.system) return false;
  RadioImage& img = data.image;
  data.signaling.system = newType;
  data.signaling.StoreToImage(img);
  data.channels.ClearSignalling(img);

  if (newType == SignalingSystemArea::kTwoTone) {
    TwoToneParams params;
    params.StoreToImage(img);
    TwoToneSystemTable systems;
    systems.StoreToImage(img);
    TwoToneEncode encode;
    encode.StoreToImage(img);
  } else {
    FiveToneGeneral general;
    general.StoreToImage(img);
    FiveToneFormatTiming timing;
    timing.StoreToImage(img);
    FiveToneSystemTable systems;
    systems.StoreToImage(img);
    FiveToneDecodeTable decode;
    decode.StoreToImage(img);
    FiveToneEncodeTable encode;
    encode.StoreToImage(img);
  }
  return true;
}

unsigned SignalingMenuMask(int type) { return type != 0 ? 0x1FE1u : 0x181Fu; }

void ChangeOptionBoard(RadioData& data, CommonOptionsArea& options, int newBoard) {
  const int oldBoard = options.optionBoard;
  options.optionBoard = newBoard;
  bool changed = false;
  if (newBoard != CommonOptionsArea::kOptionScb31) {
    for (auto& e : data.channels.entries) {
      if (e.signalType != 2) continue;
      e.signalType = 0;
      e.signalNo = 0;
      changed = true;
    }
  }
  if (oldBoard == CommonOptionsArea::kOptionVmu140 && newBoard != CommonOptionsArea::kOptionVmu140) {
    for (auto& e : data.channels.entries) {
      e.signalType = 0;
      e.signalNo = 0;
    }
    changed = true;
  }
  if (changed) data.channels.StoreToImage(data.image, data.hardware);
}

bool RecorderFieldsEnabled(int optionBoard) { return optionBoard == CommonOptionsArea::kOptionVru8; }

bool PagingEnabled(int optionBoard) { return optionBoard == CommonOptionsArea::kOptionScb31; }

void ApplyOptionOk(RadioData& data, const CommonOptionsArea& options) {
  options.StoreToImage(data.image);
  if (options.optionBoard == CommonOptionsArea::kOptionOmnitrunk) return;
  for (auto& type : data.channels.groupSystemType) type = 0;
  data.channels.StoreToImage(data.image, data.hardware);
}

void ApplyModelChange(HardwareArea& hardware, CommonOptionsArea& options, int model) {
  hardware.model = model != 0 ? 1 : 0;
  options.frontKeypad = hardware.model ? 2 : 0;
}

void ApplyBandDefaults(RadioData& data, bool uhf) {
  data.hardware.ApplyBandDefaults(uhf);
  data.defaultSplit = 0.0;
}

void ResetChannelsForBand(RadioData& data, bool uhf) {
  data.channels.EnableAll();
  data.channels.ResetFrequencies(uhf);
}

void ApplyHardwareOk(RadioData& data, const CommonOptionsArea& options, double defaultSplit) {
  RadioImage& img = data.image;
  options.StoreToImage(img);
  data.defaultSplit = defaultSplit;
  if (data.hardware.model == 0) {
    KeyFunctionArea keys;
    keys.LoadFromImage(img);
    keys.ClearAbcdKeys();
    keys.StoreToImage(img);

    CommonOptionsArea stored;
    stored.LoadFromImage(img);
    stored.keyHoldingTime = 0;
    stored.StoreToImage(img);

    FiveToneGeneral general;
    general.LoadFromImage(img);
    general.aniDisplay = false;
    general.tagDisplay = false;
    general.displayDigits.fill(false);
    general.StoreToImage(img);
  }
  NormalizeImage(data);
}

namespace {
std::span<const int> RangeCodes(bool uhf) {
  if (uhf) return text::kUhfRangeCodes;
  return text::kVhfRangeCodes;
}
}  // namespace

int RangeCodeOfItem(bool uhf, int item) {
  const auto codes = RangeCodes(uhf);
  if (item < 0 || item >= static_cast<int>(codes.size())) return -1;
  return codes[static_cast<std::size_t>(item)];
}

int RangeItemOfCode(bool uhf, int code) {
  const auto codes = RangeCodes(uhf);
  const auto it = std::find(codes.begin(), codes.end(), code);
  return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
}

int StepItemOfBandIndex(int bandIndex) { return IsUhfBand(bandIndex) ? bandIndex - 2 : bandIndex; }

int BandIndexOfStepItem(bool uhf, int item) { return item + (uhf ? 2 : 0); }

std::vector<ChoiceItem> SquelchTailItems(int storedCode) {
  std::vector<ChoiceItem> items;
  for (int code = 0; code < 4; ++code) {
    if (code == 2 && storedCode != 2) continue;
    items.push_back({std::string(text::kSquelchTailElim[code]), code});
  }
  return items;
}

std::vector<std::string> EmergencyChannelItems(const ChannelTable& channels) {
  std::vector<std::string> items(std::begin(text::kEmergencyChannelFixed), std::end(text::kEmergencyChannelFixed));
  for (int n = 1; n <= channels.totalAllocated && n <= kChannelCount; ++n) items.push_back(text::EmergencyChannelItem(n));
  return items;
}

std::vector<std::string> EmergencyChannelChoices(const ChannelTable& channels) {
  std::vector<std::string> items = EmergencyChannelItems(channels);
  const std::size_t fixed = std::size(text::kEmergencyChannelFixed);
  for (std::size_t i = fixed; i < items.size(); ++i) {
    const int index = static_cast<int>(i - fixed);
    std::string tag = channels.Entry(index).tag;
    while (!tag.empty() && tag.back() == ' ') tag.pop_back();
    const std::size_t start = tag.find_first_not_of(' ');
    if (start == std::string::npos || channels.Entry(index).tag == DefaultChannelTag(index + 1)) continue;
    items[i] += " " + tag.substr(start);
  }
  return items;
}

}  // namespace kp53
