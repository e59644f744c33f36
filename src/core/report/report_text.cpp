#include "report/report_text.h"

namespace kp53::report {

std::string& TwoColumnBlock::At(std::size_t line) {
  if (lines_.size() <= line) lines_.resize(line + 1);
  return lines_[line];
}

void TwoColumnBlock::Left(std::string_view text) {
  std::string& s = At(left_++);
  s.assign(text);
  if (s.size() < kLeftColumnWidth) s.resize(kLeftColumnWidth, ' ');
}

void TwoColumnBlock::Right(std::string_view text) { At(right_++).append(text); }

std::vector<std::string> TwoColumnBlock::Lines() const { return lines_; }

std::vector<std::string> TwoColumnBlock::Lines(std::size_t count) const {
  std::vector<std::string> out = lines_;
  out.resize(count);
  return out;
}

std::string Undefined(std::size_t width) { return std::string(width == 0 ? 1 : width, '?'); }

std::string Choice(std::span<const std::string_view> table, long long value) {
  if (table.empty()) return Undefined(1);
  if (value < 0 || static_cast<unsigned long long>(value) >= table.size()) return Undefined(table[0].size());
  return std::string(table[static_cast<std::size_t>(value)]);
}

std::string Choice(std::initializer_list<std::string_view> table, long long value) {
  return Choice(std::span<const std::string_view>(table.begin(), table.size()), value);
}

}  // namespace kp53::report
