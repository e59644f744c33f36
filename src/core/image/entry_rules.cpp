#include "image/entry_rules.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "image/codecs.h"

namespace kp53 {

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The number a text carries after any prefix ("C-", "D"), and whether it has one.
bool NumberIn(std::string_view text, double& value) {
  const auto at = text.find_first_of("0123456789.");
  if (at == std::string_view::npos) return false;
  std::size_t from = at;
  if (from > 0 && text[from - 1] == '-' && (from == 1 || text[from - 2] == ' ')) --from;  // a sign, not "C-"
  value = LeadingNumber(text.substr(from));
  // One number and at most a unit: no digit after it ("1C000000" is no number).
  const auto end = text.find_first_not_of("0123456789.", at);
  return end == std::string_view::npos || text.find_first_of("0123456789", end) == std::string_view::npos;
}

}  // namespace

std::string StoredDifferentlyLine(std::string_view typed, std::string_view shown, std::string_view reason) {
  const std::string t = TrimBlanks(typed), s = TrimBlanks(shown);
  if (Upper(t) == Upper(s)) return {};
  double a = 0, b = 0;
  const bool numbers = NumberIn(t, a) && NumberIn(s, b);
  if (numbers && std::fabs(a - b) < 1e-9 && t.find_first_of("0123456789") != std::string::npos) {
    // The same number: only the format or the unit differs, unless the prefix letter changed.
    const auto lead = [](const std::string& x) { return Upper(x.substr(0, x.find_first_of("0123456789.-"))); };
    if (lead(t).empty() || lead(s).empty() || lead(t) == lead(s)) return {};
  }
  std::string why(reason);
  if (why.empty()) {
    if (!t.empty() && Upper(s).size() < Upper(t).size() && Upper(t).compare(0, s.size(), Upper(s)) == 0)
      why = Format("the field holds %zu characters", s.size());
    else if (numbers)
      why = "the field keeps to its range and steps";
    else
      why = "the field completes the text to its form";
  }
  return (t.empty() ? std::string("(empty)") : t) + " stored as " + (s.empty() ? std::string("(empty)") : s) + ": " + why;
}

namespace {

// value x scale truncated toward zero. A typed decimal such as 146.3 is not exact in binary
// (146.3 x 10 may come out as 1462.9999...); the small allowance keeps such values on the number
// that was typed.
int Scaled(double value, double scale) {
  const double x = value * scale;
  return static_cast<int>(x >= 0 ? std::floor(x + 1e-6) : std::ceil(x - 1e-6));
}

std::string Pad(std::string_view text, std::size_t width, char fill, bool atEnd) {
  std::string s(text.substr(0, std::min(text.size(), width)));
  if (s.size() < width) {
    if (atEnd)
      s.append(width - s.size(), fill);
    else
      s.insert(0, width - s.size(), fill);
  }
  return s;
}

}  // namespace

// --- Hardware ------------------------------------------------------------------------------------

std::string FrequencyLimitText(unsigned tenths) { return Format("%4.1fMHz", tenths / 10.0); }

Entry MinFrequencyEntry(std::string_view text, unsigned maxTenths) {
  int v = Scaled(std::clamp(LeadingNumber(text), 100.0, 600.0), 10.0);
  if (v > static_cast<int>(maxTenths)) v = static_cast<int>(maxTenths);
  return {v, FrequencyLimitText(static_cast<unsigned>(v))};
}

Entry MaxFrequencyEntry(std::string_view text, unsigned minTenths) {
  int v = Scaled(std::clamp(LeadingNumber(text), 100.0, 600.0), 10.0);
  if (v < static_cast<int>(minTenths)) v = static_cast<int>(minTenths);
  return {v, FrequencyLimitText(static_cast<unsigned>(v))};
}

double RefOscEntryMHz(std::string_view text) { return std::min(LeadingNumber(text), 99.99); }

std::string RefOscText(double mhz) { return Format("%5.2fMHz", mhz); }

std::string ApplyRefOscEntry(HardwareArea& hardware, std::string_view text) {
  hardware.SetRefOscMHz(RefOscEntryMHz(text));
  return RefOscText(hardware.RefOscMHz());
}

