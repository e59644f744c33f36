#include "link/link_port.h"

namespace kp53 {

bool LinkPort::Write(const std::uint8_t* buffer, std::size_t count) {
  if (count > kMaxWriteSize || !IsOpen()) return false;
  if (count == 0) return true;
  return WriteRaw(buffer, count);
}

bool LinkPort::WriteEcho(std::uint8_t* buffer, std::size_t count) {
  if (!Write(buffer, count)) return false;
  if (count >= kEchoDiscardSize) {
    PurgeReceive();
    return true;
  }
  if (count == 0) return true;
  return Read(buffer, count) == kReadOk;
}

int LinkPort::CheckLineErrors() {
  const unsigned mask = TakeLineErrors();
  if (mask == 0) return kReadOk;
  const bool onlyBreak = mask == line::kBreak;
  const bool toleratedFraming =
      flags_.tolerateFramingErrors && (mask & ~(line::kFraming | line::kBreak)) == 0;
  if (onlyBreak || toleratedFraming) {
    PurgeReceive();
    flags_.lineErrorSeen = true;
    return kReadFailed;
  }
  return kReadLineError;
}

int LinkPort::ReadByte(std::uint8_t* buffer, int& got) {
  got = 0;
  if (!IsOpen()) return kReadFailed;
  if (const int e = CheckLineErrors(); e != kReadOk) return e;
  const long n = ReadRaw(buffer, 1);
  if (n < 0) return kReadFailed;
  got = n > 0 ? 1 : 0;
  return kReadOk;
}

int LinkPort::Read(std::uint8_t* buffer, std::size_t count) {
  if (!IsOpen()) return kReadFailed;
  if (const int e = CheckLineErrors(); e != kReadOk) return e;
  if (count == 0) return kReadOk;
  const long n = ReadRaw(buffer, count);
  return n == static_cast<long>(count) ? kReadOk : kReadFailed;
}

}  // namespace kp53
