#include "image/channel_table.h"

#include <algorithm>
#include <cmath>

namespace kp53 {

namespace {

std::size_t RecordOffset(int index) { return off::kChannels + kChannelRecordSize * static_cast<std::size_t>(index); }

std::string PadTag(std::string s) {
  s.resize(8, ' ');
  return s;
}

int SignMagnitude(std::uint8_t b) { return (b & 0x80) ? -(b & 0x7F) : (b & 0x7F); }

// Clamped to 0..255, then rounded half up.
std::uint8_t ClampRound(double v) {
  if (!(v > 0.0)) return 0;  // negatives and NaN
  if (v > 255.0) v = 255.0;
  return static_cast<std::uint8_t>(std::floor(v + 0.5));
}

}  // namespace

SubAudio ChannelEntry::TxTone() const {
  SubAudio t;
  t.kind = txToneType;
  t.ctcss = static_cast<int>(txCtcss);
  t.dcs = static_cast<int>(txDcs);
  t.inverted = txDcsInverted;
  return t;
}

SubAudio ChannelEntry::RxTone() const {
  SubAudio t;
  t.kind = rxToneType;
  t.ctcss = static_cast<int>(rxCtcss);
  t.dcs = static_cast<int>(rxDcs);
  t.inverted = rxDcsInverted;
  t.both = rxDcsBoth;
  return t;
}

std::array<std::uint8_t, 5> DerivedTuningBytes(const RadioImage& img, double minMHz, double maxMHz,
                                               double rxMHz, double txMHz, int bandwidth) {
  std::array<std::uint8_t, 5> out{};
  const double span = maxMHz - minMHz;
  // Position of a frequency inside the band: 0 below it, 1 above it. A band whose limits are
  // equal or crossed (only a damaged file holds one) counts every frequency inside as 0.
  auto position = [&](double f) {
    if (f < minMHz) return 0.0;
    if (f > maxMHz) return 1.0;
    return span > 0.0 ? (f - minMHz) / span : 0.0;
  };
  out[0] = ClampRound(std::min(255.0, img[7688] + position(rxMHz) * img[7689]));

  const double mid = (minMHz + maxMHz) / 2.0;
  double k;
  if (txMHz < minMHz)
    k = 0.0;
  else if (txMHz > maxMHz)
    k = 1.0;
  else
    k = span > 0.0 ? std::fabs(txMHz - mid) / (span / 2.0) : 0.0;
  const bool low = txMHz < mid;
  const double w = bandwidth == 1 ? 0.8 : bandwidth == 2 ? 0.5 : 1.0;
  auto slopeTerm = [&](std::size_t lowSlope, std::size_t highSlope) {
    return SignMagnitude(img[low ? lowSlope : highSlope]) * k;
  };
  out[1] = ClampRound(slopeTerm(7691, 7692) + img[7690]);
  out[2] = ClampRound(slopeTerm(7694, 7695) + img[7693]);
  out[3] = ClampRound((slopeTerm(7697, 7698) + img[7696]) * w);
  out[4] = ClampRound((slopeTerm(7700, 7701) + img[7699]) * w);
  return out;
}

std::string DefaultChannelTag(int number) { return Format(" CH-%3.3d ", number).substr(0, 8); }

ChannelTable::ChannelTable() {
  for (int i = 0; i < kChannelCount; ++i) {
    entries[static_cast<std::size_t>(i)].tag = DefaultChannelTag(i + 1);
    entries[static_cast<std::size_t>(i)].index = i;
  }
  SetDefaults();
}

void ChannelTable::SetDefaults() {
  groupSize.fill(16);
  groupSystemType.fill(0);
  for (int g = 0; g < kGroupCount; ++g) {
    groupName[static_cast<std::size_t>(g)] = Format("GROUP-%d", g + 1);
    groupTag[static_cast<std::size_t>(g)] = PadTag(Format("GROUP %d", g + 1));
  }
  priorityChannel = 0;
  currentGroup = 0;
  groupFirst = 1;
  groupLast = 256;
  currentChannel = 0;
  for (int i = 0; i < kChannelCount; ++i) {
    entries[static_cast<std::size_t>(i)].tag = DefaultChannelTag(i + 1);
    entries[static_cast<std::size_t>(i)].index = i;
  }
  RecountGroups();
}

void ChannelTable::RecountGroups() {
  int total = 0;
  for (auto s : groupSize) total += s;
  totalAllocated = total;
  channelsLeft = kChannelCount - total;
}

void ChannelTable::DecodeChannel(const RadioImage& img, int index, const HardwareArea& hw) {
  ChannelEntry& e = Entry(index);
  const std::size_t o = RecordOffset(index);
  const RecordView rec(img.data() + o, kChannelRecordSize);
  const std::uint8_t b0 = rec[0], b1 = rec[1], b2 = rec[2], b3 = rec[3];

  e.enabled = (b0 >> 7) & 1;
  e.bandwidth = (b0 & 0x40) ? 2 : (b1 & 0x08) ? 1 : 0;
  e.rxStep = (b0 >> 5) & 1;
  e.txStep = (b0 >> 4) & 1;
  e.txPowerSave = (b0 >> 3) & 1;
  e.rxPowerSave = (b0 >> 2) & 1;
  e.xtal = (b0 >> 1) & 1;
  e.arts = b0 & 1;

  e.power = (b1 >> 6) & 1;
  e.tot = (b1 >> 5) & 1;
  e.encryptLow = (b1 >> 4) & 1;
  e.encryptHigh = (b1 >> 2) & 1;
  e.lockout = b1 & 3;

  e.rxBit16 = (b2 >> 7) & 1;
  e.txBit16 = (b2 >> 6) & 1;
  e.compander = (b2 >> 5) & 1;
  e.squelch = b2 & 0x0F;

  e.signalType = (b3 >> 6) & 3;
  e.dtmfAni = (b3 >> 5) & 1;
  const int number = b3 & 0x1F;
  e.signalNo = e.signalType == 0 ? 0 : e.signalType == 3 ? number : number + 1;

  const SubAudio tx = DecodeSubAudio(rec[4], rec[5], false);
  e.txToneType = tx.kind;
  e.txCtcss = tx.ctcss;
  e.txDcs = tx.dcs;
  e.txDcsInverted = tx.inverted;
  const SubAudio rx = DecodeSubAudio(rec[6], rec[7], true);
  e.rxToneType = rx.kind;
  e.rxCtcss = rx.ctcss;
  e.rxDcs = rx.dcs;
  e.rxDcsInverted = rx.inverted;
  e.rxDcsBoth = rx.both;

  const bool uhf = hw.IsUhf();
  e.rxFreq = DecodeRxFrequency(rec, e.rxStep, hw.bandIndex, uhf, hw.FirstIfMHz(), hw.injection);
  const TxFrequency txf = DecodeTxFrequency(rec, e.txStep, hw.bandIndex, uhf, e.rxFreq, hw.MinMHz(), hw.MaxMHz());
  e.txFreq = txf.mhz;
  e.txOff = ((b1 >> 7) & 1) != 0 || txf.inhibit;

  std::copy_n(rec.begin() + 12, 5, e.tuning.begin());
  e.tag = PadTag(DecodeText6(std::span<const std::uint8_t, 8>(rec.data() + 17, 8)));
  e.index = index;
  e.scan = GetBit(img, off::kScanBits + static_cast<std::size_t>(index) / 8, index % 8) ? 1 : 0;
}

void ChannelTable::EncodeChannel(RadioImage& img, int index, const HardwareArea& hw) {
  ChannelEntry& e = Entry(index);
  const std::size_t o = RecordOffset(index);
  const RecordRef rec(img.data() + o, kChannelRecordSize);

  rec[0] = static_cast<std::uint8_t>((e.enabled & 1) << 7 | (e.bandwidth == 2) << 6 | (e.rxStep & 1) << 5 |
                                     (e.txStep & 1) << 4 | e.txPowerSave << 3 | e.rxPowerSave << 2 |
                                     e.xtal << 1 | e.arts);
  rec[1] = static_cast<std::uint8_t>(e.txOff << 7 | (e.power & 1) << 6 | e.tot << 5 | (e.encryptLow & 1) << 4 |
                                     (e.bandwidth == 1) << 3 | (e.encryptHigh & 1) << 2 | (e.lockout & 3));
  rec[2] = static_cast<std::uint8_t>((e.compander & 1) << 5 | (e.squelch & 0x0F));

  // The signalling field rewrites the whole byte; the DTMF ANI bit goes in after it.
  std::uint8_t sig = 0;
  if (e.signalNo != 0 && e.signalType != 0) {
    const int number = e.signalType == 3 ? e.signalNo : e.signalNo - 1;
    sig = static_cast<std::uint8_t>((e.signalType & 3) << 6 | (number & 0x1F));
  }
  rec[3] = static_cast<std::uint8_t>(sig | (e.dtmfAni & 1) << 5);

  EncodeSubAudio(e.TxTone(), false, rec[4], rec[5]);
  EncodeSubAudio(e.RxTone(), true, rec[6], rec[7]);

  EncodeRxFrequency(rec, e.rxFreq, e.rxStep, hw.bandIndex, hw.FirstIfMHz(), hw.injection);
  EncodeTxFrequency(rec, e.txFreq, e.txStep, hw.bandIndex);

  // The tuning bytes follow the frequencies as the record now holds them, so that a record read
  // back and stored again gets the same bytes.
  const bool uhf = hw.IsUhf();
  const double rx = DecodeRxFrequency(rec, e.rxStep, hw.bandIndex, uhf, hw.FirstIfMHz(), hw.injection);
  const double tx = DecodeTxFrequency(rec, e.txStep, hw.bandIndex, uhf, rx, hw.MinMHz(), hw.MaxMHz()).mhz;
  e.tuning = DerivedTuningBytes(img, hw.MinMHz(), hw.MaxMHz(), rx, tx, e.bandwidth);
  std::copy(e.tuning.begin(), e.tuning.end(), rec.begin() + 12);
  EncodeText6(e.tag, std::span<std::uint8_t, 8>(rec.data() + 17, 8));

  PutBit(img, off::kScanBits + static_cast<std::size_t>(index) / 8, index % 8, (e.scan & 1) != 0);
}

void ChannelTable::LoadFromImage(const RadioImage& img, const HardwareArea& hw) {
  // Groups hold consecutive channels; sizes that add up to more than 256 (a damaged file) are cut
  // so that every group's channels exist.
  int running = 0;
  for (int g = 0; g < kGroupCount; ++g) {
    const int size = std::min<int>(img[off::kGroupSizes + static_cast<std::size_t>(g)], kChannelCount - running);
    groupSize[static_cast<std::size_t>(g)] = static_cast<std::uint8_t>(size);
    running += size;
  }
  for (int i = 0; i < kChannelCount; ++i) DecodeChannel(img, i, hw);
  priorityChannel = GetBit(img, 6, 4) ? img[off::kPriorityIndex] + 1 : 0;
  for (int g = 0; g < kGroupCount; ++g) {
    groupTag[static_cast<std::size_t>(g)] =
        PadTag(DecodeText6(Bytes<8>(img, off::kGroupTags + 8 * static_cast<std::size_t>(g))));
    groupSystemType[static_cast<std::size_t>(g)] =
        GetBit(img, off::kGroupSystemType + static_cast<std::size_t>(g / 8), g % 8) ? 1 : 0;
  }
  RecountGroups();
  groupFirst = 1;
  currentChannel = 0;
}

void ChannelTable::StoreToImage(RadioImage& img, const HardwareArea& hw) {
  for (int g = 0; g < kGroupCount; ++g) img[off::kGroupSizes + static_cast<std::size_t>(g)] = groupSize[static_cast<std::size_t>(g)];
  for (int i = 0; i < kChannelCount; ++i) EncodeChannel(img, i, hw);
  if (priorityChannel > 0 && priorityChannel <= kChannelCount) {
    const int idx = priorityChannel - 1;
    img[off::kPriorityIndex] = static_cast<std::uint8_t>(idx);
    PutField(img, off::kPriorityGroup, 0, 4, static_cast<unsigned>(GroupOf(idx)));
    PutBit(img, 6, 4, true);
  } else {
    img[off::kPriorityIndex] = 0;
    PutField(img, off::kPriorityGroup, 0, 4, 0);
    PutBit(img, 6, 4, false);
  }
  for (int g = 0; g < kGroupCount; ++g) {
    EncodeText6(groupTag[static_cast<std::size_t>(g)], Bytes<8>(img, off::kGroupTags + 8 * static_cast<std::size_t>(g)));
    PutBit(img, off::kGroupSystemType + static_cast<std::size_t>(g / 8), g % 8,
           groupSystemType[static_cast<std::size_t>(g)] != 0);
  }
}

int GroupHolding(std::span<const std::uint8_t, kGroupCount> sizes, int index) {
  int sum = 0;
  for (int g = 0; g < kGroupCount; ++g) {
    sum += sizes[static_cast<std::size_t>(g)];
    if (sum > index) return g;
  }
  return kGroupCount;
}

int ChannelTable::GroupOf(int index) const { return GroupHolding(groupSize, index); }

std::pair<int, int> ChannelTable::SplitIndex(int index) const {
  const int g = GroupOf(index);
  if (g >= kGroupCount) return {g, 0};
  return {g, index - GroupStart(g)};
}

int ChannelTable::GroupStart(int g) const {
  int start = 0;
  for (int i = 0; i < g && i < kGroupCount; ++i) start += groupSize[static_cast<std::size_t>(i)];
  return start;
}

void ChannelTable::NormalizeCurrentGroup() {
  if (currentGroup < 0 || currentGroup > 15) currentGroup = 0;
  // Skip empty groups. Every group empty cannot come from the editors; stop after one round.
  for (int tries = 0; tries < kGroupCount && groupSize[static_cast<std::size_t>(currentGroup)] == 0; ++tries)
    currentGroup = (currentGroup + 1) % kGroupCount;
  const int n = 1 + GroupStart(currentGroup);
  groupFirst = n;
  groupLast = n + groupSize[static_cast<std::size_t>(currentGroup)] - 1;
  currentChannel = n - 1;
}

void ChannelTable::SelectGroup(int g) {
  currentGroup = g;
  NormalizeCurrentGroup();
}

void ChannelTable::NextGroup() { SelectGroup(currentGroup + 1); }

void ChannelTable::EnableAll() {
  for (auto& e : entries) e.enabled = 1;
}

void ChannelTable::ResetFrequencies(bool uhf) {
  for (auto& e : entries) e.rxFreq = e.txFreq = BandDefaultFrequency(uhf);
}

void ChannelTable::ClearSignalling(RadioImage& img) {
  for (int i = 0; i < kChannelCount; ++i) {
    // The whole signalling byte: kind (bits 7-6), number (bits 4-0) and the DTMF ANI bit 5.
    Entry(i).signalNo = 0;
    Entry(i).dtmfAni = 0;
    img[RecordOffset(i) + 3] = 0;
  }
  for (std::size_t s = 0; s < 16; ++s) img[off::kTwoToneSystems + s] = 0;
}

}  // namespace kp53
