#include "config/config_schema.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <type_traits>

#include "image/codecs.h"
#include "image/channel_editing.h"
#include "image/entry_rules.h"
#include "image/field_table.h"
#include "image/image_rules.h"
#include "image/list_field_table.h"
#include "image/signalling_grids.h"
#include "text/choice_texts.h"
#include "text/grid_texts.h"
#include "text/input_filters.h"

namespace kp53::config {

namespace {

using text::TextList;
using Error = std::optional<std::string>;

std::string RightTrim(std::string_view s) {
  const auto e = s.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::vector<std::string> Texts(TextList list) {
  std::vector<std::string> out;
  for (auto t : list) out.push_back(TrimBlanks(t));
  return out;
}

int FindText(const std::vector<std::string>& texts, const std::string& given) {
  const std::string g = TrimBlanks(given);
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
  const std::string s = TrimBlanks(t);
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

// A list or flag field of the dialogs, entered through its rule of the list table: refused where
// the dialog's list does not offer the item. `apply` stores an accepted value where storing it
// has more to it than the field's value (side effects on other fields); by default `acc` takes it.
ListContext Context(ConfigModel& m, int stored) {
  return {m.data.hardware.model, m.options.optionBoard, stored, m.data.hardware.IsUhf(), &m.keys, &m.data.channels};
}

template <typename Acc>
Field Listed(const ListFieldRule& rule, Acc acc, std::function<void(ConfigModel&, int, int)> apply = {}) {
  const auto texts = Texts(rule.items);
  Field f{rule.name, rule.help, rule.flag ? std::vector<std::string>{"true", "false"} : texts, {}, {}, Compare::Text, {}};
  f.get = [acc, texts, flag = rule.flag](ConfigModel& m, int i) {
    const int v = static_cast<int>(acc(m, i));
    return flag ? std::string(BoolText(v != 0)) : ListText(texts, v);
  };
  f.set = [acc, &rule, apply](ConfigModel& m, int i, const std::string& t) -> Error {
    const ListEntry e = EnterListText(rule, Context(m, static_cast<int>(acc(m, i))), t);
    if (!e.error.empty()) return e.error;
    if (apply)
      apply(m, i, e.value);
    else if constexpr (std::is_lvalue_reference_v<decltype(acc(m, i))>)
      Assign(acc(m, i), e.value);
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
  f.get = [acc, shown](ConfigModel& m, int i) { return TrimBlanks(shown(static_cast<int>(acc(m, i)))); };
  f.set = [acc, entry, &rule](ConfigModel& m, int i, const std::string& t) -> Error {
    const auto n = TypedNumber(rule, t);
    if (!n || n->size() > static_cast<std::size_t>(rule.length))
      return Format("expected a number the field takes: %d characters of its set", rule.length);
    Assign(acc(m, i), entry(*n).stored);
    return std::nullopt;
  };
  return f;
}

// Where the dialog offers no edit of a field (`locked` says why), the text may only restate what
// is stored, so that an exported file still reads back; another value is refused with the reason.
Error LockedEntry(const std::optional<std::string>& locked, const std::string& stored, const std::string& entered) {
  if (!locked || entered == stored) return std::nullopt;
  return *locked;
}

// A text field of the dialogs, entered through its rule of the field table: refused where the
// dialog's field would not let the user type the text, stored as the dialog stores a finished edit.
// `locked` answers why the dialog offers no edit of the item now, nothing while it does.
template <typename Acc>
Field Typed(const TextFieldRule& rule, Acc acc, std::function<std::optional<std::string>(ConfigModel&)> locked = {}) {
  Field f{rule.name, rule.help, {}, {}, {}, Compare::Text, {}};
  f.get = [acc](ConfigModel& m, int i) { return RightTrim(acc(m, i)); };
  f.set = [acc, &rule, locked](ConfigModel& m, int i, const std::string& t) -> Error {
    if (!TypedAccepted(rule, t)) return std::string("the field does not take this text: ") + rule.help;
    const std::string entered = rule.enter(t);
    if (locked)
      if (auto e = LockedEntry(locked(m), acc(m, i), entered)) return e;
    acc(m, i) = entered;
    return std::nullopt;
  };
  return f;
}

// The tags of groups and of the 5-tone tables are kept by the HT-620 Series only: the dialogs
// show no tag on the HT-610.
std::optional<std::string> Ht610KeepsNoTags(ConfigModel& m) {
  if (m.data.hardware.model != 0) return std::nullopt;
  return std::string("the HT-610 Series keeps no tags here: the stored tag may be restated, not changed");
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
    const std::string s = TrimBlanks(t);
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

// --- Signalling tables: every cell through the table's grid ---------------------------------------

// The grid over a section's table, and the grid row of the section's item.
using MakeGrid = std::function<std::unique_ptr<SignallingGrid>(ConfigModel&)>;

// The cells of a signalling table as the fields of its section, in the text's order of `columns`
// (cells the section's rows lack left out). Each is named and explained by its grid column (a
// typed cell by its field-table rule), shown as the grid shows it and entered through the grid as
// the dialog enters it: Space on a toggle or step until the value shows, the pick list's item, a
// finished edit of a typed cell (what the cell's editor would not take is refused).
std::vector<Field> TableFields(MakeGrid make, std::function<int(int)> rowOf, std::initializer_list<int> columns) {
  ConfigModel proto;
  const auto grid = make(proto);
  const int protoRow = rowOf(0);
  std::vector<Field> out;
  for (const int col : columns) {
    if (!grid->HasCell(protoRow, col)) continue;
    const TableColumn& c = grid->Column(col);
    if (const TextFieldRule* rule = grid->Rule(protoRow, col)) {
      Field f{rule->name, rule->help, {}, {}, {}, Compare::Text, {}};
      f.get = [make, rowOf, col](ConfigModel& m, int i) { return RightTrim(make(m)->Text(rowOf(i), col)); };
      f.set = [make, rowOf, col, rule](ConfigModel& m, int i, const std::string& t) -> Error {
        if (!TypedAccepted(*rule, t)) return std::string("the field does not take this text: ") + rule->help;
        const auto cells = make(m);
        const int row = rowOf(i);
        if (!cells->Editable(row, col)) {
          // The cell takes no edit now: a tag on the HT-610, or a decode tag while the entry's ID is on.
          const auto why = Ht610KeepsNoTags(m).value_or("the tag is typed only while the entry's ID is off");
          return LockedEntry(why, cells->Text(row, col), rule->enter(t));
        }
        cells->EndEdit(row, col, t);
        return std::nullopt;
      };
      out.push_back(f);
      continue;
    }
    const bool flag = c.kind == CellKind::Toggle;
    std::vector<std::string> texts;
    for (int v = 0; v < grid->ValueCount(col); ++v) texts.push_back(TrimBlanks(grid->ValueText(col, v)));
    Field f{std::string(c.name), std::string(c.help), flag ? std::vector<std::string>{"true", "false"} : texts, {}, {},
            Compare::Text, {}};
    f.get = [make, rowOf, col, flag, texts](ConfigModel& m, int i) {
      // A value no item names shows as the grid shows it, or as "#n" where the grid shows nothing.
      const auto cells = make(m);
      const int v = cells->CellValue(rowOf(i), col);
      const std::string shown = TrimBlanks(cells->Text(rowOf(i), col));
      return flag ? std::string(BoolText(v != 0)) : shown.empty() ? ListText(texts, v) : shown;
    };
    f.set = [make, rowOf, col, flag, texts](ConfigModel& m, int i, const std::string& t) -> Error {
      const auto cells = make(m);
      int v = -1;
      if (flag) {
        const auto b = ParseBool(t);
        if (!b) return "expected true or false";
        v = *b ? 1 : 0;
      } else if ((v = cells->ValueOf(col, t)) < 0) {
        return OneOf(texts);
      }
      cells->Enter(rowOf(i), col, v);
      return std::nullopt;
    };
    out.push_back(f);
  }
  return out;
}

int SameRow(int i) { return i; }

// A decode item that turns its entry's ID off has it off before its tag is entered: in the dialog
// Space on ID comes first and the tag is typed after, whatever the order of the item's fields.
std::function<void(ConfigModel&, int, const Present&)> IdOffFirst(bool group) {
  return [group](ConfigModel& m, int i, const Present& p) {
    const auto id = p.find("id");
    if (id == p.end() || ParseBool(id->second) != std::optional<bool>(false)) return;
    constexpr int kIdColumn = 4;
    FiveToneDecodeGrid(m.decode, m.data.hardware.model != 0).Enter(group ? FiveToneDecodeGrid::kGroupRow : i, kIdColumn, 0);
  };
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

// The cell's text as the grid shows it, without its padding.
std::string Shown(ConfigModel& m, int i, int column) { return TrimBlanks(ChannelCellText(m.data.channels, i, column, false)); }

// What the text form says when the grid beeps at a cell.
const char* Refusal(int column) {
  switch (column) {
    case kColArts: return "ARTS needs DCS on both decode and encode";
    case kColDtmfAni: return "DTMF ANI is not sent with \"Signal\" signalling";
    case kColSignalType: return "not offered with this option board";
    case kColSignalNo: return "the channel has no signalling type";
    case kColEncryption: return "encryption is fixed with \"Option\" signalling";
    default: return "refused by the channel rules";
  }
}

Field ColumnField(int column, std::vector<std::string> choices, Compare compare) {
  const GridColumn& c = kChannelColumns[column];
  return Field{c.name, c.help, std::move(choices), {}, {}, compare, {}};
}

// A cell that Space steps through its texts: Space until the cell shows the text.
Field CycleCell(int column) {
  const auto& list = kChannelColumns[column].texts;
  Field f = ColumnField(column, std::vector<std::string>(list.begin(), list.end()), Compare::Text);
  f.get = [column](ConfigModel& m, int i) { return Shown(m, i, column); };
  f.set = [column, texts = f.choices](ConfigModel& m, int i, const std::string& t) -> Error {
    if (FindText(texts, t) < 0) return OneOf(texts);
    for (std::size_t k = 0; k < texts.size() && Shown(m, i, column) != TrimBlanks(t); ++k)
      if (OnGrid(m, i, [column](ChannelEditor& ed) { return ed.Activate(column); }) == CellResult::Beep) break;
    if (Shown(m, i, column) != TrimBlanks(t)) return Refusal(column);
    return std::nullopt;
  };
  return f;
}

// A check-mark cell as true or false: Space where the mark is not the one asked for.
Field CheckCell(int column) {
  Field f = ColumnField(column, {"true", "false"}, Compare::Text);
  auto set = [column](ConfigModel& m, int i) { return CheckMark(Ch(m, i), column) == 'v'; };
  f.get = [set](ConfigModel& m, int i) { return std::string(BoolText(set(m, i))); };
  f.set = [column, set](ConfigModel& m, int i, const std::string& t) -> Error {
    const auto b = ParseBool(t);
    if (!b) return "expected true or false";
    if (set(m, i) != *b) OnGrid(m, i, [column](ChannelEditor& ed) { return ed.Activate(column); });
    if (set(m, i) != *b) return Refusal(column);
    return std::nullopt;
  };
  return f;
}

// A cell whose value is chosen from the value list that Space opens: the item the text names.
Field ListCell(int column) {
  const auto& texts = kChannelColumns[column].texts;
  Field f = ColumnField(column, std::vector<std::string>(texts.begin(), texts.end()), Compare::Text);
  f.get = [column](ConfigModel& m, int i) { return Shown(m, i, column); };
  f.set = [column, texts = f.choices](ConfigModel& m, int i, const std::string& given) -> Error {
    const std::string t = TrimBlanks(given);
    ListRequest list;
    if (OnGrid(m, i, [&](ChannelEditor& ed) { return ed.Activate(column, &list); }) != CellResult::ValueList)
      return Refusal(column);
    int position = -1;
    if (!texts.empty()) {
      position = FindText(texts, t);
      if (position < 0) return OneOf(texts);
    } else if (t == "--") {
      position = 0;  // "off"
    } else {
      // The signalling numbers: an item's own number ("1" .. "32", a page code), or the option
      // items by position (" 1 : GE Star").
      bool digits = false;
      const int n = LeadingInteger(t, &digits);
      for (std::size_t k = 1; k < list.items.size(); ++k)
        if (digits && (TrimBlanks(list.items[k]) == std::to_string(n) || (Ch(m, i).signalType == 3 && n == static_cast<int>(k))))
          position = static_cast<int>(k);
      if (position < 0) return "not among the numbers offered";
    }
    OnGrid(m, i, [&](ChannelEditor& ed) { return ed.ApplyValueList(column, position, true); });
    return std::nullopt;
  };
  return f;
}

// A cell that Space toggles and shows in its own way (Chn: in use; Transmit: inhibited). `shown`
// is the state the text form reads, `now` the one Space toggles while the item is entered.
using State = std::function<bool(ConfigModel&, int)>;
Field ToggleCell(int column, const char* name, const char* help, State shown, State now) {
  Field f{name, help, {"true", "false"}, {}, {}, Compare::Text, {}};
  f.get = [shown](ConfigModel& m, int i) { return std::string(BoolText(shown(m, i))); };
  f.set = [column, now](ConfigModel& m, int i, const std::string& t) -> Error {
    const auto b = ParseBool(t);
    if (!b) return "expected true or false";
    if (now(m, i) != *b) OnGrid(m, i, [column](ChannelEditor& ed) { return ed.Activate(column); });
    if (now(m, i) != *b) return column == kColChn ? "channel 1 stays in use" : Refusal(column);
    return std::nullopt;
  };
  return f;
}

// A frequency as it is typed into the cell's editor: what the editor would not take (a letter, a
// tenth character) is refused, and a text without a digit carries no frequency.
Field Frequency(bool rx) {
  const int column = rx ? kColRx : kColTx;
  Field f = ColumnField(column, {}, Compare::Hertz);
  f.get = [rx](ConfigModel& m, int i) { return FrequencyText(rx ? Ch(m, i).rxFreq : Ch(m, i).txFreq); };
  f.set = [column](ConfigModel& m, int i, const std::string& given) -> Error {
    const std::string t = TrimBlanks(given);
    if (!EditorTakes(column, Ch(m, i), t) || t.find_first_of("0123456789") == std::string::npos)
      return column == kColRx ? "expected a frequency in MHz such as 150.00000"
                              : "expected a frequency in MHz such as 150.00000 or an offset such as +0.6";
    return Refused(OnGrid(m, i, [&](ChannelEditor& ed) { return ed.EndEdit(column, t); }),
                   "expected an offset such as +0.6, -5 or +600k");
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
      if (TrimBlanks(t) == StepText(s, hw.bandIndex)) {
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

// A tone as the grid takes it: "-------" by Space on the cell, which steps the tone type; a tone
// or code typed after "C" or "D"; the DCS polarity by F3.
Field Tone(bool rx) {
  const int column = rx ? kColRxTone : kColTxTone;
  Field f = ColumnField(column, {}, Compare::Text);
  f.get = [rx](ConfigModel& m, int i) { return TrimBlanks(rx ? RxSubAudioText(Ch(m, i)) : TxSubAudioText(Ch(m, i))); };
  f.set = [rx, column](ConfigModel& m, int i, const std::string& given) -> Error {
    // The grid takes the tone's letter in either case, as a key on the cell.
    std::string t = TrimBlanks(given);
    if (t.size() > 2 && t[1] == '-' && (t[0] == 'c' || t[0] == 'd')) {
      t[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(t[0])));
      if (t[0] == 'D') t.back() = static_cast<char>(std::toupper(static_cast<unsigned char>(t.back())));
    }
    auto type = [&] { return rx ? Ch(m, i).rxToneType : Ch(m, i).txToneType; };
    if (t == kNoToneText) {
      for (int k = 0; k < 3 && type() != kToneNone; ++k)
        OnGrid(m, i, [column](ChannelEditor& ed) { return ed.Activate(column); });
      return std::nullopt;
    }
    const bool dcs = t.rfind("D-", 0) == 0;
    char polarity = 0;  // none given: the code keeps the cell's polarity, as typing it does
    std::string value = t;
    if (dcs)
      if (const char last = t.back(); last == 'N' || last == 'I' || last == 'B') {
        polarity = last;
        value.pop_back();
      }
    if (!EditorTakes(column, Ch(m, i), value) || value.size() < 3)
      return "expected \"-------\", \"C-\" with a tone in Hz or \"D-\" with a code and N, I or B";
    const CellResult r = OnGrid(m, i, [&](ChannelEditor& ed) {
      ed.BeginToneTyping(column, t[0]);
      return ed.EndEdit(column, value);
    });
    if (r != CellResult::Changed)
      return dcs ? "expected an octal DCS code from 000 to 777" : "expected a CTCSS tone from 67.0 to 254.1 Hz";
    if (!dcs || !polarity) return std::nullopt;
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

Field ChannelTag() {
  Field f = ColumnField(kColTag, {}, Compare::Text);
  f.get = [](ConfigModel& m, int i) { return RightTrim(Ch(m, i).tag); };
  f.set = [](ConfigModel& m, int i, const std::string& t) -> Error {
    if (t.size() > 8) return "expected at most 8 characters";
    if (m.data.hardware.model == 0 && !t.empty()) return "the HT-610 Series keeps no channel tags";
    // The first character the editor does not take, named so that a tab or a control character is seen.
    for (const char c : t)
      if (!EditorCharacter(kChannelColumns[kColTag].editorMode, c))
        return std::isprint(static_cast<unsigned char>(c))
                   ? Format("a channel tag cannot hold '%c'", c)
                   : Format("a channel tag cannot hold the control character with code %d", static_cast<unsigned char>(c));
    OnGrid(m, i, [&](ChannelEditor& ed) { return ed.EndEdit(kColTag, t); });
    return std::nullopt;
  };
  return f;
}

std::vector<Field> ChannelFields() {
  const GridColumn& tx = kChannelColumns[kColTx];
  const State txOff = [](ConfigModel& m, int i) { return Ch(m, i).txOff; };
  const State inUse = [](ConfigModel& m, int i) { return m.data.channels.IsEnabled(i); };
  return {Frequency(true),
          StepPin(true),
          Frequency(false),
          StepPin(false),
          ToggleCell(kColTx, tx.toggled, tx.toggledHelp, txOff, txOff),
          CycleCell(kColBandwidth),
          ChannelTag(),
          Tone(true),
          Tone(false),
          CheckCell(kColRxPowerSave),
          CheckCell(kColTxPowerSave),
          CycleCell(kColPower),
          CheckCell(kColScan),
          CheckCell(kColTot),
          ListCell(kColSquelch),
          CycleCell(kColSignalType),
          ListCell(kColSignalNo),
          CheckCell(kColDtmfAni),
          ListCell(kColEncryption),
          CycleCell(kColLockout),
          CheckCell(kColArts),
          CheckCell(kColCompander),
          CheckCell(kColXtal),
          ToggleCell(kColChn, kChannelColumns[kColChn].name, kChannelColumns[kColChn].help,
                     [](ConfigModel& m, int i) {
                       return m.heldChannel == i ? (m.heldEnabled & 1) != 0 : m.data.channels.IsEnabled(i);
                     },
                     inUse)};
}

// --- The other areas ---------------------------------------------------------------------------

#define ACC(expr) [](ConfigModel & m, [[maybe_unused]] int i) -> auto& { return expr; }

Error NeedPaging(ConfigModel& m) {
  if (PagingEnabled(m.options.optionBoard)) return std::nullopt;
  return "paging is edited only with the SCB-31 option board";
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
      const std::string s2 = TrimBlanks(t);
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
    sec.fields.push_back(Listed(fields::List(2005), ACC(m.data.hardware.model), [](ConfigModel& m, int, int v) {
      ApplyModelChange(m.data.hardware, m.options, v);
    }));
    sec.fields.push_back(Listed(fields::List(2007), [](ConfigModel& m, int) -> int { return m.data.hardware.IsUhf(); },
                                [](ConfigModel& m, int, int v) {
                                  ApplyBandDefaults(m.data, v == 1);
                                  ResetChannelsForBand(m.data, v == 1);
                                }));
    {
      // The stored value is the band index; the text names the step pair of either band family.
      Field f = Listed(fields::List(2010), ACC(m.data.hardware.bandIndex));
      for (auto t : Texts(text::kUhfChannelSteps)) f.choices.push_back(t);
      f.get = [](ConfigModel& m, int) { return TrimBlanks(text::ChannelStepName(m.data.hardware.bandIndex)); };
      sec.fields.push_back(f);
    }
    sec.fields.push_back(Listed(fields::List(2009), ACC(m.data.hardware.injection)));
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
    sec.fields.push_back(Listed(fields::List(2006), ACC(m.options.frontKeypad)));
    sec.fields.push_back(Listed(fields::List(2013), ACC(m.data.hardware.sqlRelease)));
    sec.fields.push_back(Listed(fields::List(2014), ACC(m.data.hardware.sqlAttack)));
    sec.fields.push_back(Listed(fields::List(2015), ACC(m.data.hardware.sqlHysteresis)));
    sec.fields.push_back(Listed(fields::List(2016), ACC(m.data.hardware.rxSaveOff)));
    sec.fields.push_back(Listed(fields::List(2017), ACC(m.data.hardware.ctcssRelease)));
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
    sec.fields.push_back(Typed(fields::kGroupTag, ACC(m.data.channels.groupTag[static_cast<std::size_t>(i)]), Ht610KeepsNoTags));
    Field size{"size", "channels in the group (0 to 128, the groups together at most 256; group 1 at least 1)", {},
               {}, {}, Compare::Number, {}};
    size.get = [](ConfigModel& m, int i) { return std::to_string(m.data.channels.groupSize[static_cast<std::size_t>(i)]); };
    size.set = [](ConfigModel& m, int i, const std::string& t) -> Error {
      switch (EnterGroupSize(m.data.channels, i, t)) {
        case GroupSizeEntry::Stored: return std::nullopt;
        case GroupSizeEntry::NotTyped: return "expected a number: up to 3 of 0-9, blanks, + and -";
        case GroupSizeEntry::TooManyChannels: break;
      }
      return "too many channels: the groups hold at most 256";
    };
    sec.fields.push_back(size);
    Field type{"system_type", "Conventional or Omnitrunk (needs the Omnitrunk board and channels in the group)",
               Texts(text::kGroupSystemTypes), {}, {}, Compare::Text, {}};
    type.get = [](ConfigModel& m, int i) {
      return ListText(Texts(text::kGroupSystemTypes), m.data.channels.groupSystemType[static_cast<std::size_t>(i)] ? 1 : 0);
    };
    type.set = [texts = type.choices](ConfigModel& m, int i, const std::string& t) -> Error {
      const int v = FindText(texts, t);
      if (v < 0) return OneOf(texts);
      if (EnterGroupSystemType(m.data.channels, i, m.options.optionBoard, v)) return std::nullopt;
      if (GroupSystemTypeItems(m.options.optionBoard).size() <= static_cast<std::size_t>(v))
        return "Omnitrunk groups need the Omnitrunk option board";
      return "an empty group stays Conventional";
    };
    sec.fields.push_back(type);
    // Groups that shrink go first, so that the channels they free are there for those that grow.
    sec.prepare = [](ConfigModel& m, const std::vector<std::pair<int, Present>>& items) {
      for (const auto& [i, p] : items) {
        const auto it = p.find("size");
        const auto n = it == p.end() ? std::nullopt : TypedGroupSize(it->second);
        if (n && *n < m.data.channels.groupSize[static_cast<std::size_t>(i)]) EnterGroupSize(m.data.channels, i, it->second);
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
        Listed(fields::List(2101), ACC(m.scan.resumeTime1)),
        Listed(fields::List(2102), ACC(m.scan.resumeTime2)),
        Listed(fields::List(2103), ACC(m.scan.dualWatch)),
        Listed(fields::List(2104), ACC(m.scan.dualWatchTimer)),
        Listed(fields::List(2105), ACC(m.scan.talkBack)),
        Listed(fields::List(2106), ACC(m.scan.revertChannel)),
        Listed(fields::List(2107), ACC(m.scan.scanSpeed)),
        Listed(fields::List(2108), ACC(m.scan.groupScan)),
    };
    Field pri{"priority_channel", "priority channel number (a channel in use), or \"none\"", {}, {}, {}, Compare::Text, {}};
    pri.get = [](ConfigModel& m, int) {
      const int p = m.data.channels.priorityChannel;
      return p == 0 ? std::string("none") : std::to_string(p);
    };
    pri.set = [](ConfigModel& m, int, const std::string& t) -> Error {
      if (TrimBlanks(t) == "none") {
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
        Listed(fields::List(2153), ACC(m.options.transmitTimer)),
        Listed(fields::List(2154), ACC(m.options.penaltyTimer)),
        Listed(fields::List(2155), ACC(m.options.releaseTimer)),
        Listed(fields::List(2156), ACC(m.options.receiveSaveMode)),
        Listed(fields::List(2157), ACC(m.options.micGain)),
        Listed(fields::List(2158), ACC(m.options.lowBatteryAlert)),
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
      sec.fields.push_back(Listed(fields::List(2250 + slot),
                                  [slot](ConfigModel& m, int) -> int& { return m.keys.functions[static_cast<std::size_t>(slot)]; },
                                  [slot](ConfigModel& m, int, int code) { m.keys.SelectFunction(slot, code); }));
    }
    sec.fields.push_back(Listed(fields::List(2262), ACC(m.keys.rotaryMode)));
    // The keys hold only what the model offers, as the dialog finds them; keys that change give up
    // their functions first, so that two keys may swap theirs.
    sec.before = [texts](ConfigModel& m, int, const Present& p) {
      m.keys.FilterForModel(m.data.hardware.model);
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
    Field ch = Listed(fields::List(2300), [](ConfigModel& m, int) { return m.emergency.ChannelValue(); },
                      [](ConfigModel& m, int, int v) { m.emergency.SetChannelValue(v); });
    ch.choices.clear();  // the channel items change with the allocation
    ch.get = [](ConfigModel& m, int) {
      const int v = m.emergency.ChannelValue();
      const auto items = EmergencyChannelItems(m.data.channels);
      return v >= 0 && static_cast<std::size_t>(v) < items.size() ? TrimBlanks(items[static_cast<std::size_t>(v)])
                                                                    : Format("CH-%d", v - 1);
    };
    sec.fields = {
        ch,
        Listed(fields::List(2301), ACC(m.emergency.rxTime)),
        Listed(fields::List(2302), ACC(m.emergency.txTime)),
        Listed(fields::List(2303), ACC(m.emergency.silentMode)),
        Listed(fields::List(2304), ACC(m.emergency.keyDuration)),
        Listed(fields::List(2305), ACC(m.emergency.loneWorkerTimer)),
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
    Field tail = Listed(fields::List(2502), ACC(m.options.squelchTailElim));
    sec.fields = {
        Listed(fields::List(2500), ACC(m.options.powerOnCondition)),
        Listed(fields::List(2501), ACC(m.options.beep)),
        tail,
        Listed(fields::List(2503), ACC(m.options.bell)),
        Listed(fields::List(2504), ACC(m.options.ledLighting)),
        Listed(fields::List(2505), ACC(m.options.lcdLightingMode)),
        Listed(fields::List(2506), ACC(m.options.setToSetClone)),
        Listed(fields::List(2507), ACC(m.options.externalJack)),
        Listed(fields::List(2508), ACC(m.options.keyHoldingTime)),
        Listed(fields::List(2509), ACC(m.options.artsBeep)),
    };
    s.push_back(sec);
  }

  // Option.
  {
    Section sec{"option", "Option board and recorder", 0, {}, {}, 2, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kCommonOptions, 1}, {128, 1}});
    sec.fields = {
        Listed(fields::List(4527), ACC(m.options.optionBoard),
               [](ConfigModel& m, int, int v) {
                 m.WithImage([&] {
                   ChangeOptionBoard(m.data, m.options, v);
                   ApplyOptionOk(m.data, m.options);
                 });
               }),
        Listed(fields::List(4529), ACC(m.options.recordMode)),
        Listed(fields::List(4530), ACC(m.options.playMode)),
        Listed(fields::List(4531), ACC(m.options.powerOnRecord)),
    };
    s.push_back(sec);
  }

  // Password.
  {
    Section sec{"password", "Power-on password", 0, {}, {}, 9, always, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kPassword, 3}});
    sec.fields = {
        Listed(fields::List(4515), ACC(m.options.passwordEnabled)),
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
    type.get = [](ConfigModel& m, int) { return TrimBlanks(text::kSignalingTypes[m.data.signaling.system]); };
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
        Listed(fields::List(3001), ACC(m.dtmf.aniTransmit)),
        Listed(fields::List(3002), ACC(m.dtmf.delay)),
        Listed(fields::List(3003), ACC(m.dtmf.speed)),
        Listed(fields::List(3004), ACC(m.dtmf.pauseTime)),
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
        Listed(fields::List(4580), ACC(m.paging.dtmfSpeed)),
        Listed(fields::List(4581), ACC(m.paging.answerBack)),
        Listed(fields::List(4582), ACC(m.paging.callTimes)),
        Listed(fields::List(4583), ACC(m.paging.autoResetTime)),
    };
    s.push_back(sec);
    Section pages{"pages", "Page codes", PagingParams::kPageCount, {}, {}, 4, always, {}, {}, {}, {}, {}};
    pages.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kPaging + 1 + 2 * static_cast<std::size_t>(i), 2}}; };
    // The code goes in first, as the dialog's mode list follows it: a page is programmed while it
    // has a code, and its mode is set only then.
    Field code = Typed(fields::PageCode(0), ACC(m.paging.pages[static_cast<std::size_t>(i)].code));
    code.get = [](ConfigModel& m, int i) { return m.paging.ShownCode(i); };
    code.set = [](ConfigModel& m, int i, const std::string& t) -> Error {
      if (auto e = NeedPaging(m)) return e;
      if (!TypedAccepted(fields::PageCode(i), t)) return std::string("expected ") + fields::PageCode(i).help;
      m.paging.EnterCode(i, t);
      return std::nullopt;
    };
    // The flag follows the code: the text may state it, not set it apart from the code.
    Field programmed = Flag("programmed", "page code in use: true while the page has a code (an empty code clears it)",
                            ACC(m.paging.pages[static_cast<std::size_t>(i)].programmed),
                            [](ConfigModel& m, int, bool on) -> Error {
                              if (auto e = NeedPaging(m)) return e;
                              return on ? "a page is programmed by giving it a code"
                                        : "a page with a code is programmed; an empty code clears it";
                            });
    Field mode = Choice("mode", "page mode, set on a page with a code", text::kPageModes,
                        [](ConfigModel& m, int i) { return m.paging.pages[static_cast<std::size_t>(i)].mode; });
    mode.set = [texts = mode.choices](ConfigModel& m, int i, const std::string& t) -> Error {
      const int v = FindText(texts, t);
      if (v < 0) return OneOf(texts);
      if (auto e = NeedPaging(m)) return e;
      if (!m.paging.EnterMode(i, m.options.optionBoard, v)) return "a page's mode is set once the page has a code";
      return std::nullopt;
    };
    pages.fields = {code, programmed, mode};
    s.push_back(pages);
  }

  // 2-tone.
  {
    Section sec{"two_tone", "2-tone parameters", 0, {}, {}, 9, twoTone, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{5, 1}, {7, 1}, {off::kTwoToneParams, 3}});
    sec.fields = {
        Listed(fields::List(3401), ACC(m.twoToneParams.autoResetTime)),
        Listed(fields::List(3402), ACC(m.twoToneParams.autoResetBeep)),
        Listed(fields::List(3403), ACC(m.twoToneParams.primaryGroupCall)),
        Listed(fields::List(3404), ACC(m.twoToneParams.secondaryGroupCall)),
        Listed(fields::List(3408), ACC(m.twoToneParams.callBeepTone)),
        Listed(fields::List(3409), ACC(m.twoToneParams.beepMode)),
        Listed(fields::List(3405), ACC(m.twoToneParams.secondaryPagePair)),
        Listed(fields::List(3406), ACC(m.twoToneParams.complement)),
        Listed(fields::List(3407), ACC(m.twoToneParams.duty)),
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
    sec.fields = TableFields([](ConfigModel& m) { return std::make_unique<TwoToneSystemsGrid>(m.twoToneSystems); }, SameRow,
                             {1, 2, 3});
    s.push_back(sec);
  }
  {
    Section sec{"two_tone_encode", "2-tone encode", 0, {}, {}, 9, twoTone, {}, {}, {}, {}, {}};
    sec.bytes = Runs({{off::kTwoToneEncode, 3}});
    sec.fields = {
        Listed(fields::List(4565), ACC(m.twoToneEncode.encodeType)),
        Listed(fields::List(4566), ACC(m.twoToneEncode.formatPair)),
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
      sec.fields.push_back(Listed(fields::List(4022 + k),
                                [k](ConfigModel& m, int) -> bool& { return m.fiveToneGeneral.displayDigits[static_cast<std::size_t>(k)]; }));
    sec.fields.push_back(Listed(fields::List(4041), ACC(m.fiveToneGeneral.groupTone)));
    sec.fields.push_back(Listed(fields::List(4042), ACC(m.fiveToneGeneral.repeatTone)));
    sec.fields.push_back(Listed(fields::List(4043), ACC(m.fiveToneGeneral.delay3Tone)));
    sec.fields.push_back(Listed(fields::List(4040), ACC(m.fiveToneGeneral.aniDisplay)));
    sec.fields.push_back(Listed(fields::List(4021), ACC(m.fiveToneGeneral.tagDisplay)));
    sec.fields.push_back(Listed(fields::List(4030), ACC(m.fiveToneGeneral.clearToTranspond)));
    sec.fields.push_back(Listed(fields::List(4031), ACC(m.fiveToneGeneral.pttCall)));
    for (int k = 0; k < 8; ++k)
      sec.fields.push_back(Listed(fields::List(4032 + k),
                                [k](ConfigModel& m, int) -> bool& { return m.fiveToneGeneral.compareDigits[static_cast<std::size_t>(k)]; }));
    sec.fields.push_back(Numeric(fields::FiveToneTime(7), "ID decode time, 0 to 2550 ms", ACC(m.fiveToneGeneral.idDecodeTime),
                                 IdDecodeTimeEntry, FiveToneDelayText));
    sec.fields.push_back(Numeric(fields::FiveToneTime(8), "beep repeat time, 0 to 255 s", ACC(m.fiveToneGeneral.beepRepeatTime),
                                 FiveToneSecondsEntry, SecondsText));
    sec.fields.push_back(Listed(fields::List(4046), ACC(m.fiveToneGeneral.callKey2)));
    sec.fields.push_back(Listed(fields::List(4047), ACC(m.fiveToneGeneral.callKey3)));
    sec.fields.push_back(Numeric(fields::FiveToneTime(6), "auto TX time, 0 to 255 s", ACC(m.fiveToneGeneral.autoTxTime),
                                 FiveToneSecondsEntry, SecondsText));
    sec.fields.push_back(Listed(fields::List(4044), ACC(m.fiveToneGeneral.autoResetTime)));
    sec.fields.push_back(Listed(fields::List(4045), ACC(m.fiveToneGeneral.autoResetBeep)));
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
    sec.fields = TableFields([](ConfigModel& m) { return std::make_unique<FiveToneSystemsGrid>(m.fiveToneSystems); }, SameRow,
                             {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
    s.push_back(sec);
  }
  // Decode entries and the group entry share their fields (the transpond first); the group row
  // has no code, transpond or auto TX.
  auto decodeFields = [](bool group) {
    return TableFields([](ConfigModel& m) { return std::make_unique<FiveToneDecodeGrid>(m.decode, m.data.hardware.model != 0); },
                       group ? [](int) { return FiveToneDecodeGrid::kGroupRow; } : SameRow, {3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  };
  {
    Section sec{"five_tone_decode", "5-tone decode entries", FiveToneDecodeTable::kEntryCount, {}, {}, 9, fiveTone, {}, {}, {}, {}, {}};
    sec.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kFiveToneDecode + 15 * static_cast<std::size_t>(i), 15}}; };
    sec.fields = decodeFields(false);
    sec.before = IdOffFirst(false);
    s.push_back(sec);
    Section grp{"five_tone_decode_group", "5-tone group decode entry", 0, {}, {}, 9, fiveTone, {}, {}, {}, {}, {}};
    grp.bytes = Runs({{off::kFiveToneDecode + 120, 10}});
    grp.fields = decodeFields(true);
    grp.before = IdOffFirst(true);
    s.push_back(grp);
  }
  {
    Section sec{"five_tone_encode", "5-tone encode entries", FiveToneEncodeTable::kEntryCount, {}, {}, 9, fiveTone, {}, {}, {}, {}, {}};
    sec.bytes = [](int i) { return std::vector<std::pair<std::size_t, std::size_t>>{{off::kFiveToneEncode + 15 * static_cast<std::size_t>(i), 15}}; };
    // (The beep and the group digit before the transpond decode, as files have them.)
    sec.fields = TableFields([](ConfigModel& m) { return std::make_unique<FiveToneEncodeGrid>(m.encode, m.data.hardware.model != 0); }, SameRow,
                             {1, 2, 3, 4, 5, 7, 8, 6, 9, 10, 11, 12, 13, 14, 15, 16});
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
  const std::string s = TrimBlanks(text);
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
      const std::string x = TrimBlanks(a), y = TrimBlanks(b);
      char* ex = nullptr;
      char* ey = nullptr;
      const double vx = std::strtod(x.c_str(), &ex), vy = std::strtod(y.c_str(), &ey);
      // The unit may be left out: "150" and "150.0MHz" are the same limit.
      if (ex != x.c_str() && ey != y.c_str() && (TrimBlanks(ex) == TrimBlanks(ey) || TrimBlanks(ex).empty() || TrimBlanks(ey).empty()))
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
