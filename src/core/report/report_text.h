// Small text tools of the report pages: the two-column block and safe lookups in the choice-text
// tables.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kp53::report {

// The width of the left column of a two-column block.
inline constexpr std::size_t kLeftColumnWidth = 55;

// Two text columns side by side. The left column's lines are padded to 55 characters; the right
// column is then appended line by line to the same strings, starting again at the block's first
// line. A right-column line below the left column's end is built on an empty string, so it starts
// at the left margin (such lines carry their own indent); a line the right column skips keeps only
// its left part.
class TwoColumnBlock {
 public:
  void Left(std::string_view text);
  void LeftBlank() { Left(""); }
  void Right(std::string_view text);
  void RightSkip() { ++right_; }

  std::size_t LeftCount() const { return left_; }
  std::size_t RightCount() const { return right_; }
  // The block's strings, as many as the longer column has.
  std::vector<std::string> Lines() const;
  // Exactly `count` strings (shorter ones padded with empty strings, longer ones cut).
  std::vector<std::string> Lines(std::size_t count) const;

 private:
  std::string& At(std::size_t line);
  std::vector<std::string> lines_;
  std::size_t left_ = 0;
  std::size_t right_ = 0;
};

// The text of `value` in a choice table. A value that no editor produces (read from a damaged
// file) gives question marks of the width of the table's first text, so the columns stay aligned
// and nothing is read outside the table.
std::string Choice(std::span<const std::string_view> table, long long value);
std::string Choice(std::initializer_list<std::string_view> table, long long value);
// Question marks of `width` characters: the text of a value outside its table.
std::string Undefined(std::size_t width);

// "X" or "-" for an on/off value; "v" or "-" in the 2-tone system table.
inline const char* Mark(bool on) { return on ? "X" : "-"; }

}  // namespace kp53::report
