#include "config/config_schema.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <type_traits>

#include "image/channel_editing.h"
#include "image/entry_rules.h"
#include "image/field_table.h"
#include "image/image_rules.h"
#include "text/choice_texts.h"
#include "text/grid_texts.h"
#include "text/input_filters.h"

namespace kp53::config {

namespace {

using text::TextList;
using Error = std::optional<std::string>;

std::string Trim(std::string_view s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

std::string RightTrim(std::string_view s) {
  const auto e = s.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::vector<std::string> Texts(TextList list) {
  std::vector<std::string> out;
  for (auto t : list) out.push_back(Trim(t));
  return out;
}

int FindText(const std::vector<std::string>& texts, const std::string& given) {
  const std::string g = Trim(given);
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (texts[i] == g) return static_cast<int>(i);
  return -1;
}

std::string OneOf(const std::vector<std::string>& texts) {
  std::string s = "expected one of:";
  for (std::size_t i = 0; i < texts.size(); ++i) s += (i ? ", \"" : " \"") + texts[i] + "\"";
  return s;
}

// A stored value no list names reads as "#n"; entering it back is refused.
std::string ListText(const std::vector<std::string>& texts, int v) {
  if (v >= 0 && static_cast<std::size_t>(v) < texts.size()) return texts[static_cast<std::size_t>(v)];
  return Format("#%d", v);
}

bool AllAccepted(const std::string& s, int mode) {
  for (std::size_t i = 0; i < s.size(); ++i)
    if (!FieldFilterAccepts(mode, static_cast<int>(i), s[i])) return false;
  return true;
}

std::optional<bool> ParseBool(const std::string& t) {
  const std::string s = Trim(t);
  if (s == "true" || s == "yes" || s == "on") return true;
  if (s == "false" || s == "no" || s == "off") return false;
  return std::nullopt;
}

const char* BoolText(bool b) { return b ? "true" : "false"; }

template <typename T>
void Assign(T& field, int v) {
  field = static_cast<std::remove_reference_t<T>>(v);
}

// --- Field builders ----------------------------------------------------------------------------

// A list field: its value is the item index of `list`. `rule` may refuse an item.
template <typename Acc>
Field Choice(std::string name, std::string help, TextList list, Acc acc,
             std::function<Error(ConfigModel&, int, int)> rule = {}) {
  auto texts = Texts(list);
  Field f{std::move(name), std::move(help), texts, {}, {}, Compare::Text, {}};
  f.get = [acc, texts](ConfigModel& m, int i) { return ListText(texts, static_cast<int>(acc(m, i))); };
  f.set = [acc, texts, rule](ConfigModel& m, int i, const std::string& t) -> Error {
    const int v = FindText(texts, t);
    if (v < 0) return OneOf(texts);
    if (rule)
      if (auto e = rule(m, i, v)) return e;
    if constexpr (std::is_lvalue_reference_v<decltype(acc(m, i))>) Assign(acc(m, i), v);
    return std::nullopt;
  };
  return f;
}

template <typename Acc>
Field Flag(std::string name, std::string help, Acc acc, std::function<Error(ConfigModel&, int, bool)> rule = {}) {
  Field f{std::move(name), std::move(help), {"true", "false"}, {}, {}, Compare::Text, {}};
  f.get = [acc](ConfigModel& m, int i) { return std::string(BoolText(acc(m, i) != 0)); };
  f.set = [acc, rule](ConfigModel& m, int i, const std::string& t) -> Error {
    const auto b = ParseBool(t);
    if (!b) return "expected true or false";
    if (rule)
      if (auto e = rule(m, i, *b)) return e;
    Assign(acc(m, i), *b ? 1 : 0);
    return std::nullopt;
  };
  return f;
}

// A number field of the signalling dialogs, entered through its rule of the field table and the
// dialog's entry rule, shown in the rule's display format. The items of a section share the
// filter and length of `rule`. What the field would not let the user type is refused; what it
// takes, an empty text too, is entered as the dialog enters it.
template <typename Acc>
Field Numeric(const NumberFieldRule& rule, std::string help, Acc acc, Entry (*entry)(std::string_view),
              std::string (*shown)(int)) {
  Field f{rule.name, std::move(help), {}, {}, {}, Compare::Number, {}};
  f.get = [acc, shown](ConfigModel& m, int i) { return Trim(shown(static_cast<int>(acc(m, i)))); };
  f.set = [acc, entry, &rule](ConfigModel& m, int i, const std::string& t) -> Error {
    const auto n = TypedNumber(rule, t);
    if (!n || n->size() > static_cast<std::size_t>(rule.length))
      return Format("expected a number the field takes: %d characters of its set", rule.length);
    Assign(acc(m, i), entry(*n).stored);
    return std::nullopt;
  };
  return f;
}

// A text field of the dialogs, entered through its rule of the field table: refused where the
// dialog's field would not let the user type the text, stored as the dialog stores a finished edit.
template <typename Acc>
Field Typed(const TextFieldRule& rule, Acc acc) {
  Field f{rule.name, rule.help, {}, {}, {}, Compare::Text, {}};
  f.get = [acc](ConfigModel& m, int i) { return RightTrim(acc(m, i)); };
  f.set = [acc, &rule](ConfigModel& m, int i, const std::string& t) -> Error {
    if (!TypedAccepted(rule, t)) return std::string("the field does not take this text: ") + rule.help;
    acc(m, i) = rule.enter(t);
    return std::nullopt;
  };
  return f;
}

// Bytes of the image as hexadecimal digits, for the factory and alignment data that no dialog
// edits but that belong to the radio.
Field Hex(std::string name, std::string help, std::size_t offset, std::size_t size, bool hardware) {
  Field f{std::move(name), std::move(help), {}, {}, {}, Compare::Text, {}};
  f.get = [offset, size, hardware](ConfigModel& m, int) {
    if (hardware) m.data.hardware.StoreToImage(m.data.image);
    std::string s;
    for (std::size_t k = 0; k < size; ++k) s += Format("%02X", m.data.image[offset + k]);
    return s;
  };
  f.set = [offset, size, hardware](ConfigModel& m, int, const std::string& t) -> Error {
    const std::string s = Trim(t);
    if (s.size() != 2 * size || !AllAccepted(s, 7)) return Format("expected %zu hexadecimal digits", 2 * size);
    if (hardware) m.data.hardware.StoreToImage(m.data.image);
    for (std::size_t k = 0; k < size; ++k)
      m.data.image[offset + k] = static_cast<std::uint8_t>(std::strtoul(s.substr(2 * k, 2).c_str(), nullptr, 16));
    if (hardware) {
      m.data.hardware.LoadFromImage(m.data.image);
      m.options.LoadFromImage(m.data.image);
    }
    return std::nullopt;
  };
  return f;
}

// --- Channels: every field through the grid's editing rules ------------------------------------

template <typename F>
CellResult OnGrid(ConfigModel& m, int i, F f) {
  m.data.channels.currentChannel = i;
  const EditEnv env = EditEnvFor(m.data);
  ChannelEditor editor(m.data.channels, env);
  return f(editor);
}

ChannelEntry& Ch(ConfigModel& m, int i) { return m.data.channels.Entry(i); }

Error Refused(CellResult r, const char* why) {
  return r == CellResult::Changed || r == CellResult::None ? std::nullopt : Error(why);
}

// A grid cell entered as the grid's paste enters it, with its grid texts.
Field GridCell(std::string name, std::string help, int column, std::vector<std::string> texts,
               const char* refusal = "refused by the channel rules") {
  Field f{std::move(name), std::move(help), texts, {}, {}, Compare::Text, {}};
  f.get = [column](ConfigModel& m, int i) { return Trim(ChannelCellText(m.data.channels, i, column, false)); };
  f.set = [column, texts, refusal](ConfigModel& m, int i, const std::string& t) -> Error {
    if (FindText(texts, t) < 0) return OneOf(texts);
    return Refused(OnGrid(m, i, [&](ChannelEditor& ed) {
                     std::optional<int> other;
                     VisibleItems all{};
                     all.fill(1);
                     struct NoPrompt : UserPrompt {
                       Answer Show(std::string_view, Icon, Buttons) override { return Answer::No; }
                     } prompt;
                     return ed.Paste(column, Trim(t), all, prompt, &other);
                   }),
                   refusal);
  };
  return f;
}

// A check-mark cell of the grid as true or false.
Field GridFlag(std::string name, std::string help, int column, const char* refusal = "refused by the channel rules") {
  Field f = GridCell(std::move(name), std::move(help), column, {"v", "-"}, refusal);
  auto paste = f.set;
  f.choices = {"true", "false"};
  f.get = [column](ConfigModel& m, int i) { return std::string(BoolText(CheckMark(Ch(m, i), column) == 'v')); };
  f.set = [paste](ConfigModel& m, int i, const std::string& t) -> Error {
    const auto b = ParseBool(t);
    if (!b) return "expected true or false";
    return paste(m, i, *b ? "v" : "-");
  };
  return f;
}

Field Frequency(bool rx) {
  const int column = rx ? 4 : 5;
  Field f{rx ? "rx" : "tx",
          rx ? "receive frequency in MHz, snapped to the band's steps and held within the band limits as the grid "
               "enters it; also proposes the transmit frequency and the crystal flag"
             : "transmit frequency in MHz (kept while transmit is inhibited)",
          {}, {}, {}, Compare::Hertz, {}};
  f.get = [rx](ConfigModel& m, int i) { return FrequencyText(rx ? Ch(m, i).rxFreq : Ch(m, i).txFreq); };
  f.set = [column](ConfigModel& m, int i, const std::string& t) -> Error {
    if (!ParseHertz(t)) return "expected a frequency in MHz such as 150.00000";
    OnGrid(m, i, [&](ChannelEditor& ed) { return ed.EndEdit(column, Trim(t)); });
    return std::nullopt;
  };
  return f;
}

std::string StepText(int selector, int bandIndex) {
  const std::uint32_t hz = StepHz(selector, bandIndex);
  return hz % 1000 == 0 ? Format("%u kHz", hz / 1000) : RightTrim(Format("%g kHz", hz / 1000.0));
}

// The step table of a frequency, exported only where it is not the one the grid would choose: a
// frequency on both grids may be stored with either.
Field StepPin(bool rx) {
  Field f{rx ? "rx_step" : "tx_step",
          "step of the stored frequency number, present only where it differs from the step the grid chooses; "
          "passed by when the frequency is not on that step's grid",
          {}, {}, {}, Compare::Hint, {}};
  auto sel = [rx](ConfigModel& m, int i) -> int& { return rx ? Ch(m, i).rxStep : Ch(m, i).txStep; };
  f.get = [sel](ConfigModel& m, int i) { return StepText(sel(m, i), m.data.hardware.bandIndex); };
  f.set = [rx, sel](ConfigModel& m, int i, const std::string& t) -> Error {
    const HardwareArea& hw = m.data.hardware;
    for (int s = 0; s < 2; ++s)
      if (Trim(t) == StepText(s, hw.bandIndex)) {
        // The number counts the receive oscillator (the frequency less or plus the IF).
        const ChannelEntry& e = Ch(m, i);
        long long hz = std::llround((rx ? e.rxFreq : e.txFreq) * 1e6);
        if (rx) hz += (hw.injection == 0 ? -1LL : 1LL) * static_cast<long long>(hw.firstIf) * 1000;
        if (hz % static_cast<long long>(StepHz(s, hw.bandIndex)) == 0) sel(m, i) = s;
        return std::nullopt;
      }
    return "expected \"" + StepText(0, m.data.hardware.bandIndex) + "\" or \"" +
           StepText(1, m.data.hardware.bandIndex) + "\"";
  };
  f.shown = [rx, sel](ConfigModel& m, int i) {
    return sel(m, i) != SnapFrequency(rx ? Ch(m, i).rxFreq : Ch(m, i).txFreq, m.data.hardware).selector;
  };
  return f;
}

Field Tone(bool rx) {
  const int column = rx ? 6 : 7;
  Field f{rx ? "rx_tone" : "tx_tone",
          rx ? "decode sub-audio as the grid shows it: \"-------\", \"C- 88.5\", \"D-023N\" (N normal, I inverted, "
               "B both)"
             : "encode sub-audio: \"-------\", \"C- 88.5\", \"D-023N\" (N normal, I inverted)",
          {}, {}, {}, Compare::Text, {}};
  f.get = [rx](ConfigModel& m, int i) { return Trim(rx ? RxSubAudioText(Ch(m, i)) : TxSubAudioText(Ch(m, i))); };
  f.set = [rx, column](ConfigModel& m, int i, const std::string& given) -> Error {
    const std::string t = Trim(given);
    if (t == kNoToneText)
      return Refused(OnGrid(m, i, [&](ChannelEditor& ed) {
                       VisibleItems all{};
                       struct NoPrompt : UserPrompt {
                         Answer Show(std::string_view, Icon, Buttons) override { return Answer::No; }
                       } prompt;
                       return ed.Paste(column, kNoToneText, all, prompt);
                     }),
                     "refused");
    if (t.size() < 3 || (t.rfind("C-", 0) != 0 && t.rfind("D-", 0) != 0))
      return "expected \"-------\", \"C-\" with a tone in Hz or \"D-\" with a code and N, I or B";
    const bool dcs = t[0] == 'D';
    char polarity = 'N';
    std::string value = t;
    if (dcs) {
      if (const char last = t.back(); last == 'N' || last == 'I' || last == 'B') {
        polarity = last;
        value = t.substr(0, t.size() - 1);
      }
      if (value.size() < 3) return "expected a DCS code";
    }
    const CellResult r = OnGrid(m, i, [&](ChannelEditor& ed) {
      ed.BeginToneTyping(column, t[0]);
      return ed.EndEdit(column, value);
    });
    if (r != CellResult::Changed)
      return dcs ? "expected an octal DCS code from 000 to 777" : "expected a CTCSS tone from 67.0 to 254.1 Hz";
    if (!dcs) return std::nullopt;
    auto current = [&] {
      const ChannelEntry& e = Ch(m, i);
      if (rx) return e.rxDcsBoth ? 'B' : e.rxDcsInverted ? 'I' : 'N';
      return e.txDcsInverted ? 'I' : 'N';
    };
    for (int k = 0; k < 3 && current() != polarity; ++k)
      OnGrid(m, i, [&](ChannelEditor& ed) { return ed.CyclePolarity(column); });
    if (current() != polarity) return "the encode code has no polarity B";
    return std::nullopt;
  };
  return f;
}

Field SignalType() {
  Field f = GridCell("signal_type", "signalling of the channel; \"Page\" needs the SCB-31 board, \"Option\" the "
                     "VMU-140/VMDU-260",
                     14, {"--", "Signal", "Page", "Option"});
  f.set = [texts = f.choices](ConfigModel& m, int i, const std::string& t) -> Error {
    const int want = FindText(texts, t);
    if (want < 0) return OneOf(texts);
    for (int k = 0; k < 4 && Ch(m, i).signalType != want; ++k)
      OnGrid(m, i, [](ChannelEditor& ed) { return ed.Activate(14); });
    if (Ch(m, i).signalType != want) return "not offered with this option board";
    return std::nullopt;
  };
  return f;
}

Field SignalNumber() {
  Field f{"signal_no", "signalling number: a system (1-16 2-tone, 1-32 5-tone), an enabled page code, or an option "
          "item 1-3; \"--\" for none",
          {}, {}, {}, Compare::Text, {}};
  f.get = [](ConfigModel& m, int i) { return Trim(ChannelCellText(m.data.channels, i, 15, false)); };
  f.set = [](ConfigModel& m, int i, const std::string& given) -> Error {
    const std::string t = Trim(given);
    ListRequest list;
    const CellResult r = OnGrid(m, i, [&](ChannelEditor& ed) { return ed.Activate(15, &list); });
    if (r != CellResult::ValueList) {
      if (t == "--") return std::nullopt;
      return "the channel has no signalling type";
    }
    int position = -1;
    if (t == "--") {
      position = 0;
    } else {
      bool digits = false;
      const int n = LeadingInteger(t, &digits);
      if (Ch(m, i).signalType == 2) {
        for (std::size_t k = 1; k < list.items.size(); ++k)
          if (digits && Trim(list.items[k]) == std::to_string(n)) position = static_cast<int>(k);
      } else if (digits && n >= 1 && static_cast<std::size_t>(n) < list.items.size()) {
        position = n;
      }
    }
    if (position < 0) return "not among the numbers offered";
    OnGrid(m, i, [&](ChannelEditor& ed) { return ed.ApplyValueList(15, position, true); });
    return std::nullopt;
  };
  return f;
}

Field InUse() {
  Field f{"in_use", "the channel is in use (channel 1 always is); given last so that the fields above apply",
          {"true", "false"}, {}, {}, Compare::Text, {}};
  auto enabled = [](ConfigModel& m, int i) {
    return m.heldChannel == i ? (m.heldEnabled & 1) != 0 : m.data.channels.IsEnabled(i);
  };
  f.get = [enabled](ConfigModel& m, int i) { return std::string(BoolText(enabled(m, i))); };
  f.set = [](ConfigModel& m, int i, const std::string& t) -> Error {
    const auto b = ParseBool(t);
    if (!b) return "expected true or false";
    if (m.data.channels.IsEnabled(i) == *b) return std::nullopt;
    return Refused(OnGrid(m, i, [](ChannelEditor& ed) { return ed.Activate(0); }), "channel 1 stays in use");
  };
  return f;
}

Field TxInhibit() {
  Field f{"tx_inhibit", "transmit inhibited on this channel", {"true", "false"}, {}, {}, Compare::Text, {}};
  f.get = [](ConfigModel& m, int i) { return std::string(BoolText(Ch(m, i).txOff)); };
  f.set = [](ConfigModel& m, int i, const std::string& t) -> Error {
    const auto b = ParseBool(t);
    if (!b) return "expected true or false";
    if (Ch(m, i).txOff != *b) OnGrid(m, i, [](ChannelEditor& ed) { return ed.Activate(5); });
    return std::nullopt;
  };
  return f;
}

Field ChannelTag() {
  Field f{"tag", "channel tag, up to 8 characters (stored in upper case; the HT-610 Series shows none)",
          {}, {}, {}, Compare::Text, {}};
  f.get = [](ConfigModel& m, int i) { return RightTrim(Ch(m, i).tag); };
  f.set = [](ConfigModel& m, int i, const std::string& t) -> Error {
    if (t.size() > 8) return "expected at most 8 characters";
    if (m.data.hardware.model == 0 && !t.empty()) return "the HT-610 Series keeps no channel tags";
    // The first character the radio cannot show, named so that a tab or a control character is seen.
    for (const char c : t)
      if (!StorableTagCharacter(c))
        return std::isprint(static_cast<unsigned char>(c))
                   ? Format("a channel tag cannot hold '%c'", c)
                   : Format("a channel tag cannot hold the control character with code %d", static_cast<unsigned char>(c));
    return Refused(OnGrid(m, i, [&](ChannelEditor& ed) {
                     VisibleItems all{};
                     struct NoPrompt : UserPrompt {
                       Answer Show(std::string_view, Icon, Buttons) override { return Answer::No; }
                     } prompt;
                     return ed.Paste(3, t, all, prompt);
                   }),
                   "a character the tag cannot hold");
  };
  return f;
}

std::vector<Field> ChannelFields() {
  return {Frequency(true),
          StepPin(true),
          Frequency(false),
          StepPin(false),
          TxInhibit(),
          GridCell("bandwidth", "channel bandwidth", 2, {"W5", "W4", "N"}),
          ChannelTag(),
          Tone(true),
          Tone(false),
          GridFlag("rx_power_save", "receive power save", 8),
          GridFlag("tx_power_save", "transmit power save", 9),
          GridCell("power", "transmit power, high or low", 10, {"H", "L"}),
          GridFlag("scan", "channel taking part in scanning", 11),
          GridFlag("tot", "time-out timer", 12),
          GridCell("squelch", "squelch level 0 to 15", 13, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                                              "11", "12", "13", "14", "15"}),
          SignalType(),
          SignalNumber(),
          GridFlag("dtmf_ani", "DTMF ANI", 16),
          GridCell("encryption", "encryption: - off, 1 backup, 2 no backup, 3 on", 17, {"-", "1", "2", "3"}),
          GridCell("lockout", "busy channel lockout", 18, {"--", "BC", "BT"}),
          GridFlag("arts", "ARTS (both tones DCS)", 19, "ARTS needs DCS on both decode and encode"),
          GridFlag("compander", "compander", 20),
          GridFlag("xtal", "crystal flag", 21),
          InUse()};
}

// --- The other areas ---------------------------------------------------------------------------

#define ACC(expr) [](ConfigModel & m, [[maybe_unused]] int i) -> auto& { return expr; }

Error NeedPaging(ConfigModel& m) {
  if (PagingEnabled(m.options.optionBoard)) return std::nullopt;
  return "paging is edited only with the SCB-31 option board";
}

template <typename Acc>
Field PagingChoice(std::string name, std::string help, TextList list, Acc acc) {
  return Choice(std::move(name), std::move(help), list, acc, [](ConfigModel& m, int, int) { return NeedPaging(m); });
}

// Byte runs that do not depend on the item.
std::function<std::vector<std::pair<std::size_t, std::size_t>>(int)> Runs(
    std::vector<std::pair<std::size_t, std::size_t>> runs) {
  return [runs](int) { return runs; };
}

std::vector<Section> BuildSchema() {
  std::vector<Section> s;
  auto always = [](ConfigModel&) { return true; };
  auto fiveTone = [](ConfigModel& m) { return m.data.signaling.IsFiveTone(); };
  auto twoTone = [](ConfigModel& m) { return !m.data.signaling.IsFiveTone(); };

  // Identity.
  {
    Section sec{"identity", "Identity of the radio", 0, {}, {}, 0, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{0, 2}, {off::kFactoryData, 8}});
    Field fw{"firmware", "firmware version as the radio reports it", {}, {}, {}, Compare::Text, {}};
    fw.get = [](ConfigModel& m, int) { return m.data.identity.FirmwareText(); };
    fw.set = [](ConfigModel& m, int, const std::string& t) -> Error {
      const std::string s2 = Trim(t);
      const auto dot = s2.find('.');
      if (dot == std::string::npos || dot == 0 || dot > 2 || s2.size() != dot + 3 || !AllAccepted(s2.substr(0, dot), 8) ||
          !AllAccepted(s2.substr(dot + 1), 8))
        return "expected a version such as 2.00";
      m.data.identity.firmwareVersion = std::atoi(s2.substr(0, dot).c_str()) * 100 + std::atoi(s2.substr(dot + 1).c_str());
      return std::nullopt;
    };
    sec.fields.push_back(fw);
    sec.fields.push_back(Typed(fields::kSerialNumber, ACC(m.data.identity.serialNumber)));
    sec.fields.push_back(Hex("factory_data", "factory data, kept as read from the radio", off::kFactoryData, 4, false));
    s.push_back(sec);
  }

  // Hardware.
  {
    Section sec{"hardware", "Hardware configuration (compared with the radio before a Download)", 0, {}, {}, 1, always,
                {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kHardwareConfig, 45}, {3, 1}, {4, 1}});
    sec.storesSplit = true;
    sec.fields.push_back(Hex("config_bytes", "the configuration bytes as stored, under the fields below",
                             off::kHardwareConfig, off::kHardwareConfigSize, true));
    sec.fields.push_back(Hex("alignment", "alignment data as stored, under the squelch fields below", off::kAlignment,
                             34, true));
    sec.fields.push_back(Choice("model", "product type", text::kModels, ACC(m.data.hardware.model),
                                [](ConfigModel& m, int, int v) -> Error {
                                  ApplyModelChange(m.data.hardware, m.options, v);
                                  return std::nullopt;
                                }));
    sec.fields.push_back(Choice("band", "band family; a change resets every channel in use to the band's default "
                                "frequency",
                                text::kBandFamilies, [](ConfigModel& m, int) -> int { return m.data.hardware.IsUhf(); },
                                [](ConfigModel& m, int, int v) -> Error {
                                  ApplyBandDefaults(m.data, v == 1);
                                  ResetChannelsForBand(m.data, v == 1);
                                  return std::nullopt;
                                }));
    {
      Field f{"channel_step", "channel steps of the band (tables A and B)",
              Texts(text::kVhfChannelSteps), {}, {}, Compare::Text, {}};
      for (auto t : Texts(text::kUhfChannelSteps)) f.choices.push_back(t);
      f.get = [](ConfigModel& m, int) { return Trim(text::ChannelStepName(m.data.hardware.bandIndex)); };
      f.set = [](ConfigModel& m, int, const std::string& t) -> Error {
        HardwareArea& hw = m.data.hardware;
        const auto texts = Texts(hw.IsUhf() ? TextList(text::kUhfChannelSteps) : TextList(text::kVhfChannelSteps));
        const int k = FindText(texts, t);
        if (k < 0) return OneOf(texts);
        hw.bandIndex = BandIndexOfStepItem(hw.IsUhf(), k);
        return std::nullopt;
      };
      sec.fields.push_back(f);
    }
    sec.fields.push_back(Choice("local_offset", "side of the local oscillator", text::kLocalOffset,
                                ACC(m.data.hardware.injection)));
    {
      Field f{"ref_osc", "reference oscillator in MHz (at most 99.99)", {}, {}, {}, Compare::Hertz, {}};
      f.get = [](ConfigModel& m, int) { return FrequencyText(m.data.hardware.RefOscMHz()); };
      f.set = [](ConfigModel& m, int, const std::string& t) -> Error {
        const auto n = TypedNumber(fields::kRefOsc, t);
        if (!n) return "expected a frequency in MHz";
        ApplyRefOscEntry(m.data.hardware, *n);
        return std::nullopt;
      };
      sec.fields.push_back(f);
    }
    auto limit = [](bool min) {
      Field f{min ? "min_frequency" : "max_frequency",
              min ? "lower band limit, 100.0 to 600.0 MHz" : "upper band limit, 100.0 to 600.0 MHz", {}, {}, {},
              Compare::Number, {}};
      f.get = [min](ConfigModel& m, int) {
        return FrequencyLimitText(min ? m.data.hardware.minFreq : m.data.hardware.maxFreq);
      };
      f.set = [min](ConfigModel& m, int, const std::string& t) -> Error {
        const auto n = TypedNumber(min ? fields::kMinFrequency : fields::kMaxFrequency, t);
        if (!n) return "expected a frequency in MHz";
        HardwareArea& hw = m.data.hardware;
        if (min)
          hw.minFreq = static_cast<unsigned>(MinFrequencyEntry(*n, hw.maxFreq).stored);
        else
          hw.maxFreq = static_cast<unsigned>(MaxFrequencyEntry(*n, hw.minFreq).stored);
        return std::nullopt;
      };
      return f;
    };
    sec.fields.push_back(limit(true));
    sec.fields.push_back(limit(false));
    {
      Field f{"first_if", "first intermediate frequency in MHz (kHz are stored)", {}, {}, {}, Compare::Number, {}};
      f.get = [](ConfigModel& m, int) { return Format("%.3f MHz", m.data.hardware.firstIf / 1000.0); };
      f.set = [](ConfigModel& m, int, const std::string& t) -> Error {
        const auto n = TypedNumber(fields::kFirstIf, t);
        if (!n) return "expected a frequency in MHz";
        m.data.hardware.firstIf = static_cast<unsigned>(FirstIfEntry(*n).stored);
        return std::nullopt;
      };
      sec.fields.push_back(f);
    }
    {
      Field f{"default_split", "offset proposed for the transmit frequency, -99.9 to 99.9 MHz", {}, {}, {},
              Compare::Number, {}};
      f.get = [](ConfigModel& m, int) {
        char buf[400];
        const auto r = std::to_chars(buf, buf + sizeof buf, m.data.defaultSplit, std::chars_format::fixed);
        return std::string(buf, r.ptr);
      };
      f.set = [](ConfigModel& m, int, const std::string& t) -> Error {
        const auto n = TypedNumber(fields::kDefaultSplit, t);
        if (!n) return "expected a number of MHz";
        m.data.defaultSplit = DefaultSplitEntry(*n);
        return std::nullopt;
      };
      sec.fields.push_back(f);
    }
    sec.fields.push_back(Choice("front_keypad", "front keypad", text::kFrontKeypad, ACC(m.options.frontKeypad)));
    sec.fields.push_back(Choice("sql_release", "squelch release time", text::kSqlReleaseTimes, ACC(m.data.hardware.sqlRelease)));
    sec.fields.push_back(Choice("sql_attack", "squelch attack time", text::kSqlAttackTimes, ACC(m.data.hardware.sqlAttack)));
    sec.fields.push_back(Choice("sql_hysteresis", "squelch hysteresis", text::kSqlHysteresis,
                                ACC(m.data.hardware.sqlHysteresis)));
    sec.fields.push_back(Choice("rx_save_off", "receive save off time", text::kReceiveSaveOffTimes,
                                ACC(m.data.hardware.rxSaveOff)));
    sec.fields.push_back(Choice("ctcss_release", "CTCSS release time", text::kCtcssReleaseTimes,
                                ACC(m.data.hardware.ctcssRelease)));
    // Both limits given: the upper one first makes room, so that the pair applies in either order.
    sec.before = [](ConfigModel& m, int, const Present& p) {
      if (p.count("min_frequency") && p.count("max_frequency"))
        m.data.hardware.maxFreq = static_cast<unsigned>(MaxFrequencyEntry(p.at("max_frequency"), 1000).stored);
    };
    // A new model gets what the Hardware dialog's OK gives it.
    sec.after = [](ConfigModel& m, int, const Present& entered) {
      if (entered.count("model") || entered.count("front_keypad"))
        m.WithImage([&] { ApplyHardwareOk(m.data, m.options, m.data.defaultSplit); });
    };
    s.push_back(sec);
  }

