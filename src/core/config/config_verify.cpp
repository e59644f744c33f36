#include "config/config_verify.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "config/config_model.h"
#include "config/config_schema.h"
#include "config/config_text.h"
#include "image/channel_table.h"
#include "image/codecs.h"
#include "image/common_options_area.h"
#include "image/entry_rules.h"
#include "image/field_table.h"

namespace kp53::config {

namespace {

std::string ChannelPlace(int i, const char* field) { return Format("channels.%d.%s", i + 1, field); }

// A six-bit text whose codes end before its 8 characters were written by something else than
// this program: the radio shows nothing from there on.
void CheckText(std::vector<Finding>& out, const RadioImage& img, std::size_t offset, const std::string& place) {
  for (std::size_t k = 0; k < 8; ++k)
    if ((img[offset + k] & 0x3F) >= kCode6End) {
      out.push_back({place, Format("character %zu has no code of the radio's character set", k + 1)});
      return;
    }
}

}  // namespace

std::vector<Finding> Verify(const RadioImage& img, double split) {
  std::vector<Finding> out;
  const unsigned stored = GetU16(img, off::kChecksum), computed = ImageChecksum(img);
  if (stored != computed) out.push_back({"checksum", Format("stored %04X, computed %04X", stored, computed)});

  ConfigModel m;
  m.Load(img, split);
  const HardwareArea& hw = m.data.hardware;
  const ChannelTable& t = m.data.channels;

  // Group sizes as stored, before the channel table cuts them to fit.
  int total = 0;
  for (int g = 0; g < kGroupCount; ++g) {
    const int size = img[off::kGroupSizes + static_cast<std::size_t>(g)];
    total += size;
    if (size > ChannelTable::maxGroupSize)
      out.push_back({Format("groups.%d.size", g + 1), Format("%d channels; a group holds at most 128", size),
                     std::to_string(size)});
  }
  if (total > kChannelCount) out.push_back({"groups", Format("the groups hold %d channels; the radio has 256", total)});
  if (img[off::kGroupSizes] == 0) out.push_back({"groups.1.size", "group 1 holds no channel"});
  if (hw.minFreq > hw.maxFreq) out.push_back({"hardware", "the lower band limit lies above the upper one"});

  const bool fiveTone = m.data.signaling.IsFiveTone();
  const int board = m.options.optionBoard;
  for (int i = 0; i < kChannelCount; ++i) {
    const ChannelEntry& e = t.Entry(i);
    CheckText(out, img, off::kChannels + kChannelRecordSize * static_cast<std::size_t>(i) + 17, ChannelPlace(i, "tag"));
    if (!t.IsEnabled(i) || t.GroupOf(i) >= kGroupCount) continue;
    if (e.rxFreq < hw.MinMHz() || e.rxFreq > hw.MaxMHz())
      out.push_back({ChannelPlace(i, "rx"), FrequencyText(e.rxFreq) + " MHz lies outside the band limits"});
    const std::size_t rec = off::kChannels + kChannelRecordSize * static_cast<std::size_t>(i);
    const std::uint32_t txNumber = (img[rec + 10] << 8 | img[rec + 11]) | ((img[rec + 2] & 0x40) ? 0x10000u : 0u);
    const std::uint64_t txHz = std::uint64_t{txNumber} * StepHz(e.txStep, hw.bandIndex);
    if (txHz == 300000000u || txHz == 50000000u)
      out.push_back({ChannelPlace(i, "tx"), "transmit inhibited by a frequency mark; a save stores the inhibit flag"});
    else if (const double txMHz = static_cast<double>(txHz) / 1e6;
             !e.txOff && txNumber != 0 && (txMHz < hw.MinMHz() || txMHz > hw.MaxMHz()))
      out.push_back({ChannelPlace(i, "tx"), "the stored transmit frequency lies outside the band limits"});
    auto tones = [&](const SubAudio& tone, const char* field) {
      if (tone.kind == kToneCtcss && std::find(kCtcssTones.begin(), kCtcssTones.end(), tone.ctcss) == kCtcssTones.end())
        out.push_back({ChannelPlace(i, field), Format("CTCSS %.1f Hz is not one of the radio's tones", tone.ctcss / 10.0)});
      if (tone.kind == kToneDcs && std::find(kDcsCodes.begin(), kDcsCodes.end(), tone.dcs) == kDcsCodes.end())
        out.push_back({ChannelPlace(i, field), Format("DCS %03d is not one of the radio's codes", tone.dcs)});
    };
    tones(e.RxTone(), "rx_tone");
    tones(e.TxTone(), "tx_tone");
    if (e.signalType == 2 && board != CommonOptionsArea::kOptionScb31)
      out.push_back({ChannelPlace(i, "signal_type"), "paging signalling needs the SCB-31 option board"});
    if (e.signalType == 3 && board != CommonOptionsArea::kOptionVmu140)
      out.push_back({ChannelPlace(i, "signal_type"), "option signalling needs the VMU-140/VMDU-260 board"});
    if (e.signalType == 1 && e.signalNo > (fiveTone ? 32 : 16))
      out.push_back({ChannelPlace(i, "signal_no"), Format("system %d does not exist", e.signalNo)});
    if (e.signalType == 2 && e.signalNo >= 1 && e.signalNo <= 10 &&
        !m.paging.pages[static_cast<std::size_t>(e.signalNo - 1)].programmed)
      out.push_back({ChannelPlace(i, "signal_no"), Format("page code %d is not programmed", e.signalNo)});
    if (e.signalType == 2 && e.signalNo > 10)
      out.push_back({ChannelPlace(i, "signal_no"), Format("page code %d does not exist", e.signalNo)});
    if (e.signalType == 3 && e.signalNo > 3)
      out.push_back({ChannelPlace(i, "signal_no"), Format("option item %d does not exist", e.signalNo)});
  }
  for (int g = 0; g < kGroupCount; ++g)
    CheckText(out, img, off::kGroupTags + 8 * static_cast<std::size_t>(g), Format("groups.%d.tag", g + 1));
  CheckText(out, img, off::kPowerOnTag, "power_saving.power_on_tag");

  if (!std::isfinite(split))
    out.push_back({"hardware.default_split", "the default split is not a number"});
  else if (std::fabs(split) > kMaxDefaultSplit)
    out.push_back({"hardware.default_split", Format("%g MHz lies outside -99.9 to 99.9 MHz", split)});

  // Every text field of the dialogs holds what its own entry would store; every list field a
  // value its list names; every channel field a value the grid can show.
  std::map<std::string, const TextFieldRule*> typed;
  for (const TextFieldRule& r : TextFieldRules()) typed[std::string(r.area) + "." + r.name] = &r;
  std::map<std::string, std::string> values;  // every field's text by its place
  for (const Section& sec : Schema()) {
    if (!sec.present(m)) continue;
    for (int i = 0; i < std::max(sec.count, 1); ++i)
      for (const Field& f : sec.fields) {
        if (f.shown && !f.shown(m, i)) continue;
        const std::string value = f.get(m, i);
        const std::string place = sec.name + "." + (sec.count ? sec.ItemKey(i) + "." : std::string()) + f.name;
        values.emplace(place, value);
        const auto named = [&value](const std::string& c) { return TrimBlanks(c) == value; };
        if (!f.choices.empty() && !value.empty() && value.find('?') == std::string::npos &&
            std::none_of(f.choices.begin(), f.choices.end(), named))
          out.push_back({place, "value " + value.substr(value[0] == '#') + " is not one of the field's choices"});
        if (sec.name == "channels" && value.find('?') != std::string::npos)
          out.push_back({place, "a stored value that the grid cannot show"});
        if (const auto it = typed.find(sec.name + "." + f.name); it != typed.end() && !StoredAccepted(*it->second, value))
          out.push_back({place, "\"" + value + "\" is not what the field takes: " + it->second->help});
      }
  }
  // Each finding about one field shows that field's text.
  for (auto& f : out)
    if (const auto it = values.find(f.place); f.value.empty() && it != values.end()) f.value = it->second;
  return out;
}

std::string FindingLine(const Finding& finding) { return finding.place + ": " + finding.message; }

std::vector<std::string> DifferingFields(const RadioImage& written, const RadioImage& readBack, double split) {
  ConfigModel a, b;
  a.Load(written, split);
  b.Load(readBack, split);
  std::vector<std::string> out;
  for (const auto& d : Diff(a, b)) out.push_back(DiffLine(d));
  return out;
}

}  // namespace kp53::config
