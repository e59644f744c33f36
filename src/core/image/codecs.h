// Value codecs: the radio's compact encodings of frequencies, sub-audio tones, text and digit
// strings, and their text forms. Pure functions without state.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kp53 {

constexpr std::size_t kChannelRecordSize = 25;
using RecordView = std::span<const std::uint8_t, kChannelRecordSize>;
using RecordRef = std::span<std::uint8_t, kChannelRecordSize>;

// --- Frequency steps -------------------------------------------------------------------------

// Step in hertz for a band index (0..3) and a step selector (0 = table A, 1 = table B).
// Band indexes outside 0..3 use their low two bits.
std::uint32_t StepHz(int selector, int bandIndex);
// Band indexes 0 and 1 are VHF; 2 and 3 UHF.
bool IsUhfBand(int bandIndex);
// The frequency a channel gets when its number is zero: 450.0 MHz on UHF, 150.0 MHz on VHF.
double BandDefaultFrequency(bool uhf);

// --- Channel frequencies -------------------------------------------------------------------------

// The receive frequency in MHz. The record stores the receive local oscillator; injection 0 puts
// it below the channel frequency by the first IF, 1 above it.
double DecodeRxFrequency(RecordView record, int selector, int bandIndex, bool uhf, double firstIfMHz,
                         int injection);

struct TxFrequency {
  double mhz = 0.0;
  bool inhibit = false;  // the stored number marks the channel as not transmitting
};
// The transmit frequency in MHz. The special values 300.0 and 50.0 MHz mark TX inhibit; those and
// values outside the band limits (inclusive limits are inside) yield the receive frequency.
TxFrequency DecodeTxFrequency(RecordView record, int selector, int bandIndex, bool uhf, double rxMHz,
                              double minMHz, double maxMHz);

void EncodeRxFrequency(RecordRef record, double mhz, int selector, int bandIndex, double firstIfMHz,
                       int injection);
void EncodeTxFrequency(RecordRef record, double mhz, int selector, int bandIndex);

// The 17-bit frequency number for a frequency in MHz as the encoders compute it (hertz truncated,
// a product one hertz short of a multiple of five repaired, divided by the step). Negative
// frequencies give 0; numbers beyond 17 bits are cut to 17 bits.
std::uint32_t FrequencyNumber(double mhz, std::uint32_t stepHz);

// --- Sub-audio -----------------------------------------------------------------------------------

enum ToneKind : int { kToneNone = 0, kToneCtcss = 1, kToneDcs = 2 };

struct SubAudio {
  int kind = kToneNone;
  int ctcss = 0;        // tenths of a hertz (885 = 88.5 Hz)
  int dcs = 0;          // octal digits read as decimal (23 = code 023)
  bool inverted = false;
  bool both = false;    // decode word only: DCS of either polarity
};

// word[0] holds the flags and bits 11-8, word[1] bits 7-0. `decodeWord` enables the "both" flag.
SubAudio DecodeSubAudio(std::uint8_t hi, std::uint8_t lo, bool decodeWord);
void EncodeSubAudio(const SubAudio& tone, bool decodeWord, std::uint8_t& hi, std::uint8_t& lo);

// The tone pick lists: 50 CTCSS tones in tenths of a hertz and 107 DCS codes (octal digits read
// as decimal), in the order the lists show them. The CTCSS list is not sorted at its end.
extern const std::array<int, 50> kCtcssTones;
extern const std::array<int, 107> kDcsCodes;
// Their list texts: " 67.0" ("%5.1f" in hertz) and "023" ("%.3d").
std::string CtcssListText(int tenths);
std::string DcsListText(int code);

int PackDcs(int threeDigits);   // 23 -> 19, 754 -> 492
int UnpackDcs(int packed);      // 19 -> 23

// --- Six-bit text ----------------------------------------------------------------------------

constexpr int kCode6Blank = 36;
constexpr int kCode6End = 49;   // codes 49..63 end a text

// Code for a character; every character outside the set (lower case included) is a blank.
int CharToCode6(char c);
// Character for a code; codes 49..63 have none and give '\0'.
char Code6ToChar(int code);
// Up to 8 characters from the low six bits of 8 bytes; a code of 49..63 ends the text.
std::string DecodeText6(std::span<const std::uint8_t, 8> bytes);
// Writes 8 codes into bits 5-0 of the 8 bytes, keeping bits 7-6. Shorter texts are blank-padded,
// longer ones cut to 8 characters.
void EncodeText6(std::string_view text, std::span<std::uint8_t, 8> bytes);

// --- Digit codes -----------------------------------------------------------------------------

int DigitToCode(char c);     // "0"-"9" 0-9, "A"-"D" 10-13, "*" 14, "#" 15, anything else 0
char CodeToDigit(int code);  // the inverse on the low four bits
int HexToCode(char c);       // "0"-"9", "A"-"F" (either case); anything else 0
char CodeToHex(int code);    // 0-15; anything larger gives "0"

// Length-prefixed DTMF digit strings of 8 bytes, up to 15 digits.
std::string DecodePackedDigits(std::span<const std::uint8_t, 8> bytes);
void EncodePackedDigits(std::string_view digits, std::span<std::uint8_t, 8> bytes);

// 5-tone code numbers in the 4 bytes 1..4 of an entry: up to 8 hex digits, lowest digit in the low
// nibble of the last byte; a nibble of 15 ends the number. Decodes to 8 blank-padded characters.
std::string DecodeToneNumber(std::span<const std::uint8_t, 4> bytes);
void EncodeToneNumber(std::string_view text, std::span<std::uint8_t, 4> bytes);

// --- Text forms ----------------------------------------------------------------------------------

constexpr std::string_view kNoTxFrequencyText = "---.-----";
constexpr std::string_view kNoToneText = "-------";

std::string FormatFrequency(double mhz);  // "%9.5f"
// Grid form: "-------", "C-%5.1f", "D-%.3dN  ", "D-%.3dI  ", "D-%.3dB  ". With `report` set the DCS
// form carries no suffix: "D-%.3d   ".
std::string FormatSubAudio(const SubAudio& tone, bool report = false);
std::string FormatDefaultSplit(double mhz);  // "%-5.1f MHz"

// printf into a std::string (the text forms of the system are printf formats).
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// The text without the blanks before and after it (list items and fields are blank-padded).
std::string TrimBlanks(std::string_view s);

}  // namespace kp53
