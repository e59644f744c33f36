// The 22 columns of the channel grid, each described once: its header texts, visibility item,
// width and help context, the name the configuration text gives its field, how the grid enters a
// value (typed into the in-place editor, stepped by Space, chosen from a value list, a check mark
// toggled) and the texts the cell shows and takes. The window builds its columns from this table,
// the configuration text's channel fields take their names, texts and help from it, and the
// entry itself is ChannelEditor's for both, so that the two ways into a cell cannot drift apart.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kp53 {

inline constexpr int kGridColumns = 22;
inline constexpr int kGridFixedRows = 2;

enum ChannelColumn : int {
  kColChn, kColPri, kColBandwidth, kColTag, kColRx, kColTx, kColRxTone, kColTxTone, kColRxPowerSave,
  kColTxPowerSave, kColPower, kColScan, kColTot, kColSquelch, kColSignalType, kColSignalNo, kColDtmfAni,
  kColEncryption, kColLockout, kColArts, kColCompander, kColXtal,
};

// How the grid enters a value into a cell.
enum class CellEntry {
  Toggle,     // Space toggles a state the cell shows in its own way (Chn: in use, Pri: "P")
  Typed,      // typed into the in-place editor and finished with Enter (the tones also take a
              // pick list on Enter and the DCS polarity on F3; the transmit cell toggles on Space)
  Cycle,      // Space steps through the cell's texts
  ValueList,  // Space opens a value list
  Check,      // Space toggles the check mark
};

struct GridColumn {
  const char* header0;  // upper header row; equal neighbours show as one cell
  const char* header1;  // lower header row
  int item;             // visibility item, -1 for the always-visible "Chn"
  int width;            // twips
  int helpContext;      // F1 on the column
  const char* name;     // field of the configuration text's channel items; null: none there
  CellEntry entry;
  // The texts the cell shows for the values 0, 1, ... (Cycle, ValueList with a fixed list,
  // Check: "-" and "v"), without the padding of the cell; empty where the texts are not a list.
  std::span<const char* const> texts;
  int editorMode;       // Typed: the in-place editor's characters (EditorAccepts) and length
  int editorLength;
  const char* help;     // one line for the configuration text's reference
  const char* toggled = nullptr;      // Typed: the field Space toggles on the cell ("tx_inhibit")
  const char* toggledHelp = nullptr;
};

extern const GridColumn kChannelColumns[kGridColumns];

// Columns that show a check mark for a set flag.
inline bool IsCheckColumn(int column) {
  return column >= 0 && column < kGridColumns && kChannelColumns[column].entry == CellEntry::Check;
}

// The position of `text` among the column's texts, or nothing.
std::optional<int> ColumnTextIndex(int column, std::string_view text);

// The column's text for value `v`, or `unknown` for a value the list does not have.
const char* ColumnText(int column, int v, const char* unknown);

}  // namespace kp53
