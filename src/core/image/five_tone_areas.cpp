#include "image/five_tone_areas.h"

#include <span>

#include "image/codecs.h"

namespace kp53 {

namespace {

unsigned U(int v) { return static_cast<unsigned>(v); }
std::uint8_t B(unsigned v) { return static_cast<std::uint8_t>(v & 0xFF); }

std::uint8_t FlagsByte(const std::array<bool, 8>& flags) {
  unsigned b = 0;
  for (std::size_t k = 0; k < 8; ++k)
    if (flags[k]) b |= 1u << k;
  return B(b);
}
std::array<bool, 8> Flags(std::uint8_t b) {
  std::array<bool, 8> f{};
  for (std::size_t k = 0; k < 8; ++k) f[k] = ((b >> k) & 1) != 0;
  return f;
}

unsigned Bits(std::uint8_t b, int shift, int width) { return (b >> shift) & ((1u << width) - 1u); }
void SetBits(std::uint8_t& b, int shift, int width, unsigned v) {
  const unsigned mask = ((1u << width) - 1u) << shift;
  b = B((b & ~mask) | ((v << shift) & mask));
}

std::string DecodeTag(const std::uint8_t* b) { return DecodeText6(std::span<const std::uint8_t, 8>(b, 8)); }
void EncodeTag(const std::string& tag, std::uint8_t* b) { EncodeText6(tag, std::span<std::uint8_t, 8>(b, 8)); }
std::string DecodeCode(const std::uint8_t* b) { return DecodeToneNumber(std::span<const std::uint8_t, 4>(b, 4)); }
void EncodeCode(const std::string& code, std::uint8_t* b) { EncodeToneNumber(code, std::span<std::uint8_t, 4>(b, 4)); }

// Number of digits a stored code holds: the nibbles before the first 0xF, at most 8.
int CodeDigits(const std::uint8_t* b) {
  int n = 0;
  for (int d = 0; d < 8; ++d) {
    const std::uint8_t byte = b[3 - d / 2];
    const int nibble = d % 2 == 0 ? byte & 0x0F : byte >> 4;
    if (nibble == 15) break;
    ++n;
  }
  return n;
}

}  // namespace

int DecodeSystemCode(std::uint8_t byte) { return (byte & 0x80) ? (byte & 0x1F) + 1 : 0; }

std::uint8_t EncodeSystemCode(std::uint8_t byte, int value) {
  byte = B(byte & 0x60u);
  if (value > 0) byte = B(byte | 0x80u | (U(value - 1) & 0x1Fu));
  return byte;
}

// ---------------------------------------------------------------------------------------------
// FiveToneGeneral

void FiveToneGeneral::LoadFromImage(const RadioImage& img) {
  const std::size_t o = off::kFiveToneGeneral;
  for (std::size_t i = 0; i < 4; ++i) delays[i] = img[o + i];
  firstDigitDelay = img[o + 4];
  transpondDelay = img[o + 5];
  displayDigits = Flags(img[o + 6]);
  groupTone = static_cast<int>(GetField(img, o + 7, 4, 4));
  repeatTone = static_cast<int>(GetField(img, o + 7, 0, 4));
  delay3Tone = static_cast<int>(GetField(img, o + 8, 4, 4));
  aniDisplay = GetBit(img, o + 8, 3);
  tagDisplay = GetBit(img, o + 8, 2);
  clearToTranspond = GetBit(img, o + 8, 1);
  pttCall = GetBit(img, o + 8, 0);
  compareDigits = Flags(img[o + 9]);
  idDecodeTime = img[o + 10];
  beepRepeatTime = img[o + 11];
  callKey2 = img[o + 12];
  callKey3 = img[o + 13];
  autoTxTime = img[o + 14];
  autoResetTime = static_cast<int>(GetField(img, 5, 0, 4));
  autoResetBeep = GetBit(img, 7, 1);
}

void FiveToneGeneral::StoreToImage(RadioImage& img) const {
  const std::size_t o = off::kFiveToneGeneral;
  for (std::size_t i = 0; i < 4; ++i) img[o + i] = B(U(delays[i]));
  img[o + 4] = B(U(firstDigitDelay));
  img[o + 5] = B(U(transpondDelay));
  img[o + 6] = FlagsByte(displayDigits);
  PutField(img, o + 7, 4, 4, U(groupTone));
  PutField(img, o + 7, 0, 4, U(repeatTone));
  PutField(img, o + 8, 4, 4, U(delay3Tone));
  PutBit(img, o + 8, 3, aniDisplay);
  PutBit(img, o + 8, 2, tagDisplay);
  PutBit(img, o + 8, 1, clearToTranspond);
  PutBit(img, o + 8, 0, pttCall);
  img[o + 9] = FlagsByte(compareDigits);
  img[o + 10] = B(U(idDecodeTime));
  img[o + 11] = B(U(beepRepeatTime));
  img[o + 12] = B(U(callKey2));
  img[o + 13] = B(U(callKey3));
  img[o + 14] = B(U(autoTxTime));
  PutField(img, 5, 0, 4, U(autoResetTime));
  PutBit(img, 7, 1, autoResetBeep != 0);
}

// ---------------------------------------------------------------------------------------------
// FiveToneFormatTiming

void FiveToneFormatTiming::SetDefaults() {
  // ZVEI1, ZVEI2, PZVEI, DZVEI, PDZVEI, CCIR1, CCIR2, PCCIR, EEA, EIA, NATEL, User
  static constexpr Entry kDefaults[kFormatCount] = {{70, 42}, {70, 42},  {70, 42}, {70, 42},
                                                    {70, 42}, {100, 60}, {70, 42}, {100, 60},
                                                    {40, 24}, {33, 20},  {70, 42}, {70, 42}};
  for (std::size_t f = 0; f < kFormatCount; ++f) formats[f] = kDefaults[f];
}

void FiveToneFormatTiming::LoadFromImage(const RadioImage& img) {
  for (std::size_t f = 0; f < kFormatCount; ++f) {
    formats[f].period = img[off::kFiveToneTiming + 2 * f];
    formats[f].gap = img[off::kFiveToneTiming + 2 * f + 1];
  }
}

void FiveToneFormatTiming::StoreToImage(RadioImage& img) const {
  for (std::size_t f = 0; f < kFormatCount; ++f) {
    img[off::kFiveToneTiming + 2 * f] = B(U(formats[f].period));
    img[off::kFiveToneTiming + 2 * f + 1] = B(U(formats[f].gap));
  }
}

// ---------------------------------------------------------------------------------------------
// FiveToneUserTones

void FiveToneUserTones::LoadFromImage(const RadioImage& img) {
  for (std::size_t t = 0; t < kToneCount; ++t) tones[t] = static_cast<int>(GetU16(img, off::kUserTones + 2 * t));
}

void FiveToneUserTones::StoreToImage(RadioImage& img) const {
  for (std::size_t t = 0; t < kToneCount; ++t) PutU16(img, off::kUserTones + 2 * t, U(tones[t]));
}

// ---------------------------------------------------------------------------------------------
// Systems

void FiveToneSystem::Load(const std::uint8_t* b) {
  toneFormat = static_cast<int>(Bits(b[0], 4, 4));
  monitorSwitch = static_cast<int>(Bits(b[0], 2, 2));
  callSwitch = Bits(b[0], 1, 1) != 0;
  pttSwitch = Bits(b[0], 0, 1) != 0;
  channelSwitch = static_cast<int>(Bits(b[1], 5, 2));
  repeaterCode = DecodeSystemCode(b[1]);
  callCode = DecodeSystemCode(b[2]);
  flow = static_cast<int>(Bits(b[2], 5, 2));
  idCode = DecodeSystemCode(b[3]);
  aniTransmit = static_cast<int>(Bits(b[3], 5, 2));
  autoReset = Bits(b[4], 7, 1) != 0;
  compander = Bits(b[4], 6, 1) != 0;
  duty = Bits(b[4], 5, 1) != 0;
  decode = Flags(b[5]);
}

void FiveToneSystem::Store(std::uint8_t* b) const {
  SetBits(b[0], 4, 4, U(toneFormat));
  SetBits(b[0], 2, 2, U(monitorSwitch));
  SetBits(b[0], 1, 1, callSwitch);
  SetBits(b[0], 0, 1, pttSwitch);
  b[1] = EncodeSystemCode(b[1], repeaterCode);
  SetBits(b[1], 5, 2, U(channelSwitch));
  b[2] = EncodeSystemCode(b[2], callCode);
  SetBits(b[2], 5, 2, U(flow));
  b[3] = EncodeSystemCode(b[3], idCode);
  SetBits(b[3], 5, 2, U(aniTransmit));
  SetBits(b[4], 7, 1, autoReset);
  SetBits(b[4], 6, 1, compander);
  SetBits(b[4], 5, 1, duty);
  b[5] = FlagsByte(decode);
}

void FiveToneSystemTable::LoadFromImage(const RadioImage& img) {
  for (std::size_t s = 0; s < kSystemCount; ++s)
    systems[s].Load(img.data() + off::kFiveToneSystems + FiveToneSystem::kSize * s);
}

void FiveToneSystemTable::StoreToImage(RadioImage& img) const {
  for (std::size_t s = 0; s < kSystemCount; ++s)
    systems[s].Store(img.data() + off::kFiveToneSystems + FiveToneSystem::kSize * s);
}

// ---------------------------------------------------------------------------------------------
// Decode

void FiveToneDecodeEntry::Load(const std::uint8_t* b) {
  if (!(b[5] & 0x80))
    transpond = 0;
  else
    transpond = b[0] == 32 ? 1 : b[0] + 2;
  code = DecodeCode(b + 1);
  id = Bits(b[5], 6, 1) != 0;
  ledDisplay = static_cast<int>(Bits(b[5], 4, 2));
  mode = static_cast<int>(Bits(b[5], 2, 2));
  scan = static_cast<int>(Bits(b[5], 0, 2));
  emergency = Bits(b[6], 7, 1) != 0;
  beepTone = static_cast<int>(Bits(b[6], 4, 3));
  beepMode = static_cast<int>(Bits(b[6], 3, 1));
  stun = static_cast<int>(Bits(b[6], 1, 2));
  autoTx = Bits(b[6], 0, 1) != 0;
  tag = DecodeTag(b + 7);
}

void FiveToneDecodeEntry::Store(std::uint8_t* b) const {
  if (transpond <= 0) {
    b[0] = 0;
    SetBits(b[5], 7, 1, 0);
  } else {
    b[0] = transpond == 1 ? 32 : B(U(transpond - 2));
    SetBits(b[5], 7, 1, 1);
  }
  EncodeCode(code, b + 1);
  SetBits(b[5], 6, 1, id);
  SetBits(b[5], 4, 2, U(ledDisplay));
  SetBits(b[5], 2, 2, U(mode));
  SetBits(b[5], 0, 2, U(scan));
  SetBits(b[6], 7, 1, emergency);
  SetBits(b[6], 4, 3, U(beepTone));
  SetBits(b[6], 3, 1, U(beepMode));
  SetBits(b[6], 1, 2, U(stun));
  SetBits(b[6], 0, 1, autoTx);
  EncodeTag(tag, b + 7);
}

void FiveToneDecodeEntry::LoadGroup(const std::uint8_t* b) {
  *this = FiveToneDecodeEntry{};
  transpond = 0;
  code.clear();
  id = Bits(b[0], 6, 1) != 0;
  ledDisplay = static_cast<int>(Bits(b[0], 4, 2));
  mode = static_cast<int>(Bits(b[0], 2, 2));
  scan = static_cast<int>(Bits(b[0], 0, 2));
  emergency = Bits(b[1], 7, 1) != 0;
  beepTone = static_cast<int>(Bits(b[1], 4, 3));
  beepMode = static_cast<int>(Bits(b[1], 3, 1));
  stun = static_cast<int>(Bits(b[1], 1, 2));
  autoTx = false;
  tag = DecodeTag(b + 2);
}

void FiveToneDecodeEntry::StoreGroup(std::uint8_t* b) const {
  SetBits(b[0], 6, 1, id);
  SetBits(b[0], 4, 2, U(ledDisplay));
  SetBits(b[0], 2, 2, U(mode));
  SetBits(b[0], 0, 2, U(scan));
  SetBits(b[1], 7, 1, emergency);
  SetBits(b[1], 4, 3, U(beepTone));
  SetBits(b[1], 3, 1, U(beepMode));
  SetBits(b[1], 1, 2, U(stun));
  EncodeTag(tag, b + 2);
}

void FiveToneDecodeTable::SetDefaults() {
  for (std::size_t k = 0; k < kEntryCount; ++k) {
    entries[k] = FiveToneDecodeEntry{};
    entries[k].tag = Format("DECODE-%1.1d", static_cast<int>(k + 1));
  }
  group = FiveToneDecodeEntry{};
  group.code.clear();
  group.beepTone = 0;
  group.tag = "  GROUP ";
  current = 0;
}

void FiveToneDecodeTable::LoadFromImage(const RadioImage& img) {
  for (std::size_t k = 0; k < kEntryCount; ++k)
    entries[k].Load(img.data() + off::kFiveToneDecode + FiveToneDecodeEntry::kSize * k);
  group.LoadGroup(img.data() + off::kFiveToneDecode + FiveToneDecodeEntry::kSize * kEntryCount);
}

void FiveToneDecodeTable::StoreToImage(RadioImage& img) const {
  for (std::size_t k = 0; k < kEntryCount; ++k)
    entries[k].Store(img.data() + off::kFiveToneDecode + FiveToneDecodeEntry::kSize * k);
  group.StoreGroup(img.data() + off::kFiveToneDecode + FiveToneDecodeEntry::kSize * kEntryCount);
}

// ---------------------------------------------------------------------------------------------
// Encode

void FiveToneEncodeEntry::Load(const std::uint8_t* b) {
  code = DecodeCode(b + 1);
  firstExtension = Bits(b[5], 7, 1) != 0;
  sel = Bits(b[5], 6, 1) != 0;
  overwrite = Bits(b[5], 5, 1) != 0;
  beep = Bits(b[5], 4, 1) != 0;
  groupDigit = Bits(b[5], 3, 1) != 0;
  transpondDecode = Bits(b[5], 1, 1) != 0;
  inputDigits = Flags(b[6]);
  tag = DecodeTag(b + 7);
}

void FiveToneEncodeEntry::Store(std::uint8_t* b) const {
  EncodeCode(code, b + 1);
  b[0] = B(U(CodeDigits(b + 1)));
  SetBits(b[5], 7, 1, firstExtension);
  SetBits(b[5], 6, 1, sel);
  SetBits(b[5], 5, 1, overwrite);
  SetBits(b[5], 4, 1, beep);
  SetBits(b[5], 3, 1, groupDigit);
  SetBits(b[5], 2, 1, 0);
  SetBits(b[5], 1, 1, transpondDecode);
  b[6] = FlagsByte(inputDigits);
  EncodeTag(tag, b + 7);
}

void FiveToneEncodeTable::SetDefaults() {
  for (std::size_t k = 0; k < kEntryCount; ++k) {
    entries[k] = FiveToneEncodeEntry{};
    entries[k].tag = Format("CALL-%2.2d", static_cast<int>(k + 1));
  }
  current = 0;
}

void FiveToneEncodeTable::LoadFromImage(const RadioImage& img) {
  for (std::size_t k = 0; k < kEntryCount; ++k)
    entries[k].Load(img.data() + off::kFiveToneEncode + FiveToneEncodeEntry::kSize * k);
}

void FiveToneEncodeTable::StoreToImage(RadioImage& img) const {
  for (std::size_t k = 0; k < kEntryCount; ++k)
    entries[k].Store(img.data() + off::kFiveToneEncode + FiveToneEncodeEntry::kSize * k);
}

}  // namespace kp53
