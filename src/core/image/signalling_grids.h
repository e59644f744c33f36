// The signalling tables as grids: the 2-tone systems and the 5-tone systems, decode and encode
// tables. Each grid answers its columns, the text of every cell, and what an action on a cell
// does (a toggle, a step through a list, a pick list, a typed code or tag), so the dialogs only
// translate their events and draw what these answer.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "image/field_table.h"
#include "image/five_tone_areas.h"
#include "image/two_tone_areas.h"
#include "text/choice_texts.h"

namespace kp53 {

// How a cell reacts to Space or a double-click.
enum class CellKind {
  Number,  // the row number: nothing
  Toggle,  // on/off, shown "v" (a check mark) or "-"
  Step,    // steps through its value list, wrapping to the first
  Pick,    // opens a pick list
  Code,    // a typed 5-tone code
  Tag,     // a typed tag in the radio's character set
};

struct TableColumn {
  std::string_view header0;  // the two header rows; equal texts show as one cell
  std::string_view header1;
  int widthChars;            // room for the longest text, in characters of the grid's font
  bool left;                 // left-aligned (typed texts), else centred
  CellKind kind;
  std::span<const std::string_view> values = {};  // a Step column's list
  text::PickList pick = text::PickList::kToneFormat;  // a Pick column's list
  // The cell's field in the configuration text: its name and one line of help. Typed cells take
  // both from their field-table rule.
  std::string_view name = {};
  std::string_view help = {};
};

// A pick list the window shows for a cell: the list, the preselected position, the row's number
// for the title "(No=%2d)".
struct CellPick {
  text::PickList list;
  int selected;
  int rowNumber;
};

// The items of a pick list as the window shows them: the list's own texts, and for the lists that
// name an encode table entry (repeater, call and ID codes, transpond) the entry's code and tag
// after each ("  3   12345 DEPOT").
std::vector<std::string> PickListChoices(text::PickList list, const RadioImage& image);

// A 5-tone code's character: the digits and "A" to "E" (upper-cased). The typed cells take their
// characters by their rules in the field table.
std::optional<char> FiveToneCodeCharacter(char c);
// A finished in-place edit: exactly 8 characters, blank-padded or cut.
std::string EightCharacters(std::string_view text);

class SignallingGrid {
 public:
  virtual ~SignallingGrid() = default;

  virtual std::span<const TableColumn> Columns() const = 0;
  virtual int RowCount() const = 0;
  int ColumnCount() const { return static_cast<int>(Columns().size()); }
  const TableColumn& Column(int col) const { return Columns()[static_cast<std::size_t>(col)]; }

  // Data rows count from 0; the row's number (column 0) is row + 1.
  std::string Text(int row, int col) const;
  // An on/off cell that is on: the window draws a check mark.
  bool ShowsCheck(int row, int col) const;
  // Whether the row has this cell at all (the decode group row has no code, transpond or auto TX).
  virtual bool HasCell(int row, int col) const;

  // Space or a double-click: a Toggle or Step cell changes and answers true; a Pick cell answers
  // its list in `pick` and changes nothing until ApplyPick. Other cells answer false.
  bool Activate(int row, int col, std::optional<CellPick>* pick);
  void ApplyPick(int row, int col, int position);

  // The values of a Toggle, Step or Pick column: how many, each one's text as the cell shows it,
  // the value a text names (blanks around it ignored; -1 for none) and a cell's current value.
  int ValueCount(int col) const;
  std::string ValueText(int col, int value) const;
  int ValueOf(int col, std::string_view text) const;
  int CellValue(int row, int col) const { return HasCell(row, col) ? Value(row, col) : 0; }
  // Enters `value` as the dialog does: Space until a toggle or step shows it, the pick list's
  // item for a pick cell. Answers false, changing nothing, for a value the cell does not have.
  bool Enter(int row, int col, int value);

  // Typed cells. `Editable` tells whether the cell takes an in-place edit now; `StartsEdit`
  // answers the character a typed key puts into the editor (nullopt: the key starts nothing).
  virtual bool Editable(int row, int col) const;
  // The field-table rule of a typed cell (its filter, length and entry), nullptr for other cells.
  virtual const TextFieldRule* Rule(int row, int col) const;
  std::optional<char> StartsEdit(int row, int col, char c) const;
  // The edit's text into the code or tag, entered by the cell's rule. Answers false for other cells.
  bool EndEdit(int row, int col, std::string_view text);

