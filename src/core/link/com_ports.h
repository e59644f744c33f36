// Port names on Linux. The settings keep a COM port number 1 to 16; each number maps to a device
// path, by default /dev/ttyS(n-1), and any slot may be pointed at another device.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kp53 {

constexpr int kFirstComPort = 1;
constexpr int kLastComPort = 16;

class ComPortMap {
 public:
  // The device of port `number`; numbers outside 1 to 16 use port 1.
  std::string DevicePath(int number) const;
  // Points `number` at `device`; an empty device restores the default. False for a bad number.
  bool SetDevice(int number, std::string device);
  // The device set for `number`, empty when it uses the default.
  const std::string& Override(int number) const;
  static std::string DefaultDevice(int number);

 private:
  std::array<std::string, kLastComPort> overrides_{};
};

// A port as given on the command line: "COMn" (any case, n 1 to 16) gives its number; anything
// else is taken as a device path. Empty text or a COM number out of range gives nothing.
struct PortArgument {
  int number = 0;      // 1..16 for "COMn", 0 for a device path
  std::string device;  // the device path to open
};
std::optional<PortArgument> ParsePortArgument(std::string_view text, const ComPortMap& map);

}  // namespace kp53
