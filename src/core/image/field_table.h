// The text fields of the parameter and signalling dialogs, each described once: control id,
// label, filter mode and length, the name the configuration text gives it, and its entry rule
// (a finished edit's text in, the stored text out). The dialogs build their edit fields from this
// table, the configuration text enters and refuses values through it, and the checks of a stored
// image hold a stored value to it, so the three cannot drift apart.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kp53 {

struct TextFieldRule {
  int id;             // control id: also the prompt's string id and the help context
  const char* label;  // the dialog's label, with its access key
  const char* area;   // section of the configuration text
  const char* name;   // field name in the configuration text
  int filterMode;     // the keys the field lets through (input_filters.h)
  int length;         // the characters the field takes
  // The stored text of a finished edit: completed, upper-cased, cut to the length.
  std::string (*enter)(std::string_view typed);
  const char* help;   // one line for the text's reference
};

// The rule's character map after the filter: what a typed character becomes (an upper-case letter
// for a lower-case one), or 0 when the field refuses it.
char MapTypedCharacter(const TextFieldRule& f, char c);
// Whether the field takes `typed` as typed: every character passes the filter at its place and
// the text fits the length. Anything else the user cannot type, and the text form refuses.
bool TypedAccepted(const TextFieldRule& f, std::string_view typed);
// A stored text that the field's own entry would store unchanged (what `kp53 verify` expects).
bool StoredAccepted(const TextFieldRule& f, std::string_view stored);
// What the field shows for a stored text: blank-padded to its length.
std::string ShownText(const TextFieldRule& f, std::string_view stored);

namespace fields {
extern const TextFieldRule kMarketApplication;
extern const TextFieldRule kSerialNumber;
extern const TextFieldRule kPassword;
extern const TextFieldRule kPowerOnTag;
extern const TextFieldRule kAniCode;
extern const TextFieldRule kEmergencyCode;
extern const TextFieldRule kPauseCode;
const TextFieldRule& SpeedDial(int n);  // codes 0 to 9 (text names speed_dial_1 to speed_dial_10)
const TextFieldRule& PageCode(int n);   // pages 0 to 9 (text items 1 to 10)
// The typed cells of the 5-tone tables and the group tags. The cells of a table column share one
// rule; its id is the column's prompt (the grid id plus the column).
extern const TextFieldRule kFiveToneDecodeCode;
extern const TextFieldRule kFiveToneDecodeTag;
extern const TextFieldRule kFiveToneGroupTag;  // the group row of the decode table
extern const TextFieldRule kFiveToneEncodeCode;
extern const TextFieldRule kFiveToneEncodeTag;
extern const TextFieldRule kGroupTag;          // the Channel Allocation/Group Tag dialog, groups 1 to 16
}  // namespace fields

// Every rule of the table.
std::span<const TextFieldRule> TextFieldRules();

// The number fields of the dialogs, described the same way; a number's entry rule (clamp, unit,
// display) is the area's in entry_rules.h. The configuration text writes a unit after some
// numbers; the number itself must be one the field lets the user type.
struct NumberFieldRule {
  int id;
  const char* label;
  const char* area;
  const char* name;
  int filterMode;
  int length;
  const char* unit;  // what the field shows after the number; the text form may write it too
};
namespace fields {
extern const NumberFieldRule kMinFrequency;
extern const NumberFieldRule kMaxFrequency;
extern const NumberFieldRule kRefOsc;
extern const NumberFieldRule kFirstIf;
extern const NumberFieldRule kDefaultSplit;
// The signalling dialogs' numbers.
extern const NumberFieldRule kTwoToneBeepRepeat;
extern const NumberFieldRule kTwoTonePeriod1;
extern const NumberFieldRule kTwoTonePeriod2;
const NumberFieldRule& TwoTone(int pair, bool second);  // pairs 0 to 9 of the 2-tone table
// The 5-tone general times: delays 1 to 4, first digit, transpond, auto TX, ID decode, beep repeat.
const NumberFieldRule& FiveToneTime(int k);
const NumberFieldRule& TonePeriod(int format);  // formats 0 to 11
const NumberFieldRule& ReceiveGap(int format);
const NumberFieldRule& UserTone(int tone);      // tones 0 to 14 ("0" to "9", "A" to "E")
}  // namespace fields
// Every number rule of the table.
std::span<const NumberFieldRule> NumberFieldRules();
// Which item of its text section a rule stands for: its place among the rules of the same area
// and name (0 for a field of its own).
int RuleItem(const TextFieldRule& f);
int RuleItem(const NumberFieldRule& f);
// The number of a text-form value without the field's unit and the blanks before it ("146.0MHz",
// "44.250 MHz", "120 ms", "25.5 s"), or nothing when it holds a character the field does not let
// the user type.
std::optional<std::string> TypedNumber(const NumberFieldRule& f, std::string_view text);

}  // namespace kp53