Entry FirstIfEntry(std::string_view text) {
  const double mhz = std::clamp(LeadingNumber(text), 0.0, 65.53);
  const int kHz = Scaled(mhz, 1000.0);
  return {kHz, FirstIfText(static_cast<unsigned>(kHz))};
}

std::string FirstIfText(unsigned kHz) { return Format("%5.2fMHz", kHz / 1000.0); }

double DefaultSplitEntry(std::string_view text) { return std::clamp(LeadingNumber(text), -kMaxDefaultSplit, kMaxDefaultSplit); }

// --- Power-on tag, marketing, password ----------------------------------------------------------

std::string PowerOnTagEntry(std::string_view text) { return Pad(text, 8, ' ', true); }

std::string CompleteMarketApplication(std::string_view text) { return Pad(text, 4, '0', true); }

std::string CompleteSerialNumber(std::string_view text) {
  std::string s = Pad(text, 8, '0', true);
  if (text.size() < 2) s[1] = 'C';
  return s;
}

std::string CompletePassword(std::string_view text) {
  const std::string s = "0000" + std::string(text);
  return s.substr(s.size() - 4);
}

// --- 2-tone --------------------------------------------------------------------------------------

std::string TwoToneText(int tenths) { return Format("%6.1f Hz", tenths / 10.0); }

Entry TwoToneEntry(std::string_view text) {
  const int v = Scaled(std::clamp(LeadingNumber(text), 288.5, 3000.0), 10.0);
  return {v, TwoToneText(v)};
}

Entry PickedTwoTone(std::string_view line) {
  std::string_view rest = line;
  if (const auto dash = line.find('-'); dash != std::string_view::npos)
    rest = line.substr(dash + 1);
  else if (const auto a = line.find('A'); a != std::string_view::npos)
    rest = line.substr(a + 1);
  return TwoToneEntry(rest);
}

std::string SecondsText(int seconds) { return Format("%3d s", seconds); }

Entry BeepRepeatEntry(std::string_view text) {
  const int v = std::clamp(LeadingInteger(text), 0, 255);
  return {v, SecondsText(v)};
}

std::string PeriodTimeText(int tenths) { return Format("%3.1f s", tenths / 10.0); }

Entry PeriodTimeEntry(std::string_view text) {
  const int v = Scaled(std::clamp(LeadingNumber(text), 0.0, 25.5), 10.0);
  return {v, PeriodTimeText(v)};
}

// --- 5-tone --------------------------------------------------------------------------------------

std::string FiveToneDelayText(int stored) { return Format("%4d ms", stored * 10); }

Entry FiveToneDelayEntry(std::string_view text) {
  const int v = std::clamp(LeadingInteger(text), 0, 2550) / 10;
  return {v, FiveToneDelayText(v)};
}

Entry FiveToneSecondsEntry(std::string_view text) {
  const int v = std::clamp(LeadingInteger(text), 0, 255);
  return {v, SecondsText(v)};
}

std::string TonePeriodText(int ms) { return Format("%3d ms", ms); }

Entry TonePeriodEntry(std::string_view text) {
  const int v = std::clamp(LeadingInteger(text), 0, 255);
  return {v, TonePeriodText(v)};
}

std::string ReceiveGapText(int stored) { return Format("%4.1f ms", stored * 2.5); }

Entry ReceiveGapEntry(std::string_view text) {
  const int v = Scaled(std::clamp(LeadingNumber(text), 0.0, 637.5), 1.0 / 2.5);
  return {v, ReceiveGapText(v)};
}

std::string UserToneText(int hertz) { return Format("%4d Hz", hertz); }

Entry UserToneEntry(std::string_view text) {
  const int v = std::clamp(LeadingInteger(text), 300, 3000);
  return {v, UserToneText(v)};
}

std::string DtmfDigitsEntry(std::string_view text, std::size_t limit) {
  std::string out;
  for (char c : text) {
    if (out.size() >= limit) break;
    if (c >= 'a' && c <= 'd') c = static_cast<char>(c - 'a' + 'A');
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#') out.push_back(c);
  }
  return out;
}

}  // namespace kp53
