#include "image/codecs.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace kp53 {

namespace {

constexpr std::uint32_t kStepA[4] = {2500, 5000, 5000, 10000};
constexpr std::uint32_t kStepB[4] = {3125, 6250, 6250, 12500};

constexpr std::string_view kCode6Symbols = " ()+-=*/[\\]:_";

// Bytes of the frequency number inside the record, and the bit of byte 2 that holds bit 16.
constexpr std::size_t kRxHi = 8, kTxHi = 10;
constexpr std::uint8_t kRxBit16 = 0x80, kTxBit16 = 0x40;

std::uint32_t ReadNumber(RecordView r, std::size_t hi, std::uint8_t flag) {
  std::uint32_t n = (std::uint32_t{r[hi]} << 8) | r[hi + 1];
  if (r[2] & flag) n |= 0x10000u;
  return n;
}

void WriteNumber(RecordRef r, std::size_t hi, std::uint8_t flag, std::uint32_t n) {
  if (n >= 0x10000u)
    r[2] = static_cast<std::uint8_t>(r[2] | flag);
  else
    r[2] = static_cast<std::uint8_t>(r[2] & ~flag);
  r[hi] = static_cast<std::uint8_t>((n >> 8) & 0xFF);
  r[hi + 1] = static_cast<std::uint8_t>(n & 0xFF);
}

double NumberToMHz(std::uint32_t n, std::uint32_t step) {
  // The product is an exact integer; one division gives the closest double to the true value.
  return static_cast<double>(std::uint64_t{n} * step) / 1e6;
}

}  // namespace

std::uint32_t StepHz(int selector, int bandIndex) {
  const int b = bandIndex & 3;
  return selector ? kStepB[b] : kStepA[b];
}

bool IsUhfBand(int bandIndex) { return bandIndex != 0 && bandIndex != 1; }

double BandDefaultFrequency(bool uhf) { return uhf ? 450.0 : 150.0; }

std::uint32_t FrequencyNumber(double mhz, std::uint32_t stepHz) {
  const double hzExact = mhz * 1e6;
  if (!(hzExact > 0.0)) return 0;  // negatives and NaN
  // Anything at or above 2^17 steps of the largest step is cut to 17 bits below; clamp first so
  // that the conversion to an integer stays defined.
  const double hzClamped = std::min(hzExact, 4.0e12);
  auto hz = static_cast<std::int64_t>(hzClamped);  // truncation toward zero
  if (hz % 5 == 4) hz += 1;  // repairs products left one hertz short, e.g. 146519999
  return static_cast<std::uint32_t>((hz / stepHz) & 0x1FFFF);
}

double DecodeRxFrequency(RecordView record, int selector, int bandIndex, bool uhf, double firstIfMHz,
                         int injection) {
  const std::uint32_t n = ReadNumber(record, kRxHi, kRxBit16);
  if (n == 0) return BandDefaultFrequency(uhf);
  const double lo = NumberToMHz(n, StepHz(selector, bandIndex));
  return injection == 0 ? lo + firstIfMHz : lo - firstIfMHz;
}

TxFrequency DecodeTxFrequency(RecordView record, int selector, int bandIndex, bool uhf, double rxMHz,
                              double minMHz, double maxMHz) {
  const std::uint32_t n = ReadNumber(record, kTxHi, kTxBit16);
  if (n == 0) return {BandDefaultFrequency(uhf), false};
  // The receive frequency stands in for a transmit frequency the band does not hold, unless it
  // is no frequency at all (a damaged band): it would be stored as the number 0, which reads back
  // as the band default, and the record would change on every save.
  const double fallback = rxMHz > 0.0 ? rxMHz : BandDefaultFrequency(uhf);
  const std::uint64_t hz = std::uint64_t{n} * StepHz(selector, bandIndex);
  if (hz == 300000000u || hz == 50000000u) return {fallback, true};
  const double f = static_cast<double>(hz) / 1e6;
  if (f < minMHz || f > maxMHz) return {fallback, false};
  return {f, false};
}

