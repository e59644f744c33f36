// The alignment mode's link side: entering the radio's alignment state (the entry read, the
// restart byte 0x38, the "0" answer, channel 0), the live commands 0x30-0x3B that tune the radio to
// a channel and hand it each item's value, and leaving it (0x38, the speed answer, the
// "Overwrite original data" question and the write-back of the changed blocks).
//
// Everything here runs on the caller's thread except the two clone transfers, which go through a
// gauge runner: the window runs them on its worker thread behind the progress gauge, the tests
// run them in place.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "image/radio_data.h"
#include "link/clone_protocol.h"
#include "link/clone_worker.h"
#include "link/link_slot.h"
#include "ports.h"

namespace kp53 {

namespace alignment {
constexpr std::uint8_t kTune = 0x30;          // channel index; acknowledged
constexpr std::uint8_t kMeasure = 0x31;       // answered by frame 0x31 with four data bytes
constexpr std::uint8_t kPowerOrRx = 0x32;     // value of item 0 (while adjusting) or item 6
constexpr std::uint8_t kDeviation = 0x33;     // items 2 and 3
constexpr std::uint8_t kCtcss = 0x34;         // item 4 value, tone in tenths of Hz (2 bytes)
constexpr std::uint8_t kDcs = 0x35;           // item 4 value, DCS code (2 bytes)
constexpr std::uint8_t kStartAdjust = 0x36;
constexpr std::uint8_t kEndAdjust = 0x37;
constexpr std::uint8_t kLeave = 0x38;         // a frame; as a single byte in clone mode: restart
constexpr std::uint8_t kRfFrequency = 0x39;   // item 5
constexpr std::uint8_t kDtmf = 0x3A;          // item 7 value, 1
constexpr std::uint8_t kMic = 0x3B;           // item 1
constexpr std::uint8_t kAlignmentAnswer = '0';  // the PC's answer to "P" for the alignment state
constexpr std::uint8_t kMeasureLength = 5;
}  // namespace alignment

constexpr int kMsgAlignmentCaution = 110;
constexpr int kAlignmentEntryTries = 30;

// Gauge modes of the two alignment transfers.
constexpr int kGaugeAlignmentRead = 2;
constexpr int kGaugeAlignmentWrite = 3;


// One alignment session: the document's data, the link and the state the mode keeps.
class AlignmentSession {
 public:
  using Worker = std::function<void(ProgressSink&, UserPrompt&, const CancelToken&)>;
  // Runs a clone transfer behind the gauge in `mode`; true when the worker ended it (not Cancel).
  using GaugeRunner = std::function<bool(int mode, const Worker& worker)>;
  using PauseFunction = CloneProtocol::PauseFunction;

  AlignmentSession(RadioData& data, LinkSlot& slot, LinkContext& context, UserPrompt& prompt, GaugeRunner runGauge);

  // The protocol's pauses (10 ms, 100 ms, 200 ms, 1500 ms); by default the thread sleeps.
  void SetPauseFunction(PauseFunction pause) { pause_ = std::move(pause); }

  // The caution (message 110), the entry read behind the gauge, the restart into the alignment
  // state and channel 0. True when the radio is in its alignment state.
  bool EnterAlignment();
  // 0x38, the speed answer to the radio's "P", and when values were stored the question
  // "Overwrite original data" and the write-back behind the gauge.
  void LeaveAlignment();

  // Tunes the radio to channel `c` (0-based) and sends its receive sensitivity and RF frequency
  // values. False when a command failed; the current channel then stays as it was.
  bool SelectChannel(int c);
  int Channel() const { return channel_; }

  // Before the slider dialog of `item` (0 to 7): for every item but 6, 0x36 and then the current
  // values of the items the radio needs for the adjustment. True when the 0x36 start succeeded
  // (item 6 needs none and gives true).
  bool BeginAdjust(int item);
  // A slider move of `item` to `p`: the item's command(s). `started` is BeginAdjust's answer.
  // False when a command failed.
  bool SendMove(int item, int p, bool started);
  // After the slider dialog, OK or Cancel: 0x37.
  bool EndAdjust();
  // Up to three measurement requests 100 ms apart; true with the four data bytes of the answer.
  bool Measure(std::array<std::uint8_t, 4>& out);

  // Stores an item's value for the current channel and notes that the alignment data changed.
  void StoreValue(int item, int v);
  int Value(int item) const;

  bool AlignmentChanged() const { return changed_; }
  void ClearAlignmentChanged() { changed_ = false; }
  // The document counts as loaded from the radio (set at entry and after a write-back).
  bool FileLoaded() const { return fileLoaded_; }
  bool HasCopy() const { return hasCopy_; }
  const RadioImage& Copy() const { return copy_; }

  // One alignment command frame, its payload bytes sent one at a time with their echoes; with
  // `ack` the radio must answer 0x06. 0 success, 1 send failure, 2 no answer, 3 wrong answer.
  int SendCommand(std::uint8_t command, std::initializer_list<std::uint8_t> payload, bool ack);

 private:
  CloneProtocol Protocol();
  void Pause(std::chrono::milliseconds ms) const;
  bool SendOk(std::uint8_t command, std::initializer_list<std::uint8_t> payload) {
    return SendCommand(command, payload, true) == 0;
  }
  bool SendSubAudio(int value);
  std::uint8_t V(int item) const { return static_cast<std::uint8_t>(Value(item)); }
  void FreeCopy() { hasCopy_ = false; }

  RadioData& data_;
  LinkSlot& slot_;
  LinkContext& ctx_;
  UserPrompt& prompt_;
  GaugeRunner runGauge_;
  PauseFunction pause_;
  NullProgressSink nullSink_;
  CancelToken neverCancelled_;
  RadioImage copy_{};
  bool hasCopy_ = false;
  int channel_ = 0;
  bool changed_ = false;
  bool fileLoaded_ = false;
};

}  // namespace kp53
