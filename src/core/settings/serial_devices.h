// The serial devices of this computer, for the Configuration dialog's COM slots.
#pragma once

#include <string>
#include <vector>

namespace kp53 {

// Device paths under `devDir` (normally "/dev") that look like serial ports: ttyS*, ttyUSB*,
// ttyACM*, ttyAMA*, rfcomm*, and the stable names in serial/by-id. Sorted, natural order of the
// numbers.
std::vector<std::string> ListSerialDevices(const std::string& devDir = "/dev");

// A device offered for a COM slot: its path, the device a stable name points at, and the
// adapter's description ("FTDI FT232R USB UART"), empty when unknown.
struct SerialDeviceChoice {
  std::string path;
  std::string target;
  std::string description;
};

// The stable names in `devDir`/serial/by-id first, each with its device and the description of
// the adapter (manufacturer and product from `sysDir`, else read from the stable name), then the
// serial devices no stable name points at, as ListSerialDevices orders them.
std::vector<SerialDeviceChoice> ListSerialDeviceChoices(const std::string& devDir = "/dev",
                                                        const std::string& sysDir = "/sys");

// Opens the device once without waiting for the modem lines and checks that it is a terminal.
// On failure `error`, when given, receives the system's error number (ENOTTY for a device that
// opens but is no terminal).
bool ProbeSerialDevice(const std::string& path, int* error = nullptr);

// True when the system refused access to a device (EACCES, EPERM): the user lacks the group of
// serial devices.
bool IsAccessRefusal(int error);
// What the system said when a serial device failed to open ("No such file or directory"); a
// refused access also names the dialout group that grants it and how to join it.
std::string OpenFailureReason(int error);
// "Problem with COM port", followed by the reason on its own line when the reason is a refused
// access (which the user can put right), else alone.
std::string PortProblemText(bool accessRefused, const std::string& reason);

}  // namespace kp53
