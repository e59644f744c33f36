#include "image/channel_editing.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "image/codecs.h"
#include "image/common_options_area.h"
#include "image/entry_rules.h"
#include "image/paging_area.h"
#include "text/input_filters.h"
#include "text/choice_texts.h"
#include "text/messages.h"

namespace kp53 {

namespace {

constexpr int kMessageCopyChannel = 53;

bool IsDisabled(const ChannelEntry& e) { return (e.enabled & 1) == 0; }

// A new signalling type and what it rules out: "Signal" sends no DTMF ANI, "Option" no
// encryption, none and "Page" no signalling number.
void SetSignalType(ChannelEntry& e, int type) {
  e.signalType = type;
  if (type == 1) e.dtmfAni = 0;
  if (type == 3) e.SetEncryption(0);
  if (type == 0 || type == 2) e.signalNo = 0;
}

std::string RightTrim(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

// A squelch or signalling number pasted as text: 0 counts only when written as "0" or " 0", so
// that text without a number is refused.
std::optional<int> PastedSmallNumber(std::string_view t, int max) {
  const int n = LeadingInteger(t, nullptr);
  if (n < 0 || n > max) return std::nullopt;
  if (n == 0 && t != "0" && t != " 0") return std::nullopt;
  return static_cast<int>(n);
}

std::optional<bool> CheckMark(std::string_view t) {
  const auto i = ColumnTextIndex(kColRxPowerSave, t);
  if (!i) return std::nullopt;
  return *i == 1;
}

const char* Mark(bool flag) { return flag ? "v" : "-"; }

constexpr std::array<const char*, 4> kSignalOptionItems = {" - : OFF", " 1 : GE Star", " 2 : MDC-1200", " 3 : DTMF"};
constexpr std::array<const char*, 4> kEncryptionItems = {"  - : OFF", " 1 : Backup", " 2 : No Backup", " 3 : ON"};

}  // namespace

EditEnv EditEnvFor(const RadioData& data) {
  EditEnv env{data.image, data.hardware};
  env.defaultSplit = data.defaultSplit;
  env.ht620 = data.hardware.model == 1;
  env.optionBoard = OptionBoardCode(data.image);
  env.fiveTone = data.signaling.IsFiveTone();
  PagingParams paging;
  paging.LoadFromImage(data.image);
  for (std::size_t i = 0; i < env.pageCodeEnabled.size(); ++i) env.pageCodeEnabled[i] = paging.pages[i].programmed;
  return env;
}

bool EditorAccepts(int mode, char c) {
  if (c == '\b') return true;
  if (mode == 0) {
    if (c < 0x20 || c > 0x7E) return false;
    return std::string_view("!,#%&.;~").find(c) == std::string_view::npos;
  }
  if (mode == kTransmitEditorMode && (c == '+' || c == '-' || c == 'k' || c == 'K')) return true;
  return (c >= '0' && c <= '9') || c == '.' || c == ' ';
}

std::optional<char> EditorCharacter(int mode, char c) {
  if (c < 0x20 || !EditorAccepts(mode, c)) return std::nullopt;
  return mode == 0 ? StorableTagCharacter(c) : std::optional<char>(c);
}

EditorLimits CellEditorLimits(int column, const ChannelEntry& e) {
  const GridColumn& c = kChannelColumns[std::clamp(column, 0, kGridColumns - 1)];
  if (column == kColRxTone || column == kColTxTone) {
    const int type = column == kColRxTone ? e.rxToneType : e.txToneType;
    return {c.editorMode, type == kToneCtcss ? c.editorLength : 5};
  }
  return {c.editorMode, c.editorLength};
}

bool EditorTakes(int column, const ChannelEntry& e, std::string_view typed) {
  if (column < 0 || column >= kGridColumns || kChannelColumns[column].entry != CellEntry::Typed) return false;
  ChannelEntry shown = e;
  if (column == kColRxTone || column == kColTxTone) {
    // The letter typed on the cell sets the tone type, and with it the editor's length.
    if (typed.size() < 2 || typed[1] != '-' || (typed[0] != 'C' && typed[0] != 'D')) return false;
    (column == kColRxTone ? shown.rxToneType : shown.txToneType) = typed[0] == 'C' ? kToneCtcss : kToneDcs;
  }
  const EditorLimits limits = CellEditorLimits(column, shown);
  if (typed.size() > static_cast<std::size_t>(limits.length)) return false;
  const std::size_t begin = column == kColRxTone || column == kColTxTone ? 2 : 0;
  return std::all_of(typed.begin() + static_cast<std::ptrdiff_t>(begin), typed.end(),
                     [&](char c) { return EditorCharacter(limits.mode, c).has_value(); });
}

std::optional<double> TransmitOffsetMHz(std::string_view text) {
  std::string s = RightTrim(text);
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  if (s.size() < 2 || (s[0] != '+' && s[0] != '-')) return std::nullopt;
  double scale = 1.0;
  if (s.back() == 'k' || s.back() == 'K') {
    scale = 0.001;
    s.pop_back();
  }
  const std::string_view digits = std::string_view(s).substr(1);
  if (digits.empty() || digits.find_first_not_of("0123456789.") != std::string_view::npos ||
      std::count(digits.begin(), digits.end(), '.') > 1 || digits == ".")
    return std::nullopt;
  const double v = LeadingNumber(digits) * scale;
  return s[0] == '-' ? -v : v;
}

std::optional<char> StorableTagCharacter(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c != ' ' && CharToCode6(c) == kCode6Blank) return std::nullopt;
  return c;
}

SnappedFrequency SnapFrequency(double mhz, const HardwareArea& hw) {
  double f = mhz;
  if (!(f >= hw.MinMHz())) f = hw.MinMHz();  // also catches NaN
  if (f > hw.MaxMHz()) f = hw.MaxMHz();
  const auto n = static_cast<std::int64_t>(std::max(0.0, f) * 1e6);
  const int band = hw.bandIndex & 3;
  const std::int64_t s = StepHz(0, band);
  const std::int64_t p = band == 3 ? 12500 : 6250;
  if (n % p == 0) return {static_cast<double>(n) / 1e6, 1};
  if (n % s == 0) return {static_cast<double>(n) / 1e6, 0};
  const std::int64_t candP = (n / p + 1) * p;
  const std::int64_t candS = (n / s + 1) * s;
  if (candP - n < candS - n) return {static_cast<double>(candP) / 1e6, 1};
  return {static_cast<double>(candS) / 1e6, 0};
}

bool CrystalRule(double rxMHz) {
  const double m = std::floor(rxMHz / 3.6864 + 0.5);
  const double h = m * 3.6864;
  return std::fabs(rxMHz - h) <= h * 0.0001;
}

void ChannelEditor::RecomputeRxTuning(ChannelEntry& e) const {
  const auto& hw = env_.hardware;
  e.tuning[0] = DerivedTuningBytes(env_.image, hw.MinMHz(), hw.MaxMHz(), e.rxFreq, e.txFreq, e.bandwidth)[0];
}

void ChannelEditor::RecomputeTxTuning(ChannelEntry& e) const {
  const auto& hw = env_.hardware;
  const auto b = DerivedTuningBytes(env_.image, hw.MinMHz(), hw.MaxMHz(), e.rxFreq, e.txFreq, e.bandwidth);
  std::copy(b.begin() + 1, b.end(), e.tuning.begin() + 1);
}

std::string ChannelEditor::ListTitle(const char* name) const {
  return std::string(name) + Format("(CH=%2d)", t_.currentChannel + 1);
}

CellResult ChannelEditor::Activate(int column, ListRequest* list) {
  ChannelEntry& e = Current();
  if (IsDisabled(e) && column != 0) return CellResult::Beep;
  auto clearArtsUnlessDcs = [&] {
    if (!(e.rxToneType == kToneDcs && e.txToneType == kToneDcs)) e.arts = false;
  };
  switch (column) {
    case 0:
      if (t_.currentChannel == 0 && !IsDisabled(e)) return CellResult::Beep;  // channel 1 stays in use
      e.enabled = IsDisabled(e) ? 1 : 0;
      return CellResult::Changed;
    case 1: {
      const int number = t_.currentChannel + 1;
      t_.priorityChannel = t_.priorityChannel == number ? 0 : number;
      return CellResult::Changed;
    }
    case 2: e.bandwidth = (e.bandwidth + 1) % 3; return CellResult::Changed;
    case 5: e.txOff = !e.txOff; return CellResult::Changed;
    case 6:
      e.rxToneType = (e.rxToneType + 1) % 3;
      RecomputeTxTuning(e);
      if (e.rxToneType == kToneCtcss) e.rxCtcss = 670;
      if (e.rxToneType == kToneDcs) e.rxDcs = 23;
      clearArtsUnlessDcs();
      return CellResult::Changed;
    case 7:
      e.txToneType = (e.txToneType + 1) % 3;
      RecomputeTxTuning(e);
      if (e.txToneType == kToneCtcss) e.txCtcss = 670;
      if (e.txToneType == kToneDcs) e.txDcs = 23;
      clearArtsUnlessDcs();
      return CellResult::Changed;
    case 8: e.rxPowerSave = !e.rxPowerSave; return CellResult::Changed;
    case 9: e.txPowerSave = !e.txPowerSave; return CellResult::Changed;
    case 10: e.power = e.power ? 0 : 1; return CellResult::Changed;
    case 11: e.scan = (e.scan + 1) % 4; return CellResult::Changed;
    case 12: e.tot = !e.tot; return CellResult::Changed;
    case 13:
      if (list) {
        list->title = ListTitle("Squelch Level");
        list->items.assign(kChannelColumns[kColSquelch].texts.begin(), kChannelColumns[kColSquelch].texts.end());
        list->selected = std::clamp(e.squelch, 0, 15);
        list->columnWidth = 0;
      }
      return CellResult::ValueList;
    case 14: {
      const int last = env_.optionBoard == 6 ? 3 : 2;
      SetSignalType(e, e.signalType >= last ? 0 : e.signalType + 1);
      return CellResult::Changed;
    }
    case 15: {
      if (e.signalType == 0) return CellResult::Beep;
      if (list) {
        list->title = ListTitle("Signaling System");
        list->items = {"off"};
        list->selected = 0;
        list->columnWidth = 0;
        if (e.signalType == 1) {
          const int count = env_.fiveTone ? 32 : 16;
          for (int i = 1; i <= count; ++i) list->items.push_back(std::to_string(i));
          if (e.signalNo >= 0 && e.signalNo <= count) list->selected = e.signalNo;
        } else if (e.signalType == 2) {
          if (env_.optionBoard == 1)
            for (int i = 1; i <= 10; ++i)
              if (env_.pageCodeEnabled[static_cast<std::size_t>(i - 1)]) {
                list->items.push_back(std::to_string(i));
                if (i == e.signalNo) list->selected = static_cast<int>(list->items.size()) - 1;
              }
        } else {
          list->items.assign(kSignalOptionItems.begin(), kSignalOptionItems.end());
          if (e.signalNo >= 0 && e.signalNo <= 3) list->selected = e.signalNo;
        }
      }
      return CellResult::ValueList;
    }
    case 16:
      if (e.signalType == 1) return CellResult::Beep;
      e.dtmfAni = e.dtmfAni ? 0 : 1;
      return CellResult::Changed;
    case 17:
      if (e.signalType == 3) return CellResult::None;
      if (list) {
        list->title = ListTitle("Encryption");
        list->items.assign(kEncryptionItems.begin(), kEncryptionItems.end());
        list->selected = e.Encryption();
        list->columnWidth = 0;
      }
      return CellResult::ValueList;
    case 18: e.lockout = (e.lockout + 1) % 3; return CellResult::Changed;
    case 19:
      if (e.rxToneType == kToneDcs && e.txToneType == kToneDcs) {
        e.arts = !e.arts;
        return CellResult::Changed;
      }
      if (e.arts) {
        e.arts = false;
        return CellResult::Changed;
      }
      return CellResult::Beep;
    case 20: e.compander = e.compander ? 0 : 1; return CellResult::Changed;
    case 21: e.xtal = !e.xtal; return CellResult::Changed;
    default: return CellResult::None;
  }
}

CellResult ChannelEditor::ApplyValueList(int column, int position, bool ok) {
  if (!ok) return CellResult::None;
  ChannelEntry& e = Current();
  switch (column) {
    case 13:
      e.squelch = std::clamp(position, 0, 15);
      return CellResult::Changed;
    case 15: {
      if (e.signalType == 2) {
        // The value is the page-code number of the chosen item ("off" reads as 0).
        ListRequest list;
        Activate(15, &list);
        const auto index = static_cast<std::size_t>(std::max(position, 0));
        e.signalNo = index < list.items.size() ? static_cast<int>(LeadingInteger(list.items[index], nullptr)) : 0;
      } else {
        e.signalNo = std::max(position, 0);
      }
      return CellResult::Changed;
    }
    case 17:
      e.SetEncryption(std::clamp(position, 0, 3));
      return CellResult::Changed;
    default:
      return CellResult::None;
  }
}

std::optional<std::string> ChannelEditor::EditText(int column) const {
  const ChannelEntry& e = Current();
  if (IsDisabled(e) || column < 3 || column > 7) return std::nullopt;
  switch (column) {
    case 3:
      if (!env_.ht620) return std::nullopt;
      return Format("%-8.8s", e.tag.c_str());
    case 4: return FormatFrequency(e.rxFreq);
    case 5: return FormatFrequency(e.txFreq);
    case 6: return FormatSubAudio(e.RxTone());
    default: return FormatSubAudio(e.TxTone());
  }
}

CellResult ChannelEditor::SetFromText(int column, std::string_view text) {
  ChannelEntry& e = Current();
  switch (column) {
    case 3: {
      std::string tag(text.substr(0, std::min<std::size_t>(text.size(), 8)));
      tag.resize(8, ' ');
      // The tag shows what the record will hold: lower case is stored as upper case and a
      // character without a six-bit code as a blank.
      for (char& c : tag) c = StorableTagCharacter(c).value_or(' ');
      e.tag = tag;
      return CellResult::Changed;
    }
    case 4: {
      e.enabled = 1;
      const SnappedFrequency rx = SnapFrequency(LeadingNumber(text), env_.hardware);
      e.rxFreq = rx.mhz;
      e.rxStep = rx.selector;
      RecomputeRxTuning(e);
      if (e.rxFreq == 0.0) return CellResult::Changed;
      const SnappedFrequency tx = SnapFrequency(e.rxFreq + env_.defaultSplit, env_.hardware);
      e.txFreq = tx.mhz;
      e.txStep = tx.selector;
      RecomputeTxTuning(e);
      e.xtal = CrystalRule(e.rxFreq);
      return CellResult::Changed;
    }
    case 5: {
      const auto offset = TransmitOffsetMHz(text);
      // A sign or a "k" that makes no offset is a typing error, not the band's lower limit.
      if (!offset && text != kNoTxFrequencyText && text.find_first_of("+-kK") != std::string_view::npos)
        return CellResult::Beep;
      if (offset) e.txFreq = e.rxFreq + *offset;
      else if (text != kNoTxFrequencyText) e.txFreq = LeadingNumber(text);
      const SnappedFrequency tx = SnapFrequency(e.txFreq, env_.hardware);
      e.txFreq = tx.mhz;
      e.txStep = tx.selector;
      RecomputeTxTuning(e);
      return CellResult::Changed;
    }
    case 6:
    case 7:
      return SetToneFromText(column, text);
    default:
      return CellResult::Changed;
  }
}

CellResult ChannelEditor::SetToneFromText(int column, std::string_view text) {
  ChannelEntry& e = Current();
  std::string s = RightTrim(text);
  const auto dash = s.find('-');
  if (dash != std::string::npos) s = s.substr(dash + 1);
  const double v = LeadingNumber(s);
  const int type = column == 6 ? e.rxToneType : e.txToneType;
  if (type == kToneCtcss) {
    if (v >= 67.0 && v <= 254.1) {
      // Whole tenths of a hertz; the small offset keeps 100.3 from becoming 1002.999... -> 1002.
      (column == 6 ? e.rxCtcss : e.txCtcss) = std::floor(v * 10.0 + 1e-6);
      return CellResult::Changed;
    }
    RestoreToneTypes();
    return CellResult::None;
  }
  if (type == kToneDcs) {
    const std::string digits = std::to_string(static_cast<long>(std::max(0.0, v)));
    if (v >= 0.0 && v <= 777.0 && digits.find_first_of("89") == std::string::npos) {
      (column == 6 ? e.rxDcs : e.txDcs) = std::floor(v);
      return CellResult::Changed;
    }
    RestoreToneTypes();
    return CellResult::None;
  }
  return CellResult::None;
}

CellResult ChannelEditor::EndEdit(int column, std::string_view text) {
  if (column == 6 || column == 7) {
    // A tone text left at its bare prefix carries no value: reading it as 0 would store DCS code
    // 000 over the channel's code, so only the tone types go back.
    const std::string trimmed = RightTrim(text);
    if (trimmed == "C-" || trimmed == "D-") {
      RestoreToneTypes();
      return CellResult::None;
    }
  }
  return SetFromText(column, text);
}

bool ChannelEditor::EnterPickShortcut(int column, std::string_view text) {
  if (column != 6 && column != 7) return false;
  const auto dash = text.find('-');
  if (dash == std::string_view::npos || text.find_first_not_of(' ', dash + 1) != std::string_view::npos) return false;
  const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(text.empty() ? ' ' : text[0])));
  SaveToneTypes();
  (column == 6 ? Current().rxToneType : Current().txToneType) = first == 'C' ? kToneCtcss : kToneDcs;
  return true;
}

