// Channel lists in CHIRP's generic comma-separated layout, which radio programming tools and
// repeater directories share (Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq,
// cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode, Mode, TStep, Skip, Power, Comment,
// URCALL, RPT1CALL, RPT2CALL, DVCODE).
//
// Export writes one row per channel in use, as CHIRP writes it: fields quoted only where needed,
// CRLF line ends, power in watts (kHighWatts, kLowWatts), "P" in Skip for the priority channel.
// Import changes a channel only through the grid's own entry rules (the texts a paste would
// carry), and only in the fields of the columns the list has: an absent column leaves its field as
// it is, and fields the layout cannot carry (W4, DCS "both", ARTS, signalling) are kept. Values are
// compared with their letter case, as CHIRP compares them. Every row the radio cannot hold as
// written is skipped and reported with its line, and every change beyond the layout's
// upper-casing (a shortened name, a character the radio cannot show) is noted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "image/radio_data.h"

namespace kp53 {

// The header row in the order export writes it.
extern const std::vector<std::string> kChannelCsvColumns;

// The nominal transmit power of the two levels, as export writes them ("5.0W", "1.0W"). Import
// takes any wattage as the nearer level, halfway as Low.
constexpr double kHighWatts = 5.0;
constexpr double kLowWatts = 1.0;

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
  int errorLine = 0;      // the line of the error; 0 for the file as a whole
  int rows = 0;           // data rows read
  int programmed = 0;     // rows that changed their channel
  int unchanged = 0;      // rows whose channel already held what they give
  int skipped = 0;
  int otherWatts = 0;     // rows whose power was a wattage other than the nominal ones
  int otherWattsHigh = 0; // of those, the rows taken as High
  std::vector<CsvIssue> issues;  // in line order

  // The summary line, the wattage line when there is one, and one line per issue
  // ("list.csv:7: skipped: ..."), each ending in "\n", control characters shown escaped. Not
  // readable: the error as "list.csv:3: ...".
  std::string Text(std::string_view file) const;
};

// `renumber`: the accepted rows go one after another from the first channel of the target,
// whatever their Location (lists made for other radios).
CsvImportReport ImportChannelsCsv(RadioData& data, std::string_view text, int group, bool renumber = false);

}  // namespace kp53
