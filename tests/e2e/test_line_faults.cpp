// The line under faults: no echo, or a port that goes away during the handshake, the read or the
// write. (Cancels of a Download half way are in the command-line and window tests.)
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

struct DeadLine { const char* when; sim::SimOptions radio; bool download; std::vector<std::string> messages; };

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

}  // namespace
}  // namespace kp53::e2e