  // The text Copy puts on the clipboard for a cell ("v" or "-" for on/off cells).
  std::string CopyText(int row, int col) const;
  // A pasted text applied to a cell: a value's text of the column (blanks around it ignored),
  // "v" or "-" for on/off cells. Answers false and changes nothing for a text the cell cannot
  // take, the row number, and typed cells.
  bool Paste(int row, int col, std::string_view text);

  // The row under the grid cursor.
  virtual int& Current() = 0;

 protected:
  // The value of a Toggle, Step or Pick cell as the list position, and its setting.
  virtual int Value(int row, int col) const = 0;
  virtual void SetValue(int row, int col, int value) = 0;
  // The text a Pick column shows for a value (Step and Toggle columns show their list).
  virtual std::string PickText(int col, int value) const;
  // The code or tag string of a Code or Tag cell; nullptr when the row has none.
  virtual std::string* TextField(int row, int col);
  const std::string* ConstTextField(int row, int col) const {
    return const_cast<SignallingGrid*>(this)->TextField(row, col);
  }
  // Column 0: the row's number.
  virtual std::string NumberText(int row) const;
};

class TwoToneSystemsGrid : public SignallingGrid {
 public:
  explicit TwoToneSystemsGrid(TwoToneSystemTable& table) : t_(table) {}
  std::span<const TableColumn> Columns() const override;
  int RowCount() const override { return TwoToneSystemTable::kSystemCount; }
  int& Current() override { return t_.current; }

 protected:
  int Value(int row, int col) const override;
  void SetValue(int row, int col, int value) override;
  std::string PickText(int col, int value) const override;
  std::string NumberText(int row) const override;  // "%3d"

 private:
  TwoToneSystemTable& t_;
};

class FiveToneSystemsGrid : public SignallingGrid {
 public:
  explicit FiveToneSystemsGrid(FiveToneSystemTable& table) : t_(table) {}
  std::span<const TableColumn> Columns() const override;
  int RowCount() const override { return FiveToneSystemTable::kSystemCount; }
  int& Current() override { return t_.current; }

 protected:
  int Value(int row, int col) const override;
  void SetValue(int row, int col, int value) override;
  std::string PickText(int col, int value) const override;

 private:
  FiveToneSystemTable& t_;
};

// Rows 0 to 7 are the decode entries, row 8 the group entry ("Grp"). The TAG column is only
// shown, and only typed, for the HT-620.
class FiveToneDecodeGrid : public SignallingGrid {
 public:
  static constexpr int kGroupRow = FiveToneDecodeTable::kEntryCount;
  FiveToneDecodeGrid(FiveToneDecodeTable& table, bool ht620) : t_(table), ht620_(ht620) {}
  std::span<const TableColumn> Columns() const override;
  int RowCount() const override { return FiveToneDecodeTable::kEntryCount + 1; }
  int& Current() override { return t_.current; }
  bool HasCell(int row, int col) const override;
  bool Editable(int row, int col) const override;
  const TextFieldRule* Rule(int row, int col) const override;

 protected:
  int Value(int row, int col) const override;
  void SetValue(int row, int col, int value) override;
  std::string PickText(int col, int value) const override;
  std::string* TextField(int row, int col) override;
  std::string NumberText(int row) const override;  // "Grp" on the group row

 private:
  FiveToneDecodeEntry& Entry(int row) const;
  FiveToneDecodeTable& t_;
  bool ht620_;
};

class FiveToneEncodeGrid : public SignallingGrid {
 public:
  FiveToneEncodeGrid(FiveToneEncodeTable& table, bool ht620) : t_(table), ht620_(ht620) {}
  std::span<const TableColumn> Columns() const override;
  int RowCount() const override { return FiveToneEncodeTable::kEntryCount; }
  int& Current() override { return t_.current; }
  bool Editable(int row, int col) const override;
  const TextFieldRule* Rule(int row, int col) const override;

 protected:
  int Value(int row, int col) const override;
  void SetValue(int row, int col, int value) override;
  std::string* TextField(int row, int col) override;

 private:
  FiveToneEncodeTable& t_;
  bool ht620_;
};

// The TAG column (column 2 of the decode and encode grids) has no width on the HT-610.
inline constexpr int kTagColumn = 2;

}  // namespace kp53
