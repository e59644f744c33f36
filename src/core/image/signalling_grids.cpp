#include "image/signalling_grids.h"

#include "image/channel_editing.h"
#include "image/codecs.h"
#include "text/input_filters.h"

namespace kp53 {

namespace {

using text::PickList;

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view Trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

constexpr TableColumn Num(std::string_view h) { return {h, h, 3, false, CellKind::Number}; }
constexpr TableColumn Flag(std::string_view h0, std::string_view h1, int width, std::string_view name,
                           std::string_view help) {
  return {h0, h1, width, false, CellKind::Toggle, {}, PickList::kToneFormat, name, help};
}
constexpr TableColumn Steps(std::string_view h0, std::string_view h1, int width, std::span<const std::string_view> v,
                            std::string_view name, std::string_view help) {
  return {h0, h1, width, false, CellKind::Step, v, PickList::kToneFormat, name, help};
}
constexpr TableColumn Picks(std::string_view h0, std::string_view h1, int width, PickList list, std::string_view name,
                            std::string_view help) {
  return {h0, h1, width, false, CellKind::Pick, {}, list, name, help};
}
constexpr TableColumn Typed(std::string_view h, CellKind kind) { return {h, h, 8, true, kind}; }

constexpr std::string_view kSystemCodeHelp = "\"Disable\" or 1 to 32";
constexpr std::string_view kDecodeUsed = "decode entry used";
constexpr std::string_view kInputDigit = "digit entered by the user";

constexpr TableColumn kTwoToneColumns[] = {
    {"No", "No", 3, false, CellKind::Number},
    Picks("Primary", "Primary", 7, PickList::kPrimaryPair, "primary_pair", "primary pair 1 to 10, or \"-\""),
    Flag("Secondary", "Secondary", 9, "secondary", "secondary"),
    Flag("Auto Reset", "Auto Reset", 10, "auto_reset", "auto reset"),
};

constexpr TableColumn kFiveToneSystemColumns[] = {
    Num("No"),
    Picks("ToneForm", "ToneForm", 8, PickList::kToneFormat, "tone_format", "tone format"),
    Steps("Moni", "SW", 5, text::kMonitorSwitch, "monitor_switch", "monitor switch"),
    Steps("CH", "SW", 5, text::kChannelSwitch, "channel_switch", "channel switch"),
    Flag("Call", "SW", 4, "call_switch", "call switch"),
    Flag("PTT", "SW", 4, "ptt_switch", "PTT switch"),
    Picks("Rep", "Cd", 7, PickList::kRepeaterCode, "repeater_code", kSystemCodeHelp),
    Picks("Call", "Cd", 7, PickList::kCallCode, "call_code", kSystemCodeHelp),
    Picks("ID    ", "Cd", 7, PickList::kIdCode, "id_code", kSystemCodeHelp),
    Steps("Flow", "Flow", 7, text::kFlows, "flow", "flow"),
    Steps("ANI", "Trans", 7, text::kAniTrans, "ani_transmit", "ANI transmit"),
    Flag("Auto", "Rst", 4, "auto_reset", "auto reset"),
    Flag("Comp", "Comp", 4, "compander", "compander"),
    Flag("Duty", "Duty", 4, "duty", "duty"),
    Flag("Decode", "1", 2, "decode_1", kDecodeUsed), Flag("Decode", "2", 2, "decode_2", kDecodeUsed),
    Flag("Decode", "3", 2, "decode_3", kDecodeUsed), Flag("Decode", "4", 2, "decode_4", kDecodeUsed),
    Flag("Decode", "5", 2, "decode_5", kDecodeUsed), Flag("Decode", "6", 2, "decode_6", kDecodeUsed),
    Flag("Decode", "7", 2, "decode_7", kDecodeUsed), Flag("Decode", "8", 2, "decode_8", kDecodeUsed),
};

constexpr TableColumn kDecodeColumns[] = {
    Num("No"),
    Typed("Code", CellKind::Code),
    Typed("TAG", CellKind::Tag),
    Picks("Transpond", "Transpond", 9, PickList::kTranspond, "transpond",
          "\"------\", \"Sys Call\" or \"ENC-1\" to \"ENC-32\""),
    Flag("ID", "ID", 3, "id", "ID"),
    Steps("LED", "Disp", 5, text::kLedDisplays, "led_display", "LED display"),
    Steps("Mode", "Mode", 5, text::kDecodeModes, "mode", "mode"),
    Steps("Scan", "Scan", 6, text::kDecodeScans, "scan", "scan"),
    Flag("Emg", "Emg", 3, "emergency", "emergency"),
    Steps("Beep", "Tone", 4, text::kDecodeBeepTones, "beep_tone", "beep tone"),
    Steps("Beep", "Mode", 4, text::kDecodeBeepModes, "beep_mode", "beep mode: S single, R repeat"),
    Steps("Stun", "Stun", 6, text::kStuns, "stun", "stun"),
    Flag("Auto", "TX", 4, "auto_tx", "auto TX"),
};

constexpr TableColumn kEncodeColumns[] = {
    Num("No"),
    Typed("Code", CellKind::Code),
    Typed("TAG", CellKind::Tag),
    Flag("1st", "Ext", 3, "first_extension", "first extension"),
    Flag("Sel", "Sel", 3, "sel", "selectable"),
    Flag("Over", "Wrt", 4, "overwrite", "overwrite"),
    Flag("Tran", "Dec", 4, "transpond_decode", "transpond decode"),
    Flag("Beep", "Beep", 4, "beep", "beep"),
    Flag("Grp", "Dig", 3, "group_digit", "group digit"),
    Flag("Input Digit", "1", 2, "input_digit_1", kInputDigit), Flag("Input Digit", "2", 2, "input_digit_2", kInputDigit),
    Flag("Input Digit", "3", 2, "input_digit_3", kInputDigit), Flag("Input Digit", "4", 2, "input_digit_4", kInputDigit),
    Flag("Input Digit", "5", 2, "input_digit_5", kInputDigit), Flag("Input Digit", "6", 2, "input_digit_6", kInputDigit),
    Flag("Input Digit", "7", 2, "input_digit_7", kInputDigit), Flag("Input Digit", "8", 2, "input_digit_8", kInputDigit),
};

}  // namespace

std::optional<char> FiveToneCodeCharacter(char c) {
  if (c >= 'a' && c <= 'e') c = static_cast<char>(c - 'a' + 'A');
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'E')) return c;
  return std::nullopt;
}

