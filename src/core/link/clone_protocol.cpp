#include "link/clone_protocol.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace kp53 {

namespace {

constexpr int kMsgPortProblem = 80;
constexpr int kMsgCheckLead = 81;
constexpr int kMsgUploadError = 82;
constexpr int kMsgDownloadError = 84;
constexpr int kMsgHardwareMismatch = 87;
constexpr int kStatusPleaseWait = 95;
constexpr int kStatusSwitchUpload = 122;
constexpr int kStatusSwitchDownload = 123;

constexpr auto kWritePause = std::chrono::milliseconds(100);
constexpr auto kAfterReadRequest = std::chrono::milliseconds(2);
constexpr auto kAfterWriteBlock = std::chrono::milliseconds(30);

void CopyRange(RadioImage& to, const RadioImage& from, std::size_t first, std::size_t last) {
  std::copy(from.begin() + static_cast<long>(first), from.begin() + static_cast<long>(last) + 1,
            to.begin() + static_cast<long>(first));
}

}  // namespace

std::uint8_t FrameSum(std::uint8_t command, std::uint8_t length, const std::uint8_t* payload, std::size_t count) {
  unsigned sum = command + length;
  for (std::size_t i = 0; i < count; ++i) sum += payload[i];
  return static_cast<std::uint8_t>(sum & 0xFF);
}

std::vector<ByteRange> RadioOwnedRanges(const RadioImage& radio, bool maintenanceMode, bool marketingEdited) {
  std::vector<ByteRange> out{{0, 1}};  // identity number
  if (!maintenanceMode) {
    out.push_back({7678, 7711});  // alignment data
    out.push_back({7717, 7724});  // factory data and serial number
    return out;
  }
  const bool unaligned = radio[7688] == 0xFF && radio[7689] == 0xFF;
  if (!unaligned) {
    out.push_back({7678, 7685});
    out.push_back({7688, 7711});
  }
  if (!marketingEdited) out.push_back({7715, 7724});  // market application, factory data, serial number
  return out;
}

void MergeRadioOwnedBytes(RadioImage& image, const RadioImage& radio, bool maintenanceMode, bool& marketingEdited) {
  for (const ByteRange& r : RadioOwnedRanges(radio, maintenanceMode, marketingEdited))
    CopyRange(image, radio, r.first, r.last);
  if (maintenanceMode) marketingEdited = false;
}

std::vector<std::size_t> DifferingBytes(const RadioImage& written, const RadioImage& readBack,
                                        const std::vector<ByteRange>& skipped) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] == readBack[i]) continue;
    const bool skip = std::any_of(skipped.begin(), skipped.end(), [i](const ByteRange& r) { return i >= r.first && i <= r.last; });
    if (!skip) out.push_back(i);
  }
  return out;
}

void CloneProtocol::Pause(std::chrono::milliseconds ms) const {
  if (pause_) pause_(ms);
  else std::this_thread::sleep_for(ms);
}

int CloneProtocol::SendByte(std::uint8_t b) {
  std::uint8_t buf = b;
  return slot_.Port().WriteEcho(&buf, 1) ? 0 : 1;
}

int CloneProtocol::ReceiveByte(std::uint8_t& b) {
  int got = 0;
  const int r = slot_.Port().ReadByte(&b, got);
  return (r == kReadOk && got == 1) ? 0 : 2;
}

int CloneProtocol::SendFrame(std::uint8_t command, std::uint8_t length, const std::uint8_t* payload, bool waitAck,
                             bool pause) {
  if (pause) Pause(kWritePause);
  LinkPort& port = slot_.Port();
  port.PurgeReceive();
  const std::size_t count = length > 0 ? static_cast<std::size_t>(length - 1) : 0;
  const std::uint8_t sum = FrameSum(command, length, payload, count);
  if (SendByte(command) != 0 || SendByte(length) != 0) return 1;
  if (count > 0) {
    // The echo comes back into this copy, not into the caller's bytes.
    std::uint8_t copy[256];
    std::memcpy(copy, payload, count);
    if (!port.WriteEcho(copy, count)) return 1;
  }
  if (SendByte(sum) != 0) return 1;
  if (!waitAck) return 0;
  std::uint8_t reply = 0;
  for (int tries = 0; tries < 3; ++tries) {
    if (ReceiveByte(reply) == 0) return reply == kAck ? 0 : 3;
  }
  return 2;
}

