#include "sim/radio_sim.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "image/radio_data.h"

namespace kp53::sim {

namespace {

constexpr std::uint8_t kReadBlock = 0xF2;
constexpr std::uint8_t kWriteBlock = 0xF3;
constexpr std::uint8_t kEnterAlignment = 0x38;
constexpr std::uint8_t kMeasure = 0x31;
constexpr std::uint8_t kLeaveAlignment = 0x38;
constexpr std::uint8_t kNak = 0x15;
constexpr int kBlocks = 61;
constexpr int kBlockBytes = 128;
// An unfinished frame is forgotten after this gap.
constexpr auto kFrameGap = std::chrono::milliseconds(200);

std::uint8_t Sum(const std::vector<std::uint8_t>& bytes, std::size_t count) {
  unsigned s = 0;
  for (std::size_t i = 0; i < count; ++i) s += bytes[i];
  return static_cast<std::uint8_t>(s & 0xFF);
}

std::vector<std::uint8_t> Frame(std::uint8_t command, const std::uint8_t* payload, std::size_t count, bool badSum) {
  std::vector<std::uint8_t> f(count + 3);
  f[0] = command;
  f[1] = static_cast<std::uint8_t>(count + 1);
  for (std::size_t i = 0; i < count; ++i) f[2 + i] = payload[i];
  std::uint8_t s = Sum(f, count + 2);
  if (badSum) s = static_cast<std::uint8_t>(s + 1);
  f[count + 2] = s;
  return f;
}

bool AckedAlignmentCommand(std::uint8_t c) {
  return c == 0x30 || (c >= 0x32 && c <= 0x37) || (c >= 0x39 && c <= 0x3B);
}

}  // namespace

RadioImage DefaultRadioMemory() {
  RadioData d;
  InitImage(d);
  d.identity.firmwareVersion = 215;
  d.identity.marketApplication = "0001";
  d.identity.serialNumber = "2D123456";
  d.identity.StoreToImage(d.image);
  NormalizeImage(d);
  // Factory data and alignment values of this particular radio.
  const std::uint8_t factory[4] = {0x19, 0x07, 0x23, 0x01};
  std::copy(factory, factory + 4, d.image.begin() + off::kFactoryData);
  for (std::size_t i = 0; i < 34; ++i) d.image[off::kAlignment + i] = static_cast<std::uint8_t>(0x40 + i);
  ReloadAreas(d);
  NormalizeImage(d);
  // The memory behind the significant bytes is not blank either.
  for (std::size_t i = kImageSize; i < kImageBufferSize; ++i) d.image[i] = static_cast<std::uint8_t>(0xA5 ^ i);
  return d.image;
}

RadioSimulator::RadioSimulator(SimOptions options) : opt_(std::move(options)) {}

RadioSimulator::~RadioSimulator() { Stop(); }

bool RadioSimulator::Start(std::string* error) {
  const auto fail = [&](const char* what) {
    if (error) *error = std::string(what) + ": " + std::strerror(errno);
    Stop();
    return false;
  };
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) return fail("posix_openpt");
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return fail("unlockpt");
  char name[256];
  if (::ptsname_r(master_, name, sizeof name) != 0) return fail("ptsname");
  device_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) return fail("open slave");
  termios tio{};
  if (::tcgetattr(slave_, &tio) != 0) return fail("tcgetattr");
  ::cfmakeraw(&tio);
  if (::tcsetattr(slave_, TCSANOW, &tio) != 0) return fail("tcsetattr");
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  int p[2];
  if (::pipe2(p, O_CLOEXEC | O_NONBLOCK) != 0) return fail("pipe");
  wakeRead_ = p[0];
  wakeWrite_ = p[1];
  {
    std::lock_guard lock(mu_);
    memory_ = opt_.memory;
    holding_ = opt_.holdRepliesFrom >= 0;
    if (opt_.startInCloneMode) {
      state_ = RadioState::Clone;
      speed_ = opt_.cloneBaud;
    }
    lastActivity_ = Clock::now();
  }
  stop_ = false;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void RadioSimulator::Stop() {
  if (thread_.joinable()) {
    stop_ = true;
    Wake();
    thread_.join();
  }
  for (int* fd : {&master_, &slave_, &wakeRead_, &wakeWrite_}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
}

bool RadioSimulator::MakeSymlink(const std::string& path, std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) std::filesystem::remove(path, ec);
  std::filesystem::create_symlink(device_, path, ec);
  if (ec && error) *error = ec.message();
  return !ec;
}