  // Groups and channels.
  {
    Section sec{"groups", "Channel groups: tag, number of channels, system type", kGroupCount, {}, {}, 5, always, {},
                {}, {}, {}, {}};
    sec.bytes = [](int i) {
      const auto g = static_cast<std::size_t>(i);
      return std::vector<std::pair<std::size_t, std::size_t>>{
          {off::kGroupTags + 8 * g, 8}, {off::kGroupSizes + g, 1}, {off::kGroupSystemType + g / 8, 1}};
    };
    sec.fields.push_back(Typed(fields::kGroupTag, ACC(m.data.channels.groupTag[static_cast<std::size_t>(i)])));
    Field size{"size", "channels in the group (0 to 128, the groups together at most 256; group 1 at least 1)", {},
               {}, {}, Compare::Number, {}};
    size.get = [](ConfigModel& m, int i) { return std::to_string(m.data.channels.groupSize[static_cast<std::size_t>(i)]); };
    size.set = [](ConfigModel& m, int i, const std::string& t) -> Error {
      bool digits = false;
      const int n = LeadingInteger(t, &digits);
      if (!digits || Trim(t).find_first_not_of("0123456789") != std::string::npos) return "expected a number";
      if (!CommitGroupSize(m.data.channels, i, n)) return "too many channels: the groups hold at most 256";
      return std::nullopt;
    };
    sec.fields.push_back(size);
    sec.fields.push_back(Choice("system_type", "conventional or Omnitrunk (needs the Omnitrunk board)",
                                text::kSignalingTypes, ACC(m.data.channels.groupSystemType[static_cast<std::size_t>(i)]),
                                [](ConfigModel& m, int i, int v) -> Error {
                                  if (v == 1 && m.options.optionBoard != CommonOptionsArea::kOptionOmnitrunk)
                                    return "Omnitrunk groups need the Omnitrunk option board";
                                  if (v == 1 && m.data.channels.groupSize[static_cast<std::size_t>(i)] == 0)
                                    return "an empty group stays conventional";
                                  return std::nullopt;
                                }));
    sec.fields.back().choices = {"Conventional", "Omnitrunk"};
    sec.fields.back().get = [](ConfigModel& m, int i) {
      return std::string(m.data.channels.groupSystemType[static_cast<std::size_t>(i)] ? "Omnitrunk" : "Conventional");
    };
    {
      auto rule = sec.fields.back().set;
      sec.fields.back().set = [rule](ConfigModel& m, int i, const std::string& t) -> Error {
        const std::string v = Trim(t);
        if (v != "Conventional" && v != "Omnitrunk") return "expected \"Conventional\" or \"Omnitrunk\"";
        return rule(m, i, v == "Omnitrunk" ? "5-Tone" : "2-Tone");
      };
    }
    // Groups that shrink go first, so that the channels they free are there for those that grow.
    sec.prepare = [](ConfigModel& m, const std::vector<std::pair<int, Present>>& items) {
      for (const auto& [i, p] : items) {
        const auto it = p.find("size");
        bool digits = false;
        const int n = it == p.end() ? 0 : LeadingInteger(it->second, &digits);
        if (digits && n >= 0 && n < m.data.channels.groupSize[static_cast<std::size_t>(i)])
          CommitGroupSize(m.data.channels, i, n);
      }
    };
    s.push_back(sec);
  }
  {
    Section sec{"channels", "Channels: the 256 channel records; groups take them in order", kChannelCount, {}, {}, 6,
                always, {}, {}, {}, {}, {}};
    sec.bytes = [](int i) {
      const auto c = static_cast<std::size_t>(i);
      return std::vector<std::pair<std::size_t, std::size_t>>{{off::kChannels + kChannelRecordSize * c, kChannelRecordSize},
                                                              {off::kScanBits + c / 8, 1}};
    };
    sec.fields = ChannelFields();
    // The grid edits channels in use only: the channel is in use while its fields are entered,
    // and gets its own state back unless the text or a typed frequency says otherwise.
    sec.before = [](ConfigModel& m, int i, const Present&) {
      m.heldChannel = i;
      m.heldEnabled = Ch(m, i).enabled;
      Ch(m, i).enabled |= 1;
    };
    sec.after = [](ConfigModel& m, int i, const Present& entered) {
      m.heldChannel = -1;
      if (!entered.count("in_use") && !entered.count("rx")) Ch(m, i).enabled = m.heldEnabled;
    };
    sec.itemComment = [](ConfigModel& m, int i) {
      const auto [g, pos] = m.data.channels.SplitIndex(i);
      return g >= kGroupCount ? std::string("not allocated") : Format("group %d, channel %d", g + 1, pos + 1);
    };
    s.push_back(sec);
  }

