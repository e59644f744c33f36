#include "app/instance_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>

namespace {

// The socket address of `path`; false when the path is too long for one.
bool Address(const QString& path, sockaddr_un& addr) {
  const QByteArray native = QFile::encodeName(path);
  addr = sockaddr_un{};
  addr.sun_family = AF_UNIX;
  if (native.isEmpty() || static_cast<std::size_t>(native.size()) >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
  return true;
}

}  // namespace

InstanceSocket::~InstanceSocket() { Close(); }

bool InstanceSocket::Listen(const QString& path) {
  Close();
  sockaddr_un addr{};
  if (!Address(path, addr)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  ::unlink(addr.sun_path);  // a socket file left by a crash (the lock says no instance runs)
  // The folder is this user's alone; the socket file says so too.
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 || ::chmod(addr.sun_path, 0600) != 0 ||
      ::listen(fd, 8) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  path_ = path;
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &InstanceSocket::Accept);
  return true;
}

void InstanceSocket::Close() {
  if (fd_ < 0) return;
  delete notifier_;
  notifier_ = nullptr;
  ::close(fd_);
  fd_ = -1;
  ::unlink(QFile::encodeName(path_).constData());
  path_.clear();
}

void InstanceSocket::Accept() {
  // Every pending start is one knock; what it says does not matter.
  bool knocked = false;
  for (;;) {
    const int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (c < 0) {
      if (errno == EINTR) continue;
      break;
    }
    ::close(c);
    knocked = true;
  }
  if (knocked) emit Knocked();
}

bool InstanceSocket::Knock(const QString& path) {
  sockaddr_un addr{};
  if (!Address(path, addr)) return false;
  // Non-blocking: an instance that no longer accepts (its queue full) does not hold this start.
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  int r;
  do {
    r = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
  } while (r != 0 && errno == EINTR);
  const bool ok = r == 0 && ::send(fd, "raise\n", 6, MSG_NOSIGNAL) == 6;
  ::close(fd);
  return ok;
}
