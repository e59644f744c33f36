// The link to the radio: the byte-level port that the clone protocol and the alignment mode use.
//
// LinkPort carries the semantics every port shares (the 4096-byte write limit, the echo handling
// of the programming cable, the line-error check before each read with its result codes); the
// concrete ports supply the device primitives: CSerialPort over termios, and in-process fakes in
// the tests and the fuzz target.
#pragma once

#include <string>

#include <cstddef>
#include <cstdint>

namespace kp53 {

// Flags shared by every port the link slot holds over one operation (they survive a port being
// replaced).
struct LinkFlags {
  // While true a framing error on the line is discarded like a break instead of failing the read;
  // the clone handshake sets it while it waits for the radio.
  bool tolerateFramingErrors = false;
  // Set whenever a read discards the receive buffer because of a break or a tolerated framing
  // error; the clone handshake clears and tests it.
  bool lineErrorSeen = false;
};

// Line errors, one bit each.
namespace line {
constexpr unsigned kRxOverflow = 0x01;
constexpr unsigned kOverrun = 0x02;
constexpr unsigned kParity = 0x04;
constexpr unsigned kFraming = 0x08;
constexpr unsigned kBreak = 0x10;
}  // namespace line

// Results of ReadByte and Read.
constexpr int kReadOk = 0;
constexpr int kReadLineError = 1;
constexpr int kReadFailed = 2;  // failed call, timeout with fewer bytes, or a discarded break

constexpr std::size_t kMaxWriteSize = 4096;
constexpr std::size_t kEchoDiscardSize = 128;  // WriteEcho of this many bytes or more skips the echo

// Read timeouts: a read of n bytes gives up after 500 + 5 x n ms in all, or after a gap of 100 ms
// between two bytes.
constexpr int kReadIntervalMs = 100;
constexpr int kReadTotalConstantMs = 500;
constexpr int kReadTotalPerByteMs = 5;
// Write timeouts.
constexpr int kWriteTotalConstantMs = 5000;
constexpr int kWriteTotalPerByteMs = 100;

class LinkPort {
 public:
  explicit LinkPort(LinkFlags& flags) : flags_(flags) {}
  virtual ~LinkPort() = default;
  LinkPort(const LinkPort&) = delete;
  LinkPort& operator=(const LinkPort&) = delete;

  // Opens at `baud` (9600 or 19200) with 8 data bits, no parity, two stop bits. When the port is
  // already open this succeeds at once and the speed stays what it was.
  virtual bool Open(unsigned baud) = 0;
  // Changes the speed of the open port once the bytes written have left, without letting go of
  // the device; input received at the old speed is discarded. False when the port is not open or
  // the speed cannot be set.
  virtual bool SetSpeed(unsigned baud) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // True once the device reported a hang-up or an I/O error (an adapter unplugged, the far side
  // of a pseudo-terminal closed): nothing more will pass, and waiting for the radio is pointless.
  virtual bool Lost() const { return false; }
  // What the operating system said when the port last failed to open, change speed or carry
  // data ("Permission denied", "in use by another program"); empty when nothing failed.
  virtual std::string FailureReason() const { return {}; }
  // True when the last failure to open was the system refusing access (the user is not in the
  // group that owns the device); FailureReason then says so.
  virtual bool AccessRefused() const { return false; }
  // Discards pending input.
  virtual void PurgeReceive() = 0;

  // Writes the bytes; refuses (sending nothing) more than 4096. True when all were sent.
  bool Write(const std::uint8_t* buffer, std::size_t count);
  // Write, then handle the cable's echo: below 128 bytes read exactly `count` bytes back into
  // `buffer` (true only when they all arrived); from 128 bytes on discard the receive side instead.
  // The echo is not compared with what was sent.
  bool WriteEcho(std::uint8_t* buffer, std::size_t count);
  // Reads at most one byte. 0 when the read call succeeded (`got` 1 when a byte arrived, 0 after
  // the timeout), 1 for a line error, 2 when the call failed or a break was discarded.
  int ReadByte(std::uint8_t* buffer, int& got);
  // Reads exactly `count` bytes. 0 when they all arrived, 1 for a line error, 2 otherwise.
  int Read(std::uint8_t* buffer, std::size_t count);

  LinkFlags& Flags() { return flags_; }

 protected:
  // Sends the bytes; true when all were sent within the write timeouts.
  virtual bool WriteRaw(const std::uint8_t* buffer, std::size_t count) = 0;
  // Reads up to `count` bytes within the read timeouts; the count read, or -1 when the call failed.
  virtual long ReadRaw(std::uint8_t* buffer, std::size_t count) = 0;
  // The line errors (line::k* bits) seen since the last call, and clears them.
  virtual unsigned TakeLineErrors() = 0;

 private:
  // 0 to go on reading, otherwise the read's result.
  int CheckLineErrors();

  LinkFlags& flags_;
};

}  // namespace kp53
