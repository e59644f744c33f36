#include "text/choice_texts.h"

#include "image/codecs.h"

namespace kp53::text {

std::string_view Choice(TextList list, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return {};
  return list[static_cast<std::size_t>(index)];
}

int IndexOf(TextList list, std::string_view text) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i] == text) return static_cast<int>(i);
  return -1;
}

std::string_view FrequencyRangeName(int code) {
  for (std::size_t i = 0; i < std::size(kVhfRangeCodes); ++i)
    if (kVhfRangeCodes[i] == code) return kVhfRanges[i];
  for (std::size_t i = 0; i < std::size(kUhfRangeCodes); ++i)
    if (kUhfRangeCodes[i] == code) return kUhfRanges[i];
  return {};
}

std::string_view ChannelStepName(int bandIndex) {
  switch (bandIndex) {
    case 0: return kVhfChannelSteps[0];
    case 1: return kVhfChannelSteps[1];
    case 2: return kUhfChannelSteps[0];
    case 3: return kUhfChannelSteps[1];
    default: return {};
  }
}

std::string EmergencyChannelItem(int channelNumber) { return Format("CH-%-3d", channelNumber); }

std::string ToneLine(std::string_view label, double hertz) {
  return Format("%2.*s-%6.1f", static_cast<int>(label.size()), label.data(), hertz);
}

const std::vector<std::string>& TonePickerLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> v;
    auto add = [&v](std::string_view heading, std::span<const ToneGroup> groups) {
      v.emplace_back(heading);
      for (const auto& g : groups)
        for (double t : g.tones) v.push_back(ToneLine(g.label, t));
    };
    add(kMotorolaHeading, kMotorolaTones);
    add(kGeHeading, kGeTones);
    v.emplace_back(kGeDiaLine);
    add(kReachHeading, kReachTones);
    return v;
  }();
  return lines;
}

std::string TonePickerTitle(int pairNumber, bool secondTone) {
  return Format("Pair#%d", pairNumber) + (secondTone ? " 2nd Tone " : " 1st Tone ") + "  Custom  ";
}

std::string TwoTonePrimaryText(int pair) { return pair > 0 ? Format("%2d", pair) : std::string("-"); }

std::string TranspondText(int value) {
  if (value <= 0) return "------";
  if (value == 1) return "Sys Call";
  return Format("ENC-%d", value - 1);
}

std::string SystemCodeText(int value) {
  if (value <= 0) return "Disable";
  return Format("%3d ", value);
}

std::string_view PickListTitle(PickList list) {
  switch (list) {
    case PickList::kToneFormat: return "Tone Format";
    case PickList::kRepeaterCode: return "Repeater Code";
    case PickList::kCallCode: return "Call Code";
    case PickList::kIdCode: return "ID Code";
    case PickList::kTranspond: return "Transpond ENC Code No";
    case PickList::kPrimaryPair: return "Primary Pair Position";
  }
  return {};
}

const std::vector<std::string>& PickListItems(PickList list) {
  static const std::vector<std::string> toneFormats(std::begin(kToneFormats), std::end(kToneFormats));
  static const std::vector<std::string> codes = [] {
    std::vector<std::string> v{"Disable"};
    for (int i = 1; i <= 32; ++i) v.push_back(Format("%3d ", i));
    return v;
  }();
  static const std::vector<std::string> transpond = [] {
    std::vector<std::string> v{"Disable", "Sys Call"};
    for (int i = 1; i <= 32; ++i) v.push_back(Format("ENC-%-2d", i));
    return v;
  }();
  static const std::vector<std::string> pairs = [] {
    std::vector<std::string> v{"Disable"};
    for (int i = 1; i <= 10; ++i) v.push_back(Format("Pair #%d", i));
    return v;
  }();
  switch (list) {
    case PickList::kToneFormat: return toneFormats;
    case PickList::kRepeaterCode:
    case PickList::kCallCode:
    case PickList::kIdCode: return codes;
    case PickList::kTranspond: return transpond;
    case PickList::kPrimaryPair: return pairs;
  }
  return codes;
}

std::string PickListCaption(PickList list, int rowNumber) {
  return std::string(PickListTitle(list)) + Format("(No=%2d)", rowNumber);
}

}  // namespace kp53::text
