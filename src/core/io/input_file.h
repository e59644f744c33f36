// Reading a file the user names, whole or not at all, within a limit, and never waiting for a
// writer: only a regular file or standard input is read. A folder, FIFO, device or socket is
// refused before anything is read from it (it is opened, if at all, without blocking, and looked at
// through the open descriptor), and the size is counted while reading, since a device or a growing
// file says nothing true about its size beforehand.
#pragma once

#include <cstddef>
#include <string>

namespace kp53 {

// The most a configuration text, a channel list or a settings file may hold.
inline constexpr std::size_t kTextFileLimit = 16u * 1024u * 1024u;

enum class InputStatus {
  Ok,
  CannotOpen,  // missing, no permission, ...
  NotAFile,    // a folder, FIFO, device or socket
  TooLarge,    // more than the limit
  CannotRead,  // reading failed
};

struct InputFile {
  InputStatus status = InputStatus::Ok;
  int error = 0;        // errno of a failed open or read; EISDIR for a folder
  std::string bytes;    // the contents; at most `limit` bytes
  bool ok() const { return status == InputStatus::Ok; }
};

// Reads `path` whole; "-" reads standard input (of any kind, as the user redirected it). Nothing
// beyond `limit` bytes is kept: a longer input is TooLarge once its byte limit+1 arrives.
InputFile ReadInputFile(const std::string& path, std::size_t limit);

// The name a message uses for `path`: "standard input" for "-".
std::string InputName(const std::string& path);

// "1 MB", "7735 bytes".
std::string SizeText(std::size_t bytes);

// Why the input was not read, naming the file, the operating system's reason and the limit:
// "cannot open x.yaml: No such file or directory", "x.yaml is a folder, not a file",
// "x.yaml is not a regular file (a FIFO, device or socket); only files and standard input are
// read", "x.yaml is larger than 16 MB, the most a KIND may hold". Empty for Ok.
std::string DescribeInputFailure(const std::string& path, const InputFile& in, std::size_t limit,
                                 const std::string& kind);

}  // namespace kp53
