// The numeric entry rules of the parameter and signalling dialogs as pure functions: a finished
// edit's text is read as a number, clamped to its range (never refused), converted to the stored
// unit and shown again in the field's display format.
#pragma once

#include <string>
#include <string_view>

#include "image/long_lived_areas.h"
#include "text/input_filters.h"

namespace kp53 {


// A stored value with the text the field shows for it.
struct Entry {
  int stored = 0;
  std::string shown;
};

// --- Hardware ------------------------------------------------------------------------------------
// Minimum frequency: 100.0..600.0 MHz, then no higher than the maximum (units of 0.1 MHz).
// Stored in units of 0.1 MHz, shown "%4.1fMHz".
Entry MinFrequencyEntry(std::string_view text, unsigned maxTenths);
// Maximum frequency: 100.0..600.0 MHz, then no lower than the minimum.
Entry MaxFrequencyEntry(std::string_view text, unsigned minTenths);
std::string FrequencyLimitText(unsigned tenths);  // "%4.1fMHz"
// Reference oscillator in MHz: at most 99.99, no lower bound. The two stored copies are made by
// HardwareArea::SetRefOscMHz.
double RefOscEntryMHz(std::string_view text);
std::string RefOscText(double mhz);  // "%5.2fMHz"
// A finished reference-oscillator edit: stores both copies into `hardware` and answers the text
// the field shows, read back from the first copy.
std::string ApplyRefOscEntry(HardwareArea& hardware, std::string_view text);
// First IF: at most 65.53 MHz; stored in kHz with the fraction dropped. A negative value stores 0.
Entry FirstIfEntry(std::string_view text);
std::string FirstIfText(unsigned kHz);  // "%5.2fMHz"
// Default split: -99.9..99.9 MHz, shown "%-5.1f MHz".
inline constexpr double kMaxDefaultSplit = 99.9;
double DefaultSplitEntry(std::string_view text);

// --- Power-on tag, marketing, password ----------------------------------------------------------
// The first 8 characters, blank-padded to 8.
std::string PowerOnTagEntry(std::string_view text);
// Completed with "0" at the end to 4 characters: "12" -> "1200".
std::string CompleteMarketApplication(std::string_view text);
// Completed with "0" to 8 characters; the second position, when the completion fills it, gets
// "C": "1" -> "1C000000".
std::string CompleteSerialNumber(std::string_view text);
// The last 4 characters of "0000" followed by the text: "12" -> "0012".
std::string CompletePassword(std::string_view text);

// --- DTMF codes ---------------------------------------------------------------------------------
// A typed DTMF code: "0"-"9", "A"-"D" (lower case becomes upper case), "*" and "#", at most
// `limit` digits; other characters are dropped.
std::string DtmfDigitsEntry(std::string_view text, std::size_t limit);

// --- 2-tone --------------------------------------------------------------------------------------
// A tone of the tone table: 288.5..3000.0 Hz, stored in tenths of a hertz (truncated), shown
// "%6.1f Hz".
Entry TwoToneEntry(std::string_view text);
std::string TwoToneText(int tenths);
// The tone a tone-picker line stands for: the text after the first "-", else after the first "A",
// else the whole line, read as a tone entry (a heading gives 288.5 Hz).
Entry PickedTwoTone(std::string_view line);
// Beep repeat time: 0..255 s, shown "%3d s".
Entry BeepRepeatEntry(std::string_view text);
std::string SecondsText(int seconds);  // "%3d s"
// Encode period time: 0.0..25.5 s, stored in tenths (truncated), shown "%3.1f s".
Entry PeriodTimeEntry(std::string_view text);
std::string PeriodTimeText(int tenths);

// --- 5-tone --------------------------------------------------------------------------------------
// Delays and the ID decode time: 0..2550 ms, stored in 10 ms units, shown "%4d ms" of the stored
// value times 10.
Entry FiveToneDelayEntry(std::string_view text);
std::string FiveToneDelayText(int stored);
// The ID decode time follows the delay rule.
inline Entry IdDecodeTimeEntry(std::string_view text) { return FiveToneDelayEntry(text); }
// Auto TX time and beep repeat time: 0..255 s, shown "%3d s".
Entry FiveToneSecondsEntry(std::string_view text);
// Tone period: 0..255 ms, shown "%3d ms".
Entry TonePeriodEntry(std::string_view text);
std::string TonePeriodText(int ms);
// Receive gap: 0.0..637.5 ms, stored in 2.5 ms units (truncated), shown "%4.1f ms".
Entry ReceiveGapEntry(std::string_view text);
std::string ReceiveGapText(int stored);
// User tone: 300..3000 Hz, shown "%4d Hz".
Entry UserToneEntry(std::string_view text);
std::string UserToneText(int hertz);

}  // namespace kp53