void ChannelEditor::SaveToneTypes() {
  ChannelEntry& e = Current();
  e.savedRxToneType = e.rxToneType;
  e.savedTxToneType = e.txToneType;
}

void ChannelEditor::RestoreToneTypes() {
  ChannelEntry& e = Current();
  e.rxToneType = e.savedRxToneType;
  e.txToneType = e.savedTxToneType;
}

void ChannelEditor::BeginToneTyping(int column, char letter) {
  SaveToneTypes();
  const int type = (letter == 'C' || letter == 'c') ? kToneCtcss : kToneDcs;
  (column == 6 ? Current().rxToneType : Current().txToneType) = type;
}

CellResult ChannelEditor::PickTone(int column, ListRequest* list) {
  const ChannelEntry& e = Current();
  if (IsDisabled(e) || (column != 6 && column != 7)) return CellResult::None;
  const int type = column == 6 ? e.rxToneType : e.txToneType;
  if (type == kToneNone) return CellResult::Beep;
  if (list) {
    list->items.clear();
    list->selected = 0;
    if (type == kToneCtcss) {
      const int tone = static_cast<int>(column == 6 ? e.rxCtcss : e.txCtcss);
      list->title = ListTitle("CTCSS Frequency");
      list->columnWidth = 100;
      for (std::size_t i = 0; i < kCtcssTones.size(); ++i) {
        list->items.push_back(CtcssListText(kCtcssTones[i]));
        if (kCtcssTones[i] == tone) list->selected = static_cast<int>(i);
      }
    } else {
      const int code = static_cast<int>(column == 6 ? e.rxDcs : e.txDcs);
      list->title = ListTitle("DCS Frequency");
      list->columnWidth = 50;
      for (std::size_t i = 0; i < kDcsCodes.size(); ++i) {
        list->items.push_back(DcsListText(kDcsCodes[i]));
        if (kDcsCodes[i] == code) list->selected = static_cast<int>(i);
      }
    }
  }
  return CellResult::TonePick;
}

