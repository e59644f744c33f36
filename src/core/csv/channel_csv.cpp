#include "csv/channel_csv.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>

#include "csv/csv_table.h"
#include "image/channel_editing.h"
#include "image/codecs.h"
#include "text/grid_texts.h"

namespace kp53 {

const std::vector<std::string> kChannelCsvColumns = {
    "Location", "Name",     "Frequency", "Duplex", "Offset",  "Tone",    "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep",
    "Skip",     "Power",    "Comment",   "URCALL", "RPT1CALL", "RPT2CALL", "DVCODE"};

namespace {

enum Col { kLocation, kName, kFrequency, kDuplex, kOffset, kTone, kRTone, kCTone, kDtcs, kPolarity, kRxDtcs,
           kCross, kMode, kTStep, kSkip, kPower, kColumnCount = 21 };

using Hz = std::int64_t;

Hz ToHz(double mhz) { return std::llround(mhz * 1e6); }
std::string MHzText(Hz hz) { return Format("%.6f", static_cast<double>(hz) / 1e6); }

std::string Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return std::string(s);
}

std::optional<double> Number(std::string_view s) {
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<int> Integer(std::string_view s) {
  int v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// The copy-channel question never comes up (nothing is pasted into the Chn column); it would be
// answered No.
class NoPrompt : public UserPrompt {
 public:
  Answer Show(std::string_view, Icon, Buttons) override { return Answer::No; }
};

// A refused row: the reason goes into the report.
struct Refusal {
  std::string reason;
};

// What one row asks of its channel, in the texts the grid's paste takes; a field whose column
// the list lacks is absent and stays as it is.
struct Wanted {
  int index = 0;
  Hz rx = 0;
  std::optional<Hz> tx;  // with txOff: the Duplex column
  bool txOff = false;
  std::optional<std::string> rxTone, txTone;  // "C- 88.5", "D-023N", "-------"
  std::optional<bool> narrow;
  std::optional<int> power;
  bool otherWatts = false;  // power given as a wattage other than the nominal ones
  std::optional<bool> scan;
  std::optional<bool> priority;
  std::optional<std::string> tag;
};

// Channel indexes the rows address and how Location counts.
struct Target {
  int first = 0;  // absolute index of Location 1
  int count = 0;  // channels available
  int group = kAllGroups;
};

Target TargetOf(const ChannelTable& t, int group) {
  if (group == kAllGroups) return {0, t.totalAllocated, group};
  return {t.GroupStart(group), t.groupSize[static_cast<std::size_t>(group)], group};
}

class RowReader {
 public:
  RowReader(const CsvRow& row, const std::array<int, kColumnCount>& where) : row_(row), where_(where) {}
  bool Has(Col c) const { return where_[c] >= 0; }
  // The field without blanks around it; empty when the column or the field is missing.
  std::string Get(Col c) const { return Trim(Raw(c)); }
  // The field as written (a name's blanks are part of it).
  std::string Raw(Col c) const {
    const int i = where_[c];
    if (i < 0 || static_cast<std::size_t>(i) >= row_.fields.size()) return {};
    return row_.fields[static_cast<std::size_t>(i)];
  }
  bool Blank() const {
    return std::all_of(row_.fields.begin(), row_.fields.end(), [](const std::string& f) { return Trim(f).empty(); });
  }

 private:
  const CsvRow& row_;
  const std::array<int, kColumnCount>& where_;
};

Hz CheckFrequency(Hz hz, const HardwareArea& hw, const char* what) {
  if (hz < ToHz(hw.MinMHz()) || hz > ToHz(hw.MaxMHz()))
    throw Refusal{Format("%s frequency %s MHz is outside the radio's band %.1f-%.1f MHz", what, MHzText(hz).c_str(),
                         hw.MinMHz(), hw.MaxMHz())};
  if (ToHz(SnapFrequency(static_cast<double>(hz) / 1e6, hw).mhz) != hz)
    throw Refusal{Format("%s frequency %s MHz is not on the radio's channel steps", what, MHzText(hz).c_str())};
  return hz;
}

Hz ReadFrequency(const std::string& text, const char* what) {
  const auto v = Number(text);
  if (!v || *v < 0 || *v > 100000) throw Refusal{Format("%s \"%s\" is not a frequency", what, text.c_str())};
  return ToHz(*v);
}

std::string CtcssText(const std::string& text) {
  const auto v = Number(text);
  if (!v || *v < 0 || *v > 1000) throw Refusal{Format("tone \"%s\" is not a tone frequency", text.c_str())};
  const auto tenths = static_cast<int>(std::lround(*v * 10));
  if (std::find(kCtcssTones.begin(), kCtcssTones.end(), tenths) == kCtcssTones.end())
    throw Refusal{Format("tone %.1f Hz is not one of the radio's CTCSS tones", tenths / 10.0)};
  return "C-" + CtcssListText(tenths);
}

std::string DcsText(const std::string& text, char polarity) {
  const auto v = Integer(text);
  if (!v || std::find(kDcsCodes.begin(), kDcsCodes.end(), *v) == kDcsCodes.end())
    throw Refusal{Format("DCS code %s is not one of the radio's DCS codes", text.c_str())};
  return "D-" + DcsListText(*v) + (polarity == 'R' ? "I" : "N");
}

void ReadTones(const RowReader& r, Wanted& w) {
  if (!r.Has(kTone)) return;
  const std::string mode = r.Get(kTone);
  std::string polarity = r.Get(kPolarity);
  if (polarity.empty()) polarity = "NN";
  auto needPolarity = [&] {
    if (polarity.size() != 2 || polarity.find_first_not_of("NR") != std::string::npos)
      throw Refusal{Format("DCS polarity \"%s\" is not NN, NR, RN or RR", polarity.c_str())};
  };
  // As CHIRP reads a list with only one of the two tone columns: it gives both tones.
  const Col rTone = r.Has(kRTone) || !r.Has(kCTone) ? kRTone : kCTone;
  const Col cTone = r.Has(kCTone) || !r.Has(kRTone) ? kCTone : kRTone;
  // A list without RxDtcsCode (older CHIRP) gives one code for both ways.
  const Col rxDtcs = r.Has(kRxDtcs) ? kRxDtcs : kDtcs;
  const std::string none(kNoToneText);
  w.txTone = w.rxTone = none;
  if (mode.empty()) return;
  if (mode == "Tone") {
    w.txTone = CtcssText(r.Get(rTone));
  } else if (mode == "TSQL") {
    w.txTone = w.rxTone = CtcssText(r.Get(cTone));
  } else if (mode == "DTCS") {
    needPolarity();
    w.txTone = DcsText(r.Get(kDtcs), polarity[0]);
    w.rxTone = DcsText(r.Get(kDtcs), polarity[1]);
  } else if (mode == "Cross") {
    std::string cross = r.Get(kCross);
    if (cross.empty()) cross = "Tone->Tone";  // the layout's default
    const auto arrow = cross.find("->");
    const std::string tx = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
    const std::string rx = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
    auto known = [](const std::string& s) { return s.empty() || s == "Tone" || s == "DTCS"; };
    if (!known(tx) || !known(rx)) throw Refusal{Format("cross mode \"%s\" is not one the radio can do", cross.c_str())};
    if (tx == "DTCS" || rx == "DTCS") needPolarity();
    if (tx == "Tone") w.txTone = CtcssText(r.Get(rTone));
    if (tx == "DTCS") w.txTone = DcsText(r.Get(kDtcs), polarity[0]);
    if (rx == "Tone") w.rxTone = CtcssText(r.Get(cTone));
    if (rx == "DTCS") w.rxTone = DcsText(r.Get(rxDtcs), polarity[1]);
  } else if (mode == "TSQL-R" || mode == "DTCS-R") {
    throw Refusal{Format("tone mode %s (reverse squelch) is not one the radio can do", mode.c_str())};
  } else {
    throw Refusal{Format("tone mode \"%s\" is not one the radio can do", mode.c_str())};
  }
}

// The name as the radio stores it: upper case, each character it cannot show a blank, 8
// characters. Notes what was lost.
std::string ReadName(const std::string& name, std::vector<std::string>& notes) {
  std::string tag;
  bool lost = false, cut = false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    auto c = static_cast<unsigned char>(name[i]);
    char stored = ' ';
    if (c >= 0x80) {
      // One character of several UTF-8 bytes.
      while (i + 1 < name.size() && (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80) ++i;
      lost = true;
    } else if (const auto s = StorableTagCharacter(static_cast<char>(c))) {
      stored = *s;
    } else {
      lost = true;
    }
    if (tag.size() == 8) {
      // Blanks past the eighth character are padding, not a cut.
      cut = cut || c != ' ';
      continue;
    }
    tag.push_back(stored);
  }
  tag.resize(8, ' ');
  if (lost || cut) {
    std::string shown = tag;
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    notes.push_back(Format("name \"%s\" stored as \"%s\"", name.c_str(), shown.c_str()));
  }
  return tag;
}

// Power as CHIRP writes it ("5.0W"), a bare number of watts, or the words of older lists.
void ReadPower(const std::string& text, Wanted& w) {
  if (text.empty()) return;
  if (text == "High" || text == "Low") {
    w.power = text == "High" ? 0 : 1;
    return;
  }
  std::string number = text;
  if (number.back() == 'W') number.pop_back();
  while (!number.empty() && number.back() == ' ') number.pop_back();
  const auto watts = Number(number);
  if (!watts || *watts <= 0) throw Refusal{Format("power \"%s\" is no wattage", text.c_str())};
  w.power = *watts > (kHighWatts + kLowWatts) / 2 ? 0 : 1;
  w.otherWatts = *watts != kHighWatts && *watts != kLowWatts;
}

Wanted ReadRow(const RowReader& r, int index, const RadioData& data, std::vector<std::string>& notes) {
  const HardwareArea& hw = data.hardware;
  Wanted w;
  w.index = index;

  const std::string mode = r.Get(kMode);
  if (mode == "NFM" || mode == "FM") w.narrow = mode == "NFM";
  else if (!mode.empty())
    throw Refusal{Format("mode %s: the radio works in FM and narrow FM only", mode.c_str())};

  const std::string freq = r.Get(kFrequency);
  if (freq.empty()) throw Refusal{"no frequency"};
  w.rx = CheckFrequency(ReadFrequency(freq, "frequency"), hw, "receive");

  if (r.Has(kDuplex)) {
    const std::string duplex = r.Get(kDuplex);
    const std::string offsetText = r.Get(kOffset);
    if (offsetText.empty() && (duplex == "+" || duplex == "-" || duplex == "split"))
      throw Refusal{Format("duplex %s without an offset", duplex.c_str())};
    const Hz offset = offsetText.empty() ? 0 : ReadFrequency(offsetText, "offset");
    if (duplex.empty()) w.tx = w.rx;
    else if (duplex == "+") w.tx = w.rx + offset;
    else if (duplex == "-") w.tx = w.rx - offset;
    else if (duplex == "split") w.tx = offset;
    else if (duplex == "off") {
      w.txOff = true;
      w.tx = offset > 0 ? offset : w.rx;  // a transmit frequency kept behind the inhibit
    } else {
      throw Refusal{Format("duplex \"%s\" is not +, -, split or off", duplex.c_str())};
    }
    CheckFrequency(*w.tx, hw, "transmit");
  }

  ReadTones(r, w);
  ReadPower(r.Get(kPower), w);

  if (r.Has(kSkip)) {
    const std::string skip = r.Get(kSkip);
    if (skip == "P") {
      w.priority = true;  // the priority channel is watched whatever its scan flag, which stays
    } else if (skip.empty() || skip == "S") {
      w.priority = false;
      w.scan = skip.empty();
    } else {
      throw Refusal{Format("skip \"%s\" is not S or P", skip.c_str())};
    }
  }

  if (!IsHt610(data) && r.Has(kName)) w.tag = ReadName(r.Raw(kName), notes);
  return w;
}

std::string RightTrimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// Applies a row through the grid's entry rules; true when the channel changed.
bool Apply(RadioData& data, const Wanted& w, std::vector<std::string>& notes) {
  ChannelTable& t = data.channels;
  const EditEnv env = EditEnvFor(data);
  ChannelEditor ed(t, env);
  t.currentChannel = w.index;
  ChannelEntry& e = t.Entry(w.index);
  VisibleItems all;
  all.fill(1);
  NoPrompt prompt;
  bool changed = false;
  auto paste = [&](int column, const std::string& text) {
    if (ed.Paste(column, text, all, prompt) == CellResult::Changed) changed = true;
  };
  if (!t.IsEnabled(w.index) && ed.Activate(0) == CellResult::Changed) changed = true;
  // W4 is wide too: only a change between wide and narrow touches the bandwidth.
  if (w.narrow && *w.narrow != (e.bandwidth == 2)) paste(2, *w.narrow ? "N" : "W5");
  if (ToHz(e.rxFreq) != w.rx) paste(4, FormatFrequency(static_cast<double>(w.rx) / 1e6));
  if (w.tx && ToHz(e.txFreq) != *w.tx) paste(5, FormatFrequency(static_cast<double>(*w.tx) / 1e6));
  if (w.tx && e.txOff != w.txOff) paste(5, w.txOff ? std::string(kNoTxFrequencyText) : FormatFrequency(e.txFreq));
  if (w.rxTone && w.txTone) {
    // Receive DCS of either polarity has no column of its own: a row that gives the same code keeps it.
    std::string rxTone = *w.rxTone;
    const std::string shownRx = RightTrimmed(FormatSubAudio(e.RxTone()));
    if (e.rxToneType == kToneDcs && e.rxDcsBoth && rxTone == shownRx.substr(0, 5) + "N") rxTone = shownRx;
    const bool tonesChange = shownRx != rxTone || RightTrimmed(FormatSubAudio(e.TxTone())) != *w.txTone;
    if (shownRx != rxTone) paste(6, rxTone);
    if (RightTrimmed(FormatSubAudio(e.TxTone())) != *w.txTone) paste(7, *w.txTone);
    if (tonesChange && e.arts && !(e.rxToneType == kToneDcs && e.txToneType == kToneDcs) &&
        ed.Activate(19) == CellResult::Changed) {
      // ARTS needs DCS both ways; the cell's own rule takes it away.
      changed = true;
      notes.push_back("ARTS turned off: it needs DCS both ways");
    }
  }
  if (w.power && e.power != *w.power) paste(10, *w.power ? "L" : "H");
  if (w.scan && ((e.scan & 1) != 0) != *w.scan) paste(11, *w.scan ? "v" : "-");
  if (w.priority && (t.priorityChannel == w.index + 1) != *w.priority) paste(1, *w.priority ? "P" : "-");
  if (w.tag && RightTrimmed(e.tag) != RightTrimmed(*w.tag) && ed.SetFromText(3, *w.tag) == CellResult::Changed) changed = true;
  return changed;
}

// Control characters, which a terminal would act on, as \xNN; C1 controls in UTF-8 too.
std::string Escaped(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 || c == 0x7F) {
      out += Format("\\x%02X", c);
    } else if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(s[i + 1]) <= 0x9F) {
      out += Format("\\u%04X", static_cast<unsigned char>(s[++i]));
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out;
}

}  // namespace

std::string ExportChannelsCsv(const RadioData& data, int group) {
  const ChannelTable& t = data.channels;
  const Target target = TargetOf(t, group);
  std::string out = CsvLine(kChannelCsvColumns);
  for (int n = 0; n < target.count; ++n) {
    const int index = target.first + n;
    if (index >= kChannelCount) break;
    if (!t.IsEnabled(index)) continue;
    const ChannelEntry& e = t.Entry(index);
    std::vector<std::string> f(kChannelCsvColumns.size());
    f[kLocation] = std::to_string(n + 1);
    // Trailing blanks are padding; leading ones are part of the tag.
    f[kName] = RightTrimmed(e.tag);
    const Hz rx = ToHz(e.rxFreq), tx = ToHz(e.txFreq);
    f[kFrequency] = MHzText(rx);
    f[kOffset] = MHzText(0);
    if (e.txOff) {
      f[kDuplex] = "off";
      if (tx != rx) f[kOffset] = MHzText(tx);
    } else if (tx != rx) {
      f[kDuplex] = tx > rx ? "+" : "-";
      f[kOffset] = MHzText(tx > rx ? tx - rx : rx - tx);
    }
    const SubAudio txTone = e.TxTone(), rxTone = e.RxTone();
    f[kRTone] = f[kCTone] = "88.5";
    f[kDtcs] = f[kRxDtcs] = "023";
    f[kCross] = "Tone->Tone";
    f[kPolarity] = std::string(1, txTone.kind == kToneDcs && txTone.inverted ? 'R' : 'N') +
                   (rxTone.kind == kToneDcs && rxTone.inverted && !rxTone.both ? 'R' : 'N');  // "both" shows B
    auto hz = [](const SubAudio& s) { return Format("%.1f", s.ctcss / 10.0); };
    auto code = [](const SubAudio& s) { return DcsListText(s.dcs); };
    if (txTone.kind == kToneNone && rxTone.kind == kToneNone) {
    } else if (txTone.kind == kToneCtcss && rxTone.kind == kToneNone) {
      f[kTone] = "Tone";
      f[kRTone] = hz(txTone);
    } else if (txTone.kind == kToneCtcss && rxTone.kind == kToneCtcss && txTone.ctcss == rxTone.ctcss) {
      f[kTone] = "TSQL";
      f[kRTone] = f[kCTone] = hz(rxTone);
    } else if (txTone.kind == kToneDcs && rxTone.kind == kToneDcs && txTone.dcs == rxTone.dcs) {
      f[kTone] = "DTCS";
      f[kDtcs] = f[kRxDtcs] = code(txTone);
    } else {
      f[kTone] = "Cross";
      const char* names[] = {"", "Tone", "DTCS"};
      f[kCross] = std::string(names[txTone.kind % 3]) + "->" + names[rxTone.kind % 3];
      if (txTone.kind == kToneCtcss) f[kRTone] = hz(txTone);
      if (txTone.kind == kToneDcs) f[kDtcs] = code(txTone);
      if (rxTone.kind == kToneCtcss) f[kCTone] = hz(rxTone);
      if (rxTone.kind == kToneDcs) f[kRxDtcs] = code(rxTone);
    }
    f[kMode] = e.bandwidth == 2 ? "NFM" : "FM";
    f[kTStep] = Format("%.2f", StepHz(e.rxStep, data.hardware.bandIndex) / 1000.0);
    f[kSkip] = std::string(t.priorityChannel == index + 1 ? "P" : (e.scan & 1) ? "" : "S");  // a string: GCC 12 -O3 warns wrongly
    f[kPower] = Format("%.1fW", e.power ? kLowWatts : kHighWatts);
    out += CsvLine(f);
  }
  return out;
}

CsvImportReport ImportChannelsCsv(RadioData& data, std::string_view text, int group, bool renumber) {
  CsvImportReport report;
  CsvReadResult csv = ReadCsv(text);
  if (!csv.ok) {
    report.error = csv.error;
    report.errorLine = csv.errorLine;
    return report;
  }
  if (csv.rows.empty()) {
    report.error = "the file is empty";
    return report;
  }
  std::array<int, kColumnCount> where;
  where.fill(-1);
  const auto& header = csv.rows.front().fields;
  report.errorLine = csv.rows.front().line;
  for (std::size_t i = 0; i < header.size(); ++i)
    for (std::size_t c = 0; c < static_cast<std::size_t>(kColumnCount); ++c) {
      if (header[i] != kChannelCsvColumns[c]) continue;
      if (where[c] >= 0) {
        report.error = Format("columns %d and %zu are both named %s", where[c] + 1, i + 1, header[i].c_str());
        return report;
      }
      where[c] = static_cast<int>(i);
    }
  if (where[kFrequency] < 0) {
    report.error = "the first line names no Frequency column";
    return report;
  }
  if (group != kAllGroups && (group < 0 || group >= kGroupCount)) {
    report.error = Format("there is no group %d", group + 1);
    report.errorLine = 0;
    return report;
  }
  report.errorLine = 0;
  report.readable = true;

  ChannelTable& t = data.channels;
  const int keptChannel = t.currentChannel;
  const Target target = TargetOf(t, group);
  std::map<int, int> lineOfChannel;
  int location = 0;
  int priorityLine = 0;
  for (std::size_t r = 1; r < csv.rows.size(); ++r) {
    const CsvRow& row = csv.rows[r];
    const RowReader reader(row, where);
    ++report.rows;
    std::vector<std::string> notes;
    try {
      if (reader.Blank()) throw Refusal{"empty row"};
      if (renumber) {
        location = static_cast<int>(lineOfChannel.size()) + 1;
        if (location > target.count)
          throw Refusal{Format("no channel left: the rows before took all %d channels", target.count)};
      } else {
        const std::string loc = reader.Get(kLocation);
        if (loc.empty()) {
          ++location;
        } else if (const auto n = Integer(loc)) {
          location = *n;
        } else {
          throw Refusal{Format("location \"%s\" is not a channel number", loc.c_str())};
        }
        if (location < 1) throw Refusal{Format("location %d: channels are numbered from 1", location)};
        if (location > target.count)
          throw Refusal{group == kAllGroups
                            ? Format("channel %d is beyond the %d allocated channels", location, target.count)
                            : Format("channel %d is beyond the %d channels of group %d", location, target.count,
                                     group + 1)};
        if (const auto it = lineOfChannel.find(location); it != lineOfChannel.end())
          throw Refusal{Format("channel %d was already given on line %d", location, it->second)};
      }
      Wanted w = ReadRow(reader, target.first + location - 1, data, notes);
      if (w.priority && *w.priority) {
        if (priorityLine != 0) {
          notes.push_back(Format("a second P: the priority channel is the one of line %d", priorityLine));
          w.priority.reset();
        } else {
          priorityLine = row.line;
        }
      }
      lineOfChannel[location] = row.line;
      if (Apply(data, w, notes)) ++report.programmed;
      else ++report.unchanged;
      if (w.otherWatts) {
        ++report.otherWatts;
        if (*w.power == 0) ++report.otherWattsHigh;
      }
      for (auto& n : notes) report.issues.push_back({row.line, false, std::move(n)});
    } catch (const Refusal& refusal) {
      ++report.skipped;
      report.issues.push_back({row.line, true, refusal.reason});
    }
  }
  t.currentChannel = keptChannel;
  return report;
}

std::string CsvImportReport::Text(std::string_view file) const {
  const std::string name = Escaped(file);
  if (!readable)
    return errorLine ? Format("%s:%d: %s\n", name.c_str(), errorLine, Escaped(error).c_str())
                     : Format("%s: %s\n", name.c_str(), Escaped(error).c_str());
  std::string out = Format("%d rows: %d channels programmed, %d unchanged, %d skipped\n", rows, programmed,
                           unchanged, skipped);
  if (otherWatts)
    out += Format("%d rows give a power other than %.1fW (High) or %.1fW (Low): taken as the nearer, %d High and "
                  "%d Low\n",
                  otherWatts, kHighWatts, kLowWatts, otherWattsHigh, otherWatts - otherWattsHigh);
  for (const auto& i : issues)
    out += Format("%s:%d: %s%s\n", name.c_str(), i.line, i.skipped ? "skipped: " : "", Escaped(i.text).c_str());
  return out;
}

}  // namespace kp53