  // Scanning.
  {
    Section sec{"scanning", "Scanning", 0, {}, {}, 7, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kScanParams, 1}, {6, 2}, {off::kPriorityGroup, 2}});
    sec.fields = {
        Choice("resume_time_1", "scan resume time 1", text::kScanResumeTimes1, ACC(m.scan.resumeTime1)),
        Choice("resume_time_2", "scan resume time 2", text::kScanResumeTimes2, ACC(m.scan.resumeTime2)),
        Flag("dual_watch", "dual watch", ACC(m.scan.dualWatch)),
        Choice("dual_watch_timer", "dual watch timer", text::kDualWatchTimers, ACC(m.scan.dualWatchTimer)),
        Flag("talk_back", "talk back", ACC(m.scan.talkBack)),
        Choice("revert_channel", "revert channel", text::kRevertChannels, ACC(m.scan.revertChannel)),
        Choice("scan_speed", "scan speed", text::kScanSpeeds, ACC(m.scan.scanSpeed)),
        Choice("group_scan", "group scan", text::kGroupScans, ACC(m.scan.groupScan)),
    };
    Field pri{"priority_channel", "priority channel number (a channel in use), or \"none\"", {}, {}, {}, Compare::Text, {}};
    pri.get = [](ConfigModel& m, int) {
      const int p = m.data.channels.priorityChannel;
      return p == 0 ? std::string("none") : std::to_string(p);
    };
    pri.set = [](ConfigModel& m, int, const std::string& t) -> Error {
      if (Trim(t) == "none") {
        m.data.channels.priorityChannel = 0;
        return std::nullopt;
      }
      bool digits = false;
      const int n = LeadingInteger(t, &digits);
      if (!digits || n < 1 || n > kChannelCount) return "expected a channel number 1 to 256 or \"none\"";
      return Refused(OnGrid(m, n - 1, [](ChannelEditor& ed) {
                       VisibleItems all{};
                       struct NoPrompt : UserPrompt {
                         Answer Show(std::string_view, Icon, Buttons) override { return Answer::No; }
                       } prompt;
                       return ed.Paste(1, "P", all, prompt);
                     }),
                     "the priority channel must be in use");
    };
    sec.fields.push_back(pri);
    s.push_back(sec);
  }

  // Power saving.
  {
    Section sec{"power_saving", "Power saving and the power-on tag", 0, {}, {}, 8, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kPowerOnTag, 8}, {3, 2}, {7, 1}, {off::kCommonOptions, 1}});
    sec.fields = {
        Typed(fields::kPowerOnTag, ACC(m.options.powerOnTag)),
        Choice("transmit_timer", "transmit (time-out) timer", text::kTransmitTimers, ACC(m.options.transmitTimer)),
        Choice("penalty_timer", "penalty timer", text::kPenaltyTimers, ACC(m.options.penaltyTimer)),
        Choice("release_timer", "release timer", text::kReleaseTimers, ACC(m.options.releaseTimer)),
        Choice("receive_save_mode", "receive save ratio", text::kReceiveSaveModes, ACC(m.options.receiveSaveMode)),
        Choice("mic_gain", "microphone gain", text::kMicGains, ACC(m.options.micGain)),
        Choice("low_battery_alert", "low battery alert", text::kLowBatteryAlerts, ACC(m.options.lowBatteryAlert)),
    };
    s.push_back(sec);
  }

  // Key functions.
  {
    Section sec{"key_functions", "Programmable keys: press, then press and hold", 0, {}, {}, 9, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kKeyFunctions, 12}, {6, 1}});
    static const char* const kSlots[] = {"side1", "side2", "a", "b", "c", "d",
                                         "side1_hold", "side2_hold", "a_hold", "b_hold", "c_hold", "d_hold"};
    const auto texts = Texts(text::kKeyFunctions);
    for (int slot = 0; slot < KeyFunctionArea::kSlotCount; ++slot) {
      Field f{kSlots[slot], "function of the key", texts, {}, {}, Compare::Text, {}};
      f.get = [slot, texts](ConfigModel& m, int) { return ListText(texts, m.keys.functions[static_cast<std::size_t>(slot)]); };
      f.set = [slot, texts](ConfigModel& m, int, const std::string& t) -> Error {
        const int code = FindText(texts, t);
        if (code < 0) return OneOf(texts);
        const auto offered = m.keys.OfferedCodes(slot, m.data.hardware.model);
        if (std::find(offered.begin(), offered.end(), code) == offered.end())
          return "not offered on this key: another key has it, the model lacks it, or it is a press-and-hold "
                 "function";
        m.keys.SelectFunction(slot, code);
        return std::nullopt;
      };
      sec.fields.push_back(f);
    }
    sec.fields.push_back(Choice("rotary_switch", "rotary switch mode", text::kRotarySwitch, ACC(m.keys.rotaryMode)));
    // Keys that change give up their functions first, so that two keys may swap theirs.
    sec.before = [texts](ConfigModel& m, int, const Present& p) {
      for (int slot = 0; slot < KeyFunctionArea::kSlotCount; ++slot) {
        const auto it = p.find(kSlots[slot]);
        if (it != p.end() && FindText(texts, it->second) != m.keys.functions[static_cast<std::size_t>(slot)])
          m.keys.SelectFunction(slot, 0);
      }
    };
    s.push_back(sec);
  }

  // Emergency.
  {
    Section sec{"emergency", "Emergency", 0, {}, {}, 9, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kEmergency, 4}});
    Field ch{"channel", "emergency channel: \"current Channel\", \"Priority Channel\" or an allocated channel "
             "\"CH-n\"", {}, {}, {}, Compare::Text, {}};
    ch.get = [](ConfigModel& m, int) {
      const int v = m.emergency.ChannelValue();
      const auto items = EmergencyChannelItems(m.data.channels);
      return v >= 0 && static_cast<std::size_t>(v) < items.size() ? Trim(items[static_cast<std::size_t>(v)])
                                                                    : Format("CH-%d", v - 1);
    };
    ch.set = [](ConfigModel& m, int, const std::string& t) -> Error {
      const auto items = EmergencyChannelItems(m.data.channels);
      std::vector<std::string> texts;
      for (const auto& it : items) texts.push_back(Trim(it));
      const int v = FindText(texts, t);
      if (v < 0) return "expected \"current Channel\", \"Priority Channel\" or an allocated channel \"CH-n\"";
      m.emergency.SetChannelValue(v);
      return std::nullopt;
    };
    sec.fields = {
        ch,
        Choice("rx_time", "emergency receive time", text::kEmergencyRxTimes, ACC(m.emergency.rxTime)),
        Choice("tx_time", "emergency transmit time", text::kEmergencyTxTimes, ACC(m.emergency.txTime)),
        Flag("silent_mode", "silent emergency", ACC(m.emergency.silentMode)),
        Choice("key_duration", "emergency key duration", text::kEmergencyKeyDurations, ACC(m.emergency.keyDuration)),
        Choice("lone_worker_timer", "lone worker timer", text::kLoneWorkerTimers, ACC(m.emergency.loneWorkerTimer)),
    };
    s.push_back(sec);
  }

  // Marketing.
  {
    Section sec{"marketing", "Marketing", 0, {}, {}, 9, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kMarketApplication, 2}});
    sec.fields.push_back(Typed(fields::kMarketApplication, ACC(m.data.identity.marketApplication)));
    s.push_back(sec);
  }

  // Miscellaneous.
  {
    Section sec{"miscellaneous", "Miscellaneous", 0, {}, {}, 9, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{2, 7}, {off::kCommonOptions, 1}});
    Field tail = Choice("squelch_tail_elimination", "squelch tail elimination (\"Rev. Burst\" only where already set)",
                        text::kSquelchTailElim, ACC(m.options.squelchTailElim),
                        [](ConfigModel& m, int, int v) -> Error {
                          for (const auto& item : SquelchTailItems(m.options.squelchTailElim))
                            if (item.code == v) return std::nullopt;
                          return "not offered: \"Rev. Burst\" stays only where it is set";
                        });
    sec.fields = {
        Choice("power_on_condition", "power-on condition", text::kPowerOnConditions, ACC(m.options.powerOnCondition)),
        Flag("beep", "key beep", ACC(m.options.beep)),
        tail,
        Flag("bell", "bell", ACC(m.options.bell)),
        Flag("led_lighting", "LED lighting", ACC(m.options.ledLighting)),
        Choice("lcd_lighting", "LCD lighting mode", text::kLcdLightingModes, ACC(m.options.lcdLightingMode)),
        Flag("set_to_set_clone", "set-to-set clone", ACC(m.options.setToSetClone)),
        Choice("external_jack", "external jack", text::kExternalJacks, ACC(m.options.externalJack)),
        Choice("key_holding_time", "key holding time", text::kKeyHoldingTimes, ACC(m.options.keyHoldingTime)),
        Flag("arts_beep", "ARTS beep", ACC(m.options.artsBeep)),
    };
    s.push_back(sec);
  }

  // Option.
  {
    Section sec{"option", "Option board and recorder", 0, {}, {}, 2, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kCommonOptions, 1}, {128, 1}});
    Field board = Choice("option_board", "option board; a change clears the channel signalling it no longer offers",
                         text::kOptionBoards, ACC(m.options.optionBoard));
    board.set = [texts = board.choices](ConfigModel& m, int, const std::string& t) -> Error {
      const int v = FindText(texts, t);
      if (v < 0) return OneOf(texts);
      m.WithImage([&] {
        ChangeOptionBoard(m.data, m.options, v);
        ApplyOptionOk(m.data, m.options);
      });
      return std::nullopt;
    };
    auto recorder = [](ConfigModel& m, int, int) -> Error {
      if (RecorderFieldsEnabled(m.options.optionBoard)) return std::nullopt;
      return "the recorder fields are edited only with the VRU-8 board";
    };
    sec.fields = {
        board,
        Choice("record_mode", "record mode", text::kRecordModes, ACC(m.options.recordMode), recorder),
        Choice("play_mode", "play mode", text::kPlayModes, ACC(m.options.playMode), recorder),
        Flag("power_on_record", "record at power-on", ACC(m.options.powerOnRecord),
             [recorder](ConfigModel& m, int i, bool) { return recorder(m, i, 0); }),
    };
    s.push_back(sec);
  }

  // Password.
  {
    Section sec{"password", "Power-on password", 0, {}, {}, 9, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kPassword, 3}});
    sec.fields = {
        Flag("enabled", "password asked at power-on", ACC(m.options.passwordEnabled)),
        Typed(fields::kPassword, ACC(m.options.password)),
    };
    sec.fields.back().get = [](ConfigModel& m, int) { return CompletePassword(m.options.password); };
    s.push_back(sec);
  }

  // Signalling.
  {
    Section sec{"signalling", "Signalling system; the other system's settings are not part of the configuration",
                0, {}, {}, 3, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{7, 1}});
    Field type{"system", "selective calling system; a change clears every channel's signalling",
               Texts(text::kSignalingTypes), {}, {}, Compare::Text, {}};
    type.get = [](ConfigModel& m, int) { return Trim(text::kSignalingTypes[m.data.signaling.system]); };
    type.set = [texts = type.choices](ConfigModel& m, int, const std::string& t) -> Error {
      const int v = FindText(texts, t);
      if (v < 0) return OneOf(texts);
      m.WithImage([&] { ChangeSignalingType(m.data, v); });
      return std::nullopt;
    };
    sec.fields.push_back(type);
    s.push_back(sec);
  }
  {
    Section sec{"dtmf", "DTMF", 0, {}, {}, 9, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{2, 1}, {8, 1}, {128, 1}, {off::kDtmfSpeedDial, 80}, {off::kDtmfAni, 16}});
    sec.fields = {
        Choice("ani_transmit", "ANI sent when", text::kAniTransmit, ACC(m.dtmf.aniTransmit)),
        Choice("delay", "DTMF delay", text::kDtmfDelays, ACC(m.dtmf.delay)),
        Choice("speed", "DTMF speed", text::kDtmfSpeeds, ACC(m.dtmf.speed)),
        Choice("pause_time", "pause time", text::kDtmfPauseTimes, ACC(m.dtmf.pauseTime)),
        Typed(fields::kPauseCode, ACC(m.dtmf.pauseCode)),
    };
    for (int k = 0; k < DtmfParams::kSpeedDialCount; ++k)
      sec.fields.push_back(Typed(fields::SpeedDial(k), [k](ConfigModel& m, int) -> std::string& {
        return m.dtmf.speedDial[static_cast<std::size_t>(k)];
      }));
    sec.fields.push_back(Typed(fields::kAniCode, ACC(m.dtmf.aniCode)));
    sec.fields.push_back(Typed(fields::kEmergencyCode, ACC(m.dtmf.emergencyCode)));
    s.push_back(sec);
  }
  {
    Section sec{"paging", "DTMF paging (edited with the SCB-31 board)", 0, {}, {}, 4, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kPaging, 1}});
    sec.fields = {
        PagingChoice("dtmf_speed", "paging DTMF speed", text::kPagingDtmfSpeeds, ACC(m.paging.dtmfSpeed)),
        Flag("answer_back", "answer back", ACC(m.paging.answerBack), [](ConfigModel& m, int, bool) { return NeedPaging(m); }),
        PagingChoice("call_times", "call times", text::kPagingCallTimes, ACC(m.paging.callTimes)),
        PagingChoice("auto_reset_time", "auto reset time", text::kPagingAutoResetTimes, ACC(m.paging.autoResetTime)),
    };
    s.push_back(sec);
    Section pages{"pages", "Page codes", PagingParams::kPageCount, {}, {}, 4, always, {}, {}, {}, {}, {}};
    pages.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kPaging + 1 + 2 * static_cast<std::size_t>(i), 2}}; };
    pages.fields = {
        Flag("programmed", "page code in use", ACC(m.paging.pages[static_cast<std::size_t>(i)].programmed),
             [](ConfigModel& m, int, bool) { return NeedPaging(m); }),
        PagingChoice("mode", "page mode", text::kPageModes, ACC(m.paging.pages[static_cast<std::size_t>(i)].mode)),
        Typed(fields::PageCode(0), ACC(m.paging.pages[static_cast<std::size_t>(i)].code)),
    };
    // The code as the Paging Code dialog shows it (empty while the page is not programmed), and a
    // finished code programs its page as the dialog's edit does.
    pages.fields.back().get = [](ConfigModel& m, int i) { return m.paging.ShownCode(i); };
    pages.fields.back().set = [](ConfigModel& m, int i, const std::string& t) -> Error {
      if (auto e = NeedPaging(m)) return e;
      if (!TypedAccepted(fields::PageCode(i), t)) return std::string("expected ") + fields::PageCode(i).help;
      m.paging.EnterCode(i, t);
      return std::nullopt;
    };
    s.push_back(pages);
  }

  // 2-tone.
  {
    Section sec{"two_tone", "2-tone parameters", 0, {}, {}, 9, twoTone, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{5, 1}, {7, 1}, {off::kTwoToneParams, 3}});
    sec.fields = {
        Choice("auto_reset_time", "auto reset time", text::kAutoResetTimes, ACC(m.twoToneParams.autoResetTime)),
        Flag("auto_reset_beep", "beep at auto reset", ACC(m.twoToneParams.autoResetBeep)),
        Choice("primary_group_call", "primary group call", text::kGroupCalls, ACC(m.twoToneParams.primaryGroupCall)),
        Choice("secondary_group_call", "secondary group call", text::kGroupCalls, ACC(m.twoToneParams.secondaryGroupCall)),
        Choice("call_beep_tone", "call beep tone", text::kCallBeepTones, ACC(m.twoToneParams.callBeepTone)),
        Choice("beep_mode", "beep mode", text::kBeepModes, ACC(m.twoToneParams.beepMode)),
        Choice("secondary_page_pair", "secondary page pair", text::kPairs, ACC(m.twoToneParams.secondaryPagePair)),
        Flag("complement", "complement", ACC(m.twoToneParams.complement)),
        Choice("duty", "duty", text::kDuty, ACC(m.twoToneParams.duty)),
        Numeric(fields::kTwoToneBeepRepeat, "beep repeat time, 0 to 255 s", ACC(m.twoToneParams.beepRepeatTime),
                BeepRepeatEntry, SecondsText),
    };
    s.push_back(sec);
  }
  {
    Section sec{"two_tone_pairs", "2-tone table: ten tone pairs, 288.5 to 3000.0 Hz", TwoToneTable::kPairCount, {}, {},
                9, always, {}, {}, {}, {}, {}};
    sec.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kTwoToneTable + 4 * static_cast<std::size_t>(i), 4}}; };
    sec.fields = {
        Numeric(fields::TwoTone(0, false), "first tone", ACC(m.twoToneTable.pairs[static_cast<std::size_t>(i)].first), TwoToneEntry, TwoToneText),
        Numeric(fields::TwoTone(0, true), "second tone", ACC(m.twoToneTable.pairs[static_cast<std::size_t>(i)].second), TwoToneEntry,
                TwoToneText),
    };
    s.push_back(sec);
  }
  {
    Section sec{"two_tone_systems", "2-tone systems", TwoToneSystemTable::kSystemCount, {}, {}, 9, twoTone, {}, {}, {}, {}, {}};
    sec.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kTwoToneSystems + static_cast<std::size_t>(i), 1}}; };
    Field primary{"primary_pair", "primary pair 1 to 10, or \"-\"", {}, {}, {}, Compare::Text, {}};
    primary.get = [](ConfigModel& m, int i) {
      return Trim(text::TwoTonePrimaryText(m.twoToneSystems.systems[static_cast<std::size_t>(i)].primaryPair));
    };
    primary.set = [](ConfigModel& m, int i, const std::string& t) -> Error {
      bool digits = false;
      const int n = Trim(t) == "-" ? 0 : LeadingInteger(t, &digits);
      if ((Trim(t) != "-" && !digits) || n < 0 || n > TwoToneTable::kPairCount) return "expected 1 to 10 or \"-\"";
      m.twoToneSystems.systems[static_cast<std::size_t>(i)].primaryPair = n;
      return std::nullopt;
    };
    sec.fields = {
        primary,
        Flag("secondary", "secondary", ACC(m.twoToneSystems.systems[static_cast<std::size_t>(i)].secondary)),
        Flag("auto_reset", "auto reset", ACC(m.twoToneSystems.systems[static_cast<std::size_t>(i)].autoReset)),
    };
    s.push_back(sec);
  }
  {
    Section sec{"two_tone_encode", "2-tone encode", 0, {}, {}, 9, twoTone, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kTwoToneEncode, 3}});
    sec.fields = {
        Choice("encode_type", "encode type", text::kEncodeTypes, ACC(m.twoToneEncode.encodeType)),
        Choice("format_pair", "format pair", text::kPairs, ACC(m.twoToneEncode.formatPair)),
        Numeric(fields::kTwoTonePeriod1, "period time 1, 0.0 to 25.5 s", ACC(m.twoToneEncode.period1), PeriodTimeEntry, PeriodTimeText),
        Numeric(fields::kTwoTonePeriod2, "period time 2, 0.0 to 25.5 s", ACC(m.twoToneEncode.period2), PeriodTimeEntry, PeriodTimeText),
    };
    s.push_back(sec);
  }

  // 5-tone.
  {
    Section sec{"five_tone", "5-tone general parameters", 0, {}, {}, 9, fiveTone, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kFiveToneGeneral, 15}, {5, 1}, {7, 1}});
    for (int k = 0; k < 4; ++k)
      sec.fields.push_back(Numeric(fields::FiveToneTime(k), "delay, 0 to 2550 ms",
                                   [k](ConfigModel& m, int) -> int& { return m.fiveToneGeneral.delays[static_cast<std::size_t>(k)]; },
                                   FiveToneDelayEntry, FiveToneDelayText));
    sec.fields.push_back(Numeric(fields::FiveToneTime(4), "first digit delay, 0 to 2550 ms", ACC(m.fiveToneGeneral.firstDigitDelay),
                                 FiveToneDelayEntry, FiveToneDelayText));
    sec.fields.push_back(Numeric(fields::FiveToneTime(5), "transpond delay, 0 to 2550 ms", ACC(m.fiveToneGeneral.transpondDelay),
                                 FiveToneDelayEntry, FiveToneDelayText));
    for (int k = 0; k < 8; ++k)
      sec.fields.push_back(Flag(Format("display_digit_%d", k + 1), "digit shown",
                                [k](ConfigModel& m, int) -> bool& { return m.fiveToneGeneral.displayDigits[static_cast<std::size_t>(k)]; }));
    sec.fields.push_back(Choice("group_tone", "group tone", text::kGroupRepeatTones, ACC(m.fiveToneGeneral.groupTone)));
    sec.fields.push_back(Choice("repeat_tone", "repeat tone", text::kGroupRepeatTones, ACC(m.fiveToneGeneral.repeatTone)));
    sec.fields.push_back(Choice("delay_3_tone", "delay 3 tone", text::kToneDigits, ACC(m.fiveToneGeneral.delay3Tone)));
    sec.fields.push_back(Flag("ani_display", "ANI display", ACC(m.fiveToneGeneral.aniDisplay)));
    sec.fields.push_back(Flag("tag_display", "tag display", ACC(m.fiveToneGeneral.tagDisplay)));
    sec.fields.push_back(Flag("clear_to_transpond", "clear to transpond", ACC(m.fiveToneGeneral.clearToTranspond)));
    sec.fields.push_back(Flag("ptt_call", "PTT call", ACC(m.fiveToneGeneral.pttCall)));
    for (int k = 0; k < 8; ++k)
      sec.fields.push_back(Flag(Format("compare_digit_%d", k + 1), "digit compared",
                                [k](ConfigModel& m, int) -> bool& { return m.fiveToneGeneral.compareDigits[static_cast<std::size_t>(k)]; }));
    sec.fields.push_back(Numeric(fields::FiveToneTime(7), "ID decode time, 0 to 2550 ms", ACC(m.fiveToneGeneral.idDecodeTime),
                                 IdDecodeTimeEntry, FiveToneDelayText));
    sec.fields.push_back(Numeric(fields::FiveToneTime(8), "beep repeat time, 0 to 255 s", ACC(m.fiveToneGeneral.beepRepeatTime),
                                 FiveToneSecondsEntry, SecondsText));
    sec.fields.push_back(Choice("call_key_2", "call key 2", text::kCallKeys, ACC(m.fiveToneGeneral.callKey2)));
    sec.fields.push_back(Choice("call_key_3", "call key 3", text::kCallKeys, ACC(m.fiveToneGeneral.callKey3)));
    sec.fields.push_back(Numeric(fields::FiveToneTime(6), "auto TX time, 0 to 255 s", ACC(m.fiveToneGeneral.autoTxTime),
                                 FiveToneSecondsEntry, SecondsText));
    sec.fields.push_back(Choice("auto_reset_time", "auto reset time", text::kAutoResetTimes, ACC(m.fiveToneGeneral.autoResetTime)));
    sec.fields.push_back(Flag("auto_reset_beep", "beep at auto reset", ACC(m.fiveToneGeneral.autoResetBeep)));
    s.push_back(sec);
  }
  {
    Section sec{"five_tone_formats", "5-tone format timing", FiveToneFormatTiming::kFormatCount,
                Texts(text::kToneFormatNames), {}, 9, fiveTone, {}, {}, {}, {}, {}};
    sec.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kFiveToneTiming + 2 * static_cast<std::size_t>(i), 2}}; };
    sec.fields = {
        Numeric(fields::TonePeriod(0), "tone period, 0 to 255 ms", ACC(m.formatTiming.formats[static_cast<std::size_t>(i)].period),
                TonePeriodEntry, TonePeriodText),
        Numeric(fields::ReceiveGap(0), "receive gap, 0.0 to 637.5 ms", ACC(m.formatTiming.formats[static_cast<std::size_t>(i)].gap),
                ReceiveGapEntry, ReceiveGapText),
    };
    s.push_back(sec);
  }
  {
    Section sec{"user_tones", "User tones of the User format, 300 to 3000 Hz", 0, {}, {}, 9, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kUserTones, 30}});
    for (int k = 0; k < FiveToneUserTones::kToneCount; ++k)
      sec.fields.push_back(Numeric(fields::UserTone(k), "tone frequency",
                                   [k](ConfigModel& m, int) -> int& { return m.userTones.tones[static_cast<std::size_t>(k)]; },
                                   UserToneEntry, UserToneText));
    s.push_back(sec);
  }
  {
    Section sec{"five_tone_systems", "5-tone systems", FiveToneSystemTable::kSystemCount, {}, {}, 9, fiveTone, {}, {}, {}, {}, {}};
    sec.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kFiveToneSystems + 6 * static_cast<std::size_t>(i), 6}}; };