CellResult ChannelEditor::ApplyTonePick(int column, int position, bool ok) {
  ChannelEntry& e = Current();
  int& type = column == 6 ? e.rxToneType : e.txToneType;
  if (!ok) {
    type = column == 6 ? e.savedRxToneType : e.savedTxToneType;
    return CellResult::None;
  }
  const auto i = static_cast<std::size_t>(std::max(position, 0));
  if (type == kToneCtcss && i < kCtcssTones.size()) {
    (column == 6 ? e.rxCtcss : e.txCtcss) = kCtcssTones[i];
    return CellResult::Changed;
  }
  if (type == kToneDcs && i < kDcsCodes.size()) {
    (column == 6 ? e.rxDcs : e.txDcs) = kDcsCodes[i];
    return CellResult::Changed;
  }
  return CellResult::None;
}

CellResult ChannelEditor::CyclePolarity(int column) {
  ChannelEntry& e = Current();
  if (IsDisabled(e)) return CellResult::None;
  if (column == 6 && e.rxToneType == kToneDcs) {
    if (!e.rxDcsInverted && !e.rxDcsBoth) {
      e.rxDcsInverted = true;
    } else if (e.rxDcsInverted) {
      e.rxDcsInverted = false;
      e.rxDcsBoth = true;
    } else {
      e.rxDcsBoth = false;
    }
    return CellResult::Changed;
  }
  if (column == 7 && e.txToneType == kToneDcs) {
    e.txDcsInverted = !e.txDcsInverted;
    return CellResult::Changed;
  }
  return CellResult::None;
}