void EncodeRxFrequency(RecordRef record, double mhz, int selector, int bandIndex, double firstIfMHz,
                       int injection) {
  if (mhz == 0.0) {
    WriteNumber(record, kRxHi, kRxBit16, 0);
    return;
  }
  const double lo = injection == 0 ? mhz - firstIfMHz : mhz + firstIfMHz;
  WriteNumber(record, kRxHi, kRxBit16, FrequencyNumber(lo, StepHz(selector, bandIndex)));
}

void EncodeTxFrequency(RecordRef record, double mhz, int selector, int bandIndex) {
  if (mhz == 0.0) {
    WriteNumber(record, kTxHi, kTxBit16, 0);
    return;
  }
  WriteNumber(record, kTxHi, kTxBit16, FrequencyNumber(mhz, StepHz(selector, bandIndex)));
}

const std::array<int, 50> kCtcssTones = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035, 1072, 1109, 1148,
    1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1622, 1679, 1738, 1799, 1862, 1928, 2035, 2107,
    2181, 2257, 2336, 2418, 2503, 1598, 1655, 1713, 1773, 1835, 1899, 1966, 1995, 2065, 2291, 2541};

const std::array<int, 107> kDcsCodes = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115, 116, 122, 125, 131,
    132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223, 224, 225, 226, 243, 244, 245, 246, 250,
    251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365, 371,
    411, 412, 413, 423, 431, 432, 435, 445, 446, 452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532,
    546, 565, 606, 612, 624, 627, 631, 632, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

std::string CtcssListText(int tenths) { return Format("%5.1f", tenths / 10.0); }
std::string DcsListText(int code) { return Format("%.3d", code); }

int PackDcs(int threeDigits) {
  if (threeDigits < 0) threeDigits = 0;
  const int a = threeDigits / 100 % 10, b = threeDigits / 10 % 10, c = threeDigits % 10;
  return a * 64 + b * 8 + c;
}

int UnpackDcs(int packed) {
  if (packed < 0) packed = 0;
  return (packed / 64 % 8) * 100 + (packed / 8 % 8) * 10 + packed % 8;
}

SubAudio DecodeSubAudio(std::uint8_t hi, std::uint8_t lo, bool decodeWord) {
  SubAudio t;
  const int value = ((hi & 0x0F) << 8) | lo;
  if (hi & 0x40) {
    t.kind = kToneDcs;
    t.dcs = UnpackDcs(value);
    t.inverted = (hi & 0x20) != 0;
    t.both = decodeWord && (hi & 0x10) != 0;
  } else if (value != 0) {
    t.kind = kToneCtcss;
    t.ctcss = value;
  }
  return t;
}

void EncodeSubAudio(const SubAudio& tone, bool decodeWord, std::uint8_t& hi, std::uint8_t& lo) {
  int value = 0;
  int flags = 0;
  if (tone.kind == kToneCtcss) {
    value = tone.ctcss;
    flags = 0x80;
  } else if (tone.kind == kToneDcs) {
    value = PackDcs(tone.dcs);
    flags = 0xC0 | (tone.inverted ? 0x20 : 0) | (decodeWord && tone.both ? 0x10 : 0);
  } else {
    hi = lo = 0;
    return;
  }
  if (value < 0) value = 0;
  value &= 0x0FFF;
  hi = static_cast<std::uint8_t>(flags | (value >> 8));
  lo = static_cast<std::uint8_t>(value & 0xFF);
}

int CharToCode6(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  const auto pos = kCode6Symbols.find(c);
  if (c != '\0' && pos != std::string_view::npos) return static_cast<int>(pos) + 36;
  return kCode6Blank;
}

char Code6ToChar(int code) {
  if (code >= 0 && code <= 9) return static_cast<char>('0' + code);
  if (code >= 10 && code <= 35) return static_cast<char>('A' + code - 10);
  if (code >= 36 && code <= 48) return kCode6Symbols[static_cast<std::size_t>(code - 36)];
  return '\0';
}

std::string DecodeText6(std::span<const std::uint8_t, 8> bytes) {
  std::string s;
  for (std::uint8_t b : bytes) {
    const char c = Code6ToChar(b & 0x3F);
    if (c == '\0') break;
    s.push_back(c);
  }
  return s;
}

void EncodeText6(std::string_view text, std::span<std::uint8_t, 8> bytes) {
  for (std::size_t i = 0; i < 8; ++i) {
    const int code = i < text.size() ? CharToCode6(text[i]) : kCode6Blank;
    bytes[i] = static_cast<std::uint8_t>((bytes[i] & 0xC0) | code);
  }
}

