#include "image/data_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
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

bool ReadDataFile(const std::string& path, RadioImage& image, double& split, UserPrompt& prompt, int* osError) {
  int error = ENOENT;
  File f(path.empty() ? nullptr : std::fopen(path.c_str(), "rb"));
  if (!f) {
    if (!path.empty()) error = errno;
    if (osError != nullptr) *osError = error;
    prompt.Error(32, path);
    return false;
  }
  std::array<std::uint8_t, kImageSize> bytes{};
  errno = 0;
  if (std::fread(bytes.data(), 1, kImageSize, f.get()) != kImageSize) {
    error = std::ferror(f.get()) ? errno : 0;
    if (osError != nullptr) *osError = error;
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

std::optional<double> ReadSplitTrailer(const std::string& path) {
  File f(std::fopen(path.c_str(), "rb"));
  unsigned char trailer[kTrailerSize];
  if (!f || std::fseek(f.get(), static_cast<long>(kImageSize), SEEK_SET) != 0 ||
      std::fread(trailer, 1, kTrailerSize, f.get()) != kTrailerSize)
    return std::nullopt;
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
                   Replace replace, AtomicWriteResult* outcome) {
  const AtomicWriteResult result = WriteFileAtomically(path, {DataFileBytes(image, split)}, replace);
  if (outcome != nullptr) *outcome = result;
  switch (result.status) {
    case AtomicWrite::Ok: return true;
    case AtomicWrite::Exists: return false;
    case AtomicWrite::ReadOnly: prompt.Error(49, path); return false;
    case AtomicWrite::CannotCreate:
    case AtomicWrite::NotAFile: prompt.Error(35, path); return false;
    case AtomicWrite::CannotWrite: prompt.Error(33); return false;
  }
  return false;
}

FileCheck CheckDataFile(const std::string& path, long long size, int* osError) {
  const auto fail = [osError](FileCheck check, int error) {
    if (osError != nullptr) *osError = error;
    return check;
  };
  struct stat st{};
  if (path.empty()) return fail(FileCheck::NotFound, ENOENT);
  if (::stat(path.c_str(), &st) != 0) return fail(FileCheck::NotFound, errno);
  if (static_cast<long long>(st.st_size) != size) return fail(FileCheck::WrongSize, 0);
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return fail(FileCheck::NotFound, errno);
  unsigned char b;
  errno = 0;
  if (std::fread(&b, 1, 1, f.get()) != 1) return fail(FileCheck::Unreadable, std::ferror(f.get()) ? errno : 0);
  return FileCheck::Usable;
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
