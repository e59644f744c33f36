// The radio's side of the programming cable, on a pseudo-terminal: a simulated HT-620A Series
// radio for tests, benchmarks and trying the program without hardware.
//
// The simulator echoes every byte the PC sends, as the cable does. After a simulated power-on it
// announces "P" and takes the speed answer (" " 9600 bit/s, "!" 19200 bit/s, "0" alignment
// state); in clone mode it answers read requests and stores write frames; in the alignment state
// it acknowledges the alignment commands and answers the measurement request. Faults can be
// injected, and every byte it sends can be paced at the selected line speed (11 bits per byte).
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "image/radio_image.h"

namespace kp53::sim {

struct SimOptions {
  RadioImage memory{};
  // Power-on: this long after the first byte the PC sends (the user switching the radio on when
  // asked). Negative: only when PowerOn() is called.
  int powerOnDelayMs = 300;
  // Announce "P" again this often until it is answered; 0 announces once.
  int repeatReadyMs = 0;
  // Start already in clone mode at `cloneBaud`, answering read requests at once.
  bool startInCloneMode = false;
  unsigned cloneBaud = 9600;
  // Delay of the restart after the 0x38 alignment byte and after leaving the alignment state.
  int restartDelayMs = 100;

  // Faults. Replies are numbered from 0 in the order the read requests arrive.
  std::set<int> badSumReplies;   // replies sent with a wrong sum
  std::set<int> droppedReplies;  // requests left unanswered
  std::set<int> stalledReplies;  // replies delayed by stallMs
  int stallMs = 0;
  bool silent = false;  // never says "P"
  bool echo = true;     // false: the cable is unplugged from the radio and nothing comes back
  // Replies from this number on are held back until ReleaseHeldReplies(); negative holds none.
  int holdRepliesFrom = -1;
  // The line goes dead (the simulator closes its side, as an unplugged adapter does): at the
  // moment the radio would switch on, at the arrival of read request n (counted from 1, left
  // unanswered), or after write frame n has been stored. 0 for never.
  bool hangUpAtPowerOn = false;
  int hangUpAtReadRequest = 0;
  int hangUpAfterWrites = 0;
  // A radio whose memory keeps a wrong byte: each time block `block` is written, its byte
  // `offset` (0 to 127) is stored inverted. Negative block: no such fault.
  struct CorruptWrite {
    int block = -1;
    int offset = 0;
  } corruptWrite;

  // Pace every byte sent at the current line speed, 11 bits per byte.
  bool wireTime = false;
  // With wire time: hand the bytes over in groups of up to this many, as a UART's receive FIFO
  // does, the last byte of a burst at its own moment. 1 hands over every byte alone.
  int fifoTrigger = 8;

  // The four data bytes of the alignment measurement frame.
  std::array<std::uint8_t, 4> measurement{0x12, 0x34, 0x56, 0x78};
  // Alignment commands the radio refuses: it answers 0x15 instead of 0x06 (a measurement request
  // in this set is left unanswered). RefuseAlignmentCommands() changes the set while it runs.
  std::set<std::uint8_t> refusedCommands;
};

// What the simulator received.
struct SimLog {
  std::vector<int> blocksWritten;          // block numbers of accepted write frames, in order
  std::vector<std::uint8_t> speedAnswers;  // answers to "P"
  int readRequests = 0;                    // answered or not
  std::vector<unsigned> readRequestSpeeds; // the PC's line speed (bit/s) at each read request
  int badFrames = 0;                       // frames from the PC with a wrong sum or length
  int garbledBytes = 0;                    // bytes the PC sent at another speed than the radio's
  bool lineSettingsSeen = false;           // the PC's line settings at the last read request:
  bool eightDataBits = false, twoStopBits = false, parityOff = false;
  std::vector<std::vector<std::uint8_t>> alignmentFrames;  // command, length, payload
  int alignmentEntries = 0;
};

enum class RadioState { Off, AwaitingAnswer, Clone, Restarting, Alignment };

// The memory of a radio fresh from the factory floor: built-in defaults with its own identity,
// serial number, factory data and alignment bytes, and the checksum.
RadioImage DefaultRadioMemory();

class RadioSimulator {
 public:
  explicit RadioSimulator(SimOptions options);
  ~RadioSimulator();
  RadioSimulator(const RadioSimulator&) = delete;
  RadioSimulator& operator=(const RadioSimulator&) = delete;