std::optional<int> ChannelEditor::PriorityPreStep(int column) {
  if (column != 1 || IsDisabled(Current())) return std::nullopt;
  const int p = t_.priorityChannel;
  if (p == 0 || p == t_.currentChannel + 1 || p < t_.groupFirst || p > t_.groupLast) return std::nullopt;
  t_.priorityChannel = 0;
  return p - 1;
}

std::optional<std::string> ChannelEditor::CopyText(int column) const {
  const ChannelEntry& e = Current();
  switch (column) {
    case 8: return Mark(e.rxPowerSave);
    case 9: return Mark(e.txPowerSave);
    case 11: return Mark((e.scan & 1) != 0);
    case 12: return Mark(e.tot);
    case 16: return Mark(e.dtmfAni != 0);
    case 17: return std::string(1, "-123"[e.Encryption()]);
    case 19: return Mark(e.arts);
    case 20: return Mark(e.compander != 0);
    case 21: return Mark(e.xtal);
    default: return std::nullopt;
  }
}

CellResult ChannelEditor::PasteTone(int column, std::string_view t) {
  ChannelEntry& e = Current();
  if (t.size() < 2) return CellResult::Beep;
  const std::string_view prefix = t.substr(0, 2);
  const std::string v = RightTrim(t.substr(2));
  const bool rx = column == 6;
  if (prefix == "C-") {
    const auto it = std::find_if(kCtcssTones.begin(), kCtcssTones.end(),
                                 [&](int tone) { return CtcssListText(tone) == v; });
    if (it == kCtcssTones.end()) return CellResult::Beep;
    (rx ? e.rxToneType : e.txToneType) = kToneCtcss;
    (rx ? e.rxCtcss : e.txCtcss) = *it;
  } else if (prefix == "D-") {
    if (v.size() != 4) return CellResult::Beep;
    const char polarity = v[3];
    const auto it = std::find_if(kDcsCodes.begin(), kDcsCodes.end(),
                                 [&](int code) { return DcsListText(code) == v.substr(0, 3); });
    if (it == kDcsCodes.end() || (polarity != 'N' && polarity != 'I' && polarity != 'B')) return CellResult::Beep;
    (rx ? e.rxToneType : e.txToneType) = kToneDcs;
    (rx ? e.rxDcs : e.txDcs) = *it;
    if (rx) {
      e.rxDcsInverted = polarity == 'I';
      e.rxDcsBoth = polarity == 'B';
    } else if (polarity != 'B') {
      e.txDcsInverted = polarity == 'I';
    }
  } else if (t == kNoToneText) {
    (rx ? e.rxToneType : e.txToneType) = kToneNone;
    (rx ? e.rxCtcss : e.txCtcss) = 0;
  } else {
    return CellResult::Beep;
  }
  RecomputeTxTuning(e);
  return CellResult::Changed;
}

