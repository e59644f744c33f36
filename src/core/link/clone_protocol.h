// The clone protocol: moves the radio's whole memory, 61 blocks of 128 bytes, between the PC and
// the radio over the programming cable.
//
// Frame: command, length (payload bytes + 1), payload, sum of command, length and payload modulo
// 256. Read request 0xF2 0x02 block; read reply 0xF2 0x81 and 128 bytes; write frame 0xF3 0x82
// block and 128 bytes (not answered). After power-on the radio announces "P" and waits for the
// speed answer: " " for 9600 bit/s, "!" for 19200 bit/s; the handshake runs at 9600 bit/s.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "image/radio_data.h"
#include "link/link_slot.h"
#include "ports.h"

namespace kp53 {

constexpr int kBlockCount = 61;
constexpr int kBlockSize = 128;
constexpr std::uint8_t kCmdReadBlock = 0xF2;
constexpr std::uint8_t kCmdWriteBlock = 0xF3;
constexpr std::uint8_t kReadRequestLength = 0x02;
constexpr std::uint8_t kReadReplyLength = 0x81;
constexpr std::uint8_t kWriteFrameLength = 0x82;
constexpr std::uint8_t kRadioReady = 'P';
constexpr std::uint8_t kAnswer9600 = ' ';
constexpr std::uint8_t kAnswer19200 = '!';
constexpr std::uint8_t kAck = 0x06;
constexpr int kMaxTransferErrors = 20;  // the 21st error fails the transfer

// The sum byte of a frame.
std::uint8_t FrameSum(std::uint8_t command, std::uint8_t length, const std::uint8_t* payload, std::size_t count);

// A run of image offsets, both ends included.
struct ByteRange {
  std::size_t first;
  std::size_t last;
};

// The gauge's status while the radio is read back after a Download.
constexpr const char* kVerifyingStatus = "Verifying";

// The image bytes that a Download takes from the radio (`radio`) by the merge rule below.
std::vector<ByteRange> RadioOwnedRanges(const RadioImage& radio, bool maintenanceMode, bool marketingEdited);

// Replaces the radio-owned bytes of `image` with the radio's (`radio`) before a Download:
// identity number always; in user mode the alignment data, factory data and serial number; in
// maintenance mode the alignment data except 7686-7687 unless the radio is unaligned (7688 and
// 7689 both 0xFF), and the market application, factory data and serial number unless
// `marketingEdited`, which is then cleared.
void MergeRadioOwnedBytes(RadioImage& image, const RadioImage& radio, bool maintenanceMode, bool& marketingEdited);

// The offsets at which the radio's memory as read back differs from what was written, leaving out
// the `skipped` ranges.
std::vector<std::size_t> DifferingBytes(const RadioImage& written, const RadioImage& readBack,
                                        const std::vector<ByteRange>& skipped);

class CloneProtocol {
 public:
  CloneProtocol(LinkSlot& slot, LinkContext& context, ProgressSink& sink, UserPrompt& prompt,
                const CancelToken& cancel)
      : slot_(slot), ctx_(context), sink_(sink), prompt_(prompt), cancel_(cancel) {}

  // Byte level. SendByte: 0 sent and echoed, 1 failure. ReceiveByte: 0 a byte arrived, 2 none did.
  int SendByte(std::uint8_t b);
  int ReceiveByte(std::uint8_t& b);

  // Frame level. SendFrame: 0 success, 1 send failure, 2 no acknowledgement, 3 wrong
  // acknowledgement; `pause` waits 100 ms first. ReceiveFrame: 0 success, 1 bad frame, 2 timeout.
  int SendFrame(std::uint8_t command, std::uint8_t length, const std::uint8_t* payload, bool waitAck, bool pause);
  int ReceiveFrame(std::uint8_t command, std::uint8_t length, std::uint8_t* out);
  // 0 success, 1 send failure or bad reply, 2 timeout.
  int ReadBlock(int block, std::uint8_t* out);
  bool WriteBlock(int block, const std::uint8_t* data);

  // Transfer level; each advances `progress` and reports it. False after a failure (reported
  // here with its message) or a cancel (silent).
  bool ReadRadio(RadioImage& buffer, int& progress, bool forDownload);
  bool WriteRadio(const RadioImage& source, int& progress, const RadioImage& reference);
  // The whole Download of `data`'s image: read the radio into `copy`, check the hardware
  // configuration, merge the radio-owned bytes, normalise, write the blocks that differ and block 60.
  bool DownloadRadio(RadioData& data, RadioImage& copy, int& progress);
  // After a Download: reads the radio again (it still answers read requests, so no handshake) into
  // `readBack`, the gauge saying "Verifying", and lists in `differing` the offsets at which it
  // differs from `written`, leaving out the bytes that Download took from the radio. False after
  // a failure (reported) or a cancel.
  bool ReadBack(const RadioImage& written, RadioImage& readBack, int& progress, std::vector<std::size_t>& differing);

  // The protocol's pauses (2 ms, 30 ms, 100 ms) go through this; by default the thread sleeps.
  // Tools that drive the protocol against an in-process port without a line may skip them.
  using PauseFunction = std::function<void(std::chrono::milliseconds)>;
  void SetPauseFunction(PauseFunction pause) { pause_ = std::move(pause); }

  // True after a failed or cancelled write that had begun sending blocks: the radio then holds a
  // mix of old and new blocks under a checksum that fits neither.
  bool RadioIncomplete() const { return radioIncomplete_; }
  // True when the wait for the radio's "P" ended at the context's limit (no message was shown).
  bool PowerOnWaitExpired() const { return powerOnWaitExpired_; }

 private:
  bool Cancelled() const { return cancel_.Requested(); }
  // Sets the line speed: opens the port when it is closed, otherwise changes the speed of the open
  // port, so that nobody can take the device between the handshake and the data phase. Failure:
  // message 80.
  bool SetLineSpeed(unsigned baud);
  // The port reported a hang-up or an I/O error.
  bool PortLost();
  // Reports a lost port: message 81 while the radio is being reached, message 80 afterwards.
  bool ReportLostPort(bool handshake);
  void Advance(int& progress, int units);
  void Pause(std::chrono::milliseconds ms) const;
  std::uint8_t SpeedAnswer() const { return ctx_.speedIndex == 1 ? kAnswer19200 : kAnswer9600; }

  LinkSlot& slot_;
  LinkContext& ctx_;
  ProgressSink& sink_;
  UserPrompt& prompt_;
  const CancelToken& cancel_;
  PauseFunction pause_;
  bool radioIncomplete_ = false;
  bool powerOnWaitExpired_ = false;
  bool readingBack_ = false;
  std::vector<ByteRange> radioOwned_;  // what the last Download took from the radio
};

}  // namespace kp53
