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
};

std::string FieldTooLong(int line) {
  return "line " + std::to_string(line) + ": a field is longer than " + std::to_string(kCsvMaxFieldBytes) +
         " bytes, the most a field may hold";
}

void OnField(void* data, std::size_t size, void* context) {
  auto* c = static_cast<Collector*>(context);
  if (!c->limit.empty()) return;
  c->pending = 0;
  if (size > kCsvMaxFieldBytes) {
    c->limit = FieldTooLong(c->rowLine);
    return;
  }
  if (c->fields.size() >= kCsvMaxFields) {
    c->limit = "line " + std::to_string(c->rowLine) + ": a row has more than " + std::to_string(kCsvMaxFields) +
               " fields, the most a row may hold";
    return;
  }
  c->fields.emplace_back(static_cast<const char*>(data), size);
}

void OnRowEnd(int, void* context) {
  auto* c = static_cast<Collector*>(context);
  if (!c->limit.empty()) return;
  if (c->rows->size() >= kCsvMaxRows) {
    c->limit = "line " + std::to_string(c->rowLine) + ": more than " + std::to_string(kCsvMaxRows) +
               " rows, the most a channel list may hold";
    return;
  }
  c->pending = 0;
  c->rows->push_back({c->rowLine, std::move(c->fields)});
  c->fields.clear();
  c->rowLine = 0;
}

}  // namespace

CsvReadResult ReadCsv(std::string_view text) {
  CsvReadResult result;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  csv_parser parser;
  if (csv_init(&parser, 0) != 0) {
    result.error = "out of memory";
    return result;
  }
  Collector c{&result.rows, {}, 0, 0, {}};
  int line = 1;
  bool afterCr = false;
  // Byte by byte, so that each row's first line is known: libcsv reports rows only at their end,
  // and a quoted field may span lines.
  for (const char ch : text) {
    const bool terminator = ch == '\r' || ch == '\n';
    if (c.rowLine == 0 && !terminator) c.rowLine = line;
    // The parser grows its buffer for a field in small steps: a field far beyond the limit is
    // refused before it reaches the parser (quotes and doubled quotes make at most twice the size).
    if (c.rowLine != 0 && ++c.pending > 2 * kCsvMaxFieldBytes + 2) c.limit = FieldTooLong(c.rowLine);
    if (csv_parse(&parser, &ch, 1, OnField, OnRowEnd, &c) != 1 || !c.limit.empty()) {
      result.error = c.limit.empty() ? csv_strerror(csv_error(&parser)) : c.limit;
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
  csv_fini(&parser, OnField, OnRowEnd, &c);
  csv_free(&parser);
  if (!c.limit.empty()) {
    result.error = c.limit;
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
    std::string quoted(f.size() * 2 + 2, '\0');
    quoted.resize(csv_write(quoted.data(), quoted.size(), f.data(), f.size()));
    out += quoted;
  }
  out += "\r\n";
  return out;
}

}  // namespace kp53
