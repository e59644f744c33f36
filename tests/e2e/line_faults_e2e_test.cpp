// The line under faults: a port that goes away during the handshake, the read or the write, a
// Download that stops half way, input left over from before the open.
#include "e2e_support.h"
#include "link/clone_protocol.h"

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

struct LostLine {
  const char* when;
  sim::SimOptions radio;
  bool download;
  std::vector<std::string> messages;
};

TEST_F(LinkE2E, ALineThatGoesDeadEndsTheTransferAtOnceWithItsMessage) {
  const std::string incomplete = kRadioIncompleteMessage;
  auto handshake = SwitchedOffRadio();
  handshake.hangUpAtPowerOn = true;
  auto read = RadioInCloneMode();
  read.hangUpAtReadRequest = 10;
  auto write = RadioWithOtherChannels();
  write.hangUpAfterWrites = 2;
  const LostLine cases[] = {
      {"while waiting for the radio", handshake, false, {"Check that lead is connected to COM 1"}},
      {"during the read", read, false, {"Problem with COM port"}},
      {"during the read half of a Download", read, true, {"Problem with COM port"}},
      {"during the write", write, true, {"Problem with COM port", incomplete}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.when);
    StartRadio(c.radio);
    prompt.Clear();
    sink.statusTexts.clear();
    LoadDocument(sim::DefaultRadioMemory());
    const RadioImage before = data.image;
    EXPECT_EQ(c.download ? Download() : Upload(), TransferResult::Failed);
    EXPECT_TRUE(radio->HungUp());
    EXPECT_EQ(prompt.Texts(), c.messages);
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

TEST_F(LinkE2E, TheSerialPortNoticesAHangUpAndForgetsInputFromBeforeItsOpen) {
  auto o = RadioInCloneMode();
  o.holdRepliesFrom = 0;
  StartRadio(o);
  LinkFlags flags;
  {
    // A program asks for block 0 and goes away before the answer.
    LinkSlot slot = Slot();
    ASSERT_TRUE(slot.Port().Open(9600));
    CloneProtocol p(slot, context, sink, prompt, cancel);
    ASSERT_EQ(p.SendFrame(kCmdReadBlock, kReadRequestLength, std::array<std::uint8_t, 1>{0}.data(), false, false), 0);
  }
  radio->ReleaseHeldReplies();
  ASSERT_TRUE(radio->WaitIdle(std::chrono::seconds(2)));
  CSerialPort port(device, flags);
  ASSERT_TRUE(port.Open(9600));
  std::uint8_t b = 0;
  int got = 1;
  EXPECT_EQ(port.ReadByte(&b, got), kReadOk);
  EXPECT_EQ(got, 0) << "the answer to the earlier program was read as " << int(b);

  radio->HangUp();
  ASSERT_TRUE(WaitFor([&] { return radio->HungUp(); }));
  EXPECT_EQ(port.ReadByte(&b, got), kReadFailed);
  EXPECT_TRUE(port.Lost());
  EXPECT_FALSE(port.Write(&b, 1));
  EXPECT_FALSE(port.SetSpeed(19200));
}

}  // namespace
}  // namespace kp53::e2e