CellResult ChannelEditor::Paste(int column, std::string_view t, const VisibleItems& visible, UserPrompt& prompt,
                                std::optional<int>* otherChanged) {
  ChannelEntry& e = Current();
  const int k = t_.currentChannel;
  if (IsDisabled(e) && column != 0) return CellResult::Beep;
  auto setFlag = [&](auto& field) {
    const auto mark = CheckMark(t);
    if (!mark) return CellResult::Beep;
    field = static_cast<std::remove_reference_t<decltype(field)>>(*mark);
    return CellResult::Changed;
  };
  switch (column) {
    case 0: {
      bool digits = false;
      const int n = LeadingInteger(t, &digits);
      if (n == 0 || t.find('.') != std::string_view::npos || n < 1 || n > kChannelCount || n == k + 1)
        return CellResult::Beep;
      const std::string own = Format("%3d", k + 1);
      if (prompt.Message(kMessageCopyChannel, Icon::Question, Buttons::YesNo, t, own) != Answer::Yes)
        return CellResult::None;
      CopyVisibleFields(static_cast<int>(n) - 1, k, visible);
      if (otherChanged) *otherChanged = static_cast<int>(n) - 1;
      return CellResult::Changed;
    }
    case 1:
      if (t == "P") {
        const int old = t_.priorityChannel;
        t_.priorityChannel = k + 1;
        if (otherChanged && old != 0 && old != k + 1) *otherChanged = old - 1;
        return CellResult::Changed;
      }
      if (t == "-") {
        if (t_.priorityChannel == k + 1) t_.priorityChannel = 0;
        return CellResult::Changed;
      }
      return CellResult::Beep;
    case 2: {
      const auto i = ColumnTextIndex(kColBandwidth, t);
      if (!i) return CellResult::Beep;
      e.bandwidth = *i;
      return CellResult::Changed;
    }
    case 3:
      if (!env_.ht620 || t.size() > 9 || !std::all_of(t.begin(), t.end(), [](char c) { return EditorAccepts(0, c); }))
        return CellResult::Beep;
      return SetFromText(3, t);
    case 4:
    case 5:
      if (column == 5) {
        if (t == kNoTxFrequencyText) {
          e.txOff = true;
          return CellResult::Changed;
        }
        e.txOff = false;
      }
      // An empty text carries no frequency; it would otherwise set the band's lower limit.
      if (t.empty() || t.size() > 9 ||
          !std::all_of(t.begin(), t.end(), [column](char c) { return EditorAccepts(column == 5 ? kTransmitEditorMode : 1, c); }) ||
          (column == 5 && t.find_first_of("+-kK") != std::string_view::npos && !TransmitOffsetMHz(t)))
        return CellResult::Beep;
      return SetFromText(column, t);
    case 6:
    case 7:
      return PasteTone(column, t);
    case 8: return setFlag(e.rxPowerSave);
    case 9: return setFlag(e.txPowerSave);
    case 12: return setFlag(e.tot);
    case 16: return setFlag(e.dtmfAni);
    case 19:
      if (!(e.rxToneType == kToneDcs && e.txToneType == kToneDcs)) return CellResult::Beep;
      return setFlag(e.arts);
    case 20: return setFlag(e.compander);
    case 21: return setFlag(e.xtal);
    case 10: {
      const auto i = ColumnTextIndex(kColPower, t);
      if (!i) return CellResult::Beep;
      e.power = *i;
      return CellResult::Changed;
    }
    case 11: {
      const auto mark = CheckMark(t);
      if (!mark) return CellResult::Beep;
      e.scan = *mark ? 1 : 0;
      return CellResult::Changed;
    }
    case 18: {
      const auto i = ColumnTextIndex(kColLockout, t);
      if (!i) return CellResult::Beep;
      e.lockout = *i;
      return CellResult::Changed;
    }
    case 13: {
      const auto n = PastedSmallNumber(t, 15);
      if (!n) return CellResult::Beep;
      e.squelch = *n;
      return CellResult::Changed;
    }
    case 15: {
      const auto n = PastedSmallNumber(t, 16);
      if (!n) return CellResult::Beep;
      e.signalNo = *n;
      return CellResult::Changed;
    }
    case 17: {
      const auto i = ColumnTextIndex(kColEncryption, t);
      if (!i) return CellResult::Beep;
      e.SetEncryption(*i);
      return CellResult::Changed;
    }
    case 14: {
      // The shown type ("--", "Signal", "Page", "Option"), so that a copied row carries it;
      // "Option" only with the option board that offers it.
      const auto i = ColumnTextIndex(kColSignalType, t);
      if (!i || (*i == 3 && env_.optionBoard != 6)) return CellResult::Beep;
      SetSignalType(e, *i);
      return CellResult::Changed;
    }
    default:
      return CellResult::Beep;
  }
}

