// Editing the channels of the grid: what a key, a click, a finished in-place edit, a pick list or
// a pasted text does to the current channel, with every value derived from it (step selectors,
// snapping, tuning bytes, the crystal flag, the transmit frequency). The window only translates
// its events into these calls and renders the cells they report.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/channel_columns.h"
#include "image/channel_table.h"
#include "image/radio_data.h"
#include "ports.h"
#include "text/input_filters.h"

namespace kp53 {

// What the editing operations need to know beyond the channel table.
struct EditEnv {
  const RadioImage& image;        // alignment bytes for the tuning bytes
  const HardwareArea& hardware;   // band index and limits
  double defaultSplit = 0.0;      // proposed transmit offset (MHz)
  bool ht620 = true;              // product type "HT-620 Series" (tags editable)
  int optionBoard = 0;            // option-board code
  bool fiveTone = true;           // signalling system
  std::array<bool, 10> pageCodeEnabled{};  // page codes 1..10 enabled in the paging parameters
};

// The editing context of an image: its option board, signalling system, enabled page codes,
// product type and DefaultSplit.
EditEnv EditEnvFor(const RadioData& data);

// The 18 visibility items of the grid columns (1 shown, 0 hidden).
using VisibleItems = std::array<int, 18>;

enum class CellResult {
  None,       // nothing changed
  Changed,    // the channel changed: mark the document modified and render the column
  Beep,       // refused: beep, nothing changed
  ValueList,  // show the value list of the request, then call ApplyValueList
  TonePick,   // show the tone pick list of the request, then call ApplyTonePick
};

struct ListRequest {
  std::string title;               // "Squelch Level(CH=%2d)" and the like
  std::vector<std::string> items;
  int selected = 0;
  int columnWidth = 0;             // pixels of one column of a multi-column list; 0 for one column
};

// The characters the in-place editor accepts: mode 0 for tags, 1 for frequencies, 4 for tones,
// 5 for the transmit frequency (a frequency or an offset such as "+0.6", "-5", "+600k").
inline constexpr int kTransmitEditorMode = 5;
bool EditorAccepts(int mode, char c);

// The character the in-place editor of mode `mode` puts in for a typed `c` (a tag's letters in
// upper case, only what the radio can show), or nothing when it drops the key.
std::optional<char> EditorCharacter(int mode, char c);

// The in-place editor's characters and length for cell `column` of channel `e` (a tone cell holds
// 7 characters for a CTCSS tone, 5 for a DCS code).
struct EditorLimits {
  int mode;
  int length;
};
EditorLimits CellEditorLimits(int column, const ChannelEntry& e);

// Whether the in-place editor of cell `column` takes `typed` whole, as typed after the edit began
// (Enter on the cell, or "C" or "D" on a tone cell, which begins the text with "C-" or "D-"): no
// key dropped, the length not exceeded.
bool EditorTakes(int column, const ChannelEntry& e, std::string_view typed);

// A transmit offset as repeater users type it: a sign, a number of MHz, or of kHz with "k"
// ("+0.6", "-5", "+600k"); nullopt for any other text.
std::optional<double> TransmitOffsetMHz(std::string_view text);

// A tag character as the radio stores it: letters in upper case; nullopt for a character that has
// no six-bit code (the radio would show a blank in its place).
std::optional<char> StorableTagCharacter(char c);

// Frequency snapping to the nearer step grid of the band: clamped into the band limits, kept
// when on a grid, else moved up to the nearer next multiple (of step table A on a tie).
struct SnappedFrequency {
  double mhz;
  int selector;  // 0 step table A, 1 step table B
};
SnappedFrequency SnapFrequency(double mhz, const HardwareArea& hw);

// True when the receive frequency lies within 100 ppm of a multiple of 3.6864 MHz.
bool CrystalRule(double rxMHz);


class ChannelEditor {
 public:
  ChannelEditor(ChannelTable& table, const EditEnv& env) : t_(table), env_(env) {}

  // Space or a double-click on a cell of the current channel.
  CellResult Activate(int column, ListRequest* list = nullptr);
  // The value list's choice for column 13, 15 or 17 (`ok` false: Cancel).
  CellResult ApplyValueList(int column, int position, bool ok);

  // Initial text of the in-place editor for columns 3..7; nullopt when the cell cannot be edited.
  std::optional<std::string> EditText(int column) const;
  // End of an edit (also used by paste).
  CellResult SetFromText(int column, std::string_view text);

