// Comma-separated text as rows of fields, read and written with libcsv. The reader takes either
// line ending, quoted fields with commas, quotes and line breaks, and a UTF-8 byte-order mark, and
// remembers the line each row starts on so that problems can be reported by line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kp53 {

// The most a channel list may hold; a text beyond them is refused as a whole, read no further.
inline constexpr std::size_t kCsvMaxRows = 100000;
inline constexpr std::size_t kCsvMaxFieldBytes = 4096;
inline constexpr std::size_t kCsvMaxFields = 1000;  // in one row

struct CsvRow {
  int line = 0;  // 1-based line of the file the row starts on
  std::vector<std::string> fields;
};

struct CsvReadResult {
  bool ok = false;
  std::string error;  // why the text could not be read
  std::vector<CsvRow> rows;
};

// Rows of `text`; blank lines are no rows. A text beyond the limits above is not read
// (ok false, the error naming the line and the limit).
CsvReadResult ReadCsv(std::string_view text);

// One row: every field quoted, doubled quotes inside, CRLF at the end.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace kp53