void ChannelEditor::CopyVisibleFields(int from, int to, const VisibleItems& visible) {
  if (from == to || from < 0 || to < 0 || from >= kChannelCount || to >= kChannelCount) return;
  const ChannelEntry& s = t_.Entry(from);
  ChannelEntry& d = t_.Entry(to);
  auto shown = [&](int item) { return visible[static_cast<std::size_t>(item)] != 0; };
  d.enabled = to == 0 ? 1 : s.enabled;
  if (shown(0)) {
    if (t_.priorityChannel == from + 1)
      t_.priorityChannel = to + 1;
    else if (t_.priorityChannel == to + 1)
      t_.priorityChannel = 0;
  }
  if (shown(1)) d.bandwidth = s.bandwidth;
  if (shown(2)) d.tag = s.tag;
  if (shown(3)) {
    const SnappedFrequency rx = SnapFrequency(s.rxFreq, env_.hardware);
    d.rxFreq = rx.mhz;
    d.rxStep = rx.selector;
    RecomputeRxTuning(d);
    const SnappedFrequency tx = SnapFrequency(s.txFreq, env_.hardware);
    d.txFreq = tx.mhz;
    d.txOff = s.txOff;
    d.txStep = tx.selector;
    RecomputeTxTuning(d);
  }
  if (shown(4)) {
    d.rxToneType = s.rxToneType;
    d.txToneType = s.txToneType;
    RecomputeTxTuning(d);
    d.rxCtcss = s.rxCtcss;
    d.txCtcss = s.txCtcss;
    d.rxDcs = s.rxDcs;
    d.txDcs = s.txDcs;
    d.rxDcsInverted = s.rxDcsInverted;
    d.rxDcsBoth = s.rxDcsBoth;
    d.txDcsInverted = s.txDcsInverted;
  }
  if (shown(5)) {
    d.rxPowerSave = s.rxPowerSave;
    d.txPowerSave = s.txPowerSave;
  }
  if (shown(6)) d.power = s.power;
  if (shown(7)) d.scan = s.scan;
  if (shown(8)) d.tot = s.tot;
  if (shown(9)) d.squelch = s.squelch;
  if (shown(12)) d.dtmfAni = s.dtmfAni;
  if (shown(13)) {
    d.encryptHigh = s.encryptHigh;
    d.encryptLow = s.encryptLow;
  }
  if (shown(14)) d.lockout = s.lockout;
  if (shown(15)) d.arts = s.arts;
  if (shown(16)) d.compander = s.compander;
  if (shown(17)) d.xtal = s.xtal;
  if (shown(10)) {
    d.signalType = s.signalType;
    d.signalNo = s.signalNo;
  }
}

