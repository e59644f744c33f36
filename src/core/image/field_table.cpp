#include "image/field_table.h"

#include <array>

#include "image/channel_editing.h"
#include "image/entry_rules.h"
#include "image/signalling_grids.h"
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
// A 5-tone code ends at the first character that is not one of its digits.
std::string FiveToneCode(std::string_view t) {
  std::string s;
  for (char c : t.substr(0, 8)) {
    const auto k = FiveToneCodeCharacter(c);
    if (!k) break;
    s.push_back(*k);
  }
  return EightCharacters(s);
}
// A tag keeps 8 characters; one the radio cannot show becomes a blank.
std::string TableTag(std::string_view t) {
  std::string s;
  for (char c : t.substr(0, 8)) s.push_back(StorableTagCharacter(c).value_or(' '));
  return EightCharacters(s);
}

constexpr int kDtmfDigits = 3;
constexpr int kHex = 7;  // a 5-tone code: the character map then refuses "F"
constexpr int kTag = 4;

constexpr std::array<TextFieldRule, 33> kRules{{
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
    {4343, "Code", "five_tone_decode", "code", kHex, 8, FiveToneCode, "decode code, up to 8 digits 0-9 and A-E"},
    {4344, "TAG", "five_tone_decode", "tag", kTag, 8, TableTag, "tag, up to 8 characters"},
    {4344, "TAG", "five_tone_decode_group", "tag", kTag, 8, TableTag, "tag, up to 8 characters"},
    {4442, "Code", "five_tone_encode", "code", kHex, 8, FiveToneCode, "encode code, up to 8 digits 0-9 and A-E"},
    {4443, "TAG", "five_tone_encode", "tag", kTag, 8, TableTag, "tag, up to 8 characters"},
    {335, "Group Tag", "groups", "tag", kTag, 8, PowerOnTag, "group tag, up to 8 characters"},
}};

constexpr std::size_t kSpeedDialFirst = 7, kPageFirst = 17, kTableFirst = 27;

constexpr int kDecimal = 1, kDigitsAndSpace = 6;

