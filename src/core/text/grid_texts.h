// The texts of the channel grid (its columns are described in image/channel_columns.h): the text
// of every cell, and the texts of the view's header strip. The window,
// the report and the command-line tool share them.
#pragma once

#include <string>
#include <vector>

#include "image/channel_columns.h"
#include "image/radio_data.h"

namespace kp53 {
// "v" for a set flag, "-" for a clear one (for the scan column, bit 0 of the scan field).
char CheckMark(const ChannelEntry& e, int column);
// True when the check cell shows the check-mark picture instead of text: a set flag on an enabled
// channel.
bool CheckCellShowsPicture(const ChannelTable& table, int index, int column);

// The text of cell `column` of channel `index` (0-based). `ht610` blanks the TAG column. Check
// cells give "" when they show the picture, else "-". Fields holding values that no editor
// produces give question marks instead of reading outside a text table.
std::string ChannelCellText(const ChannelTable& table, int index, int column, bool ht610);

// Every text a cell of `column` can show, with the trailing blanks that are not drawn removed. A
// number is given once with each digit in all its places and a tag once with each character the
// radio stores, so that the widest text in any font is among them. Check columns give "-" (their
// picture is the window's). The window sizes its columns so that each of these texts fits.
std::vector<std::string> ColumnCellTexts(int column);

// Receive and transmit sub-audio texts of the grid ("-------", "C- 88.5", "D-023B  ").
std::string RxSubAudioText(const ChannelEntry& e);
std::string TxSubAudioText(const ChannelEntry& e);

// The six header statics of the main view.
struct HeaderTexts {
  std::string serial;       // "%-8s"
  std::string band;         // "VHF" or "UHF", "%-13s"
  std::string productType;  // "HT-610 Series" or "HT-620 Series", "%-13s"
  std::string firmware;     // "1.23"
  std::string comPort;      // "COM1  9600BPS"
  std::string printer;
};
HeaderTexts MakeHeaderTexts(const RadioData& data, int comPort, int comSpeed, const std::string& printer);

inline bool IsHt610(const RadioData& data) { return data.hardware.model == 0; }

}  // namespace kp53
