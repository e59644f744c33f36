#include "settings/serial_devices.h"

#include "text/messages.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

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

namespace {

std::string FirstLine(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
  return line;
}

// Manufacturer and product of the USB device above the tty in sysfs.
std::string SysfsDescription(const std::string& sysDir, const std::string& ttyName) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path dir = fs::canonical(fs::path(sysDir) / "class" / "tty" / ttyName / "device", ec);
  for (int up = 0; !ec && up < 4 && !dir.empty(); ++up, dir = dir.parent_path()) {
    const std::string product = FirstLine(dir / "product");
    if (product.empty()) continue;
    const std::string maker = FirstLine(dir / "manufacturer");
    if (maker.empty() || product.find(maker) != std::string::npos) return product;
    return maker + " " + product;
  }
  return {};
}

// "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0" -> "FTDI FT232R USB UART A50285BI".
std::string NameDescription(std::string name) {
  for (const char* prefix : {"usb-", "pci-", "platform-"})
    if (name.rfind(prefix, 0) == 0) name.erase(0, std::string(prefix).size());
  if (const auto i = name.rfind("-if"); i != std::string::npos && i > 0) name.erase(i);
  std::replace(name.begin(), name.end(), '_', ' ');
  return name;
}

}  // namespace

std::vector<SerialDeviceChoice> ListSerialDeviceChoices(const std::string& devDir, const std::string& sysDir) {
  namespace fs = std::filesystem;
  std::vector<SerialDeviceChoice> stable, plain;
  std::set<std::string> named;
  for (const auto& path : ListSerialDevices(devDir)) {
    const fs::path p(path);
    if (p.parent_path().filename() != "by-id") {
      plain.push_back({path, path, SysfsDescription(sysDir, p.filename().string())});
      continue;
    }
    std::error_code ec;
    const fs::path target = fs::canonical(p, ec);
    SerialDeviceChoice c{path, ec ? std::string() : target.string(), {}};
    if (!ec) {
      named.insert(c.target);
      c.description = SysfsDescription(sysDir, target.filename().string());
    }
    if (c.description.empty()) c.description = NameDescription(p.filename().string());
    stable.push_back(std::move(c));
  }
  for (auto& c : plain)
    if (!named.count(c.path)) stable.push_back(std::move(c));
  return stable;
}

bool IsAccessRefusal(int error) { return error == EACCES || error == EPERM; }

std::string OpenFailureReason(int error) {
  std::string reason = std::strerror(error);
  if (IsAccessRefusal(error))
    reason += " (serial ports belong to the dialout group: sudo adduser $USER dialout, then log in again)";
  return reason;
}

std::string PortProblemText(bool accessRefused, const std::string& reason) {
  std::string text = FormatMessage(80);
  if (accessRefused && !reason.empty()) text += "\n" + reason;
  return text;
}

bool ProbeSerialDevice(const std::string& path, int* error) {
  if (path.empty()) return false;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = errno;
    return false;
  }
  termios t{};
  const bool ok = ::tcgetattr(fd, &t) == 0;
  if (!ok && error) *error = errno;
  ::close(fd);
  return ok;
}

}  // namespace kp53
