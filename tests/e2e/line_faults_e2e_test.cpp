// The line under faults: no echo, a port that goes away during the handshake, the read or the
// write, and a Download that stops half way.
#include "e2e_support.h"

namespace kp53::e2e {
namespace {

// A radio in clone mode whose memory differs from the built-in one in blocks 3 to 40, so that a
// Download of the built-in memory writes 38 blocks and block 60.
sim::SimOptions RadioWithOtherChannels() {
  sim::SimOptions o;
  o.memory = sim::DefaultRadioMemory();
  o.startInCloneMode = true;
  for (std::size_t b = 3; b <= 40; ++b) o.memory[b * 128 + 5] ^= 0x5A;
  return o;
}

template <typename Done>
bool WaitFor(Done done) {
  for (int i = 0; i < 2000; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

struct DeadLine {
  const char* when;
  sim::SimOptions radio;
  bool download;
  std::vector<std::string> messages;
};

TEST_F(LinkE2E, ADeadLineEndsTheTransferAtOnceWithItsMessage) {
  const std::string incomplete = kRadioIncompleteMessage;
  auto noEcho = SwitchedOffRadio();
  noEcho.echo = false;
  auto handshake = SwitchedOffRadio();
  handshake.hangUpAtPowerOn = true;
  auto read = RadioInCloneMode();
  read.hangUpAtReadRequest = 10;
  auto write = RadioWithOtherChannels();
  write.hangUpAfterWrites = 2;
  const DeadLine cases[] = {
      {"no echo of the speed answer (no cable)", noEcho, false, {"Check that lead is connected to COM 1"}},
      {"unplugged while waiting for the radio", handshake, false, {"Check that lead is connected to COM 1"}},
      {"unplugged during the read", read, false, {"Problem with COM port"}},
      {"unplugged during the read half of a Download", read, true, {"Problem with COM port"}},
      {"unplugged during the write", write, true, {"Problem with COM port", incomplete}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.when);
    StartRadio(c.radio);
    prompt.Clear();
    sink.statusTexts.clear();
    LoadDocument(sim::DefaultRadioMemory());
    const RadioImage before = data.image;
    EXPECT_EQ(c.download ? Download() : Upload(), TransferResult::Failed);
    EXPECT_EQ(prompt.Texts(), c.messages);
    EXPECT_EQ(prompt.shown.front().icon, Icon::Stop);
    const bool halfWritten = c.messages.size() == 2;
    EXPECT_EQ(sink.statusTexts.size(), halfWritten ? 1u : 0u);
    if (!c.download) {
      EXPECT_EQ(data.image, before);
    }
  }
}

TEST_F(LinkE2E, ACancelledDownloadSaysTheRadioIsIncompleteOnlyOnceItHasBegunWriting) {
  for (const bool writing : {false, true}) {
    SCOPED_TRACE(writing ? "cancel during the write" : "cancel during the read");
    auto o = RadioWithOtherChannels();
    if (!writing) o.holdRepliesFrom = 5;  // the read stalls at block 4
    StartRadio(o);
    prompt.Clear();
    sink.statusTexts.clear();
    LoadDocument(sim::DefaultRadioMemory());
    cancel.Reset();
    TransferResult result = TransferResult::Completed;
    std::thread worker([&] { result = Download(); });
    EXPECT_TRUE(WaitFor([&] {
      const auto log = radio->Log();
      return writing ? !log.blocksWritten.empty() : log.readRequests > 6;
    }));
    cancel.Cancel();
    worker.join();
    EXPECT_EQ(result, TransferResult::Cancelled);
    if (writing) {
      EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kRadioIncompleteMessage});
      EXPECT_EQ(sink.statusTexts, std::vector<std::string>{kRadioIncompleteStatus});
      EXPECT_LT(radio->Log().blocksWritten.size(), 39u);
    } else {
      EXPECT_TRUE(prompt.Texts().empty());
      EXPECT_TRUE(radio->Log().blocksWritten.empty());
    }
  }
}

}  // namespace
}  // namespace kp53::e2e
