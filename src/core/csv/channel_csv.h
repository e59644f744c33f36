// Channel lists in the comma-separated layout that radio programming tools and repeater
// directories share (Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq,
// DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode, Mode, TStep, Skip, Power, Comment, URCALL,
// RPT1CALL, RPT2CALL, DVCODE).
//
// Export writes one row per channel in use. Import changes a channel only through the grid's own
// entry rules (the texts a paste would carry), and only in the fields the layout describes; every
// row the radio cannot hold as written is skipped and reported with its line, and every change
// beyond the layout's upper-casing (a shortened name, a character the radio cannot show, a power
// given in watts) is noted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "image/radio_data.h"

namespace kp53 {

// The header row in the order export writes it.
extern const std::vector<std::string> kChannelCsvColumns;

// Where rows go: one group (0..15, Location counts from its first channel) or, with kAllGroups,
// the allocated channels in order (Location is the channel number).
constexpr int kAllGroups = -1;

std::string ExportChannelsCsv(const RadioData& data, int group);

struct CsvIssue {
  int line = 0;
  bool skipped = false;  // the row changed nothing; otherwise a note on a row that was imported
  std::string text;
};

struct CsvImportReport {
  bool readable = false;  // false: the text is no channel list; nothing was changed
  std::string error;
  int rows = 0;           // data rows read
  int programmed = 0;     // rows that changed their channel
  int unchanged = 0;      // rows whose channel already held what they give
  int skipped = 0;
  std::vector<CsvIssue> issues;  // in line order

  // A summary line and one line per issue ("Line 7: skipped: ..."), each ending in "\n".
  std::string Text() const;
};

CsvImportReport ImportChannelsCsv(RadioData& data, std::string_view text, int group);

}  // namespace kp53