std::string EightCharacters(std::string_view text) {
  std::string s(text.substr(0, 8));
  s.resize(8, ' ');
  return s;
}

// --- The common grid ------------------------------------------------------------------------------

std::string SignallingGrid::Text(int row, int col) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= ColumnCount() || !HasCell(row, col)) return {};
  const TableColumn& c = Column(col);
  switch (c.kind) {
    case CellKind::Number:
      return NumberText(row);
    case CellKind::Code:
    case CellKind::Tag: {
      const std::string* s = ConstTextField(row, col);
      return s ? *s : std::string();
    }
    default:
      return ValueText(col, Value(row, col));
  }
}

bool SignallingGrid::ShowsCheck(int row, int col) const {
  return col >= 0 && col < ColumnCount() && Column(col).kind == CellKind::Toggle && HasCell(row, col) &&
         Value(row, col) != 0;
}

bool SignallingGrid::HasCell(int row, int col) const {
  return row >= 0 && row < RowCount() && col >= 0 && col < ColumnCount();
}

int SignallingGrid::ValueCount(int col) const {
  const TableColumn& c = Column(col);
  switch (c.kind) {
    case CellKind::Toggle: return 2;
    case CellKind::Step: return static_cast<int>(c.values.size());
    case CellKind::Pick: return static_cast<int>(text::PickListItems(c.pick).size());
    default: return 0;
  }
}

std::string SignallingGrid::ValueText(int col, int value) const {
  const TableColumn& c = Column(col);
  if (c.kind == CellKind::Pick) return PickText(col, value);
  const std::span<const std::string_view> list = c.kind == CellKind::Toggle ? std::span<const std::string_view>(text::kOffOn) : c.values;
  if (value < 0 || value >= static_cast<int>(list.size())) return {};
  return std::string(list[static_cast<std::size_t>(value)]);
}