#define SYS(field) ACC(m.fiveToneSystems.systems[static_cast<std::size_t>(i)].field)
    auto code = [](std::string name, int FiveToneSystem::*member) {
      Field f{std::move(name), "\"Disable\" or 1 to 32", {}, {}, {}, Compare::Text, {}};
      f.get = [member](ConfigModel& m, int i) {
        return Trim(text::SystemCodeText(m.fiveToneSystems.systems[static_cast<std::size_t>(i)].*member));
      };
      f.set = [member](ConfigModel& m, int i, const std::string& t) -> Error {
        bool digits = false;
        const int n = Trim(t) == "Disable" ? 0 : LeadingInteger(t, &digits);
        if ((Trim(t) != "Disable" && !digits) || n < 0 || n > 32) return "expected \"Disable\" or 1 to 32";
        m.fiveToneSystems.systems[static_cast<std::size_t>(i)].*member = n;
        return std::nullopt;
      };
      return f;
    };
    sec.fields = {
        Choice("tone_format", "tone format", text::kToneFormats, SYS(toneFormat)),
        Choice("monitor_switch", "monitor switch", text::kMonitorSwitch, SYS(monitorSwitch)),
        Choice("channel_switch", "channel switch", text::kChannelSwitch, SYS(channelSwitch)),
        Flag("call_switch", "call switch", SYS(callSwitch)),
        Flag("ptt_switch", "PTT switch", SYS(pttSwitch)),
        code("repeater_code", &FiveToneSystem::repeaterCode),
        code("call_code", &FiveToneSystem::callCode),
        code("id_code", &FiveToneSystem::idCode),
        Choice("flow", "flow", text::kFlows, SYS(flow)),
        Choice("ani_transmit", "ANI transmit", text::kAniTrans, SYS(aniTransmit)),
        Flag("auto_reset", "auto reset", SYS(autoReset)),
        Flag("compander", "compander", SYS(compander)),
        Flag("duty", "duty", SYS(duty)),
    };
    for (int k = 0; k < 8; ++k)
      sec.fields.push_back(Flag(Format("decode_%d", k + 1), "decode entry used",
                                [k](ConfigModel& m, int i) -> bool& {
                                  return m.fiveToneSystems.systems[static_cast<std::size_t>(i)].decode[static_cast<std::size_t>(k)];
                                }));
