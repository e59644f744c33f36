// A radio behind a cable, in process, and the link port to it: for the link port's and the
// clone protocol's tests.
#pragma once

#include <deque>
#include <utility>
#include <vector>

#include "link/clone_protocol.h"
#include "link/link_port.h"

namespace kp53::test {

// A radio behind a cable, in process: echoes every byte written, answers read requests once it
// has taken a speed answer, and follows a small script for the handshake.
struct ScriptedRadio {
  RadioImage memory{};
  bool answering = false;
  std::deque<std::uint8_t> rx;             // bytes waiting for the PC
  std::deque<std::uint8_t> laterBytes;     // handshake bytes, one per read that finds nothing else
  int quietReads = 0;                      // handshake reads that find nothing before the script
  int breaksOnAnswer = 0;                  // speed answers that a break on the line spoils
  unsigned pendingErrors = 0;
  std::vector<std::uint8_t> answers;
  std::vector<std::uint8_t> request;
  int opens = 0;
  int closes = 0;
  int speedChanges = 0;
  int purges = 0;

  int droppedEchoes = 0;                   // bytes whose echo does not come back
  std::vector<int> blocksWritten;

  void Written(std::uint8_t b) {
    if (droppedEchoes > 0) {
      --droppedEchoes;
      return;
    }
    rx.push_back(b);  // the cable's echo
    if (!answering) {
      if (b == ' ' || b == '!') {
        answers.push_back(b);
        if (breaksOnAnswer > 0) {
          --breaksOnAnswer;
          pendingErrors = line::kBreak;
          laterBytes.push_back('P');  // the radio restarts and announces itself again
        } else {
          answering = true;
        }
      }
      return;
    }
    request.push_back(b);
    if (request[0] == 0xF3) {
      if (request.size() == 132) {
        blocksWritten.push_back(request[2]);
        request.clear();
      }
      return;
    }
    if (request.size() == 4) {
      if (request[0] == 0xF2 && request[1] == 0x02 && request[2] < 61) {
        const std::uint8_t* block = memory.data() + request[2] * 128;
        rx.push_back(0xF2);
        rx.push_back(0x81);
        rx.insert(rx.end(), block, block + 128);
        rx.push_back(FrameSum(0xF2, 0x81, block, 128));
      }
      request.clear();
    }
  }
};

class ScriptedPort : public LinkPort {
 public:
  ScriptedPort(LinkFlags& f, ScriptedRadio& r) : LinkPort(f), r_(r) {}
  bool Open(unsigned) override {
    ++r_.opens;
    open_ = true;
    return true;
  }
  bool SetSpeed(unsigned) override {
    ++r_.speedChanges;
    return open_;
  }
  void Close() override {
    ++r_.closes;
    open_ = false;
  }
  bool IsOpen() const override { return open_; }
  void PurgeReceive() override {
    ++r_.purges;
    r_.rx.clear();
  }

 protected:
  bool WriteRaw(const std::uint8_t* b, std::size_t n) override {
    for (std::size_t i = 0; i < n; ++i) r_.Written(b[i]);
    return true;
  }
  long ReadRaw(std::uint8_t* b, std::size_t n) override {
    std::size_t i = 0;
    while (i < n && !r_.rx.empty()) {
      b[i++] = r_.rx.front();
      r_.rx.pop_front();
    }
    // The script starts once the handshake has set the port to 9600 bit/s.
    if (i == 0 && r_.speedChanges >= 1 && r_.quietReads > 0) {
      --r_.quietReads;
    } else if (i == 0 && r_.speedChanges >= 1 && !r_.laterBytes.empty()) {
      b[i++] = r_.laterBytes.front();
      r_.laterBytes.pop_front();
    }
    return static_cast<long>(i);
  }
  unsigned TakeLineErrors() override { return std::exchange(r_.pendingErrors, 0u); }

 private:
  ScriptedRadio& r_;
  bool open_ = false;
};

}  // namespace kp53::test
