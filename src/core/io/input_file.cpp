#include "io/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "io/atomic_file.h"

namespace kp53 {

namespace {

InputFile Failure(InputStatus status, int error) {
  InputFile in;
  in.status = status;
  in.error = error;
  return in;
}

InputFile NotAFile(const struct stat& st) { return Failure(InputStatus::NotAFile, S_ISDIR(st.st_mode) ? EISDIR : 0); }

// Reads `fd` to its end, keeping at most limit+1 bytes.
InputFile ReadAll(int fd, std::size_t limit) {
  InputFile in;
  char buf[65536];
  for (;;) {
    const std::size_t room = limit + 1 - in.bytes.size();
    const ssize_t n = ::read(fd, buf, room < sizeof buf ? room : sizeof buf);
    if (n == 0) return in;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failure(InputStatus::CannotRead, errno);
    }
    in.bytes.append(buf, static_cast<std::size_t>(n));
    if (in.bytes.size() > limit) {
      in.bytes.resize(limit);
      in.status = InputStatus::TooLarge;
      return in;
    }
  }
}

}  // namespace

InputFile ReadInputFile(const std::string& path, std::size_t limit) {
  if (path == "-") return ReadAll(STDIN_FILENO, limit);
  if (path.empty()) return Failure(InputStatus::CannotOpen, ENOENT);
  // A look at the name first, so that a device is never opened (opening one may act on it); then
  // the open file itself, in case the name was changed in between.
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return Failure(InputStatus::CannotOpen, errno);
  if (!S_ISREG(st.st_mode)) return NotAFile(st);
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Failure(InputStatus::CannotOpen, errno);
  InputFile in;
  if (::fstat(fd, &st) != 0)
    in = Failure(InputStatus::CannotRead, errno);
  else if (!S_ISREG(st.st_mode))
    in = NotAFile(st);
  else
    in = ReadAll(fd, limit);
  ::close(fd);
  return in;
}

std::string InputName(const std::string& path) { return path == "-" ? "standard input" : path; }

std::string SizeText(std::size_t bytes) {
  constexpr std::size_t kMega = 1024u * 1024u;
  if (bytes >= kMega && bytes % kMega == 0) return std::to_string(bytes / kMega) + " MB";
  return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

std::string DescribeInputFailure(const std::string& path, const InputFile& in, std::size_t limit,
                                 const std::string& kind) {
  const std::string name = InputName(path);
  switch (in.status) {
    case InputStatus::Ok: return {};
    case InputStatus::CannotOpen: return "cannot open " + name + ": " + ErrorText(in.error);
    case InputStatus::NotAFile:
      if (in.error == EISDIR) return name + " is a folder, not a file";
      return name + " is not a regular file (a FIFO, device or socket); only files and standard input are read";
    case InputStatus::TooLarge: return name + " is larger than " + SizeText(limit) + ", the most " + kind + " may hold";
    case InputStatus::CannotRead: return "cannot read " + name + ": " + ErrorText(in.error);
  }
  return {};
}

}  // namespace kp53
