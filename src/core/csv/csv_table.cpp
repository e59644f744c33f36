#include "csv/csv_table.h"

#include <csv.h>

namespace kp53 {

namespace {

struct Collector {
  std::vector<CsvRow>* rows;
  std::vector<std::string> fields;
  int rowLine = 0;    // line the row being read started on; 0 while between rows
  std::size_t pending = 0;  // bytes given to the parser since the last field ended
  std::string limit;  // the limit the text went beyond; the reading stops
  int limitLine = 0;  // on the row that starts on this line
};

void Refuse(Collector* c, std::string why) {
  c->limit = std::move(why);
  c->limitLine = c->rowLine;
}

const std::string kFieldTooLong =
    "a field is longer than " + std::to_string(kCsvMaxFieldBytes) + " bytes, the most a field may hold";

void OnField(void* data, std::size_t size, void* context) {
  auto* c = static_cast<Collector*>(context);
  if (!c->limit.empty()) return;
  c->pending = 0;
  if (size > kCsvMaxFieldBytes) {
    Refuse(c, kFieldTooLong);
    return;
  }
  if (c->fields.size() >= kCsvMaxFields) {
    Refuse(c, "a row has more than " + std::to_string(kCsvMaxFields) + " fields, the most a row may hold");
    return;
  }
  c->fields.emplace_back(static_cast<const char*>(data), size);
}

void OnRowEnd(int, void* context) {
  auto* c = static_cast<Collector*>(context);
  if (!c->limit.empty()) return;
  if (c->rows->size() >= kCsvMaxRows) {
    Refuse(c, "more than " + std::to_string(kCsvMaxRows) + " rows, the most a channel list may hold");
    return;
  }
  c->pending = 0;
  c->rows->push_back({c->rowLine, std::move(c->fields)});
  c->fields.clear();
  c->rowLine = 0;
}

// No character counts as padding: blanks around an unquoted field are kept.
int NoSpace(unsigned char) { return 0; }

}  // namespace

CsvReadResult ReadCsv(std::string_view text) {
  CsvReadResult result;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  csv_parser parser;
  if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
    result.error = "out of memory";
    return result;
  }
  csv_set_space_func(&parser, NoSpace);
  Collector c{&result.rows, {}, 0, 0, {}, 0};
  int line = 1;
  bool afterCr = false;
  // Byte by byte, so that each row's first line is known: libcsv reports rows only at their end,
  // and a quoted field may span lines.
  for (const char ch : text) {
    const bool terminator = ch == '\r' || ch == '\n';
    if (c.rowLine == 0 && !terminator) c.rowLine = line;
    // The parser grows its buffer for a field in small steps: a field far beyond the limit is
    // refused before it reaches the parser (quotes and doubled quotes make at most twice the size).
    if (c.rowLine != 0 && ++c.pending > 2 * kCsvMaxFieldBytes + 2) Refuse(&c, kFieldTooLong);
    if (!c.limit.empty() || csv_parse(&parser, &ch, 1, OnField, OnRowEnd, &c) != 1 || !c.limit.empty()) {
      if (!c.limit.empty()) {
        result.error = c.limit;
        result.errorLine = c.limitLine;
      } else {
        result.error = csv_error(&parser) == CSV_EPARSE
                           ? "a quote out of place: a field with quotes in it must be quoted as a whole"
                           : csv_strerror(csv_error(&parser));
        result.errorLine = line;
      }
      result.rows.clear();
      csv_free(&parser);
      return result;
    }
    if (ch == '\n') {
      if (!afterCr) ++line;
    } else if (ch == '\r') {
      ++line;
    }
    afterCr = ch == '\r';
  }
  const int openedOn = c.rowLine;
  if (csv_fini(&parser, OnField, OnRowEnd, &c) != 0) {
    result.error = "a quoted field is never closed";
    result.errorLine = openedOn;
    result.rows.clear();
    csv_free(&parser);
    return result;
  }
  csv_free(&parser);
  if (!c.limit.empty()) {
    result.error = c.limit;
    result.errorLine = c.limitLine;
    result.rows.clear();
    return result;
  }
  result.ok = true;
  return result;
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) out.push_back(',');
    const std::string& f = fields[i];
    if (f.find_first_of(",\"\r\n") == std::string::npos) {
      out += f;
      continue;
    }
    std::string quoted(f.size() * 2 + 2, '\0');
    quoted.resize(csv_write(quoted.data(), quoted.size(), f.data(), f.size()));
    out += quoted;
  }
  out += "\r\n";
  return out;
}

}  // namespace kp53
