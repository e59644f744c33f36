// CSerialPort on a pseudo-terminal (exclusive use, timeouts, echo, input from before the open, a
// hang-up), and the radio side of the alignment commands.
#include "e2e_support.h"
#include "link/clone_protocol.h"

namespace kp53::e2e {
namespace {

TEST_F(LinkE2E, PortIsExclusiveWhileOpenAndKeepsItsSpeedWhenOpenedAgain) {
  StartRadio(RadioInCloneMode());
  LinkFlags flags;
  CSerialPort first(device, flags);
  CSerialPort second(device, flags);
  ASSERT_TRUE(first.Open(9600));
  EXPECT_FALSE(second.Open(9600));
  EXPECT_TRUE(first.Open(19200));
  EXPECT_EQ(first.BaudRate(), 9600u);
  first.Close();
  EXPECT_TRUE(second.Open(19200));
  EXPECT_FALSE(CSerialPort(device, flags).Open(4800));
}

TEST_F(LinkE2E, ReadsWithNothingOnTheLineTimeOut) {
  auto o = RadioInCloneMode();
  o.echo = false;
  StartRadio(o);
  LinkFlags flags;
  CSerialPort port(device, flags);
  ASSERT_TRUE(port.Open(9600));
  std::uint8_t b = 0;
  int got = 1;
  EXPECT_EQ(port.ReadByte(&b, got), kReadOk);
  EXPECT_EQ(got, 0);
  std::uint8_t buf[4];
  EXPECT_EQ(port.Read(buf, 4), kReadFailed);
  std::uint8_t echo[2] = {0x41, 0x42};
  EXPECT_FALSE(port.WriteEcho(echo, 2));
}

TEST_F(LinkE2E, RadioAcknowledgesAlignmentCommandsAndAnswersTheMeasurement) {
  StartRadio(RadioInCloneMode());
  LinkSlot slot = Slot();
  ASSERT_TRUE(slot.Port().Open(9600));
  CloneProtocol p(slot, context, sink, prompt, cancel);
  // Restart into the alignment state and answer its "P" with "0".
  ASSERT_EQ(p.SendByte(0x38), 0);
  std::uint8_t b = 0;
  int tries = 0;
  while ((p.ReceiveByte(b) != 0 || b != 'P') && ++tries < 10) {
  }
  ASSERT_EQ(b, 'P');
  ASSERT_EQ(p.SendByte('0'), 0);
  const std::uint8_t channel = 3;
  EXPECT_EQ(p.SendFrame(0x30, 2, &channel, true, false), 0);
  const std::uint8_t pair[2] = {100, 120};
  EXPECT_EQ(p.SendFrame(0x33, 3, pair, true, false), 0);
  EXPECT_EQ(p.SendFrame(0x31, 1, nullptr, false, false), 0);
  std::uint8_t measured[4] = {};
  EXPECT_EQ(p.ReceiveFrame(0x31, 5, measured), 0);
  EXPECT_EQ(measured[2], 0x56);
  // Leave: the radio restarts, announces "P" and takes the clone speed answer.
  EXPECT_EQ(p.SendFrame(0x38, 1, nullptr, false, false), 0);
  tries = 0;
  while ((p.ReceiveByte(b) != 0 || b != 'P') && ++tries < 5) {
  }
  ASSERT_EQ(b, 'P');
  EXPECT_EQ(p.SendByte(' '), 0);
  radio->WaitIdle(std::chrono::seconds(2));
  const auto log = radio->Log();
  EXPECT_EQ(log.alignmentEntries, 1);
  ASSERT_EQ(log.alignmentFrames.size(), 4u);
  EXPECT_EQ(log.alignmentFrames[1], (std::vector<std::uint8_t>{0x33, 3, 100, 120}));
  EXPECT_EQ(radio->State(), sim::RadioState::Clone);
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
  for (int i = 0; i < 1000 && !radio->HungUp(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_EQ(port.ReadByte(&b, got), kReadFailed);
  EXPECT_TRUE(port.Lost());
  EXPECT_FALSE(port.Write(&b, 1));
  EXPECT_FALSE(port.SetSpeed(19200));
}

}  // namespace
}  // namespace kp53::e2e
