// Comma-separated text as rows of fields, read and written with libcsv the way CHIRP and other
// spreadsheet-style tools exchange it (RFC 4180). The reader takes either line ending, quoted
// fields with commas, quotes and line breaks, and a UTF-8 byte-order mark; it keeps the blanks
// around unquoted fields (in a channel name they are part of the name), refuses quotes that do not
// pair up, and remembers the line each row starts on so that problems can be reported by line.
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
  std::string error;   // why the text could not be read
  int errorLine = 0;   // the line the error was found on
  std::vector<CsvRow> rows;
};

// Rows of `text`; empty lines are no rows. A quote that is never closed, or one inside or right
// after a field that is not quoted, makes the whole text unreadable; so does a text beyond the
// limits above (the error names the limit, errorLine the row).
CsvReadResult ReadCsv(std::string_view text);

// One row ending in CRLF: a field is quoted (quotes inside doubled) only when it holds a comma, a
// quote or a line break.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace kp53
