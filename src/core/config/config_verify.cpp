#include "config/config_verify.h"

#include <algorithm>
#include <map>

#include "config/config_model.h"
#include "config/config_schema.h"
#include "config/config_text.h"
#include "image/channel_table.h"
#include "image/codecs.h"
#include "image/common_options_area.h"

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

  const std::string& serial = m.data.identity.serialNumber;
  const bool serialOk = serial.size() == 8 && serial[0] >= '0' && serial[0] <= '9' && serial[1] >= 'C' &&
                        serial[1] <= 'N' && std::all_of(serial.begin() + 2, serial.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!serialOk) out.push_back({"identity.serial_number", "\"" + serial + "\" is not a digit, a letter C to N and six digits"});
  for (std::size_t k = 0; k < 2; ++k)
    if ((img[off::kPassword + 1 + k] >> 4) > 9 || (img[off::kPassword + 1 + k] & 0x0F) > 9) {
      out.push_back({"password.password", "the password holds a character other than a digit"});
      break;
    }
  for (std::size_t k = 0; k < 12; ++k) {
    const std::size_t o = k < 10 ? off::kDtmfSpeedDial + 8 * k : (k == 10 ? off::kDtmfAni : off::kDtmfEmergency);
    const int count = img[o] & 0x0F;
    if (count > 15 && count != 0x0F) out.push_back({"dtmf", "a code holds more than 15 digits"});
  }

  // Every list field holds a value its list names.
  const std::vector<FlatField> fields = Flatten(m);
  for (const auto& f : fields)
    if (!f.value.empty() && f.value[0] == '#')
      out.push_back({f.Place(), "value " + f.value.substr(1) + " is not one of the field's choices"});
  for (const auto& f : fields)
    if (f.area == "channels" && f.value.find('?') != std::string::npos)
      out.push_back({f.Place(), "a stored value that the grid cannot show"});
  // Each finding about one field shows that field's text.
  std::map<std::string, std::string> values;
  for (const auto& f : fields) values.emplace(f.Place(), f.value);
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
