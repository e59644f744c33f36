#include "link/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "settings/serial_devices.h"

namespace kp53 {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kHungUp = "the line hung up";

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
  if (left <= 0) return 0;
  return static_cast<int>((left + 999) / 1000);  // round up so that the deadline is not cut short
}

enum class Wait { Ready, TimedOut, Lost };

// Waits until the descriptor is ready for `events` or the deadline passes. A hang-up or an error
// without the readiness asked for means the device is gone.
Wait WaitReady(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const int ms = MillisecondsLeft(deadline);
    pollfd p{fd, events, 0};
    const int r = ::poll(&p, 1, ms);
    if (r > 0) {
      if (p.revents & events) return Wait::Ready;
      if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) return Wait::Lost;
      continue;
    }
    if (r == 0) {
      if (Clock::now() >= deadline) return Wait::TimedOut;
      continue;
    }
    if (errno != EINTR) return Wait::Lost;
  }
}

bool SpeedCode(unsigned baud, speed_t& speed) {
  if (baud == 9600) speed = B9600;
  else if (baud == 19200) speed = B19200;
  else return false;
  return true;
}

}  // namespace

bool CSerialPort::Fail() {
  accessRefused_ = IsAccessRefusal(errno);
  reason_ = OpenFailureReason(errno);
  return false;
}

void CSerialPort::MarkLost(const char* reason) {
  lost_ = true;
  reason_ = reason;
}

bool CSerialPort::Open(unsigned baud) {
  if (IsOpen()) return true;
  reason_.clear();
  accessRefused_ = false;
  speed_t speed = 0;
  if (!SpeedCode(baud, speed)) return false;

  const int fd = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail();
  // No sharing: an advisory lock against other programs of this kind, and the terminal's own
  // exclusive mode against everyone else.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    reason_ = "in use by another program";
    return false;
  }
  ::ioctl(fd, TIOCEXCL);
  fd_ = fd;
  baud_ = baud;
  lost_ = false;

  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0) {
    const bool notTerminal = errno == ENOTTY;
    Fail();
    if (notTerminal) reason_ = "not a serial device";
    Close();
    return false;
  }
  // Raw binary line: no input translation, breaks and bytes with parity or framing errors dropped
  // (the driver counts them and the read reports them), no software flow control.
  tio.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF | IXANY |
                                        PARMRK | INPCK);
  tio.c_iflag |= IGNBRK | IGNPAR;
  tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CRTSCTS);
  tio.c_cflag |= CS8 | CSTOPB | CREAD | CLOCAL;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  tio.c_cc[VSTART] = 0x11;
  tio.c_cc[VSTOP] = 0x13;
  if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 || ::tcsetattr(fd_, TCSANOW, &tio) != 0) {
    Fail();
    Close();
    return false;
  }
  // DTR and RTS on while open; a pseudo-terminal has no modem lines.
  int lines = TIOCM_DTR | TIOCM_RTS;
  ::ioctl(fd_, TIOCMBIS, &lines);

  countersSupported_ = ReadCounters(last_);
  // Whatever the line delivered while nobody listened (a radio finishing its answer to a program
  // that was stopped) would be taken for the start of a reply.
  ::tcflush(fd_, TCIFLUSH);
  return true;
}

bool CSerialPort::SetSpeed(unsigned baud) {
  if (!IsOpen() || lost_) return false;
  speed_t speed = 0;
  if (!SpeedCode(baud, speed)) return false;
  while (::tcdrain(fd_) != 0) {
    if (errno != EINTR) break;
  }
  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0 || ::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 ||
      ::tcsetattr(fd_, TCSANOW, &tio) != 0) {
    if (errno == EIO || errno == ENXIO || errno == ENODEV) lost_ = true;
    return Fail();
  }
  baud_ = baud;
  // Bytes received at the old speed are noise at the new one.
  ::tcflush(fd_, TCIFLUSH);
  return true;
}

void CSerialPort::Close() {
  if (fd_ < 0) return;
  int dtr = TIOCM_DTR;
  ::ioctl(fd_, TIOCMBIC, &dtr);
  ::tcflush(fd_, TCIOFLUSH);
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
  countersSupported_ = false;
}

void CSerialPort::PurgeReceive() {
  if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

bool CSerialPort::WriteRaw(const std::uint8_t* buffer, std::size_t count) {
  const auto deadline =
      Clock::now() + std::chrono::milliseconds(kWriteTotalConstantMs + kWriteTotalPerByteMs * static_cast<long>(count));
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd_, buffer + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      MarkLost(std::strerror(errno));  // EIO and the like: the device is gone
      return false;
    }
    const Wait w = WaitReady(fd_, POLLOUT, deadline);
    if (w == Wait::Lost) MarkLost(kHungUp);
    if (w != Wait::Ready) return false;
  }
  // A write completes when the bytes have left the transmitter, as the clone protocol's pauses
  // assume.
  while (::tcdrain(fd_) != 0) {
    if (errno != EINTR) break;
  }
  return true;
}

long CSerialPort::ReadRaw(std::uint8_t* buffer, std::size_t count) {
  const auto start = Clock::now();
  const auto total = start + std::chrono::milliseconds(kReadTotalConstantMs +
                                                       kReadTotalPerByteMs * static_cast<long>(count));
  std::size_t done = 0;
  while (done < count) {
    // Wait for the next byte: until the total deadline, and after the first byte for no longer
    // than the gap allowed between two bytes. Waiting first saves a read that would find nothing
    // when the bytes come at the line's pace.
    auto deadline = total;
    if (done > 0) deadline = std::min(deadline, Clock::now() + std::chrono::milliseconds(kReadIntervalMs));
    const Wait w = WaitReady(fd_, POLLIN, deadline);
    if (w == Wait::TimedOut) break;
    if (w == Wait::Lost) {
      MarkLost(kHungUp);
      return -1;
    }
    const ssize_t n = ::read(fd_, buffer + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    if (n < 0) {
      // EIO: the adapter was unplugged, or the far side of a pseudo-terminal closed.
      MarkLost(std::strerror(errno));
      return -1;
    }
    // Ready but nothing to read: a line that was hung up reads as its end.
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
      MarkLost(kHungUp);
      return -1;
    }
  }
  return static_cast<long>(done);
}

bool CSerialPort::ReadCounters(Counters& out) const {
#if defined(__linux__) && defined(TIOCGICOUNT)
  serial_icounter_struct ic{};
  if (::ioctl(fd_, TIOCGICOUNT, &ic) != 0) return false;
  out.frame = ic.frame;
  out.overrun = ic.overrun;
  out.parity = ic.parity;
  out.brk = ic.brk;
  out.bufOverrun = ic.buf_overrun;
  return true;
#else
  (void)out;
  return false;
#endif
}

unsigned CSerialPort::TakeLineErrors() {
  if (!countersSupported_) return 0;
  Counters now{};
  if (!ReadCounters(now)) return 0;
  unsigned mask = 0;
  if (now.bufOverrun != last_.bufOverrun) mask |= line::kRxOverflow;
  if (now.overrun != last_.overrun) mask |= line::kOverrun;
  if (now.parity != last_.parity) mask |= line::kParity;
  if (now.frame != last_.frame) mask |= line::kFraming;
  if (now.brk != last_.brk) mask |= line::kBreak;
  last_ = now;
  return mask;
}

}  // namespace kp53