std::string SignallingGrid::PickText(int col, int value) const {
  const auto& items = text::PickListItems(Column(col).pick);
  return value >= 0 && value < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(value)] : std::string();
}

std::string* SignallingGrid::TextField(int, int) { return nullptr; }

std::string SignallingGrid::NumberText(int row) const { return Format("%2d", row + 1); }
std::string TwoToneSystemsGrid::NumberText(int row) const { return Format("%3d", row + 1); }
std::string FiveToneDecodeGrid::NumberText(int row) const {
  return row == kGroupRow ? std::string("Grp") : SignallingGrid::NumberText(row);
}

bool SignallingGrid::Activate(int row, int col, std::optional<CellPick>* pick) {
  if (pick) pick->reset();
  if (!HasCell(row, col)) return false;
  const TableColumn& c = Column(col);
  switch (c.kind) {
    case CellKind::Toggle:
    case CellKind::Step:
      SetValue(row, col, (Value(row, col) + 1) % ValueCount(col));
      return true;
    case CellKind::Pick:
      if (pick) *pick = CellPick{c.pick, Value(row, col), row + 1};
      return false;
    default:
      return false;
  }
}

void SignallingGrid::ApplyPick(int row, int col, int position) {
  if (!HasCell(row, col) || Column(col).kind != CellKind::Pick) return;
  if (position >= 0 && position < ValueCount(col)) SetValue(row, col, position);
}

bool SignallingGrid::Editable(int, int) const { return false; }

const TextFieldRule* SignallingGrid::Rule(int, int) const { return nullptr; }

std::optional<char> SignallingGrid::StartsEdit(int row, int col, char c) const {
  const TextFieldRule* rule = Rule(row, col);
  if (!rule || !HasCell(row, col) || !Editable(row, col) || c == '\b' || !FieldFilterAccepts(rule->filterMode, 0, c))
    return std::nullopt;
  const char kept = MapTypedCharacter(*rule, c);
  return kept ? std::optional<char>(kept) : std::nullopt;
}

bool SignallingGrid::EndEdit(int row, int col, std::string_view text) {
  const TextFieldRule* rule = Rule(row, col);
  std::string* field = HasCell(row, col) && rule ? TextField(row, col) : nullptr;
  if (!field) return false;
  *field = rule->enter(text);
  return true;
}

std::string SignallingGrid::CopyText(int row, int col) const { return Text(row, col); }

int SignallingGrid::ValueOf(int col, std::string_view text) const {
  const std::string_view wanted = Trimmed(text);
  for (int v = 0; v < ValueCount(col); ++v)
    if (Trimmed(ValueText(col, v)) == wanted) return v;
  return -1;
}

bool SignallingGrid::Enter(int row, int col, int value) {
  if (!HasCell(row, col) || value < 0 || value >= ValueCount(col)) return false;
  std::optional<CellPick> pick;
  for (int k = 0; k < ValueCount(col) && Value(row, col) != value; ++k)
    if (!Activate(row, col, &pick)) break;
  if (pick) ApplyPick(row, col, value);
  return Value(row, col) == value;
}

bool SignallingGrid::Paste(int row, int col, std::string_view text) {
  if (!HasCell(row, col)) return false;
  const TableColumn& c = Column(col);
  int value = ValueOf(col, text);
  if (value < 0 && c.kind == CellKind::Pick) {  // a pick list's own item ("Pair #3")
    const auto& items = text::PickListItems(c.pick);
    for (std::size_t v = 0; v < items.size() && value < 0; ++v)
      if (Trimmed(items[v]) == Trimmed(text)) value = static_cast<int>(v);
  }
  return Enter(row, col, value);
}

// --- 2-tone systems ------------------------------------------------------------------------------

std::span<const TableColumn> TwoToneSystemsGrid::Columns() const { return kTwoToneColumns; }

int TwoToneSystemsGrid::Value(int row, int col) const {
  const TwoToneSystem& s = t_.systems[static_cast<std::size_t>(row)];
  switch (col) {
    case 1: return s.primaryPair;
    case 2: return s.secondary ? 1 : 0;
    case 3: return s.autoReset ? 1 : 0;
    default: return 0;
  }
}