#undef SYS
    s.push_back(sec);
  }
  // Decode entries and the group entry share their fields; the group entry has no code,
  // transpond or auto TX.
  auto decodeFields = [](bool group) {
    auto entry = [group](ConfigModel& m, int i) -> FiveToneDecodeEntry& {
      return group ? m.decode.group : m.decode.entries[static_cast<std::size_t>(i)];
    };
    std::vector<Field> f;
    if (!group) {
      Field tr{"transpond", "\"------\", \"Sys Call\" or \"ENC-1\" to \"ENC-32\"", {}, {}, {}, Compare::Text, {}};
      tr.get = [entry](ConfigModel& m, int i) { return Trim(text::TranspondText(entry(m, i).transpond)); };
      tr.set = [entry](ConfigModel& m, int i, const std::string& t) -> Error {
        for (int v = 0; v <= 33; ++v)
          if (Trim(text::TranspondText(v)) == Trim(t)) {
            entry(m, i).transpond = v;
            return std::nullopt;
          }
        return "expected \"------\", \"Sys Call\" or \"ENC-1\" to \"ENC-32\"";
      };
      f.push_back(tr);
      f.push_back(Typed(fields::kFiveToneDecodeCode, [entry](ConfigModel& m, int i) -> std::string& { return entry(m, i).code; }));
    }
    f.push_back(Typed(group ? fields::kFiveToneGroupTag : fields::kFiveToneDecodeTag,
                      [entry](ConfigModel& m, int i) -> std::string& { return entry(m, i).tag; }));
    f.push_back(Flag("id", "ID", [entry](ConfigModel& m, int i) -> bool& { return entry(m, i).id; }));
    f.push_back(Choice("led_display", "LED display", text::kLedDisplays, [entry](ConfigModel& m, int i) -> int& { return entry(m, i).ledDisplay; }));
    f.push_back(Choice("mode", "mode", text::kDecodeModes, [entry](ConfigModel& m, int i) -> int& { return entry(m, i).mode; }));
    f.push_back(Choice("scan", "scan", text::kDecodeScans, [entry](ConfigModel& m, int i) -> int& { return entry(m, i).scan; }));
    f.push_back(Flag("emergency", "emergency", [entry](ConfigModel& m, int i) -> bool& { return entry(m, i).emergency; }));
    f.push_back(Choice("beep_tone", "beep tone", text::kDecodeBeepTones, [entry](ConfigModel& m, int i) -> int& { return entry(m, i).beepTone; }));
    f.push_back(Choice("beep_mode", "beep mode: S single, R repeat", text::kDecodeBeepModes,
                       [entry](ConfigModel& m, int i) -> int& { return entry(m, i).beepMode; }));
    f.push_back(Choice("stun", "stun", text::kStuns, [entry](ConfigModel& m, int i) -> int& { return entry(m, i).stun; }));
    if (!group) f.push_back(Flag("auto_tx", "auto TX", [entry](ConfigModel& m, int i) -> bool& { return entry(m, i).autoTx; }));
    return f;
  };
  {
    Section sec{"five_tone_decode", "5-tone decode entries", FiveToneDecodeTable::kEntryCount, {}, {}, 9, fiveTone, {}, {}, {}, {}, {}};
    sec.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kFiveToneDecode + 15 * static_cast<std::size_t>(i), 15}}; };
    sec.fields = decodeFields(false);
    s.push_back(sec);
    Section grp{"five_tone_decode_group", "5-tone group decode entry", 0, {}, {}, 9, fiveTone, {}, {}, {}, {}, {}};
    grp.bytes = Runs({{off::kFiveToneDecode + 120, 10}});
    grp.fields = decodeFields(true);
    s.push_back(grp);
  }
  {
    Section sec{"five_tone_encode", "5-tone encode entries", FiveToneEncodeTable::kEntryCount, {}, {}, 9, fiveTone, {}, {}, {}, {}, {}};
    sec.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kFiveToneEncode + 15 * static_cast<std::size_t>(i), 15}}; };