bool CommitGroupSize(ChannelTable& t, int group, int requested) {
  if (group < 0 || group >= kGroupCount) return false;
  auto& size = t.groupSize[static_cast<std::size_t>(group)];
  t.channelsLeft += size;
  int n = std::clamp(requested, 0, ChannelTable::maxGroupSize);
  if (group == 0 && n == 0) n = 1;
  bool ok = true;
  if (t.channelsLeft - n < 0) {
    t.channelsLeft -= size;
    ok = false;
  } else {
    size = static_cast<std::uint8_t>(n);
    t.channelsLeft -= n;
  }
  if (t.channelsLeft == ChannelTable::maxChannels) {
    size = 1;
    t.channelsLeft -= 1;
  }
  if (ok && size == 0) t.groupSystemType[static_cast<std::size_t>(group)] = 0;
  t.currentGroup = group;
  return ok;
}

std::string GroupSizeText(int size) { return Format("%3.3d", size); }

std::optional<int> TypedGroupSize(std::string_view typed) {
  if (typed.size() > static_cast<std::size_t>(kGroupSizeLength)) return std::nullopt;
  for (std::size_t i = 0; i < typed.size(); ++i)
    if (typed[i] == '\b' || !FieldFilterAccepts(kGroupSizeFilterMode, static_cast<int>(i), typed[i])) return std::nullopt;
  return LeadingInteger(typed);
}