void TwoToneSystemsGrid::SetValue(int row, int col, int value) {
  TwoToneSystem& s = t_.systems[static_cast<std::size_t>(row)];
  switch (col) {
    case 1: s.primaryPair = value; break;
    case 2: s.secondary = value != 0; break;
    case 3: s.autoReset = value != 0; break;
    default: break;
  }
}

std::string TwoToneSystemsGrid::PickText(int, int value) const { return text::TwoTonePrimaryText(value); }

// --- 5-tone systems ------------------------------------------------------------------------------

std::span<const TableColumn> FiveToneSystemsGrid::Columns() const { return kFiveToneSystemColumns; }

int FiveToneSystemsGrid::Value(int row, int col) const {
  const FiveToneSystem& s = t_.systems[static_cast<std::size_t>(row)];
  switch (col) {
    case 1: return s.toneFormat;
    case 2: return s.monitorSwitch;
    case 3: return s.channelSwitch;
    case 4: return s.callSwitch;
    case 5: return s.pttSwitch;
    case 6: return s.repeaterCode;
    case 7: return s.callCode;
    case 8: return s.idCode;
    case 9: return s.flow;
    case 10: return s.aniTransmit;
    case 11: return s.autoReset;
    case 12: return s.compander;
    case 13: return s.duty;
    default: return col >= 14 && col < 22 ? s.decode[static_cast<std::size_t>(col - 14)] : 0;
  }
}

void FiveToneSystemsGrid::SetValue(int row, int col, int value) {
  FiveToneSystem& s = t_.systems[static_cast<std::size_t>(row)];
  const bool on = value != 0;
  switch (col) {
    case 1: s.toneFormat = value; break;
    case 2: s.monitorSwitch = value; break;
    case 3: s.channelSwitch = value; break;
    case 4: s.callSwitch = on; break;
    case 5: s.pttSwitch = on; break;
    case 6: s.repeaterCode = value; break;
    case 7: s.callCode = value; break;
    case 8: s.idCode = value; break;
    case 9: s.flow = value; break;
    case 10: s.aniTransmit = value; break;
    case 11: s.autoReset = on; break;
    case 12: s.compander = on; break;
    case 13: s.duty = on; break;
    default:
      if (col >= 14 && col < 22) s.decode[static_cast<std::size_t>(col - 14)] = on;
      break;
  }
}

std::string FiveToneSystemsGrid::PickText(int col, int value) const {
  if (col == 1) return SignallingGrid::PickText(col, value);
  return text::SystemCodeText(value);
}

// --- 5-tone decode -------------------------------------------------------------------------------

std::span<const TableColumn> FiveToneDecodeGrid::Columns() const { return kDecodeColumns; }

FiveToneDecodeEntry& FiveToneDecodeGrid::Entry(int row) const {
  return row == kGroupRow ? t_.group : t_.entries[static_cast<std::size_t>(row)];
}

bool FiveToneDecodeGrid::HasCell(int row, int col) const {
  if (!SignallingGrid::HasCell(row, col)) return false;
  return row != kGroupRow || (col != 1 && col != 3 && col != 12);
}

bool FiveToneDecodeGrid::Editable(int row, int col) const {
  if (!HasCell(row, col)) return false;
  if (col == 1) return true;
  return col == kTagColumn && ht620_ && !Entry(row).id;
}

const TextFieldRule* FiveToneDecodeGrid::Rule(int row, int col) const {
  if (col == 1) return &fields::kFiveToneDecodeCode;
  if (col == kTagColumn) return row == kGroupRow ? &fields::kFiveToneGroupTag : &fields::kFiveToneDecodeTag;
  return nullptr;
}

int FiveToneDecodeGrid::Value(int row, int col) const {
  const FiveToneDecodeEntry& e = Entry(row);
  switch (col) {
    case 3: return e.transpond;
    case 4: return e.id;
    case 5: return e.ledDisplay;
    case 6: return e.mode;
    case 7: return e.scan;
    case 8: return e.emergency;
    case 9: return e.beepTone;
    case 10: return e.beepMode;
    case 11: return e.stun;
    case 12: return e.autoTx;
    default: return 0;
  }
}

