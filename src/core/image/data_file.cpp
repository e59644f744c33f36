#include "image/data_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cctype>
#include <cmath>

#include "io/atomic_file.h"
#include "io/input_file.h"

namespace kp53 {

void EncodeSplit(double split, unsigned char out[8]) {
  auto bits = std::bit_cast<std::uint64_t>(split);
  for (int i = 0; i < 8; ++i) {
    out[i] = static_cast<unsigned char>(bits & 0xFF);
    bits >>= 8;
  }
}

double DecodeSplit(const unsigned char in[8]) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | in[i];
  return std::bit_cast<double>(bits);
}

bool ReadDataFile(const std::string& path, RadioImage& image, double& split, UserPrompt& prompt, int* osError) {
  // One byte more than a data file holds shows a file that is larger: it is no data file.
  const InputFile in = ReadInputFile(path, kDataFileSize);
  if (osError != nullptr) *osError = in.error;
  if (in.status == InputStatus::CannotOpen) {
    prompt.Error(32, path);
    return false;
  }
  if (!in.ok() || in.bytes.size() < kImageSize) {
    prompt.Error(34, path);
    return false;
  }
  if (!DecodeDataFile(in.bytes, image, split)) std::copy_n(in.bytes.begin(), kImageSize, image.begin());
  return true;
}

bool DecodeDataFile(std::string_view bytes, RadioImage& image, double& split) {
  if (bytes.size() != kDataFileSize) return false;
  std::copy_n(bytes.begin(), kImageSize, image.begin());
  unsigned char trailer[kTrailerSize];
  std::copy_n(bytes.begin() + kImageSize, kTrailerSize, trailer);
  // A trailer that is not a number (only a damaged file holds one) counts as missing: the
  // editors and the channel entry compute with the split.
  const double value = DecodeSplit(trailer);
  if (std::isfinite(value)) split = value;
  return true;
}

std::optional<double> ReadSplitTrailer(const std::string& path) {
  const InputFile in = ReadInputFile(path, kDataFileSize);
  if (!in.ok() || in.bytes.size() != kDataFileSize) return std::nullopt;
  unsigned char trailer[kTrailerSize];
  std::copy_n(in.bytes.begin() + kImageSize, kTrailerSize, trailer);
  return DecodeSplit(trailer);
}

std::string DataFileBytes(const RadioImage& image, double split) {
  unsigned char trailer[kTrailerSize];
  EncodeSplit(split, trailer);
  std::string bytes(reinterpret_cast<const char*>(image.data()), kImageSize);
  bytes.append(reinterpret_cast<const char*>(trailer), kTrailerSize);
  return bytes;
}

bool WriteDataFile(const std::string& path, const RadioImage& image, double split, UserPrompt& prompt,
                   Replace replace, AtomicWriteResult* outcome, const std::vector<std::string>& inputs) {
  const AtomicWriteResult result = WriteFileAtomically(path, {DataFileBytes(image, split)}, replace, inputs);
  if (outcome != nullptr) *outcome = result;
  switch (result.status) {
    case AtomicWrite::Ok: return true;
    case AtomicWrite::Exists: return false;
    case AtomicWrite::ReadOnly: prompt.Error(49, path); return false;
    case AtomicWrite::CannotCreate:
    case AtomicWrite::IsInput:
    case AtomicWrite::NotAFile: prompt.Error(35, path); return false;
    case AtomicWrite::CannotWrite: prompt.Error(33); return false;
  }
  return false;
}

FileCheck CheckDataFile(const std::string& path, long long size, int* osError) {
  const InputFile in = ReadInputFile(path, static_cast<std::size_t>(std::max(size, 0LL)));
  if (osError != nullptr) *osError = in.error;
  switch (in.status) {
    case InputStatus::CannotOpen: return FileCheck::NotFound;
    case InputStatus::CannotRead: return FileCheck::Unreadable;
    case InputStatus::NotAFile:
    case InputStatus::TooLarge: return FileCheck::WrongSize;
    case InputStatus::Ok: break;
  }
  return static_cast<long long>(in.bytes.size()) == size ? FileCheck::Usable : FileCheck::WrongSize;
}

bool IsWritable(const std::string& path, UserPrompt& prompt, const std::string& shownPath) {
  if (MayWrite(path)) return true;
  prompt.Error(49, shownPath);
  return false;
}

bool IsDefaultFileName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name == kDefaultVhfFile || name == kDefaultUhfFile;
}

}  // namespace kp53