  // Creates the pseudo-terminal and starts serving it. False with `error` filled on failure.
  bool Start(std::string* error = nullptr);
  void Stop();
  // The device the PC opens.
  const std::string& DevicePath() const { return device_; }
  // Creates a symbolic link at `path` to the device (replacing an existing link).
  bool MakeSymlink(const std::string& path, std::string* error = nullptr);

  // Switches the radio on now (it announces "P").
  void PowerOn();
  // Switches the radio off: it forgets its speed and waits for the next power-on.
  void PowerOff();
  // Closes the simulator's side of the line now: the PC's port sees a hang-up.
  void HangUp();
  bool HungUp() const;
  // Sends the replies held back (see SimOptions::holdRepliesFrom) and holds no more.
  void ReleaseHeldReplies();
  // From now on the alignment commands in `commands` are refused (an empty set accepts all).
  void RefuseAlignmentCommands(std::set<std::uint8_t> commands);
  // The four data bytes the next measurement answers carry.
  void SetMeasurement(const std::array<std::uint8_t, 4>& data);

  RadioImage Memory() const;
  void SetMemory(const RadioImage& memory);
  SimLog Log() const;
  RadioState State() const;
  // Waits until every byte received has been handled and every byte queued has been sent;
  // false after the timeout.
  bool WaitIdle(std::chrono::milliseconds timeout);
  // The time the last byte left the simulator or was handled by it.
  std::chrono::steady_clock::time_point LastActivity() const;

 private:
  using Clock = std::chrono::steady_clock;
  struct LineByte {
    bool fromPc;  // a byte the PC sent (echoed and handled by the radio) or a byte of the radio
    std::uint8_t value;
    Clock::time_point ready;
  };

  void Run();
  void Wake();
  // Closes both ends of the pseudo-terminal; with mu_ held.
  void CloseLine();
  // Handles one byte from the PC at its arrival on the radio; may queue bytes to send.
  void HandleByte(std::uint8_t b, Clock::time_point now);
  // True when the next byte from the PC belongs to the 129 payload bytes of a write frame.
  bool InWritePayload() const;
  void HandleCloneFrame(Clock::time_point now);
  void HandleAlignmentFrame(Clock::time_point now);
  void QueueRadio(const std::vector<std::uint8_t>& bytes, Clock::time_point ready);
  void Announce(Clock::time_point now);
  Clock::duration ByteTime() const;
  unsigned PcLineSpeed(bool* settingsOk, bool* eight, bool* two, bool* parityOff) const;

  SimOptions opt_;
  int master_ = -1;
  int slave_ = -1;  // held open so the line survives the PC closing and reopening its side
  int wakeRead_ = -1, wakeWrite_ = -1;
  std::string device_;
  std::thread thread_;
  std::atomic<bool> stop_{false};

  mutable std::mutex mu_;
  std::condition_variable idle_;
  RadioImage memory_{};
  SimLog log_;
  RadioState state_ = RadioState::Off;
  unsigned speed_ = 9600;
  bool powerOnRequested_ = false;
  bool powerOffRequested_ = false;
  bool hangUpRequested_ = false;
  bool hungUp_ = false;
  bool holding_ = false;
  std::vector<std::uint8_t> held_;
  bool everReceived_ = false;
  Clock::time_point powerOnAt_{Clock::time_point::max()};
  Clock::time_point nextReadyAt_{Clock::time_point::max()};
  Clock::time_point restartAt_{Clock::time_point::max()};
  RadioState afterRestart_ = RadioState::AwaitingAnswer;
  std::deque<LineByte> line_;
  std::vector<std::uint8_t> fifo_;  // bytes sent on the line, not yet handed over
  Clock::time_point lineFree_{};
  Clock::time_point lastActivity_{};
  std::vector<std::uint8_t> frame_;
  Clock::time_point frameLast_{};
  int replyCount_ = 0;
};

}  // namespace kp53::sim
