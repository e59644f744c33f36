// The eleven adjustment items of the alignment mode: which alignment byte each item edits for a
// channel, the value it shows, its label, and storing a new value with the back-computation of the
// base bytes. The values the radio uses for a channel's power, deviations and receive sensitivity
// are the channel's derived tuning bytes (record bytes 12-16, base + slope x position in the band);
// the user adjusts those, and the base byte is computed back from them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "image/channel_table.h"
#include "image/radio_data.h"

namespace kp53 {

constexpr int kAlignmentItemCount = 11;
namespace align {
constexpr int kRfPower = 0;
constexpr int kMicSensitivity = 1;
constexpr int kMaxDeviation = 2;
constexpr int kMaxRefDeviation = 3;
constexpr int kSubAudioModulation = 4;
constexpr int kRfFrequency = 5;
constexpr int kRxSensitivity = 6;
constexpr int kDtmfDeviation = 7;
constexpr int kRssi = 8;
constexpr int kSquelchThreshold = 9;
constexpr int kSquelchTight = 10;
}  // namespace align

// The label of item `item` for channel `e`: item 0 by the channel's power, item 4 by the kind of
// its transmit sub-audio.
std::string AlignmentItemLabel(int item, const ChannelEntry& e);
// Item 4 is hidden when the channel transmits no sub-audio; every other item is always shown.
bool AlignmentItemShown(int item, const ChannelEntry& e);
// True for the items whose value is set with the slider (0 to 7); 8 to 10 are measured.
inline bool AlignmentItemUsesSlider(int item) { return item >= 0 && item <= align::kDtmfDeviation; }

// The image byte that item `item` stores for channel `e`: the byte itself for the plain items (by
// the channel's bandwidth for the wide/narrow pairs), the base byte for items 0, 2, 3 and 6.
std::size_t AlignmentItemByte(int item, const ChannelEntry& e);
// The value item `item` shows for channel `channel` (0..255): the derived tuning byte for items
// 0, 2, 3 and 6, the byte itself otherwise.
int AlignmentItemValue(const RadioData& data, int channel, int item);
// Stores value `v` (limited to 0..255) of item `item` for channel `channel` into the hardware area
// and the image, with the back-computation or the ratio rule the item needs, then recomputes the
// derived tuning bytes of all 256 channels.
void StoreAlignmentValue(RadioData& data, int channel, int item, int v);

// --- The rules, as pure functions -----------------------------------------------------------------
// Items 2 and 3 on a channel with bandwidth `bandwidth`: the value before the bandwidth factor
// (x 1.25 rounded half up for 4 kHz, x 2 for narrow), held at 255: a byte cannot hold more, and a
// larger value would wrap into a small base byte.
int UndoBandwidthFactor(int v, int bandwidth);
// Items 0, 2 and 3: the base byte that gives the derived value `v` at transmit frequency `txMHz`
// with the slope bytes `lowSlope` and `highSlope` (sign-magnitude) and the band limits.
std::uint8_t TxBaseByte(int v, std::uint8_t lowSlope, std::uint8_t highSlope, double minMHz, double maxMHz,
                        double txMHz);
// Item 6: the base byte 7688 that gives the derived value `v` at receive frequency `rxMHz`.
std::uint8_t RxBaseByte(int v, std::uint8_t slope, double minMHz, double maxMHz, double rxMHz);
// Item 4: the byte of the other bandwidth when `v` is stored for a narrow (`narrow`) or wide
// channel with ratio byte `ratio` (narrow = wide x ratio / 100), rounded up and held at 255. A
// ratio of 0 on a narrow channel gives 255 instead of a division by zero.
std::uint8_t OtherModulationByte(int v, int ratio, bool narrow);

// --- Texts of the Alignment dialog ---------------------------------------------------------------
struct AlignmentChannelTexts {
  std::string number;    // "%2d", the channel number 1..256
  std::string rxFreq;    // "%9.5f "
  std::string txFreq;    // "%9.5f "
  std::string power;     // "High" or "Low "
  std::string subAudio;  // "None ", "CTCSS" or "DCS  "
  std::string toneCode;  // "-----", "%5.1f" Hz or "%.3d  "
  std::string width;     // "Wide 5kHz", "Wide 4kHz" or "Narrow"
};
AlignmentChannelTexts AlignmentTextsOf(const ChannelEntry& e, int channel);
// A value field's text: "%3d".
std::string AlignmentValueText(int v);

// The four data bytes of a measurement answer: the reading shown for item `item` (the third byte
// for RSSI, the second for the two squelch items).
int MeasurementReading(int item, const std::array<std::uint8_t, 4>& data);
// A value typed in the measurement dialog: digits, limited to 0..100; empty or blank gives 0.
int MeasurementEntry(const std::string& text);
// A value typed in the slider dialog's edit: limited to 0..255; empty or blank gives 0.
int SliderEntry(const std::string& text);

}  // namespace kp53
