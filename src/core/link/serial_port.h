// CSerialPort: the link port over a POSIX serial device (a UART, a USB serial adapter or a
// pseudo-terminal).
#pragma once

#include <string>
#include <utility>

#include "link/link_port.h"

namespace kp53 {

class CSerialPort : public LinkPort {
 public:
  CSerialPort(std::string device, LinkFlags& flags) : LinkPort(flags), device_(std::move(device)) {}
  ~CSerialPort() override { Close(); }

  // Opens the device for reading and writing, exclusively, without making it the controlling
  // terminal; raw 8 data bits, no parity, two stop bits at `baud` (9600 or 19200), no flow
  // control, DTR and RTS raised. A device that does not answer the modem-control or error-counter
  // requests (a pseudo-terminal) still opens; it then never reports line errors.
  // Input that arrived before the open (the end of a reply to an earlier program) is discarded.
  bool Open(unsigned baud) override;
  // Waits until the output has left, then sets the new speed on the same descriptor: the device
  // stays locked for the whole transfer.
  bool SetSpeed(unsigned baud) override;
  // Drops DTR, discards both queues and releases the device.
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }
  bool Lost() const override { return lost_; }
  std::string FailureReason() const override { return reason_; }
  bool AccessRefused() const override { return accessRefused_; }
  void PurgeReceive() override;

  const std::string& Device() const { return device_; }
  unsigned BaudRate() const { return baud_; }

 protected:
  bool WriteRaw(const std::uint8_t* buffer, std::size_t count) override;
  long ReadRaw(std::uint8_t* buffer, std::size_t count) override;
  unsigned TakeLineErrors() override;

 private:
  struct Counters {
    int frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
  };
  bool ReadCounters(Counters& out) const;
  bool ApplySpeed(unsigned baud);
  // Notes errno's text as the failure reason and answers false.
  bool Fail();
  // A hang-up or I/O error: nothing more will pass.
  void MarkLost(const char* reason);

  std::string device_;
  int fd_ = -1;
  unsigned baud_ = 0;
  bool countersSupported_ = false;
  bool lost_ = false;
  bool accessRefused_ = false;
  std::string reason_;
  Counters last_{};
};

}  // namespace kp53
