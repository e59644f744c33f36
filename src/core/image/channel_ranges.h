// Editing many channels at once: a text pasted into a selection of cells, Fill Down, clearing a
// selection, and the order of the channels within their group. Every cell takes its text through
// the paste rule of its column (ChannelEditor::Paste), so a fill stores exactly what pasting into
// each cell one by one would store.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/channel_editing.h"

namespace kp53 {

// The question before Insert Channel pushes a used channel off the end of its group.
inline constexpr int kMessageLastChannelFallsOff = 3611;

// The tag a channel has before anyone names it (" CH-001 ").
std::string DefaultChannelTag(int number);

struct CellRef {
  int channel;  // index
  int column;
  bool operator==(const CellRef&) const = default;
};

// What a fill did: how many cells changed and which refused their text. The Chn and Pri columns
// take no part (a channel copy asks per channel; there is one priority channel).
struct FillResult {
  int filled = 0;
  std::vector<CellRef> skipped;
};

// A clipboard text as rows of cells: rows end at CR, LF or CRLF (a line end at the very end adds
// no row), cells at tabs.
std::vector<std::vector<std::string>> SplitClipText(std::string_view text);

// Pastes `clip` into the selected channels (indexes in grid order) and columns first..last. A
// single value fills every selected cell. Otherwise the clip's rows go to the selected channels in
// turn, starting over when the selection has more channels than the clip has rows (so one row
// fills every channel); each row's cells go to the columns from `first` on, up to `last` when the
// selection is wider than one column.
FillResult PasteIntoSelection(ChannelTable& t, const EditEnv& env, std::span<const int> channels, int first,
                              int last, const std::vector<std::vector<std::string>>& clip,
                              const VisibleItems& visible, UserPrompt& prompt);

// Fill Down: the cells of columns first..last of the first selected channel, as Copy gives them,
// pasted into the other selected channels.
FillResult FillDown(ChannelTable& t, const EditEnv& env, std::span<const int> channels, int first, int last,
                    const VisibleItems& visible, UserPrompt& prompt);

// Delete on a selection: both frequencies back to the band's default, both tones off.
void ClearFrequenciesAndTones(ChannelTable& t, const EditEnv& env, std::span<const int> channels);

// The order of the channels within the group that holds `index`. Each keeps the priority
// channel and the emergency channel (in the image) on the channel they name.
// Insert: a default channel at `index`, the following channels of the group one down; the
// group's last channel falls off. False when `index` is in no group.
bool InsertChannel(RadioData& data, int index);
// Delete: the following channels of the group one up, a default channel at the group's end. A
// priority or emergency channel that named the deleted channel names none (the emergency key
// then calls on the current channel).
bool DeleteChannel(RadioData& data, int index);
// Move Up (-1) and Move Down (+1): the channel changes places with its neighbour in the group.
// False at the group's edge.
bool MoveChannel(RadioData& data, int index, int delta);
// True when the last channel of the group holding `index` differs from a default channel (Insert
// asks before it falls off).
bool GroupEndInUse(const RadioData& data, int index);

}  // namespace kp53
