// The ".K53" data file: the 7727 image bytes followed by DefaultSplit as an 8-byte little-endian
// IEEE-754 double, 7735 bytes in all, no header.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "image/radio_image.h"
#include "io/atomic_file.h"
#include "ports.h"

namespace kp53 {

inline constexpr const char* kDefaultVhfFile = "defaultv.k53";
inline constexpr const char* kDefaultUhfFile = "defaultu.k53";
inline constexpr const char* kNoPath = "<none>";

enum class FileCheck { Usable = 0, NotFound = 1, Unreadable = 2, WrongSize = 3 };

// Reads the image bytes and the trailer through ReadInputFile (a regular file only, never more
// than a data file's size). A file that ends after the image, or whose trailer is not a finite
// number, keeps `split` as it was. Reports message 32 (cannot open) or 34 (no regular file,
// cannot read, too short or too long) with the path and answers false; `osError` then receives
// errno (0 for a file of the wrong size).
bool ReadDataFile(const std::string& path, RadioImage& image, double& split, UserPrompt& prompt,
                  int* osError = nullptr);

// The image and the trailer from a data file's bytes; false when there are not kDataFileSize of them.
bool DecodeDataFile(std::string_view bytes, RadioImage& image, double& split);

// The trailer's value as the file holds it (not a number included); nothing when the file has
// no trailer or cannot be read. ReadDataFile keeps such a split out of the image's data.
std::optional<double> ReadSplitTrailer(const std::string& path);

// The file's 7735 bytes.
std::string DataFileBytes(const RadioImage& image, double split);

// Writes the file atomically (WriteFileAtomically), so that a failed write leaves the old file as
// it was. Reports message 35 (cannot create, or the name is not a regular file), 49 (a target the
// user may not write) or 33 (cannot write) and answers false. With Replace::Never an existing file
// is left alone without a message; one of `inputs` is never written (message 35). `result`
// receives the outcome with the system's reason.
bool WriteDataFile(const std::string& path, const RadioImage& image, double split, UserPrompt& prompt,
                   Replace replace = Replace::Allowed, AtomicWriteResult* result = nullptr,
                   const std::vector<std::string>& inputs = {});

// Usable, cannot be found or opened, cannot be read, or not `size` bytes long (also a folder, FIFO
// or device, which is never opened for reading). `osError` receives errno of a failed look-up,
// open or read, EISDIR for a folder.
FileCheck CheckDataFile(const std::string& path, long long size, int* osError = nullptr);

// True when the file does not exist or may be written; otherwise message 49 with `shownPath`.
bool IsWritable(const std::string& path, UserPrompt& prompt, const std::string& shownPath);

// True when the file-name part of the path is "defaultv.k53" or "defaultu.k53" in any case.
bool IsDefaultFileName(const std::string& path);

// The trailer's byte form.
void EncodeSplit(double split, unsigned char out[8]);
double DecodeSplit(const unsigned char in[8]);

}  // namespace kp53