GroupSizeEntry EnterGroupSize(ChannelTable& t, int group, std::string_view typed) {
  const auto n = TypedGroupSize(typed);
  if (!n) return GroupSizeEntry::NotTyped;
  return CommitGroupSize(t, group, *n) ? GroupSizeEntry::Stored : GroupSizeEntry::TooManyChannels;
}

std::span<const std::string_view> GroupSystemTypeItems(int optionBoard) {
  return std::span(text::kGroupSystemTypes).first(optionBoard == CommonOptionsArea::kOptionOmnitrunk ? 2 : 1);
}

bool GroupSystemTypeEditable(const ChannelTable& t, int group) {
  return group >= 0 && group < kGroupCount && t.groupSize[static_cast<std::size_t>(group)] != 0;
}

bool EnterGroupSystemType(ChannelTable& t, int group, int optionBoard, int type) {
  if (group < 0 || group >= kGroupCount || type < 0) return false;
  if (type != 0 && (!GroupSystemTypeEditable(t, group) ||
                    static_cast<std::size_t>(type) >= GroupSystemTypeItems(optionBoard).size()))
    return false;
  t.groupSystemType[static_cast<std::size_t>(group)] = static_cast<std::uint8_t>(type);
  t.currentGroup = group;
  return true;
}

void CommitGroupTag(ChannelTable& t, int group, std::string_view text) {
  if (group < 0 || group >= kGroupCount) return;
  std::string tag(8, ' ');
  tag.replace(0, std::min<std::size_t>(text.size(), 8), text.substr(0, std::min<std::size_t>(text.size(), 8)));
  t.groupTag[static_cast<std::size_t>(group)] = tag;
}

std::string CellEntryLine(int column, std::string_view typed, const std::string& shown, CellResult result,
                          const ChannelEntry& entry, const HardwareArea& hardware) {
  const std::string t = RightTrim(typed);
  if (column == 3) {
    const bool cut = t.size() > 8;
    return StoredDifferentlyLine(t, shown, cut ? "a tag holds 8 characters"
                                               : "the radio's character set has no such character; it shows a blank");
  }
  if (column == 4 || column == 5) {
    if (t == kNoTxFrequencyText) return {};
    const double mhz = LeadingNumber(t);
    const std::string why =
        mhz < hardware.MinMHz() || mhz > hardware.MaxMHz()
            ? Format("the band runs from %.1f to %.1f MHz", hardware.MinMHz(), hardware.MaxMHz())
            : Format("the radio tunes in %g and %g kHz steps", StepHz(0, hardware.bandIndex) / 1000.0,
                     StepHz(1, hardware.bandIndex) / 1000.0);
    return StoredDifferentlyLine(t, shown, why);
  }
  if (column != 6 && column != 7) return {};
  const SubAudio tone = column == 6 ? entry.RxTone() : entry.TxTone();
  // A refused text has left the tone types as they were: its own letter tells what it was meant as.
  const bool dcs = result == CellResult::None ? !t.empty() && std::toupper(static_cast<unsigned char>(t[0])) == 'D'
                                              : tone.kind == kToneDcs;
  if (result == CellResult::None) {
    if (t.find_first_of("0123456789") == std::string::npos) return {};
    return t + " not stored: " + (dcs ? "a DCS code has three octal digits, 000 to 777"
                                      : "CTCSS tones run from 67.0 to 254.1 Hz");
  }
  if (tone.kind == kToneCtcss && std::find(kCtcssTones.begin(), kCtcssTones.end(), tone.ctcss) == kCtcssTones.end())
    return t + " stored as " + RightTrim(shown) + Format(": CTCSS %.1f Hz is not one of the radio's tones", tone.ctcss / 10.0);
  if (dcs && std::find(kDcsCodes.begin(), kDcsCodes.end(), tone.dcs) == kDcsCodes.end())
    return t + " stored as " + RightTrim(shown) + Format(": DCS %03d is not one of the radio's codes", tone.dcs);
  return StoredDifferentlyLine(t, shown, dcs ? "DCS codes are whole octal numbers" : "CTCSS tones are kept in tenths of a hertz");
}

}  // namespace kp53
