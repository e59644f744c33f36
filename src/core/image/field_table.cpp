#include "image/field_table.h"

#include <array>

#include "image/channel_editing.h"
#include "image/entry_rules.h"
#include "text/input_filters.h"

namespace kp53 {

namespace {

std::string Upper(std::string_view typed) {
  std::string s(typed);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

std::string MarketApplication(std::string_view t) { return CompleteMarketApplication(t); }
std::string SerialNumber(std::string_view t) { return CompleteSerialNumber(Upper(t)); }
std::string Password(std::string_view t) { return CompletePassword(Upper(t)); }
std::string PowerOnTag(std::string_view t) { return PowerOnTagEntry(Upper(t)); }
std::string Code15(std::string_view t) { return DtmfDigitsEntry(t, 15); }
std::string Code3(std::string_view t) { return DtmfDigitsEntry(t, 3); }
std::string Code1(std::string_view t) { return DtmfDigitsEntry(t, 1); }

constexpr int kDtmfDigits = 3;

constexpr std::array<TextFieldRule, 27> kRules{{
    {2400, "&Market Application", "marketing", "market_application", 8, 4, MarketApplication,
     "market application code, 4 digits (a shorter one is completed with zeros at the end)"},
    {2401, "&Serial Number", "identity", "serial_number", 9, 8, SerialNumber,
     "serial number: a digit, a letter C to N, six digits (completed with C and zeros)"},
    {4512, "Password &No.", "password", "password", kDtmfDigits, 4, Password,
     "four characters of 0-9, A-D, * and # (a shorter one is completed with zeros in front)"},
    {2150, "P&ower ON Tag", "power_saving", "power_on_tag", 4, 8, PowerOnTag,
     "text shown at power-on, up to 8 characters"},
    {3015, "DTMF &ANI Code", "dtmf", "ani_code", kDtmfDigits, 15, Code15, "ANI code, up to 15 DTMF digits"},
    {3016, "DTMF &Emergency Code", "dtmf", "emergency_code", kDtmfDigits, 15, Code15,
     "emergency code, up to 15 DTMF digits"},
    {3017, "DTMF Pause &Code", "dtmf", "pause_code", kDtmfDigits, 1, Code1, "pause code: one DTMF digit or none"},
    {3005, "Speed Dial Code&0", "dtmf", "speed_dial_1", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {3006, "Speed Dial Code&1", "dtmf", "speed_dial_2", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {3007, "Speed Dial Code&2", "dtmf", "speed_dial_3", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {3008, "Speed Dial Code&3", "dtmf", "speed_dial_4", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {3009, "Speed Dial Code&4", "dtmf", "speed_dial_5", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {3010, "Speed Dial Code&5", "dtmf", "speed_dial_6", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {3011, "Speed Dial Code&6", "dtmf", "speed_dial_7", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {3012, "Speed Dial Code&7", "dtmf", "speed_dial_8", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {3013, "Speed Dial Code&8", "dtmf", "speed_dial_9", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {3014, "Speed Dial Code&9", "dtmf", "speed_dial_10", kDtmfDigits, 15, Code15, "speed-dial code, up to 15 DTMF digits"},
    {4620, "PAGE &1", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
    {4621, "PAGE &2", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
    {4622, "PAGE &3", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
    {4623, "PAGE &4", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
    {4624, "PAGE &5", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
    {4625, "PAGE &6", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
    {4626, "PAGE &7", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
    {4627, "PAGE &8", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
    {4628, "PAGE &9", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
    {4629, "PAGE 1&0", "pages", "code", kDtmfDigits, 3, Code3, "up to 3 DTMF digits; entering a code programs the page"},
}};

constexpr std::size_t kSpeedDialFirst = 7, kPageFirst = 17;

}  // namespace

char MapTypedCharacter(const TextFieldRule& f, char c) {
  if (f.filterMode == 4) return StorableTagCharacter(c).value_or('\0');  // the six-bit set
  if (f.filterMode == kDtmfDigits || f.filterMode == 9) return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  return c;
}

bool TypedAccepted(const TextFieldRule& f, std::string_view typed) {
  if (typed.size() > static_cast<std::size_t>(f.length)) return false;
  for (std::size_t i = 0; i < typed.size(); ++i)
    if (typed[i] == '\b' || !FieldFilterAccepts(f.filterMode, static_cast<int>(i), typed[i]) ||
        MapTypedCharacter(f, typed[i]) == '\0')
      return false;
  return true;
}

bool StoredAccepted(const TextFieldRule& f, std::string_view stored) {
  const auto trimmed = [](std::string s) { return s.erase(s.find_last_not_of(' ') + 1); };
  return TypedAccepted(f, stored) && trimmed(f.enter(stored)) == trimmed(std::string(stored));
}

std::string ShownText(const TextFieldRule& f, std::string_view stored) {
  std::string s(stored);
  if (s.size() < static_cast<std::size_t>(f.length)) s.append(static_cast<std::size_t>(f.length) - s.size(), ' ');
  return s;
}

namespace fields {
const TextFieldRule kMarketApplication = kRules[0];
const TextFieldRule kSerialNumber = kRules[1];
const TextFieldRule kPassword = kRules[2];
const TextFieldRule kPowerOnTag = kRules[3];
const TextFieldRule kAniCode = kRules[4];
const TextFieldRule kEmergencyCode = kRules[5];
const TextFieldRule kPauseCode = kRules[6];
const TextFieldRule& SpeedDial(int n) { return kRules[kSpeedDialFirst + static_cast<std::size_t>(n)]; }
const TextFieldRule& PageCode(int n) { return kRules[kPageFirst + static_cast<std::size_t>(n)]; }
}  // namespace fields

std::span<const TextFieldRule> TextFieldRules() { return kRules; }

namespace fields {
const NumberFieldRule kMinFrequency{2000, "Mi&n Frequency", "hardware", "min_frequency", 1, 5};
const NumberFieldRule kMaxFrequency{2001, "M&ax Frequency", "hardware", "max_frequency", 1, 5};
const NumberFieldRule kRefOsc{2002, "Ref &XTAL", "hardware", "ref_osc", 5, 5};
const NumberFieldRule kFirstIf{2003, "&1st IF", "hardware", "first_if", 5, 6};
const NumberFieldRule kDefaultSplit{2520, "&Default Split", "hardware", "default_split", 5, 5};
}  // namespace fields

std::optional<std::string> TypedNumber(const NumberFieldRule& f, std::string_view text) {
  std::string s(text);
  if (s.size() >= 3 && s.compare(s.size() - 3, 3, "MHz") == 0) s.resize(s.size() - 3);
  s.erase(s.find_last_not_of(' ') + 1);
  for (std::size_t i = 0; i < s.size(); ++i)
    if (!FieldFilterAccepts(f.filterMode, static_cast<int>(i), s[i]) || s[i] == '\b') return std::nullopt;
  return s;
}

}  // namespace kp53