int CloneProtocol::ReceiveFrame(std::uint8_t command, std::uint8_t length, std::uint8_t* out) {
  std::uint8_t b = 0;
  if (ReceiveByte(b) != 0) return 2;
  if (b != command) return 1;
  if (ReceiveByte(b) != 0) return 2;
  if (b != length) return 1;
  unsigned sum = static_cast<unsigned>(command) + length;
  for (int i = 0; i + 1 < length; ++i) {
    if (ReceiveByte(b) != 0) return 2;
    out[i] = b;
    sum += b;
  }
  if (ReceiveByte(b) != 0) return 2;
  return b == static_cast<std::uint8_t>(sum & 0xFF) ? 0 : 1;
}

int CloneProtocol::ReadBlock(int block, std::uint8_t* out) {
  const std::uint8_t b = static_cast<std::uint8_t>(block);
  if (SendFrame(kCmdReadBlock, kReadRequestLength, &b, false, false) == 1) return 1;
  return ReceiveFrame(kCmdReadBlock, kReadReplyLength, out);
}

bool CloneProtocol::WriteBlock(int block, const std::uint8_t* data) {
  std::uint8_t payload[1 + kBlockSize];
  payload[0] = static_cast<std::uint8_t>(block);
  std::memcpy(payload + 1, data, kBlockSize);
  return SendFrame(kCmdWriteBlock, kWriteFrameLength, payload, false, true) != 1;
}

bool CloneProtocol::SetLineSpeed(unsigned baud) {
  const bool ok = slot_.HasPort() && slot_.Port().IsOpen() ? slot_.Port().SetSpeed(baud) : slot_.Replace().Open(baud);
  if (ok) return true;
  prompt_.Error(kMsgPortProblem);
  return false;
}

bool CloneProtocol::PortLost() { return slot_.HasPort() && slot_.Port().Lost(); }

bool CloneProtocol::ReportLostPort(bool handshake) {
  if (handshake) prompt_.Error(kMsgCheckLead, ctx_.portName);
  else prompt_.Error(kMsgPortProblem);
  return false;
}

void CloneProtocol::Advance(int& progress, int units) {
  progress += units;
  sink_.SetPosition(progress);
}

bool CloneProtocol::ReadRadio(RadioImage& buffer, int& progress, bool forDownload) {
  LinkFlags& flags = slot_.Flags();
  if (Cancelled()) return false;
  flags.tolerateFramingErrors = true;
  if (!SetLineSpeed(ctx_.Baud())) return false;

  // A radio that already answers read requests (still in clone mode) needs no handshake.
  std::uint8_t scratch[kBlockSize];
  if (ReadBlock(0, scratch) != 0) {
    if (PortLost()) return ReportLostPort(true);
    if (!SetLineSpeed(9600)) return false;
    slot_.Port().PurgeReceive();
    std::uint8_t first = 0;
    const bool arrived = ReceiveByte(first) == 0;
    bool answered = false;
    if (arrived && first == kRadioReady) {
      if (SendByte(SpeedAnswer()) != 0) {
        sink_.SetStatus(forDownload ? kStatusSwitchDownload : kStatusSwitchUpload);
        prompt_.Error(kMsgCheckLead, ctx_.portName);
        return false;
      }
      if (Cancelled()) return false;
      answered = true;
    }
    if (!answered) {
      sink_.SetStatus(forDownload ? kStatusSwitchDownload : kStatusSwitchUpload);
      // No byte at all: wait for the radio to be switched on. Any other byte: answer at once.
      bool wait = !arrived;
      const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(ctx_.powerOnWaitSeconds);
      for (;;) {
        while (wait) {
          std::uint8_t b = 0;
          int got = 0;
          if (slot_.Port().ReadByte(&b, got) == kReadOk && got == 1 && b == kRadioReady) break;
          if (PortLost()) return ReportLostPort(true);
          if (Cancelled()) return false;
          if (ctx_.powerOnWaitSeconds > 0 && std::chrono::steady_clock::now() >= limit) {
            powerOnWaitExpired_ = true;
            return false;
          }
        }
        flags.lineErrorSeen = false;
        if (SendByte(SpeedAnswer()) == 0) break;
        if (!flags.lineErrorSeen) {
          prompt_.Error(kMsgCheckLead, ctx_.portName);
          return false;
        }
        wait = true;  // the radio was switched off and on again: answer its next "P"
      }
      if (Cancelled()) return false;
    }
  }

  // Data phase at the configured speed.
  flags.tolerateFramingErrors = false;
  Advance(progress, 1);
  if (readingBack_) sink_.SetStatusText(kVerifyingStatus);
  else sink_.SetStatus(kStatusPleaseWait);
  if (!SetLineSpeed(ctx_.Baud())) return false;
  Advance(progress, 1);
  int errors = 0;
  for (int block = 0; block < kBlockCount;) {
    if (Cancelled()) return false;
    const int r = ReadBlock(block, buffer.data() + static_cast<std::size_t>(block) * kBlockSize);
    if (r == 0) {
      Advance(progress, kBlockSize);
      ++block;
    } else if (PortLost()) {
      return ReportLostPort(false);
    } else if (r == 1) {
      if (++errors > kMaxTransferErrors) {
        prompt_.Error(kMsgUploadError);
        return false;
      }
    }
    Pause(kAfterReadRequest);
  }
  return true;
}