#define ENC(field) ACC(m.encode.entries[static_cast<std::size_t>(i)].field)
    sec.fields = {
        Typed(fields::kFiveToneEncodeCode, ENC(code)),
        Typed(fields::kFiveToneEncodeTag, ENC(tag)),
        Flag("first_extension", "first extension", ENC(firstExtension)),
        Flag("sel", "selectable", ENC(sel)),
        Flag("overwrite", "overwrite", ENC(overwrite)),
        Flag("beep", "beep", ENC(beep)),
        Flag("group_digit", "group digit", ENC(groupDigit)),
        Flag("transpond_decode", "transpond decode", ENC(transpondDecode)),
    };
    for (int k = 0; k < 8; ++k)
      sec.fields.push_back(Flag(Format("input_digit_%d", k + 1), "digit entered by the user",
                                [k](ConfigModel& m, int i) -> bool& {
                                  return m.encode.entries[static_cast<std::size_t>(i)].inputDigits[static_cast<std::size_t>(k)];
                                }));
#undef ENC
    s.push_back(sec);
  }
  return s;
}

#undef ACC

}  // namespace

int Section::ItemIndex(const std::string& key) const {
  for (int i = 0; i < count; ++i)
    if (ItemKey(i) == key) return i;
  return -1;
}

const std::vector<Section>& Schema() {
  static const std::vector<Section> schema = BuildSchema();
  return schema;
}

