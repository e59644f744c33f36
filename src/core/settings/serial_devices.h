// The serial devices of this computer, for the Configuration dialog's COM slots.
#pragma once

#include <string>
#include <vector>

namespace kp53 {

// Device paths under `devDir` (normally "/dev") that look like serial ports: ttyS*, ttyUSB*,
// ttyACM*, ttyAMA*, rfcomm*, and the stable names in serial/by-id. Sorted, natural order of the
// numbers.
std::vector<std::string> ListSerialDevices(const std::string& devDir = "/dev");

// Opens the device once without waiting for the modem lines and checks that it is a terminal.
bool ProbeSerialDevice(const std::string& path);

}  // namespace kp53
