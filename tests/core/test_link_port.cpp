// The link port's shared semantics, over an in-process fake: write limit, echo handling and the
// classification of line errors before a read; the COM slots and the serial devices offered for
// them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "link/com_ports.h"
#include "scripted_radio.h"
#include "settings/serial_devices.h"
#include "temp_dir.h"

namespace kp53 {
namespace {

namespace fs = std::filesystem;

using test::ScriptedPort;
using test::ScriptedRadio;

// An open port to a radio that echoes what it is sent.
struct Line {
  Line() { port.Open(9600); }
  LinkFlags flags;
  ScriptedRadio radio;
  ScriptedPort port{flags, radio};
};
struct LinkPortTest : Line, ::testing::Test {};

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
      Line t;
      t.flags.tolerateFramingErrors = c.tolerate;
      t.radio.rx = {'P', 'Q'};
      t.radio.pendingErrors = c.errors;
      ScriptedPort& port = t.port;
      std::uint8_t b[2] = {};
      int got = 7;
      EXPECT_EQ(byte ? port.ReadByte(b, got) : port.Read(b, 2), c.result);
      if (byte) {
        EXPECT_EQ(got, 0);
      }
      const bool failed = c.result == kReadFailed;
      EXPECT_EQ(t.flags.lineErrorSeen, failed);
      EXPECT_EQ(t.radio.purges, failed ? 1 : 0);
      EXPECT_EQ(t.radio.rx.size(), failed ? 0u : 2u);
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
  radio.rx = {9};
  EXPECT_EQ(port.Read(buf, 2), kReadFailed);  // fewer bytes than asked
}

TEST_F(LinkPortTest, WriteRefusesMoreThan4096Bytes) {
  std::vector<std::uint8_t> data(4097, 0x55);
  EXPECT_FALSE(port.Write(data.data(), data.size()));
  EXPECT_TRUE(radio.rx.empty());  // nothing sent, nothing echoed
  EXPECT_TRUE(port.Write(data.data(), 4096));
  EXPECT_EQ(radio.rx.size(), 4096u);
}

TEST_F(LinkPortTest, WriteEchoReadsShortEchoesAndDiscardsLongOnes) {
  std::vector<std::uint8_t> data(127);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
  EXPECT_TRUE(port.WriteEcho(data.data(), data.size()));
  EXPECT_TRUE(radio.rx.empty());
  EXPECT_EQ(radio.purges, 0);

  std::vector<std::uint8_t> block(128, 0xAA);
  EXPECT_TRUE(port.WriteEcho(block.data(), block.size()));
  EXPECT_EQ(radio.purges, 1);
  EXPECT_TRUE(radio.rx.empty());

  radio.droppedEchoes = 1;
  std::uint8_t one = 0x20;
  EXPECT_FALSE(port.WriteEcho(&one, 1));
}

TEST_F(LinkPortTest, ClosedPortNeitherReadsNorWrites) {
  port.Close();
  std::uint8_t b = 0;
  int got = 0;
  EXPECT_EQ(port.ReadByte(&b, got), kReadFailed);
  EXPECT_FALSE(port.Write(&b, 1));
}

// Numbers 1 to 16 and overrides are mapped in the command-line table below.
TEST(ComPorts, NumbersOutsideTheSlotsAndClearedOverridesGiveTtySDevices) {
  ComPortMap map;
  EXPECT_EQ(std::tuple(map.DevicePath(0), map.DevicePath(17), map.SetDevice(17, "/dev/x")),
            std::tuple("/dev/ttyS0", "/dev/ttyS0", false));
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

TEST(SerialDevices, ListsSerialNamesInNaturalOrderThenStableNames) {
  test::TempDir tmp;
  const fs::path& dev = tmp.path();
  fs::create_directories(dev / "serial" / "by-id");
  for (const char* n : {"ttyS10", "ttyS2", "ttyUSB0", "ttyACM1", "tty1", "ttySX", "null", "rfcomm0"})
    std::ofstream(dev / n).put('x');
  std::ofstream(dev / "serial" / "by-id" / "usb-FTDI_cable-if00-port0").put('x');
  const auto list = ListSerialDevices(dev.string());
  std::vector<std::string> names;
  for (const auto& p : list) names.push_back(fs::path(p).filename().string());
  EXPECT_EQ(names, (std::vector<std::string>{"rfcomm0", "ttyACM1", "ttyS2", "ttyS10", "ttyUSB0",
                                             "usb-FTDI_cable-if00-port0"}));
  EXPECT_TRUE(ListSerialDevices("/nonexistent-kp53-dev").empty());
}

TEST(SerialDevices, ProbeRefusesWhatIsNoTerminal) {
  EXPECT_FALSE(ProbeSerialDevice(""));
  EXPECT_FALSE(ProbeSerialDevice("/nonexistent-kp53-dev/ttyS0"));
  EXPECT_FALSE(ProbeSerialDevice("/dev/null"));
  int error = 0;
  EXPECT_FALSE(ProbeSerialDevice("/nonexistent-kp53-dev/ttyS0", &error));
  EXPECT_EQ(error, ENOENT);
}

// "Problem with COM port" names the dialout group only when access was refused.
TEST(SerialDevices, PortProblemNamesTheDialoutGroupOnARefusedAccess) {
  for (const int error : {EACCES, EPERM}) {
    const std::string text = PortProblemText(IsAccessRefusal(error), OpenFailureReason(error));
    EXPECT_EQ(text.rfind("Problem with COM port\n" + std::string(std::strerror(error)) + " (", 0), 0u) << text;
    EXPECT_NE(text.find("dialout"), std::string::npos) << text;
  }
  for (const int error : {ENOENT, EBUSY, ENOTTY})
    EXPECT_EQ(PortProblemText(IsAccessRefusal(error), OpenFailureReason(error)), "Problem with COM port");
}

TEST(SerialDevices, ChoicesPutStableNamesFirstWithTheAdapterDescription) {
  test::TempDir tmp;
  const fs::path root = fs::canonical(tmp.path());
  const fs::path dev = root / "dev", sys = root / "sys";
  fs::create_directories(dev / "serial" / "by-id");
  for (const char* n : {"ttyS0", "ttyUSB0", "ttyUSB1"}) std::ofstream(dev / n).put('x');
  fs::create_symlink("../../ttyUSB0", dev / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A5-if00-port0");
  fs::create_symlink("../../ttyUSB1", dev / "serial" / "by-id" / "usb-Prolific_PL2303-if00-port0");
  const fs::path usb = sys / "devices" / "usb1" / "1-1";
  fs::create_directories(usb / "1-1:1.0" / "ttyUSB0");
  std::ofstream(usb / "product") << "FT232R USB UART\n";
  std::ofstream(usb / "manufacturer") << "FTDI\n";
  fs::create_directories(sys / "class" / "tty" / "ttyUSB0");
  fs::create_symlink(usb / "1-1:1.0" / "ttyUSB0", sys / "class" / "tty" / "ttyUSB0" / "device");

  const auto choices = ListSerialDeviceChoices(dev.string(), sys.string());
  ASSERT_EQ(choices.size(), 3u);
  const std::string byId = (dev / "serial" / "by-id").string() + "/";
  // Sysfs names the first adapter; the second is described by its stable name alone.
  EXPECT_EQ(std::tuple(choices[0].path, choices[0].target, choices[0].description),
            std::tuple(byId + "usb-FTDI_FT232R_USB_UART_A5-if00-port0", (dev / "ttyUSB0").string(), "FTDI FT232R USB UART"));
  EXPECT_EQ(choices[1].description, "Prolific PL2303");
  // Devices behind a stable name are not listed twice.
  EXPECT_EQ(std::tuple(choices[2].path, choices[2].description), std::tuple((dev / "ttyS0").string(), ""));
}

}  // namespace
}  // namespace kp53