void FiveToneDecodeGrid::SetValue(int row, int col, int value) {
  FiveToneDecodeEntry& e = Entry(row);
  switch (col) {
    case 3: e.transpond = value; break;
    case 4: e.id = value != 0; break;
    case 5: e.ledDisplay = value; break;
    case 6: e.mode = value; break;
    case 7: e.scan = value; break;
    case 8: e.emergency = value != 0; break;
    case 9: e.beepTone = value; break;
    case 10: e.beepMode = value; break;
    case 11: e.stun = value; break;
    case 12: e.autoTx = value != 0; break;
    default: break;
  }
}

std::string FiveToneDecodeGrid::PickText(int, int value) const { return text::TranspondText(value); }

std::string* FiveToneDecodeGrid::TextField(int row, int col) {
  if (!HasCell(row, col)) return nullptr;
  if (col == 1) return &Entry(row).code;
  if (col == kTagColumn) return &Entry(row).tag;
  return nullptr;
}

// --- 5-tone encode -------------------------------------------------------------------------------

std::span<const TableColumn> FiveToneEncodeGrid::Columns() const { return kEncodeColumns; }

bool FiveToneEncodeGrid::Editable(int row, int col) const {
  if (!HasCell(row, col)) return false;
  return col == 1 || (col == kTagColumn && ht620_);
}

const TextFieldRule* FiveToneEncodeGrid::Rule(int, int col) const {
  if (col == 1) return &fields::kFiveToneEncodeCode;
  return col == kTagColumn ? &fields::kFiveToneEncodeTag : nullptr;
}

int FiveToneEncodeGrid::Value(int row, int col) const {
  const FiveToneEncodeEntry& e = t_.entries[static_cast<std::size_t>(row)];
  switch (col) {
    case 3: return e.firstExtension;
    case 4: return e.sel;
    case 5: return e.overwrite;
    case 6: return e.transpondDecode;
    case 7: return e.beep;
    case 8: return e.groupDigit;
    default: return col >= 9 && col < 17 ? e.inputDigits[static_cast<std::size_t>(col - 9)] : 0;
  }
}

void FiveToneEncodeGrid::SetValue(int row, int col, int value) {
  FiveToneEncodeEntry& e = t_.entries[static_cast<std::size_t>(row)];
  const bool on = value != 0;
  switch (col) {
    case 3: e.firstExtension = on; break;
    case 4: e.sel = on; break;
    case 5: e.overwrite = on; break;
    case 6: e.transpondDecode = on; break;
    case 7: e.beep = on; break;
    case 8: e.groupDigit = on; break;
    default:
      if (col >= 9 && col < 17) e.inputDigits[static_cast<std::size_t>(col - 9)] = on;
      break;
  }
}

std::string* FiveToneEncodeGrid::TextField(int row, int col) {
  if (!HasCell(row, col)) return nullptr;
  if (col == 1) return &t_.entries[static_cast<std::size_t>(row)].code;
  if (col == kTagColumn) return &t_.entries[static_cast<std::size_t>(row)].tag;
  return nullptr;
}

std::vector<std::string> PickListChoices(text::PickList list, const RadioImage& image) {
  std::vector<std::string> items = text::PickListItems(list);
  std::size_t first = 0;  // the item of encode entry 1
  switch (list) {
    case text::PickList::kRepeaterCode:
    case text::PickList::kCallCode:
    case text::PickList::kIdCode: first = 1; break;
    case text::PickList::kTranspond: first = 2; break;
    default: return items;
  }
  FiveToneEncodeTable encode;
  encode.LoadFromImage(image);
  auto trimmed = [](std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  };
  for (std::size_t i = first; i < items.size() && i - first < encode.entries.size(); ++i) {
    const FiveToneEncodeEntry& e = encode.entries[i - first];
    items[i] += "  " + trimmed(e.code);
    if (const std::string tag = trimmed(e.tag); !tag.empty()) items[i] += " " + tag;
  }
  return items;
}

}  // namespace kp53