  // The end of an in-place edit: SetFromText, then a tone text left at "C-" or "D-" restores both
  // tone types.
  CellResult EndEdit(int column, std::string_view text);
  // Enter in the editor of a tone cell whose text ends in "-" and blanks: saves both tone types,
  // sets the column's type by the first letter ("C" CTCSS, else DCS) and answers true; the caller
  // then opens PickTone. Answers false for every other text and column.
  bool EnterPickShortcut(int column, std::string_view text);

  // Saves both tone types before a sub-audio edit begins.
  void SaveToneTypes();
  void RestoreToneTypes();
  // Typing "C" or "D" on a tone cell: saves the tone types and sets the column's type.
  void BeginToneTyping(int column, char letter);

  CellResult PickTone(int column, ListRequest* list);
  CellResult ApplyTonePick(int column, int position, bool ok);

  // F3 on a DCS cell.
  CellResult CyclePolarity(int column);

  // Before Space or a double-click on the Pri cell of an enabled channel: another priority
  // channel of the current group gives up its "P". Returns its index so its cell is redrawn.
  std::optional<int> PriorityPreStep(int column);

  // Applies a pasted text to the current cell. `prompt` asks the copy-channel question;
  // `otherChanged` receives another channel whose row must be rendered again.
  CellResult Paste(int column, std::string_view text, const VisibleItems& visible, UserPrompt& prompt,
                   std::optional<int>* otherChanged = nullptr);

  // Text that Copy puts on the clipboard for the check, scan and encryption cells; nullopt for the
  // columns whose shown text is copied.
  std::optional<std::string> CopyText(int column) const;

  // Copies the fields of the visible items from channel `from` to channel `to`.
  void CopyVisibleFields(int from, int to, const VisibleItems& visible);

  // Recomputes tuning byte 0 from rxFreq, or bytes 1..4 from txFreq.
  void RecomputeRxTuning(ChannelEntry& e) const;
  void RecomputeTxTuning(ChannelEntry& e) const;

 private:
  ChannelEntry& Current() { return t_.Entry(t_.currentChannel); }
  const ChannelEntry& Current() const { return t_.Entry(t_.currentChannel); }
  std::string ListTitle(const char* name) const;
  CellResult SetToneFromText(int column, std::string_view text);
  CellResult PasteTone(int column, std::string_view text);

  ChannelTable& t_;
  const EditEnv& env_;
};

// What a finished in-place edit of cell `column` (3 to 7) stored when it is not what was typed, as
// one status-bar line ("154.5275 stored as 154.53000: the radio tunes in 5 and 6.25 kHz steps"),
// also a tone the radio lacks and a tone text refused (`result` None); empty when the cell shows
// what was typed. `shown` is the cell's text after the edit, `entry` the channel.
std::string CellEntryLine(int column, std::string_view typed, const std::string& shown, CellResult result,
                          const ChannelEntry& entry, const HardwareArea& hardware);

// The allocation dialog's commits. `CommitGroupSize` answers false when the new size does not
// fit ("Too many channels"); the group then keeps its old size.
bool CommitGroupSize(ChannelTable& t, int group, int requested);
void CommitGroupTag(ChannelTable& t, int group, std::string_view text);

// A group's size field: the keys it lets through (digits, blanks and signs), the characters it
// takes, and how it shows a size ("016").
inline constexpr int kGroupSizeFilterMode = 2;
inline constexpr int kGroupSizeLength = 3;
std::string GroupSizeText(int size);
// The size a finished edit of the field asks for: the text's leading whole number, 0 when it has
// none (a blank field); nothing when the text holds a key the field refuses or is too long.
std::optional<int> TypedGroupSize(std::string_view typed);
enum class GroupSizeEntry { Stored, NotTyped, TooManyChannels };
// A finished edit of a group's size: the asked size through `CommitGroupSize` (clamped to
// 0..128, group 1 at least 1, an emptied group back to Conventional).
GroupSizeEntry EnterGroupSize(ChannelTable& t, int group, std::string_view typed);

// The system types a group's list offers: "Conventional", and "Omnitrunk" with the Omnitrunk
// board. The list is used only while the group has channels.
std::span<const std::string_view> GroupSystemTypeItems(int optionBoard);
bool GroupSystemTypeEditable(const ChannelTable& t, int group);
// A system type chosen for a group; false (nothing changed) when its list does not offer it.
// Conventional is always taken: the dialog shows an empty group as Conventional.
bool EnterGroupSystemType(ChannelTable& t, int group, int optionBoard, int type);

}  // namespace kp53