std::string FrequencyText(double mhz) {
  if (!std::isfinite(mhz)) return "0.00000";
  const long long hz = std::llround(mhz * 1e6);
  const long long whole = hz / 1000000, frac = std::llabs(hz % 1000000);
  std::string s = Format("%s%lld.%06lld", hz < 0 && whole == 0 ? "-" : "", whole, frac);
  if (s.back() == '0') s.pop_back();
  return s;
}

std::optional<long long> ParseHertz(const std::string& text) {
  const std::string s = Trim(text);
  std::size_t k = 0;
  long long whole = 0, frac = 0;
  int fracDigits = 0;
  bool any = false;
  for (; k < s.size() && s[k] >= '0' && s[k] <= '9'; ++k, any = true) {
    whole = whole * 10 + (s[k] - '0');
    if (whole > 100000) return std::nullopt;
  }
  if (k < s.size() && s[k] == '.') {
    for (++k; k < s.size() && s[k] >= '0' && s[k] <= '9'; ++k, any = true) {
      if (fracDigits == 6) return std::nullopt;  // finer than a hertz
      frac = frac * 10 + (s[k] - '0');
      ++fracDigits;
    }
  }
  if (!any || k != s.size()) return std::nullopt;
  for (; fracDigits < 6; ++fracDigits) frac *= 10;
  return whole * 1000000 + frac;
}

bool SameText(Compare how, const std::string& a, const std::string& b) {
  switch (how) {
    case Compare::Hertz: {
      const auto x = ParseHertz(a), y = ParseHertz(b);
      if (x && y) return *x == *y;
      break;
    }
    case Compare::Number: {
      const std::string x = Trim(a), y = Trim(b);
      char* ex = nullptr;
      char* ey = nullptr;
      const double vx = std::strtod(x.c_str(), &ex), vy = std::strtod(y.c_str(), &ey);
      // The unit may be left out: "150" and "150.0MHz" are the same limit.
      if (ex != x.c_str() && ey != y.c_str() && (Trim(ex) == Trim(ey) || Trim(ex).empty() || Trim(ey).empty()))
        return vx == vy;
      break;
    }
    case Compare::Text:
    case Compare::Hint:
      break;
  }
  return RightTrim(a) == RightTrim(b);
}

}  // namespace kp53::config
