// The serial devices offered for the COM slots.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "settings/serial_devices.h"

namespace kp53 {
namespace {

namespace fs = std::filesystem;

TEST(SerialDevices, ListsSerialNamesInNaturalOrderThenStableNames) {
  const fs::path dev = fs::temp_directory_path() / ("kp53dev-" + std::to_string(::getpid()));
  fs::remove_all(dev);
  fs::create_directories(dev / "serial" / "by-id");
  for (const char* n : {"ttyS10", "ttyS2", "ttyUSB0", "ttyACM1", "tty1", "ttySX", "null", "rfcomm0"})
    std::ofstream(dev / n).put('x');
  std::ofstream(dev / "serial" / "by-id" / "usb-FTDI_cable-if00-port0").put('x');
  const auto list = ListSerialDevices(dev.string());
  std::vector<std::string> names;
  for (const auto& p : list) names.push_back(fs::path(p).filename().string());
  EXPECT_EQ(names, (std::vector<std::string>{"rfcomm0", "ttyACM1", "ttyS2", "ttyS10", "ttyUSB0",
                                             "usb-FTDI_cable-if00-port0"}));
  fs::remove_all(dev);
}

TEST(SerialDevices, MissingFolderGivesAnEmptyList) {
  EXPECT_TRUE(ListSerialDevices("/nonexistent-kp53-dev").empty());
}

TEST(SerialDevices, ProbeRefusesWhatIsNoTerminal) {
  EXPECT_FALSE(ProbeSerialDevice(""));
  EXPECT_FALSE(ProbeSerialDevice("/nonexistent-kp53-dev/ttyS0"));
  EXPECT_FALSE(ProbeSerialDevice("/dev/null"));
}

}  // namespace
}  // namespace kp53
