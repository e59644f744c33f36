#include "settings/serial_devices.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace kp53 {

namespace {

bool IsSerialName(const std::string& name) {
  for (const char* prefix : {"ttyS", "ttyUSB", "ttyACM", "ttyAMA", "rfcomm"}) {
    const std::string p(prefix);
    if (name.size() > p.size() && name.compare(0, p.size(), p) == 0 &&
        std::all_of(name.begin() + static_cast<std::ptrdiff_t>(p.size()), name.end(),
                    [](char c) { return c >= '0' && c <= '9'; }))
      return true;
  }
  return false;
}

// "ttyS2" before "ttyS10".
bool NaturalLess(const std::string& a, const std::string& b) {
  const auto split = [](const std::string& s) {
    std::size_t i = s.size();
    while (i > 0 && s[i - 1] >= '0' && s[i - 1] <= '9') --i;
    const std::string digits = s.substr(i);
    return std::make_pair(s.substr(0, i), digits.empty() || digits.size() > 9 ? -1 : std::stoi(digits));
  };
  return split(a) < split(b);
}

}  // namespace

std::vector<std::string> ListSerialDevices(const std::string& devDir) {
  namespace fs = std::filesystem;
  std::vector<std::string> out;
  std::error_code ec;
  for (fs::directory_iterator it(devDir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (IsSerialName(name)) out.push_back(it->path().string());
  }
  std::sort(out.begin(), out.end(), NaturalLess);
  std::vector<std::string> byId;
  for (fs::directory_iterator it(fs::path(devDir) / "serial" / "by-id", ec), end; !ec && it != end; it.increment(ec))
    byId.push_back(it->path().string());
  std::sort(byId.begin(), byId.end());
  out.insert(out.end(), byId.begin(), byId.end());
  return out;
}

bool ProbeSerialDevice(const std::string& path) {
  if (path.empty()) return false;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  termios t{};
  const bool ok = ::tcgetattr(fd, &t) == 0;
  ::close(fd);
  return ok;
}

}  // namespace kp53
