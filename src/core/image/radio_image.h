// The radio's configuration memory as the program holds it: a zero-filled 7808-byte buffer whose
// first 7727 bytes are laid out byte for byte as the radio lays out its memory. Multi-byte numbers
// are big-endian; bits are numbered 7 (most significant) to 0; a field write keeps the other bits
// of its byte.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kp53 {

constexpr std::size_t kImageBufferSize = 7808;  // what the clone protocol moves (61 x 128)
constexpr std::size_t kImageSize = 7727;        // significant bytes, stored in the data file
constexpr std::size_t kTrailerSize = 8;         // DefaultSplit after the image in the data file
constexpr std::size_t kDataFileSize = kImageSize + kTrailerSize;  // 7735

using RadioImage = std::array<std::uint8_t, kImageBufferSize>;

// Offsets of the regions that more than one part of the program uses.
namespace off {
constexpr std::size_t kFirmware = 0;           // 2 bytes, 4 BCD digits
constexpr std::size_t kDtmfSpeedDial = 9;      // 10 x 8 bytes
constexpr std::size_t kUnused89 = 89;
constexpr std::size_t kPriorityGroup = 90;     // bits 3-0
constexpr std::size_t kPriorityIndex = 91;
constexpr std::size_t kScanBits = 92;          // 32 bytes, one bit per channel
constexpr std::size_t kScanParams = 124;
constexpr std::size_t kCommonOptions = 125;
constexpr std::size_t kGroupSystemType = 126;  // 2 bytes, one bit per group
constexpr std::size_t kKeyFunctions = 129;     // 12 bytes
constexpr std::size_t kEmergency = 141;        // 4 bytes
constexpr std::size_t kPowerOnTag = 145;       // 8 bytes
constexpr std::size_t kGroupTags = 153;        // 16 x 8 bytes
constexpr std::size_t kGroupSizes = 281;       // 16 bytes
constexpr std::size_t kChannels = 297;         // 256 x 25 bytes
constexpr std::size_t kFiveToneGeneral = 6697;
constexpr std::size_t kFiveToneTiming = 6712;
constexpr std::size_t kUserTones = 6736;
constexpr std::size_t kFiveToneSystems = 6766;
constexpr std::size_t kFiveToneDecode = 6958;
constexpr std::size_t kFiveToneEncode = 7088;
constexpr std::size_t kTwoToneEncode = 7568;
constexpr std::size_t kTwoToneParams = 7571;
constexpr std::size_t kTwoToneTable = 7574;
constexpr std::size_t kTwoToneSystems = 7614;
constexpr std::size_t kDtmfAni = 7630;
constexpr std::size_t kDtmfEmergency = 7638;
constexpr std::size_t kPaging = 7646;
constexpr std::size_t kHardwareConfig = 7667;  // 11 bytes compared before a Download
constexpr std::size_t kHardwareConfigSize = 11;
constexpr std::size_t kAlignment = 7678;       // 34 bytes
constexpr std::size_t kPassword = 7712;        // 3 bytes
constexpr std::size_t kMarketApplication = 7715;
constexpr std::size_t kFactoryData = 7717;     // 4 bytes, kept as read
constexpr std::size_t kSerialNumber = 7721;    // 4 bytes
constexpr std::size_t kChecksum = 7725;        // 2 bytes, big-endian
}  // namespace off

constexpr int kChannelCount = 256;
constexpr int kGroupCount = 16;

// Bit-field access. `shift` is the number of the field's lowest bit, `width` its bit count.
inline unsigned GetField(const RadioImage& img, std::size_t offset, int shift, int width) {
  return (img[offset] >> shift) & ((1u << width) - 1u);
}
inline void PutField(RadioImage& img, std::size_t offset, int shift, int width, unsigned value) {
  const unsigned mask = ((1u << width) - 1u) << shift;
  img[offset] = static_cast<std::uint8_t>((img[offset] & ~mask) | ((value << shift) & mask));
}
inline bool GetBit(const RadioImage& img, std::size_t offset, int bit) {
  return GetField(img, offset, bit, 1) != 0;
}
inline void PutBit(RadioImage& img, std::size_t offset, int bit, bool value) {
  PutField(img, offset, bit, 1, value ? 1u : 0u);
}
inline unsigned GetU16(const RadioImage& img, std::size_t offset) {
  return (unsigned{img[offset]} << 8) | img[offset + 1];
}
inline void PutU16(RadioImage& img, std::size_t offset, unsigned value) {
  img[offset] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
  img[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

template <std::size_t N>
std::span<std::uint8_t, N> Bytes(RadioImage& img, std::size_t offset) {
  return std::span<std::uint8_t, N>(img.data() + offset, N);
}
template <std::size_t N>
std::span<const std::uint8_t, N> Bytes(const RadioImage& img, std::size_t offset) {
  return std::span<const std::uint8_t, N>(img.data() + offset, N);
}

// The 16-bit sum, modulo 65536, of bytes 2 to 7714.
std::uint16_t ImageChecksum(const RadioImage& img);
// Computes the checksum and stores it big-endian at 7725-7726.
void StoreChecksum(RadioImage& img);

}  // namespace kp53
