// The clone protocol: the handshake branches of ReadRadio that a pseudo-terminal cannot produce
// (line errors) and the writes, over a scripted in-process radio; which bytes a Download takes
// over from the radio, by mode; and the frame sum.
// And the link port's shared semantics, over an in-process fake: write limit, echo handling and the
// classification of line errors before a read; the COM slots and the serial devices offered for
// them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "fake_prompt.h"
#include "link/clone_protocol.h"
#include "link/com_ports.h"
#include "scripted_radio.h"
#include "settings/serial_devices.h"
#include "temp_dir.h"

namespace kp53 {
namespace {

using test::ScriptedPort;
using test::ScriptedRadio;

class StatusSink : public ProgressSink {
 public:
  void SetRange(int, int) override {}
  void SetPosition(int p) override { position = p; }
  void SetStatus(int id) override { statuses.push_back(id); }
  void SetStatusText(const std::string&) override {}
  void SetTitle(const std::string&) override {}
  void Close(bool) override {}
  std::vector<int> statuses;
  int position = 0;
};

// A scripted radio behind its port, and the protocol over it.
struct Rig {
  Rig() {
    for (std::size_t i = 0; i < radio.memory.size(); ++i) radio.memory[i] = static_cast<std::uint8_t>(i * 13);
    protocol.SetPauseFunction([](std::chrono::milliseconds) {});
  }
  ScriptedRadio radio;
  LinkSlot slot{[this](LinkFlags& f) { return std::make_unique<ScriptedPort>(f, radio); }};
  LinkContext ctx;
  StatusSink sink;
  test::FakePrompt prompt;
  CancelToken cancel;
  CloneProtocol protocol{slot, ctx, sink, prompt, cancel};
  RadioImage buffer{};
  int progress = 0;
};

struct HandshakeTest : Rig, ::testing::Test {};

struct HandshakeCase {
  const char* what;
  bool answering;  // the radio already answers read requests
  int speedIndex;
  int quietReads;
  std::deque<std::uint8_t> laterBytes;
  int breaksOnAnswer;
  bool forDownload;
  bool ok;
  std::vector<std::uint8_t> answers;
  std::vector<int> statuses;
  std::vector<std::string> messages;
};

TEST(Handshake, EveryWayOfReachingTheRadio) {
  const HandshakeCase cases[] = {
      {"already answering: no handshake", true, 0, 0, {}, 0, false, true, {}, {95}, {}},
      {"any other first byte is answered at once", false, 0, 0, {0x00}, 0, true, true, {' '}, {123, 95}, {}},
      {"an answer spoiled by a break while waiting is repeated after the next P", false, 1, 1, {'P'}, 1, false, true,
       {'!', '!'}, {122, 95}, {}},
      {"a failed answer to an immediate P", false, 0, 0, {'P'}, 1, true, false, {' '}, {123},
       {"Check that lead is connected to COM 2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig r;
    r.radio.answering = c.answering;
    r.ctx.speedIndex = c.speedIndex;
    r.ctx.portName = std::string("2");  // a string, not a literal: GCC 12 -O3 warns wrongly
    r.radio.quietReads = c.quietReads;
    r.radio.laterBytes = c.laterBytes;
    r.radio.breaksOnAnswer = c.breaksOnAnswer;
    EXPECT_EQ(r.protocol.ReadRadio(r.buffer, r.progress, c.forDownload), c.ok);
    EXPECT_EQ(std::tuple(r.radio.answers, r.sink.statuses, r.prompt.Texts()), std::tuple(c.answers, c.statuses, c.messages));
    if (!c.ok) continue;
    EXPECT_EQ(r.buffer, r.radio.memory);
    EXPECT_EQ(r.progress, 7810);
    EXPECT_FALSE(r.slot.Flags().tolerateFramingErrors);  // cleared for the data phase
    // One open for the whole read: the speed changes on the open port, so that no other program
    // can take it between the handshake and the data phase.
    EXPECT_EQ(r.radio.opens, 1);
    EXPECT_EQ(r.radio.closes, 0);
  }
}

TEST_F(HandshakeTest, CancelBeforeStartingTouchesNothing) {
  cancel.Cancel();
  EXPECT_FALSE(protocol.ReadRadio(buffer, progress, false));
  EXPECT_EQ(radio.opens, 0);
  EXPECT_TRUE(prompt.shown.empty());
}

// (Which blocks a Download writes: the changed ones and always the last, over the real port.)
TEST_F(HandshakeTest, TwentyFailedWritesInARowAreRetriedAndTheTwentyFirstFails) {
  radio.answering = true;
  radio.droppedEchoes = 20;  // each failed frame loses the echo of its first byte
  ASSERT_TRUE(protocol.WriteRadio(radio.memory, progress, radio.memory));
  EXPECT_EQ(radio.blocksWritten, std::vector<int>{60});
  EXPECT_TRUE(prompt.shown.empty());

  radio.blocksWritten.clear();
  radio.droppedEchoes = 21;
  progress = 0;
  EXPECT_FALSE(protocol.WriteRadio(radio.memory, progress, radio.memory));
  EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Download Error!"});
  // Nothing written, but the frames may have reached the radio.
  EXPECT_EQ(std::pair(radio.blocksWritten.empty(), protocol.RadioIncomplete()), std::pair(true, true));
}

using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

// Which bytes a Download takes from the radio: every byte of the buffer is either the radio's
// (inside `fromRadio`) or the image's. The radio is unaligned when bytes 7688 and 7689 are blank.
TEST(Merge, TakesTheRadiosOwnBytesByMode) {
  const struct {
    const char* what;
    bool maintenance, edited;
    Ranges blankOnRadio, fromRadio;
    bool editedAfter;
  } cases[] = {
      {"user mode: identity, alignment, factory data and serial number; the password and market "
       "application stay the image's; the flag is left alone",
       false, true, {}, {{0, 1}, {7678, 7711}, {7717, 7724}}, true},
      {"maintenance mode keeps the squelch bytes", true, false, {}, {{0, 1}, {7678, 7685}, {7688, 7711}, {7715, 7724}},
       false},
      {"maintenance mode writes its own alignment to an unaligned radio", true, false, {{7688, 7689}},
       {{0, 1}, {7715, 7724}}, false},
      {"one blank byte is not enough to call the radio unaligned", true, false, {{7688, 7688}},
       {{0, 1}, {7678, 7685}, {7688, 7711}, {7715, 7724}}, false},
      {"a marketing edit keeps the image's identity once and clears the flag", true, true, {},
       {{0, 1}, {7678, 7685}, {7688, 7711}}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RadioImage image, radio;
    image.fill(0x11);
    radio.fill(0x22);
    for (const auto& [first, last] : c.blankOnRadio) std::fill(&radio[first], &radio[last] + 1, std::uint8_t{0xFF});
    bool edited = c.edited;
    MergeRadioOwnedBytes(image, radio, c.maintenance, edited);
    EXPECT_EQ(edited, c.editedAfter);
    for (std::size_t i = 0; i < image.size(); ++i) {
      const bool taken = std::any_of(c.fromRadio.begin(), c.fromRadio.end(),
                                     [i](const auto& r) { return i >= r.first && i <= r.second; });
      ASSERT_EQ(image[i], taken ? radio[i] : 0x11) << "byte " << i;
    }
  }
}

TEST(FrameSum, ReadRequestForBlockBEndsWithF4PlusB) {
  for (int b = 0; b < 61; ++b) {
    const auto block = static_cast<std::uint8_t>(b);
    EXPECT_EQ(FrameSum(0xF2, 0x02, &block, 1), static_cast<std::uint8_t>(0xF4 + b));
  }
  std::uint8_t data[128];
  for (int i = 0; i < 128; ++i) data[i] = 0xFF;
  EXPECT_EQ(FrameSum(0xF2, 0x81, data, 128), static_cast<std::uint8_t>((0xF2 + 0x81 + 128 * 0xFF) & 0xFF));
}

namespace fs = std::filesystem;

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
