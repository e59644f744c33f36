#include "image/alignment_items.h"

#include <algorithm>
#include <cmath>

#include "image/codecs.h"

namespace kp53 {

namespace {

bool Narrow(const ChannelEntry& e) { return e.bandwidth == 2; }

// A slope byte: bit 7 the sign, bits 6-0 the size.
int SignedSlope(std::uint8_t b) { return (b & 0x80) ? -(b & 0x7F) : (b & 0x7F); }

std::uint8_t Clamp255(long v) { return static_cast<std::uint8_t>(std::clamp<long>(v, 0, 255)); }

// The transmit side's position factor: 0 below the band, 1 above it, otherwise the distance from
// the band's middle in half-bands. A band whose limits are equal or crossed gives 0, as the derived
// bytes do.
double TxPosition(double minMHz, double maxMHz, double f) {
  if (f < minMHz) return 0.0;
  if (f > maxMHz) return 1.0;
  const double span = maxMHz - minMHz;
  return span > 0.0 ? std::fabs(f - (minMHz + maxMHz) / 2.0) / (span / 2.0) : 0.0;
}

double RxPosition(double minMHz, double maxMHz, double f) {
  if (f < minMHz) return 0.0;
  if (f > maxMHz) return 1.0;
  const double span = maxMHz - minMHz;
  return span > 0.0 ? (f - minMHz) / span : 0.0;
}

struct TxBytes {
  std::size_t base, lowSlope, highSlope;
};

TxBytes TxBytesOf(int item, const ChannelEntry& e) {
  switch (item) {
    case align::kRfPower:
      return e.power == 0 ? TxBytes{7690, 7691, 7692} : TxBytes{7693, 7694, 7695};
    case align::kMaxDeviation:
      return {7696, 7697, 7698};
    default:
      return {7699, 7700, 7701};
  }
}

bool Dcs(const ChannelEntry& e) { return e.txToneType == kToneDcs; }

void PutAlignmentByte(RadioData& data, std::size_t offset, std::uint8_t v) {
  data.image[offset] = v;
  data.hardware.block[offset - off::kHardwareConfig] = v;
}

}  // namespace

std::string AlignmentItemLabel(int item, const ChannelEntry& e) {
  switch (item) {
    case align::kRfPower: return e.power == 0 ? "RF Power (High)" : "RF Power (Low)";
    case align::kMicSensitivity: return "MIC Sensitivity";
    case align::kMaxDeviation: return "Max Deviation";
    case align::kMaxRefDeviation: return "Max Ref Deviation";
    case align::kSubAudioModulation: return Dcs(e) ? "DCS Modulation" : "CTCSS Modulation";
    case align::kRfFrequency: return "RF Frequency";
    case align::kRxSensitivity: return "RX Sensitivity";
    case align::kDtmfDeviation: return "DTMF Deviation";
    case align::kRssi: return "RSSI";
    case align::kSquelchThreshold: return "Squelch Threshold";
    case align::kSquelchTight: return "Squelch Tight";
    default: return {};
  }
}

bool AlignmentItemShown(int item, const ChannelEntry& e) {
  return item != align::kSubAudioModulation || e.txToneType != kToneNone;
}

std::size_t AlignmentItemByte(int item, const ChannelEntry& e) {
  const bool n = Narrow(e);
  switch (item) {
    case align::kRfPower:
    case align::kMaxDeviation:
    case align::kMaxRefDeviation: return TxBytesOf(item, e).base;
    case align::kMicSensitivity: return 7711;
    case align::kSubAudioModulation:
      if (Dcs(e)) return n ? 7706 : 7705;
      return n ? 7703 : 7702;
    case align::kRfFrequency: return 7710;
    case align::kRxSensitivity: return 7688;
    case align::kDtmfDeviation: return 7709;
    case align::kRssi: return n ? 7682 : 7678;
    case align::kSquelchThreshold: return n ? 7684 : 7680;
    default: return n ? 7685 : 7681;
  }
}

int AlignmentItemValue(const RadioData& data, int channel, int item) {
  const ChannelEntry& e = data.channels.Entry(channel);
  switch (item) {
    case align::kRfPower: return e.tuning[e.power == 0 ? 1 : 2];
    case align::kMaxDeviation: return e.tuning[3];
    case align::kMaxRefDeviation: return e.tuning[4];
    case align::kRxSensitivity: return e.tuning[0];
    default: return data.image[AlignmentItemByte(item, e)];
  }
}

int UndoBandwidthFactor(int v, int bandwidth) {
  if (bandwidth == 1) return std::min(255, (v * 5 + 2) / 4);
  if (bandwidth == 2) return std::min(255, v * 2);
  return v;
}

std::uint8_t TxBaseByte(int v, std::uint8_t lowSlope, std::uint8_t highSlope, double minMHz, double maxMHz,
                        double txMHz) {
  const bool low = txMHz < (minMHz + maxMHz) / 2.0;
  const double s = std::round(SignedSlope(low ? lowSlope : highSlope) * TxPosition(minMHz, maxMHz, txMHz));
  return Clamp255(v - static_cast<long>(s));
}

std::uint8_t RxBaseByte(int v, std::uint8_t slope, double minMHz, double maxMHz, double rxMHz) {
  const double s = std::floor(RxPosition(minMHz, maxMHz, rxMHz) * slope + 0.5);
  return Clamp255(v - static_cast<long>(s));
}

std::uint8_t OtherModulationByte(int v, int ratio, bool narrow) {
  const long num = narrow ? 100L * v : static_cast<long>(v) * ratio;
  const long den = narrow ? ratio : 100;
  if (den == 0) return 255;
  return Clamp255((num + den - 1) / den);
}

void StoreAlignmentValue(RadioData& data, int channel, int item, int v) {
  v = std::clamp(v, 0, 255);
  const ChannelEntry& e = data.channels.Entry(channel);
  const auto& img = data.image;
  const double minMHz = data.hardware.MinMHz(), maxMHz = data.hardware.MaxMHz();
  switch (item) {
    case align::kRfPower:
    case align::kMaxDeviation:
    case align::kMaxRefDeviation: {
      const TxBytes b = TxBytesOf(item, e);
      const int raw = item == align::kRfPower ? v : UndoBandwidthFactor(v, e.bandwidth);
      PutAlignmentByte(data, b.base, TxBaseByte(raw, img[b.lowSlope], img[b.highSlope], minMHz, maxMHz, e.txFreq));
      break;
    }
    case align::kRxSensitivity:
      PutAlignmentByte(data, 7688, RxBaseByte(v, img[7689], minMHz, maxMHz, e.rxFreq));
      break;
    case align::kSubAudioModulation: {
      const bool narrow = Narrow(e);
      const std::size_t wide = Dcs(e) ? 7705 : 7702;
      const std::uint8_t ratio = img[wide + 2];
      PutAlignmentByte(data, narrow ? wide + 1 : wide, static_cast<std::uint8_t>(v));
      PutAlignmentByte(data, narrow ? wide : wide + 1, OtherModulationByte(v, ratio, narrow));
      break;
    }
    default:
      PutAlignmentByte(data, AlignmentItemByte(item, e), static_cast<std::uint8_t>(v));
      break;
  }
  for (int i = 0; i < kChannelCount; ++i) data.channels.EncodeChannel(data.image, i, data.hardware);
}

AlignmentChannelTexts AlignmentTextsOf(const ChannelEntry& e, int channel) {
  AlignmentChannelTexts t;
  t.number = Format("%2d", channel + 1);
  t.rxFreq = Format("%9.5f ", e.rxFreq);
  t.txFreq = Format("%9.5f ", e.txFreq);
  t.power = e.power == 0 ? "High" : "Low ";
  switch (e.txToneType) {
    case kToneCtcss:
      t.subAudio = "CTCSS";
      t.toneCode = Format("%5.1f", e.txCtcss / 10.0);
      break;
    case kToneDcs:
      t.subAudio = "DCS  ";
      t.toneCode = Format("%.3d  ", static_cast<int>(e.txDcs));
      break;
    default:
      t.subAudio = "None ";
      t.toneCode = "-----";
      break;
  }
  t.width = e.bandwidth == 2 ? "Narrow" : e.bandwidth == 1 ? "Wide 4kHz" : "Wide 5kHz";
  return t;
}

std::string AlignmentValueText(int v) { return Format("%3d", v); }

int MeasurementReading(int item, const std::array<std::uint8_t, 4>& data) {
  return item == align::kRssi ? data[2] : data[1];
}

namespace {
int ParseLimited(const std::string& text, int high) {
  long v = 0;
  bool any = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      any = true;
      v = std::min<long>(v * 10 + (c - '0'), 1'000'000);
    }
  }
  return any ? static_cast<int>(std::min<long>(v, high)) : 0;
}
}  // namespace

int MeasurementEntry(const std::string& text) { return ParseLimited(text, 100); }
int SliderEntry(const std::string& text) { return ParseLimited(text, 255); }

}  // namespace kp53
