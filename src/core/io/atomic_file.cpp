#include "io/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <system_error>

namespace kp53 {

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel allows before ELOOP

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a chain of symbolic links ends at; nothing when the chain loops or is too long.
std::optional<std::string> FollowLinks(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    struct stat st{};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(current.c_str(), buf, sizeof buf);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buf) return current;
    std::string target(buf, static_cast<std::size_t>(n));
    // A relative target counts from the folder that holds the link.
    const auto slash = current.find_last_of('/');
    if (target.front() != '/' && slash != std::string::npos) target = current.substr(0, slash + 1) + target;
    current = std::move(target);
  }
  return std::nullopt;
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

// A name in `folder` that nothing has yet, for the moment between linking an unnamed file and
// renaming it over the target.
std::string FreshName(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  static const unsigned seed = std::random_device{}();
  return folder + "/.kp53-" + std::to_string(::getpid()) + "-" + std::to_string(seed) + "-" +
         std::to_string(counter++);
}

// Gives the unnamed file open as `fd` the name `name`; fails with EEXIST when the name is taken.
bool LinkUnnamed(int fd, const std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  if (errno == EEXIST) return false;
  // Without /proc: the direct form, which needs the privilege to open files by descriptor.
  return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

// Renames `from` to `to` unless `to` exists (EEXIST), also on file systems without
// RENAME_NOREPLACE (a hard link and the removal of the old name do the same there).
bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

void SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

// Writes the pieces into `fd`, gives the file `mode` and flushes it to disk.
bool Fill(int fd, std::initializer_list<std::string_view> pieces, mode_t mode, int& error) {
  bool ok = true;
  for (std::string_view piece : pieces) ok = ok && WriteAll(fd, piece);
  ok = ok && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  error = ok ? 0 : errno;
  return ok;
}

// The unnamed way: nothing has a name until the complete file is linked into the folder. Answers
// nothing when the file system or the system cannot do it, so that the caller takes the named way.
std::optional<AtomicWriteResult> WriteUnnamed(const std::string& target, const std::string& folder,
                                              std::initializer_list<std::string_view> pieces, mode_t mode,
                                              Replace replace) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) return std::nullopt;
  int error = 0;
  if (!Fill(fd, pieces, mode, error)) {
    ::close(fd);
    return AtomicWriteResult{AtomicWrite::CannotWrite, error};
  }
  if (replace == Replace::Never) {
    const bool linked = LinkUnnamed(fd, target);
    error = errno;
    ::close(fd);
    if (!linked) {
      if (error == EEXIST) return AtomicWriteResult{AtomicWrite::Exists, EEXIST};
      return std::nullopt;
    }
    SyncFolder(folder);
    return AtomicWriteResult{};
  }
  // No call links a file over an existing name, so the complete file gets a fresh name first and
  // is renamed over the target at once.
  std::string name;
  bool linked = false;
  for (int attempt = 0; attempt < 100 && !linked; ++attempt) {
    name = FreshName(folder);
    linked = LinkUnnamed(fd, name);
    if (!linked && errno != EEXIST) break;
  }
  ::close(fd);
  if (!linked) return std::nullopt;
  if (::rename(name.c_str(), target.c_str()) != 0) {
    error = errno;
    ::unlink(name.c_str());
    return AtomicWriteResult{AtomicWrite::CannotWrite, error};
  }
  SyncFolder(folder);
  return AtomicWriteResult{};
}

AtomicWriteResult WriteNamed(const std::string& target, const std::string& folder,
                             std::initializer_list<std::string_view> pieces, mode_t mode, Replace replace) {
  std::string tmp = folder + "/.kp53-XXXXXX";
  const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
  if (fd < 0) return {AtomicWrite::CannotCreate, errno};
  int error = 0;
  bool ok = Fill(fd, pieces, mode, error);
  if (::close(fd) != 0 && ok) ok = false, error = errno;
  if (ok) {
    ok = replace == Replace::Never ? RenameNoReplace(tmp, target) : ::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) error = errno;
  }
  if (!ok) {
    ::unlink(tmp.c_str());
    if (error == EEXIST && replace == Replace::Never) return {AtomicWrite::Exists, EEXIST};
    return {AtomicWrite::CannotWrite, error};
  }
  SyncFolder(folder);
  return {};
}

}  // namespace

bool MayWrite(const std::string& path) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return true;
  return (st.st_mode & S_IWUSR) != 0 && ::access(path.c_str(), W_OK) == 0;
}

std::string ErrorText(int error) { return std::error_code(error, std::generic_category()).message(); }

std::string WriteFailureReason(const AtomicWriteResult& result) {
  switch (result.status) {
    case AtomicWrite::ReadOnly: return "the file is read-only";
    case AtomicWrite::NotAFile: return result.error == EISDIR ? "it is a folder" : "not a regular file";
    case AtomicWrite::IsInput: return "it is the file being read; give another output file";
    default: return ErrorText(result.error);
  }
}

std::string DescribeWriteFailure(const std::string& path, const AtomicWriteResult& result) {
  if (result.status == AtomicWrite::Exists)
    return "cannot create " + path + ": " + ErrorText(EEXIST) + " (it appeared while the command ran; it is left as it is)";
  const bool create = result.status == AtomicWrite::CannotCreate || result.status == AtomicWrite::Exists;
  return (create ? "cannot create " : "cannot write ") + path + ": " + WriteFailureReason(result);
}

AtomicWriteResult WriteFileAtomically(const std::string& path, std::initializer_list<std::string_view> pieces,
                                      Replace replace, const std::vector<std::string>& inputs) {
  if (path.empty()) return {AtomicWrite::CannotCreate, ENOENT};
  const auto resolved = FollowLinks(path);
  if (!resolved) return {AtomicWrite::CannotCreate, ELOOP};
  const std::string& target = *resolved;
  const std::string folder = FolderOf(target);

  mode_t mode = 0;
  struct stat st{};
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return {AtomicWrite::NotAFile, S_ISDIR(st.st_mode) ? EISDIR : EINVAL};
    for (const std::string& input : inputs) {
      struct stat in{};
      if (::stat(input.c_str(), &in) == 0 && in.st_dev == st.st_dev && in.st_ino == st.st_ino)
        return {AtomicWrite::IsInput, EINVAL};
    }
    if (replace == Replace::Never) return {AtomicWrite::Exists, EEXIST};
    if (!MayWrite(target)) return {AtomicWrite::ReadOnly, EACCES};
    mode = st.st_mode & 07777;
  } else {
    mode = 0666 & ~CurrentUmask();
  }
  if (const auto unnamed = WriteUnnamed(target, folder, pieces, mode, replace)) return *unnamed;
  return WriteNamed(target, folder, pieces, mode, replace);
}

AtomicWriteResult WriteFileBeside(const std::string& path, std::initializer_list<std::string_view> pieces,
                                  std::string& written) {
  const auto slash = path.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  auto dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) dot = path.size();  // no extension, or a hidden name
  const std::string stem = path.substr(0, dot);
  const std::string ext = path.substr(dot);
  AtomicWriteResult result{AtomicWrite::Exists, EEXIST};
  for (int n = 1; n <= 999 && result.status == AtomicWrite::Exists; ++n) {
    written = stem + "-" + std::to_string(n) + ext;
    result = WriteFileAtomically(written, pieces, Replace::Never);
  }
  if (!result.ok()) written.clear();
  return result;
}

}  // namespace kp53
