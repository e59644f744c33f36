// CSerialPort on a pseudo-terminal: exclusive use, timeouts, echo, input from before the open, a
// hang-up. (The alignment commands are the alignment session's tests.)
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
