// The serial devices offered for the COM slots.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "settings/serial_devices.h"
#include "temp_dir.h"

namespace kp53 {
namespace {

namespace fs = std::filesystem;

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