constexpr std::array<NumberFieldRule, 76> kNumbers{{
    {2000, "Mi&n Frequency", "hardware", "min_frequency", 1, 5, "MHz"},
    {2001, "M&ax Frequency", "hardware", "max_frequency", 1, 5, "MHz"},
    {2002, "Ref &XTAL", "hardware", "ref_osc", 5, 5, "MHz"},
    {2003, "&1st IF", "hardware", "first_if", 5, 6, "MHz"},
    {2520, "&Default Split", "hardware", "default_split", 5, 5, "MHz"},
    {3410, "Beep R&epeat", "two_tone", "beep_repeat_time", kDigitsAndSpace, 3, "s"},
    {4567, "&1st Tone Period Time", "two_tone_encode", "period_1", kDecimal, 4, "s"},
    {4568, "&2nd Tone Period Time", "two_tone_encode", "period_2", kDecimal, 4, "s"},
    {3502, " &1", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3503, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {3505, " &2", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3506, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {3508, " &3", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3509, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {3511, " &4", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3512, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {3514, " &5", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3515, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {3517, " &6", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3518, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {3520, " &7", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3521, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {3523, " &8", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3524, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {3526, " &9", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3527, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {3529, " 1&0", "two_tone_pairs", "first", kDecimal, 6, "Hz"},
    {3530, "", "two_tone_pairs", "second", kDecimal, 6, "Hz"},
    {4061, "1", "five_tone", "delay_1", kDigitsAndSpace, 4, "ms"},
    {4062, "2", "five_tone", "delay_2", kDigitsAndSpace, 4, "ms"},
    {4063, "3", "five_tone", "delay_3", kDigitsAndSpace, 4, "ms"},
    {4064, "4", "five_tone", "delay_4", kDigitsAndSpace, 4, "ms"},
    {4065, "1st   Dig", "five_tone", "first_digit_delay", kDigitsAndSpace, 4, "ms"},
    {4066, "Trans", "five_tone", "transpond_delay", kDigitsAndSpace, 4, "ms"},
    {4067, "Auto TX Time", "five_tone", "auto_tx_time", kDigitsAndSpace, 3, "s"},
    {4068, "ID Decode Time", "five_tone", "id_decode_time", kDigitsAndSpace, 4, "ms"},
    {4069, "Beep Repeat Time", "five_tone", "beep_repeat_time", kDigitsAndSpace, 3, "s"},
    {4121, "&ZVEI1", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4122, "ZV&EI2", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4123, "&PZVEI", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4124, "&DZVEI", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4125, "PDZ&VEI", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4126, "CCIR&1", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4127, "CCIR&2", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4128, "P&CCIR", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4129, "EE&A", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4130, "E&IA", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4131, "&NATEL", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4132, "&User", "five_tone_formats", "period", kDigitsAndSpace, 3, "ms"},
    {4141, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4142, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4143, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4144, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4145, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4146, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4147, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4148, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4149, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4150, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4151, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4152, "", "five_tone_formats", "gap", kDecimal, 5, "ms"},
    {4532, "User Tone 0", "user_tones", "tone_0", kDigitsAndSpace, 4, "Hz"},
    {4533, "User Tone 1", "user_tones", "tone_1", kDigitsAndSpace, 4, "Hz"},
    {4534, "User Tone 2", "user_tones", "tone_2", kDigitsAndSpace, 4, "Hz"},
    {4535, "User Tone 3", "user_tones", "tone_3", kDigitsAndSpace, 4, "Hz"},
    {4536, "User Tone 4", "user_tones", "tone_4", kDigitsAndSpace, 4, "Hz"},
    {4537, "User Tone 5", "user_tones", "tone_5", kDigitsAndSpace, 4, "Hz"},
    {4538, "User Tone 6", "user_tones", "tone_6", kDigitsAndSpace, 4, "Hz"},
    {4539, "User Tone 7", "user_tones", "tone_7", kDigitsAndSpace, 4, "Hz"},
    {4540, "User Tone 8", "user_tones", "tone_8", kDigitsAndSpace, 4, "Hz"},
    {4541, "User Tone 9", "user_tones", "tone_9", kDigitsAndSpace, 4, "Hz"},
    {4542, "User Tone A", "user_tones", "tone_A", kDigitsAndSpace, 4, "Hz"},
    {4543, "User Tone B", "user_tones", "tone_B", kDigitsAndSpace, 4, "Hz"},
    {4544, "User Tone C", "user_tones", "tone_C", kDigitsAndSpace, 4, "Hz"},
    {4545, "User Tone D", "user_tones", "tone_D", kDigitsAndSpace, 4, "Hz"},
    {4546, "User Tone E", "user_tones", "tone_E", kDigitsAndSpace, 4, "Hz"},
}};
constexpr std::size_t kPairFirst = 8, kTimeFirst = 28, kPeriodFirst = 37, kGapFirst = 49, kUserToneFirst = 61;


}  // namespace

char MapTypedCharacter(const TextFieldRule& f, char c) {
  if (f.filterMode == kHex) return FiveToneCodeCharacter(c).value_or('\0');
  if (f.filterMode == kTag) return StorableTagCharacter(c).value_or('\0');  // the six-bit set
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
const TextFieldRule kFiveToneDecodeCode = kRules[kTableFirst];
const TextFieldRule kFiveToneDecodeTag = kRules[kTableFirst + 1];
const TextFieldRule kFiveToneGroupTag = kRules[kTableFirst + 2];
const TextFieldRule kFiveToneEncodeCode = kRules[kTableFirst + 3];
const TextFieldRule kFiveToneEncodeTag = kRules[kTableFirst + 4];
const TextFieldRule kGroupTag = kRules[kTableFirst + 5];
}  // namespace fields

std::span<const TextFieldRule> TextFieldRules() { return kRules; }

namespace fields {
const NumberFieldRule kMinFrequency = kNumbers[0];
const NumberFieldRule kMaxFrequency = kNumbers[1];
const NumberFieldRule kRefOsc = kNumbers[2];
const NumberFieldRule kFirstIf = kNumbers[3];
const NumberFieldRule kDefaultSplit = kNumbers[4];
const NumberFieldRule kTwoToneBeepRepeat = kNumbers[5];
const NumberFieldRule kTwoTonePeriod1 = kNumbers[6];
const NumberFieldRule kTwoTonePeriod2 = kNumbers[7];
const NumberFieldRule& TwoTone(int pair, bool second) {
  return kNumbers[kPairFirst + 2 * static_cast<std::size_t>(pair) + (second ? 1 : 0)];
}
const NumberFieldRule& FiveToneTime(int k) { return kNumbers[kTimeFirst + static_cast<std::size_t>(k)]; }
const NumberFieldRule& TonePeriod(int format) { return kNumbers[kPeriodFirst + static_cast<std::size_t>(format)]; }
const NumberFieldRule& ReceiveGap(int format) { return kNumbers[kGapFirst + static_cast<std::size_t>(format)]; }
const NumberFieldRule& UserTone(int tone) { return kNumbers[kUserToneFirst + static_cast<std::size_t>(tone)]; }
}  // namespace fields

std::span<const NumberFieldRule> NumberFieldRules() { return kNumbers; }

namespace {
template <typename Rule>
int ItemAmong(std::span<const Rule> rules, const Rule& f) {
  int item = 0;
  for (const Rule& r : rules) {
    if (r.id == f.id && std::string_view(r.area) == f.area) return item;
    if (std::string_view(r.area) == f.area && std::string_view(r.name) == f.name) ++item;
  }
  return 0;
}
}  // namespace

int RuleItem(const TextFieldRule& f) { return ItemAmong(TextFieldRules(), f); }
int RuleItem(const NumberFieldRule& f) { return ItemAmong(NumberFieldRules(), f); }

std::optional<std::string> TypedNumber(const NumberFieldRule& f, std::string_view text) {
  std::string s(text);
  // The field's unit after the number, as the field shows it, with or without blanks between.
  const std::string_view unit = f.unit;
  if (s.size() > unit.size() && s.compare(s.size() - unit.size(), unit.size(), unit) == 0) {
    const auto last = s.find_last_not_of(' ', s.size() - unit.size() - 1);
    if (last != std::string::npos && s[last] >= '0' && s[last] <= '9') s.resize(last + 1);
  }
  for (std::size_t i = 0; i < s.size(); ++i)
    if (!FieldFilterAccepts(f.filterMode, static_cast<int>(i), s[i]) || s[i] == '\b') return std::nullopt;
  return s;
}

}  // namespace kp53