void RadioSimulator::Wake() {
  if (wakeWrite_ >= 0) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(wakeWrite_, &c, 1);
  }
}

void RadioSimulator::PowerOn() {
  {
    std::lock_guard lock(mu_);
    powerOnRequested_ = true;
  }
  Wake();
}

void RadioSimulator::PowerOff() {
  {
    std::lock_guard lock(mu_);
    powerOffRequested_ = true;
  }
  Wake();
}

void RadioSimulator::HangUp() {
  {
    std::lock_guard lock(mu_);
    hangUpRequested_ = true;
  }
  Wake();
}

bool RadioSimulator::HungUp() const {
  std::lock_guard lock(mu_);
  return hungUp_;
}

void RadioSimulator::ReleaseHeldReplies() {
  {
    std::lock_guard lock(mu_);
    holding_ = false;
    QueueRadio(held_, Clock::now());
    held_.clear();
  }
  Wake();
}

void RadioSimulator::CloseLine() {
  for (int* fd : {&master_, &slave_}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
  line_.clear();
  fifo_.clear();
  hungUp_ = true;
}

RadioImage RadioSimulator::Memory() const {
  std::lock_guard lock(mu_);
  return memory_;
}

void RadioSimulator::SetMemory(const RadioImage& memory) {
  std::lock_guard lock(mu_);
  memory_ = memory;
}

SimLog RadioSimulator::Log() const {
  std::lock_guard lock(mu_);
  return log_;
}

RadioState RadioSimulator::State() const {
  std::lock_guard lock(mu_);
  return state_;
}

std::chrono::steady_clock::time_point RadioSimulator::LastActivity() const {
  std::lock_guard lock(mu_);
  return lastActivity_;
}

bool RadioSimulator::WaitIdle(std::chrono::milliseconds timeout) {
  const auto end = Clock::now() + timeout;
  for (;;) {
    {
      std::lock_guard lock(mu_);
      int pending = 0;
      if (master_ < 0 || ::ioctl(master_, FIONREAD, &pending) != 0) pending = 0;
      if (line_.empty() && pending == 0) return true;
    }
    if (Clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

RadioSimulator::Clock::duration RadioSimulator::ByteTime() const {
  if (!opt_.wireTime) return Clock::duration::zero();
  const unsigned baud = speed_ == 0 ? 9600 : speed_;
  return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(11'000'000'000LL / baud));
}

unsigned RadioSimulator::PcLineSpeed(bool* settingsOk, bool* eight, bool* two, bool* parityOff) const {
  termios tio{};
  if (::tcgetattr(slave_, &tio) != 0) {
    *settingsOk = false;
    return 0;
  }
  *settingsOk = true;
  *eight = (tio.c_cflag & CSIZE) == CS8;
  *two = (tio.c_cflag & CSTOPB) != 0;
  *parityOff = (tio.c_cflag & PARENB) == 0;
  switch (::cfgetospeed(&tio)) {
    case B9600: return 9600;
    case B19200: return 19200;
    default: return 0;
  }
}

void RadioSimulator::QueueRadio(const std::vector<std::uint8_t>& bytes, Clock::time_point ready) {
  for (const auto b : bytes) line_.push_back({false, b, ready});
}

void RadioSimulator::Announce(Clock::time_point now) {
  powerOnAt_ = Clock::time_point::max();
  restartAt_ = Clock::time_point::max();
  if (opt_.silent) {
    state_ = RadioState::Off;
    return;
  }
  state_ = RadioState::AwaitingAnswer;
  speed_ = 9600;
  frame_.clear();
  QueueRadio({'P'}, now);
  nextReadyAt_ = opt_.repeatReadyMs > 0 ? now + std::chrono::milliseconds(opt_.repeatReadyMs)
                                        : Clock::time_point::max();
}

void RadioSimulator::HandleByte(std::uint8_t b, Clock::time_point now) {
  // A byte sent at another speed than the radio listens at arrives garbled: the radio ignores it.
  if (state_ != RadioState::Off && state_ != RadioState::Restarting) {
    bool ok = false, eight = false, two = false, parityOff = false;
    const unsigned pcSpeed = PcLineSpeed(&ok, &eight, &two, &parityOff);
    if (ok && pcSpeed != speed_) {
      ++log_.garbledBytes;
      return;
    }
  }
  switch (state_) {
    case RadioState::Off:
    case RadioState::Restarting:
      return;
    case RadioState::AwaitingAnswer:
      if (b == ' ' || b == '!' || b == '0') {
        log_.speedAnswers.push_back(b);
        nextReadyAt_ = Clock::time_point::max();
        frame_.clear();
        if (b == '0') {
          state_ = RadioState::Alignment;
          speed_ = 9600;
          ++log_.alignmentEntries;
        } else {
          state_ = RadioState::Clone;
          speed_ = b == '!' ? 19200 : 9600;
        }
      }
      return;
    case RadioState::Clone:
    case RadioState::Alignment:
      break;
  }
  if (!frame_.empty() && now - frameLast_ > kFrameGap) frame_.clear();
  frameLast_ = now;
  if (frame_.empty()) {
    if (state_ == RadioState::Clone) {
      if (b == kEnterAlignment) {
        state_ = RadioState::Restarting;
        restartAt_ = now + std::chrono::milliseconds(opt_.restartDelayMs);
        return;
      }
      if (b != kReadBlock && b != kWriteBlock) return;
    } else if (b < 0x30 || b > 0x3B) {
      return;
    }
  }
  frame_.push_back(b);
  if (frame_.size() == 2) {
    const std::uint8_t c = frame_[0], len = frame_[1];
    const bool lengthOk = state_ == RadioState::Clone
                              ? (c == kReadBlock ? len == 0x02 : len == 0x82)
                              : len >= 1;
    if (!lengthOk) {
      ++log_.badFrames;
      frame_.clear();
      return;
    }
  }
  if (frame_.size() >= 2 && frame_.size() == static_cast<std::size_t>(frame_[1]) + 2) {
    if (state_ == RadioState::Clone) HandleCloneFrame(now);
    else HandleAlignmentFrame(now);
    frame_.clear();
  }
}

bool RadioSimulator::InWritePayload() const {
  return state_ == RadioState::Clone && frame_.size() >= 2 && frame_.size() <= 130 && frame_[0] == kWriteBlock &&
         frame_[1] == 0x82;
}

void RadioSimulator::HandleCloneFrame(Clock::time_point now) {
  const std::size_t n = frame_.size();
  if (Sum(frame_, n - 1) != frame_[n - 1]) {
    ++log_.badFrames;
    return;
  }
  const int block = frame_[2];
  if (frame_[0] == kReadBlock) {
    ++log_.readRequests;
    bool ok = false, eight = false, two = false, parityOff = false;
    const unsigned pcSpeed = PcLineSpeed(&ok, &eight, &two, &parityOff);
    log_.readRequestSpeeds.push_back(pcSpeed);
    log_.lineSettingsSeen = ok;
    log_.eightDataBits = eight;
    log_.twoStopBits = two;
    log_.parityOff = parityOff;
    if (block >= kBlocks) {
      ++log_.badFrames;
      return;
    }
    if (opt_.hangUpAtReadRequest > 0 && log_.readRequests == opt_.hangUpAtReadRequest) {
      hangUpRequested_ = true;
      return;
    }
    const int reply = replyCount_++;
    if (opt_.droppedReplies.count(reply)) return;
    const auto frame =
        Frame(kReadBlock, memory_.data() + block * kBlockBytes, kBlockBytes, opt_.badSumReplies.count(reply) > 0);
    if (holding_ && reply >= opt_.holdRepliesFrom) {
      held_.insert(held_.end(), frame.begin(), frame.end());
      return;
    }
    auto ready = now;
    if (opt_.stalledReplies.count(reply)) ready += std::chrono::milliseconds(opt_.stallMs);
    QueueRadio(frame, ready);
    return;
  }
  if (block >= kBlocks) {
    ++log_.badFrames;
    return;
  }
  std::copy(frame_.begin() + 3, frame_.begin() + 3 + kBlockBytes, memory_.begin() + block * kBlockBytes);
  if (block == opt_.corruptWrite.block) memory_[static_cast<std::size_t>(block * kBlockBytes + opt_.corruptWrite.offset)] ^= 0xFF;
  log_.blocksWritten.push_back(block);
  if (opt_.hangUpAfterWrites > 0 && static_cast<int>(log_.blocksWritten.size()) == opt_.hangUpAfterWrites)
    hangUpRequested_ = true;
}

void RadioSimulator::HandleAlignmentFrame(Clock::time_point now) {
  const std::size_t n = frame_.size();
  if (Sum(frame_, n - 1) != frame_[n - 1]) {
    ++log_.badFrames;
    return;
  }
  std::vector<std::uint8_t> logged(frame_.begin(), frame_.end() - 1);
  log_.alignmentFrames.push_back(std::move(logged));
  const std::uint8_t c = frame_[0];
  if (opt_.refusedCommands.count(c)) {
    if (AckedAlignmentCommand(c)) QueueRadio({kNak}, now);
    return;
  }
  if (c == kMeasure) {
    QueueRadio(Frame(kMeasure, opt_.measurement.data(), opt_.measurement.size(), false), now);
  } else if (c == kLeaveAlignment) {
    state_ = RadioState::Restarting;
    restartAt_ = now + std::chrono::milliseconds(opt_.restartDelayMs);
  } else if (AckedAlignmentCommand(c)) {
    QueueRadio({0x06}, now);
  }
}

void RadioSimulator::RefuseAlignmentCommands(std::set<std::uint8_t> commands) {
  std::lock_guard lock(mu_);
  opt_.refusedCommands = std::move(commands);
}

void RadioSimulator::SetMeasurement(const std::array<std::uint8_t, 4>& data) {
  std::lock_guard lock(mu_);
  opt_.measurement = data;
}

void RadioSimulator::Run() {
  // Wake up on time to the microsecond: the pacing of the line depends on it.
  ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  std::vector<std::uint8_t> out;
  std::uint8_t in[4096];
  while (!stop_) {
    auto now = Clock::now();
    Clock::time_point next = Clock::time_point::max();
    {
      std::lock_guard lock(mu_);
      if (powerOffRequested_) {
        powerOffRequested_ = false;
        state_ = RadioState::Off;
        speed_ = 9600;
        frame_.clear();
        everReceived_ = false;
        powerOnAt_ = nextReadyAt_ = restartAt_ = Clock::time_point::max();
        std::erase_if(line_, [](const LineByte& l) { return !l.fromPc; });
      }
      const bool switchingOn = powerOnRequested_ || (state_ == RadioState::Off && now >= powerOnAt_);
      if (switchingOn && opt_.hangUpAtPowerOn) hangUpRequested_ = true;
      if (hangUpRequested_) {
        CloseLine();
        return;
      }
      if (powerOnRequested_) {
        powerOnRequested_ = false;
        Announce(now);
      }
      if (state_ == RadioState::Off && now >= powerOnAt_) Announce(now);
      if (state_ == RadioState::Restarting && now >= restartAt_) Announce(now);
      if (state_ == RadioState::AwaitingAnswer && now >= nextReadyAt_) {
        QueueRadio({'P'}, now);
        nextReadyAt_ = now + std::chrono::milliseconds(opt_.repeatReadyMs);
      }
      out.clear();
      while (!line_.empty()) {
        const LineByte lb = line_.front();
        const auto due = opt_.wireTime ? std::max(lb.ready, lineFree_) + ByteTime() : lb.ready;
        if (due > now) {
          next = std::min(next, due);
          break;
        }
        line_.pop_front();
        if (opt_.wireTime) lineFree_ = due;
        if (lb.fromPc) {
          // A real port's write returns only when its bytes have left the transmitter, and the
          // PC discards the echo of the 129 payload bytes of a write frame, which it sends in one
          // write. A pseudo-terminal takes that write at once, so with wire time their echo is
          // left out: the PC then waits for the echo of the frame's sum as long as it would on a
          // real line.
          const bool discarded = opt_.wireTime && InWritePayload();
          if (opt_.echo && !discarded) out.push_back(lb.value);
          HandleByte(lb.value, due);
        } else {
          out.push_back(lb.value);
        }
        lastActivity_ = now;
        if (opt_.wireTime) {
          // One byte at a time, at its own moment; handed over when the FIFO reaches its trigger
          // level or the line falls idle after it.
          fifo_.insert(fifo_.end(), out.begin(), out.end());
          out.clear();
          const bool more = !line_.empty() && line_.front().ready <= lineFree_;
          if (static_cast<int>(fifo_.size()) >= std::max(1, opt_.fifoTrigger) || !more) out.swap(fifo_);
          break;
        }
      }
      if (hangUpRequested_) {
        CloseLine();
        return;
      }
      if (!line_.empty() && next == Clock::time_point::max()) next = now;  // more bytes due at once
      next = std::min({next, powerOnAt_, restartAt_,
                       state_ == RadioState::AwaitingAnswer ? nextReadyAt_ : Clock::time_point::max()});
    }
    std::size_t done = 0;
    while (done < out.size() && !stop_) {
      const ssize_t n = ::write(master_, out.data() + done, out.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
      } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
        break;
      } else if (n < 0 && errno == EAGAIN) {
        pollfd p{master_, POLLOUT, 0};
        ::poll(&p, 1, 100);
      }
    }

    timespec ts{};
    timespec* timeout = nullptr;
    now = Clock::now();
    if (next != Clock::time_point::max()) {
      const auto left = std::max(next - now, Clock::duration::zero());
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
      ts.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
      ts.tv_nsec = static_cast<long>(ns % 1'000'000'000);
      timeout = &ts;
    }
    pollfd fds[2] = {{master_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    const int r = ::ppoll(fds, 2, timeout, nullptr);
    if (r <= 0) continue;
    if (fds[1].revents & POLLIN) {
      char drain[64];
      while (::read(wakeRead_, drain, sizeof drain) > 0) {
      }
    }
    if (fds[0].revents & POLLIN) {
      const ssize_t n = ::read(master_, in, sizeof in);
      if (n > 0) {
        const auto at = Clock::now();
        std::lock_guard lock(mu_);
        for (ssize_t i = 0; i < n; ++i) line_.push_back({true, in[i], at});
        if (!everReceived_) {
          everReceived_ = true;
          if (state_ == RadioState::Off && opt_.powerOnDelayMs >= 0 && powerOnAt_ == Clock::time_point::max())
            powerOnAt_ = at + std::chrono::milliseconds(opt_.powerOnDelayMs);
        }
      }
    } else if (fds[0].revents & (POLLHUP | POLLERR)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
}

}  // namespace kp53::sim
