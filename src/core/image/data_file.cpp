#include "image/data_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>

#include "io/atomic_file.h"

namespace kp53 {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

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

bool ReadDataFile(const std::string& path, RadioImage& image, double& split, UserPrompt& prompt) {
  File f(path.empty() ? nullptr : std::fopen(path.c_str(), "rb"));
  if (!f) {
    prompt.Error(32, path);
    return false;
  }
  std::array<std::uint8_t, kImageSize> bytes{};
  if (std::fread(bytes.data(), 1, kImageSize, f.get()) != kImageSize) {
    prompt.Error(34, path);
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), image.begin());
  unsigned char trailer[kTrailerSize];
  if (std::fread(trailer, 1, kTrailerSize, f.get()) == kTrailerSize) {
    // A trailer that is not a number (only a damaged file holds one) counts as missing: the
    // editors and the channel entry compute with the split.
    const double value = DecodeSplit(trailer);
    if (std::isfinite(value)) split = value;
  }
  return true;
}

bool WriteDataFile(const std::string& path, const RadioImage& image, double split, UserPrompt& prompt) {
  unsigned char trailer[kTrailerSize];
  EncodeSplit(split, trailer);
  const auto result = WriteFileAtomically(
      path, {std::string_view(reinterpret_cast<const char*>(image.data()), kImageSize),
             std::string_view(reinterpret_cast<const char*>(trailer), kTrailerSize)});
  if (result.status == AtomicWrite::CannotCreate) {
    prompt.Error(35, path);
    return false;
  }
  if (!result.ok()) {
    prompt.Error(33);
    return false;
  }
  return true;
}

FileCheck CheckDataFile(const std::string& path, long long size) {
  struct stat st{};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return FileCheck::NotFound;
  if (static_cast<long long>(st.st_size) != size) return FileCheck::WrongSize;
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return FileCheck::NotFound;
  unsigned char b;
  if (std::fread(&b, 1, 1, f.get()) != 1) return FileCheck::Unreadable;
  return FileCheck::Usable;
}

bool IsWritable(const std::string& path, UserPrompt& prompt, const std::string& shownPath) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return true;
  // The owner-write bit counts even for a user whom the system would let write anyway.
  if ((st.st_mode & S_IWUSR) && ::access(path.c_str(), W_OK) == 0) return true;
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
