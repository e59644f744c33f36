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
constexpr TableColumn Flag(std::string_view h0, std::string_view h1, int width) {
  return {h0, h1, width, false, CellKind::Toggle};
}
constexpr TableColumn Steps(std::string_view h0, std::string_view h1, int width, std::span<const std::string_view> v) {
  return {h0, h1, width, false, CellKind::Step, v};
}
constexpr TableColumn Picks(std::string_view h0, std::string_view h1, int width, PickList list) {
  return {h0, h1, width, false, CellKind::Pick, {}, list};
}
constexpr TableColumn Typed(std::string_view h, CellKind kind) { return {h, h, 8, true, kind}; }

constexpr TableColumn kTwoToneColumns[] = {
    {"No", "No", 3, false, CellKind::Number},
    Picks("Primary", "Primary", 7, PickList::kPrimaryPair),
    Flag("Secondary", "Secondary", 9),
    Flag("Auto Reset", "Auto Reset", 10),
};

constexpr TableColumn kFiveToneSystemColumns[] = {
    Num("No"),
    Picks("ToneForm", "ToneForm", 8, PickList::kToneFormat),
    Steps("Moni", "SW", 5, text::kMonitorSwitch),
    Steps("CH", "SW", 5, text::kChannelSwitch),
    Flag("Call", "SW", 4),
    Flag("PTT", "SW", 4),
    Picks("Rep", "Cd", 7, PickList::kRepeaterCode),
    Picks("Call", "Cd", 7, PickList::kCallCode),
    Picks("ID    ", "Cd", 7, PickList::kIdCode),
    Steps("Flow", "Flow", 7, text::kFlows),
    Steps("ANI", "Trans", 7, text::kAniTrans),
    Flag("Auto", "Rst", 4),
    Flag("Comp", "Comp", 4),
    Flag("Duty", "Duty", 4),
    Flag("Decode", "1", 2), Flag("Decode", "2", 2), Flag("Decode", "3", 2), Flag("Decode", "4", 2),
    Flag("Decode", "5", 2), Flag("Decode", "6", 2), Flag("Decode", "7", 2), Flag("Decode", "8", 2),
};

constexpr TableColumn kDecodeColumns[] = {
    Num("No"),
    Typed("Code", CellKind::Code),
    Typed("TAG", CellKind::Tag),
    Picks("Transpond", "Transpond", 9, PickList::kTranspond),
    Flag("ID", "ID", 3),
    Steps("LED", "Disp", 5, text::kLedDisplays),
    Steps("Mode", "Mode", 5, text::kDecodeModes),
    Steps("Scan", "Scan", 6, text::kDecodeScans),
    Flag("Emg", "Emg", 3),
    Steps("Beep", "Tone", 4, text::kDecodeBeepTones),
    Steps("Beep", "Mode", 4, text::kDecodeBeepModes),
    Steps("Stun", "Stun", 6, text::kStuns),
    Flag("Auto", "TX", 4),
};

constexpr TableColumn kEncodeColumns[] = {
    Num("No"),
    Typed("Code", CellKind::Code),
    Typed("TAG", CellKind::Tag),
    Flag("1st", "Ext", 3),
    Flag("Sel", "Sel", 3),
    Flag("Over", "Wrt", 4),
    Flag("Tran", "Dec", 4),
    Flag("Beep", "Beep", 4),
    Flag("Grp", "Dig", 3),
    Flag("Input Digit", "1", 2), Flag("Input Digit", "2", 2), Flag("Input Digit", "3", 2),
    Flag("Input Digit", "4", 2), Flag("Input Digit", "5", 2), Flag("Input Digit", "6", 2),
    Flag("Input Digit", "7", 2), Flag("Input Digit", "8", 2),
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

bool SignallingGrid::Paste(int row, int col, std::string_view text) {
  if (!HasCell(row, col)) return false;
  const TableColumn& c = Column(col);
  if (c.kind != CellKind::Toggle && c.kind != CellKind::Step && c.kind != CellKind::Pick) return false;
  const std::string_view wanted = Trimmed(text);
  const int count = ValueCount(col);
  for (int v = 0; v < count; ++v) {
    const std::string shown = ValueText(col, v);
    if (Trimmed(shown) == wanted ||
        (c.kind == CellKind::Pick && Trimmed(text::PickListItems(c.pick)[static_cast<std::size_t>(v)]) == wanted)) {
      SetValue(row, col, v);
      return true;
    }
  }
  return false;
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
