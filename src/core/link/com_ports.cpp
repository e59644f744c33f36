#include "link/com_ports.h"

#include <cctype>

namespace kp53 {

std::string ComPortMap::DefaultDevice(int number) {
  if (number < kFirstComPort || number > kLastComPort) number = kFirstComPort;
  return "/dev/ttyS" + std::to_string(number - 1);
}

std::string ComPortMap::DevicePath(int number) const {
  if (number < kFirstComPort || number > kLastComPort) number = kFirstComPort;
  const std::string& o = overrides_[static_cast<std::size_t>(number - 1)];
  return o.empty() ? DefaultDevice(number) : o;
}

bool ComPortMap::SetDevice(int number, std::string device) {
  if (number < kFirstComPort || number > kLastComPort) return false;
  overrides_[static_cast<std::size_t>(number - 1)] = std::move(device);
  return true;
}

const std::string& ComPortMap::Override(int number) const {
  static const std::string kEmpty;
  if (number < kFirstComPort || number > kLastComPort) return kEmpty;
  return overrides_[static_cast<std::size_t>(number - 1)];
}

std::optional<PortArgument> ParsePortArgument(std::string_view text, const ComPortMap& map) {
  if (text.empty()) return std::nullopt;
  const auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
  if (text.size() >= 4 && text.size() <= 5 && upper(text[0]) == 'C' && upper(text[1]) == 'O' && upper(text[2]) == 'M') {
    int n = 0;
    for (std::size_t i = 3; i < text.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(text[i]))) return PortArgument{0, std::string(text)};
      n = n * 10 + (text[i] - '0');
    }
    if (n < kFirstComPort || n > kLastComPort) return std::nullopt;
    return PortArgument{n, map.DevicePath(n)};
  }
  return PortArgument{0, std::string(text)};
}

}  // namespace kp53