bool CloneProtocol::WriteRadio(const RadioImage& source, int& progress, const RadioImage& reference) {
  radioIncomplete_ = false;
  if (slot_.HasPort()) slot_.Port().PurgeReceive();
  Advance(progress, 1);
  sink_.SetStatus(kStatusPleaseWait);
  if (!SetLineSpeed(ctx_.Baud())) return false;
  Advance(progress, 3);
  int errors = 0;
  // Once a block frame has gone out, every end but success leaves the radio half written.
  bool sending = false;
  const auto stop = [&] {
    radioIncomplete_ = sending;
    return false;
  };
  for (int block = 0; block < kBlockCount;) {
    if (Cancelled()) return stop();
    const auto first = static_cast<std::size_t>(block) * kBlockSize;
    const bool unchanged = block != kBlockCount - 1 &&
                           std::equal(source.begin() + static_cast<long>(first),
                                      source.begin() + static_cast<long>(first + kBlockSize),
                                      reference.begin() + static_cast<long>(first));
    if (!unchanged) sending = true;
    if (unchanged || WriteBlock(block, source.data() + first)) {
      Advance(progress, kBlockSize);
      errors = 0;
      ++block;
    } else if (PortLost()) {
      ReportLostPort(false);
      return stop();
    } else if (++errors > kMaxTransferErrors) {
      prompt_.Error(kMsgDownloadError);
      return stop();
    }
    Pause(kAfterWriteBlock);
  }
  return true;
}

bool CloneProtocol::DownloadRadio(RadioData& data, RadioImage& copy, int& progress) {
  if (Cancelled()) return false;
  if (!ReadRadio(copy, progress, true)) return false;
  Advance(progress, 1);
  if (Cancelled()) return false;

  const auto hw = static_cast<long>(off::kHardwareConfig);
  if (!std::equal(data.image.begin() + hw, data.image.begin() + hw + static_cast<long>(off::kHardwareConfigSize),
                  copy.begin() + hw)) {
    if (!ctx_.maintenanceMode) {
      prompt_.Message(kMsgHardwareMismatch, Icon::Stop, Buttons::Ok);
      return false;
    }
    if (prompt_.Message(kMsgHardwareMismatch, Icon::Stop, Buttons::OkCancel) != Answer::Ok) return false;
  }
  if (Cancelled()) return false;

  NormalizeImage(data);
  radioOwned_ = RadioOwnedRanges(copy, ctx_.maintenanceMode, ctx_.marketingEdited);
  MergeRadioOwnedBytes(data.image, copy, ctx_.maintenanceMode, ctx_.marketingEdited);
  ReloadAreas(data);
  NormalizeImage(data);

  if (Cancelled()) return false;
  Advance(progress, 1);
  return WriteRadio(data.image, progress, copy);
}

bool CloneProtocol::ReadBack(const RadioImage& written, RadioImage& readBack, int& progress,
                             std::vector<std::size_t>& differing) {
  differing.clear();
  if (Cancelled()) return false;
  sink_.SetStatusText(kVerifyingStatus);
  readingBack_ = true;
  const bool ok = ReadRadio(readBack, progress, true);
  readingBack_ = false;
  if (!ok) return false;
  differing = DifferingBytes(written, readBack, radioOwned_);
  return true;
}

}  // namespace kp53
