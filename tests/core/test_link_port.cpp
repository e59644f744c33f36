// The link port's shared semantics, over an in-process fake: write limit, echo handling and the
// classification of line errors before a read.
#include <gtest/gtest.h>

#include <deque>
#include <utility>
#include <vector>

#include "link/com_ports.h"
#include "link/link_port.h"

namespace kp53 {
namespace {

class FakePort : public LinkPort {
 public:
  explicit FakePort(LinkFlags& flags) : LinkPort(flags) {}
  bool Open(unsigned) override { open = true; return true; }
  bool SetSpeed(unsigned) override { return open; }
  void Close() override { open = false; }
  bool IsOpen() const override { return open; }
  void PurgeReceive() override { ++purges; incoming.clear(); }

  bool open = true;
  int purges = 0;
  unsigned pendingErrors = 0;
  std::deque<std::uint8_t> incoming;
  std::vector<std::uint8_t> written;
  bool echo = true;

 protected:
  bool WriteRaw(const std::uint8_t* b, std::size_t n) override {
    written.insert(written.end(), b, b + n);
    if (echo) incoming.insert(incoming.end(), b, b + n);
    return true;
  }
  long ReadRaw(std::uint8_t* b, std::size_t n) override {
    std::size_t i = 0;
    for (; i < n && !incoming.empty(); ++i) {
      b[i] = incoming.front();
      incoming.pop_front();
    }
    return static_cast<long>(i);
  }
  unsigned TakeLineErrors() override { return std::exchange(pendingErrors, 0u); }
};

struct LinkPortTest : ::testing::Test {
  LinkFlags flags;
  FakePort port{flags};
};

// Line errors taken before a read: a break alone, or framing errors (with or without a break)
// while they are tolerated, fail the read, discard the input and mark the line; any other error
// fails the read as a line error and keeps the input for the next read.
TEST(LinkPortLineErrors, AreClassifiedBeforeARead) {
  const struct {
    bool tolerate;
    unsigned errors;
    int result;
  } cases[] = {
      {false, line::kBreak, kReadFailed},
      {true, line::kBreak, kReadFailed},
      {false, line::kFraming, kReadLineError},
      {true, line::kFraming | line::kBreak, kReadFailed},
      {true, line::kOverrun, kReadLineError},
      {true, line::kFraming | line::kOverrun, kReadLineError},
      {true, line::kBreak | line::kParity, kReadLineError},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tolerate << " " << c.errors);
    for (const bool byte : {true, false}) {
      LinkFlags flags;
      FakePort port{flags};
      flags.tolerateFramingErrors = c.tolerate;
      port.incoming = {'P', 'Q'};
      port.pendingErrors = c.errors;
      std::uint8_t b[2] = {};
      int got = 7;
      EXPECT_EQ(byte ? port.ReadByte(b, got) : port.Read(b, 2), c.result);
      if (byte) {
        EXPECT_EQ(got, 0);
      }
      const bool failed = c.result == kReadFailed;
      EXPECT_EQ(flags.lineErrorSeen, failed);
      EXPECT_EQ(port.purges, failed ? 1 : 0);
      EXPECT_EQ(port.incoming.size(), failed ? 0u : 2u);
      // The errors were fetched and cleared: the next read gets the bytes, if they are kept.
      if (!failed) {
        EXPECT_EQ(port.Read(b, 2), kReadOk);
        EXPECT_EQ(b[0], 'P');
      }
    }
  }
}

TEST_F(LinkPortTest, ByteReadTimeoutIsSuccessWithNothingReceived) {
  std::uint8_t b = 0;
  int got = 1;
  EXPECT_EQ(port.ReadByte(&b, got), kReadOk);
  EXPECT_EQ(got, 0);
  std::uint8_t buf[2];
  port.incoming = {9};
  EXPECT_EQ(port.Read(buf, 2), kReadFailed);  // fewer bytes than asked
}

TEST_F(LinkPortTest, WriteRefusesMoreThan4096Bytes) {
  std::vector<std::uint8_t> data(4097, 0x55);
  EXPECT_FALSE(port.Write(data.data(), data.size()));
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(port.Write(data.data(), 4096));
  EXPECT_EQ(port.written.size(), 4096u);
}

TEST_F(LinkPortTest, WriteEchoReadsShortEchoesAndDiscardsLongOnes) {
  std::vector<std::uint8_t> data(127);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
  EXPECT_TRUE(port.WriteEcho(data.data(), data.size()));
  EXPECT_TRUE(port.incoming.empty());
  EXPECT_EQ(port.purges, 0);

  std::vector<std::uint8_t> block(128, 0xAA);
  EXPECT_TRUE(port.WriteEcho(block.data(), block.size()));
  EXPECT_EQ(port.purges, 1);
  EXPECT_TRUE(port.incoming.empty());

  port.echo = false;
  std::uint8_t one = 0x20;
  EXPECT_FALSE(port.WriteEcho(&one, 1));
}

TEST_F(LinkPortTest, ClosedPortNeitherReadsNorWrites) {
  port.open = false;
  std::uint8_t b = 0;
  int got = 0;
  EXPECT_EQ(port.ReadByte(&b, got), kReadFailed);
  EXPECT_FALSE(port.Write(&b, 1));
}

// Numbers 1 to 16 and overrides are mapped in the command-line table below.
TEST(ComPorts, NumbersOutsideTheSlotsAndClearedOverridesGiveTtySDevices) {
  ComPortMap map;
  EXPECT_EQ(map.DevicePath(0), "/dev/ttyS0");
  EXPECT_EQ(map.DevicePath(17), "/dev/ttyS0");
  EXPECT_FALSE(map.SetDevice(17, "/dev/x"));
  EXPECT_TRUE(map.SetDevice(3, "/dev/ttyUSB0"));
  EXPECT_TRUE(map.SetDevice(3, ""));
  EXPECT_EQ(map.DevicePath(3), "/dev/ttyS2");
}

TEST(ComPorts, CommandLinePortIsComNumberInAnyCaseOrDevicePath) {
  ComPortMap map;
  map.SetDevice(2, "/dev/ttyUSB1");
  struct Case {
    const char* text;
    int number;  // -1: refused
    const char* device;
  };
  const Case cases[] = {
      {"com3", 3, "/dev/ttyS2"},     {"COM3", 3, "/dev/ttyS2"},         {"cOm3", 3, "/dev/ttyS2"},
      {"Com2", 2, "/dev/ttyUSB1"},   {"COM12", 12, "/dev/ttyS11"},      {"com16", 16, "/dev/ttyS15"},
      {"COM17", -1, ""},             {"com0", -1, ""},                  {"", -1, ""},
      {"/dev/pts/4", 0, "/dev/pts/4"}, {"COMX", 0, "COMX"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto a = ParsePortArgument(c.text, map);
    ASSERT_EQ(a.has_value(), c.number >= 0);
    if (!a) continue;
    EXPECT_EQ(a->number, c.number);
    EXPECT_EQ(a->device, c.device);
  }
}

}  // namespace
}  // namespace kp53
