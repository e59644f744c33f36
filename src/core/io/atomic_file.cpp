#include "io/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace kp53 {

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string ResolveLink(const std::string& path) {
  struct stat st{};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf) != nullptr) return buf;
  }
  return path;
}

// The process's umask, read without changing it (changing it would race with other threads).
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "Umask:") {
      std::string value;
      status >> value;
      return static_cast<mode_t>(std::strtoul(value.c_str(), nullptr, 8));
    }
  }
  return 022;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

AtomicWriteResult WriteFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces) {
  if (path.empty()) return {AtomicWrite::CannotCreate, ENOENT};
  const std::string target = ResolveLink(path);
  const std::string folder = FolderOf(target);
  std::string tmp = folder + "/.kp53-XXXXXX";
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) return {AtomicWrite::CannotCreate, errno};

  struct stat st{};
  const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
  bool ok = true;
  for (std::string_view piece : pieces) ok = ok && WriteAll(fd, piece);
  ok = ok && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) ok = false, error = errno;
  if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) ok = false, error = errno;
  if (!ok) {
    ::unlink(tmp.c_str());
    return {AtomicWrite::CannotWrite, error};
  }
  // Make the rename itself durable.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

}  // namespace kp53
