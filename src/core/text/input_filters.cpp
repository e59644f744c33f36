#include "text/input_filters.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kp53 {

namespace {
bool Digit(char c) { return c >= '0' && c <= '9'; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::size_t n = i;
  if (n < text.size() && (text[n] == '+' || text[n] == '-')) ++n;
  bool digits = false;
  while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n]))) ++n, digits = true;
  if (n < text.size() && text[n] == '.') {
    ++n;
    while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n]))) ++n, digits = true;
  }
  if (!digits) return 0.0;
  const double v = std::strtod(std::string(text.substr(i, n - i)).c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

int LeadingInteger(std::string_view text, bool* digits) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;  // saturates at the int range
  bool any = false;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    any = true;
    value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 32);
  }
  if (digits) *digits = any;
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool FieldFilterAccepts(int mode, int position, char c) {
  if (c == '\b') return true;
  switch (mode) {
    case 1: return Digit(c) || c == '.' || c == ' ';
    case 2: return Digit(c) || c == ' ' || c == '-' || c == '+';
    case 3: return Digit(c) || (Upper(c) >= 'A' && Upper(c) <= 'D') || c == '#' || c == '*';
    case 4:
      return c >= 0x20 && c <= 0x7E && std::string_view("!\"#$%&',.;<>?@^{|}~").find(c) == std::string_view::npos;
    case 5: return Digit(c) || c == '.' || c == ' ' || c == '-' || c == '+';
    case 6: return Digit(c) || c == ' ';
    case 7: return Digit(c) || (Upper(c) >= 'A' && Upper(c) <= 'F');
    case 8: return Digit(c);
    case 9: return position == 1 ? (Upper(c) >= 'C' && Upper(c) <= 'N') : Digit(c);
    default: return c >= 0x20 && c <= 0x7E;
  }
}

}  // namespace kp53