int DigitToCode(char c) {
  if (c == '*') return 14;
  if (c == '#') return 15;
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'D') return c - 'A' + 10;
  return 0;
}

char CodeToDigit(int code) {
  static constexpr char kDigits[] = "0123456789ABCD*#";
  return kDigits[code & 0x0F];
}

int HexToCode(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

char CodeToHex(int code) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  return (code >= 0 && code <= 15) ? kHex[code] : '0';
}

std::string DecodePackedDigits(std::span<const std::uint8_t, 8> bytes) {
  const int length = bytes[0] >> 4;
  std::string s;
  if (length == 0) return s;
  s.push_back(CodeToDigit(bytes[0] & 0x0F));
  for (int i = 1; i < length; ++i) {
    // Digit i (0-based, after the first) sits in byte 1 + (i - 1) / 2, high nibble first.
    const std::uint8_t b = bytes[static_cast<std::size_t>(1 + (i - 1) / 2)];
    s.push_back(CodeToDigit((i - 1) % 2 == 0 ? b >> 4 : b & 0x0F));
  }
  return s;
}

void EncodePackedDigits(std::string_view digits, std::span<std::uint8_t, 8> bytes) {
  if (digits.size() > 15) digits = digits.substr(0, 15);
  if (digits.empty()) {
    bytes[0] = 0x0F;
    return;
  }
  const auto length = static_cast<int>(digits.size());
  bytes[0] = static_cast<std::uint8_t>(length * 16 + DigitToCode(digits[0]));
  for (std::size_t i = 1; i < digits.size(); i += 2) {
    const int hi = DigitToCode(digits[i]);
    const int lo = i + 1 < digits.size() ? DigitToCode(digits[i + 1]) : 0;
    bytes[1 + (i - 1) / 2] = static_cast<std::uint8_t>(hi * 16 + lo);
  }
}

std::string DecodeToneNumber(std::span<const std::uint8_t, 4> bytes) {
  std::string s;
  for (int d = 0; d < 8; ++d) {
    const std::uint8_t b = bytes[static_cast<std::size_t>(3 - d / 2)];
    const int nibble = d % 2 == 0 ? b & 0x0F : b >> 4;
    if (nibble == 15) break;
    s.push_back(CodeToHex(nibble));
  }
  s.resize(8, ' ');
  return s;
}

void EncodeToneNumber(std::string_view text, std::span<std::uint8_t, 4> bytes) {
  for (auto& b : bytes) b = 0xFF;
  for (std::size_t d = 0; d < 8 && d < text.size() && text[d] != ' '; ++d) {
    std::uint8_t& b = bytes[3 - d / 2];
    const auto code = static_cast<std::uint8_t>(HexToCode(text[d]));
    if (d % 2 == 0)
      b = static_cast<std::uint8_t>((b & 0xF0) | code);
    else
      b = static_cast<std::uint8_t>((b & 0x0F) | (code << 4));
  }
}

std::string TrimBlanks(std::string_view s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

std::string Format(const char* fmt, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, fmt);
  const int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  if (n < 0) return {};
  if (static_cast<std::size_t>(n) < sizeof buf) return std::string(buf, static_cast<std::size_t>(n));
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  va_start(ap, fmt);
  std::vsnprintf(s.data(), s.size(), fmt, ap);
  va_end(ap);
  s.resize(static_cast<std::size_t>(n));
  return s;
}

std::string FormatFrequency(double mhz) { return Format("%9.5f", mhz); }

std::string FormatSubAudio(const SubAudio& tone, bool report) {
  switch (tone.kind) {
    case kToneCtcss:
      return Format("C-%5.1f", tone.ctcss / 10.0);
    case kToneDcs:
      if (report) return Format("D-%.3d   ", tone.dcs);
      return Format("D-%.3d%c  ", tone.dcs, tone.inverted ? 'I' : tone.both ? 'B' : 'N');
    default:
      return std::string(kNoToneText);
  }
}

std::string FormatDefaultSplit(double mhz) { return Format("%-5.1f MHz", mhz); }

}  // namespace kp53
