// The radio's value encodings: frequency numbers, sub-audio words, six-bit text, digit strings and
// 5-tone numbers, with their text forms.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "image/codecs.h"

namespace kp53 {
namespace {

struct Record {
  std::array<std::uint8_t, kChannelRecordSize> bytes{};
  RecordRef ref() { return RecordRef(bytes.data(), kChannelRecordSize); }
  RecordView view() const { return RecordView(bytes.data(), kChannelRecordSize); }
  unsigned rx() const { return (bytes[2] & 0x80 ? 0x10000u : 0u) | unsigned{bytes[8]} << 8 | bytes[9]; }
  unsigned tx() const { return (bytes[2] & 0x40 ? 0x10000u : 0u) | unsigned{bytes[10]} << 8 | bytes[11]; }
};

constexpr double kIf = 44.25;
// Two stored bytes, high first.
using Word = std::pair<std::uint8_t, std::uint8_t>;

// The receive number counts the local oscillator (channel -/+ IF) in steps; a product one hertz
// short in binary floating point (144.26 - 44.25 = 100.00999999999999 MHz) is repaired.
TEST(FrequencyCodec, ReceiveNumberIsTheLocalOscillatorOnEitherSide) {
  const struct {
    double mhz;
    int injection;
    unsigned number;
  } cases[] = {{146.52, 0, 20454}, {146.52, 1, 38154}, {144.26, 0, 20002}};
  for (const auto& c : cases) {
    Record r;
    EncodeRxFrequency(r.ref(), c.mhz, 0, 1, kIf, c.injection);
    EXPECT_EQ(r.rx(), c.number) << c.mhz;
    EXPECT_EQ(r.bytes[2] & 0x80, 0);
    EXPECT_DOUBLE_EQ(DecodeRxFrequency(r.view(), 0, 1, false, kIf, c.injection), c.mhz);
  }
  EXPECT_EQ(FrequencyNumber(0.25625, 3125), 82u);  // 256249.99999999997 Hz
}

TEST(FrequencyCodec, TransmitAboveSixteenBitsSetsTheFlag) {
  Record r;
  r.bytes[2] = 0xBF;  // every other bit of byte 2 set
  EncodeTxFrequency(r.ref(), 450.0, 1, 2);
  EXPECT_EQ(r.tx(), 72000u);
  EXPECT_EQ(Word(r.bytes[10], r.bytes[11]), Word(0x19, 0x40));
  EXPECT_EQ(r.bytes[2], 0xFF);
  const TxFrequency f = DecodeTxFrequency(r.view(), 1, 2, true, 460.0, 450.0, 490.0);
  EXPECT_EQ(f.mhz, 450.0);  // the limit itself is inside the band
  EXPECT_FALSE(f.inhibit);

  EncodeTxFrequency(r.ref(), 150.0, 0, 1);  // below 2^16 steps: the flag clears, nothing else
  EXPECT_EQ(r.bytes[2], 0xBF);
}

// A stored transmit frequency as decoded with receive 151 MHz: the special values 300 and 50 MHz
// mark transmit inhibited; outside the band (146..174 MHz, its limits inside) the receive
// frequency is shown.
TEST(FrequencyCodec, TransmitSpecialValuesAndFrequenciesOutsideTheBand) {
  const struct {
    double stored;
    int selector;
    double maxMhz, shown;
    bool inhibit;
  } cases[] = {
      {300.0, 1, 174.0, 151.0, true}, {50.0, 1, 174.0, 151.0, true},    {300.005, 0, 400.0, 300.005, false},
      {174.0, 0, 174.0, 174.0, false}, {174.005, 0, 174.0, 151.0, false}, {145.995, 0, 174.0, 151.0, false},
  };
  for (const auto& c : cases) {
    Record r;
    EncodeTxFrequency(r.ref(), c.stored, c.selector, 1);
    const TxFrequency f = DecodeTxFrequency(r.view(), c.selector, 1, false, 151.0, 146.0, c.maxMhz);
    EXPECT_DOUBLE_EQ(f.mhz, c.shown) << c.stored;
    EXPECT_EQ(f.inhibit, c.inhibit) << c.stored;
  }
}

TEST(FrequencyCodec, ZeroNumberGivesTheBandDefault) {
  Record r;
  EXPECT_EQ(DecodeRxFrequency(r.view(), 0, 1, false, kIf, 0), 150.0);
  EXPECT_EQ(DecodeRxFrequency(r.view(), 0, 2, true, kIf, 0), 450.0);
  EXPECT_EQ(DecodeTxFrequency(r.view(), 0, 1, false, 160.0, 146.0, 174.0).mhz, 150.0);
  EXPECT_EQ(DecodeTxFrequency(r.view(), 0, 3, true, 460.0, 450.0, 490.0).mhz, 450.0);
  // Zero bytes with the flag set are 65536 steps, not "no frequency".
  r.bytes[2] = 0x40;
  EXPECT_EQ(DecodeTxFrequency(r.view(), 0, 1, false, 160.0, 100.0, 400.0).mhz, 327.68);
  // Exactly 0.0 stores the zero number.
  r.bytes = {};
  r.bytes[2] = 0xC0;
  r.bytes[8] = r.bytes[10] = 0x12;
  EncodeRxFrequency(r.ref(), 0.0, 0, 1, kIf, 0);
  EncodeTxFrequency(r.ref(), 0.0, 0, 1);
  EXPECT_EQ(r.rx(), 0u);
  EXPECT_EQ(r.tx(), 0u);
}

// Every stored number survives decoding and encoding again, for each step, band and injection side
// (a normalisation must not move a channel).
TEST(FrequencyCodec, EveryNumberRoundTrips) {
  for (int band = 0; band < 4; ++band)
    for (int sel = 0; sel < 2; ++sel)
      for (int inj = 0; inj < 2; ++inj) {
        int failures = 0;
        for (std::uint32_t n = 1; n < 0x20000 && failures < 3; ++n) {
          Record r;
          r.bytes[2] = n & 0x10000 ? 0xC0 : 0;
          r.bytes[8] = r.bytes[10] = static_cast<std::uint8_t>(n >> 8);
          r.bytes[9] = r.bytes[11] = static_cast<std::uint8_t>(n);
          const double rx = DecodeRxFrequency(r.view(), sel, band, IsUhfBand(band), kIf, inj);
          const double tx = DecodeTxFrequency(r.view(), sel, band, IsUhfBand(band), rx, 0.0, 2000.0).mhz;
          if (rx == 0.0) continue;  // exactly 0.0 means "no frequency" to the encoder
          Record back;
          EncodeRxFrequency(back.ref(), rx, sel, band, kIf, inj);
          EncodeTxFrequency(back.ref(), tx, sel, band);
          const bool special = std::uint64_t{n} * StepHz(sel, band) == 300000000u ||
                               std::uint64_t{n} * StepHz(sel, band) == 50000000u;
          if (back.rx() != n || (!special && back.tx() != n)) {
            ++failures;
            ADD_FAILURE() << "band " << band << " selector " << sel << " injection " << inj << " N " << n;
          }
        }
      }
}

TEST(FrequencyCodec, HostileFrequenciesStayDefined) {
  EXPECT_EQ(FrequencyNumber(-5.0, 5000), 0u);
  EXPECT_EQ(FrequencyNumber(std::numeric_limits<double>::quiet_NaN(), 5000), 0u);
  EXPECT_LT(FrequencyNumber(std::numeric_limits<double>::infinity(), 5000), 0x20000u);
  EXPECT_LT(FrequencyNumber(1e300, 2500), 0x20000u);
}

TEST(SubAudioCodec, WordsAndDcsPacking) {
  for (const auto& [code, packed] : {std::pair{23, 19}, {754, 492}})
    EXPECT_EQ(std::pair(PackDcs(code), UnpackDcs(packed)), std::pair(packed, code));

  std::uint8_t hi = 0xAA, lo = 0xAA;
  EncodeSubAudio({kToneCtcss, 885, 0, false, false}, false, hi, lo);
  EXPECT_EQ(Word(hi, lo), Word(0x83, 0x75));
  EXPECT_EQ(FormatSubAudio(DecodeSubAudio(hi, lo, false)), "C- 88.5");

  EncodeSubAudio({kToneDcs, 0, 754, true, true}, true, hi, lo);
  EXPECT_EQ(Word(hi, lo), Word(0xF1, 0xEC));
  const SubAudio t = DecodeSubAudio(hi, lo, true);
  EXPECT_EQ(std::tuple(t.kind, t.dcs, t.inverted, t.both), std::tuple(kToneDcs, 754, true, true));
  EXPECT_FALSE(DecodeSubAudio(hi, lo, false).both);  // the encode word has no "both" flag

  EncodeSubAudio({kToneDcs, 0, 23, false, true}, false, hi, lo);
  EXPECT_EQ(Word(hi, lo), Word(0xC0, 0x13));  // "both" is not written into the encode word

  EncodeSubAudio({}, true, hi, lo);
  EXPECT_EQ(Word(hi, lo), Word(0, 0));
  // No value; a value without the tone bit.
  EXPECT_EQ(std::pair(DecodeSubAudio(0x80, 0x00, true).kind, DecodeSubAudio(0x03, 0x75, true).kind),
            (std::pair<int, int>(kToneNone, kToneCtcss)));
}

TEST(SubAudioCodec, TextForms) {
  // The inverted flag wins over "both": a word with both flags is an inverted code.
  const struct {
    bool inverted, both;
    const char* text;
  } dcsForms[] = {{false, false, "D-023N  "}, {true, false, "D-023I  "}, {false, true, "D-023B  "}, {true, true, "D-023I  "}};
  for (const auto& f : dcsForms) {
    const SubAudio dcs{kToneDcs, 0, 23, f.inverted, f.both};
    EXPECT_EQ(FormatSubAudio(dcs), f.text);
    EXPECT_EQ(FormatSubAudio(dcs, true), "D-023   ");
  }
  EXPECT_EQ(std::pair(FormatSubAudio({kToneCtcss, 1000, 0, false, false}), FormatSubAudio({})),
            std::pair(std::string("C-100.0"), std::string("-------")));
  EXPECT_EQ(std::pair(FormatDefaultSplit(0.0), FormatDefaultSplit(-5.0)),
            std::pair(std::string("0.0   MHz"), std::string("-5.0  MHz")));
}

TEST(SixBitText, EncodingKeepsTheTopBitsAndBlanksUnknownCharacters) {
  std::array<std::uint8_t, 8> b;
  b.fill(0xC0);
  EncodeText6("abc", b);
  for (auto x : b) EXPECT_EQ(x, 0xC0 | kCode6Blank);
  EncodeText6("A-1", b);
  EXPECT_EQ(b, (std::array<std::uint8_t, 8>{0xC0 | 10, 0xC0 | 40, 0xC0 | 1, 0xC0 | kCode6Blank, 0xC0 | kCode6Blank,
                                            0xC0 | kCode6Blank, 0xC0 | kCode6Blank, 0xC0 | kCode6Blank}));
  EncodeText6("ABCDEFGHIJ", b);
  EXPECT_EQ(DecodeText6(b), "ABCDEFGH");
}

TEST(SixBitText, EndCodeStopsTheText) {
  std::array<std::uint8_t, 8> b{10, 11, 49, 12, 13, 14, 15, 16};
  EXPECT_EQ(DecodeText6(b), "AB");
  b[2] = 0xC0 | 12;  // bits 7-6 are not part of the code
  EXPECT_EQ(DecodeText6(b), "ABCCDEFG");
  for (int code = 0; code <= 48; ++code) EXPECT_EQ(CharToCode6(Code6ToChar(code)), code);
  for (int code = 49; code <= 63; ++code) EXPECT_EQ(Code6ToChar(code), '\0');
  EXPECT_EQ(CharToCode6('\0'), kCode6Blank);
}

TEST(DigitCodes, PackedDigits) {
  std::array<std::uint8_t, 8> b{0x3A, 0x12, 0x77, 0x77, 0x77, 0x77, 0x77, 0x77};
  EXPECT_EQ(DecodePackedDigits(b), "A12");
  b[0] = 0x0F;
  EXPECT_EQ(DecodePackedDigits(b), "");

  b.fill(0x55);
  EncodePackedDigits("", b);
  EXPECT_EQ(b, (std::array<std::uint8_t, 8>{0x0F, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
  EncodePackedDigits("*1#", b);  // the last byte written whole, the rest untouched
  EXPECT_EQ(b, (std::array<std::uint8_t, 8>{0x3E, 0x1F, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
  EncodePackedDigits("1234", b);
  EXPECT_EQ(b, (std::array<std::uint8_t, 8>{0x41, 0x23, 0x40, 0x55, 0x55, 0x55, 0x55, 0x55}));

  EncodePackedDigits("0123456789ABCD*#9", b);  // cut to 15 digits
  EXPECT_EQ(DecodePackedDigits(b), "0123456789ABCD*");
  EncodePackedDigits("abcd", b);
  EXPECT_EQ(DecodePackedDigits(b), "ABCD");
  EXPECT_EQ(DigitToCode('E'), 0);  // beyond the digit alphabet
  EXPECT_EQ(CodeToHex(16), '0');
}

TEST(DigitCodes, FiveToneNumbers) {
  const std::array<std::uint8_t, 4> in{0xFF, 0xFF, 0xF3, 0x21};
  EXPECT_EQ(DecodeToneNumber(in), "123     ");
  std::array<std::uint8_t, 4> out{};
  EncodeToneNumber("12345", out);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{0xFF, 0xF5, 0x43, 0x21}));
  EncodeToneNumber("12 45", out);  // a blank ends the number
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0x21}));
  EncodeToneNumber("abcde0123", out);
  EXPECT_EQ(DecodeToneNumber(out), "ABCDE012");
  EncodeToneNumber("", out);
  EXPECT_EQ(DecodeToneNumber(out), "        ");
}

}  // namespace
}  // namespace kp53
