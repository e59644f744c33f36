#include "settings/settings.h"

#include <algorithm>

#include "link/com_ports.h"

namespace kp53 {

namespace {
constexpr const char* kInit = "Initialize";
constexpr const char* kItem = "ITEM";
constexpr const char* kPorts = "Ports";
constexpr const char* kRecent = "Recent File List";

std::string ItemKey(int n) { return "ITEM" + std::to_string(n); }
std::string PortKey(int n) { return "COM" + std::to_string(n); }
std::string RecentKey(int n) { return "File" + std::to_string(n); }
}  // namespace

std::string Settings::DevicePath(int port) const {
  if (port < 1 || port > kComPorts) port = 1;
  const std::string& d = comDevice[static_cast<std::size_t>(port - 1)];
  return d.empty() ? ComPortMap::DefaultDevice(port) : d;
}

void Settings::AddRecentFile(const std::string& path) {
  if (path.empty()) return;
  recentFiles.erase(std::remove(recentFiles.begin(), recentFiles.end(), path), recentFiles.end());
  recentFiles.insert(recentFiles.begin(), path);
  if (recentFiles.size() > static_cast<std::size_t>(kRecentFiles)) recentFiles.resize(kRecentFiles);
}

Settings ReadSettings(const IniFile& ini) {
  Settings s;
  s.comPort = ini.GetInt(kInit, "COM_PORT", 1);
  if (s.comPort < 1 || s.comPort > kComPorts) s.comPort = 1;
  s.comSpeed = ini.GetInt(kInit, "COM_SPD", 0);
  if (s.comSpeed < 0 || s.comSpeed > 1) s.comSpeed = 0;
  s.cx = std::max(ini.GetInt(kInit, "CX", kMinWindowWidth), kMinWindowWidth);
  s.cy = std::max(ini.GetInt(kInit, "CY", kMinWindowHeight), kMinWindowHeight);
  s.readBack = ini.GetInt(kInit, "READ_BACK", 1) != 0;
  for (int n = 0; n < kColumnItems; ++n) s.columns[static_cast<std::size_t>(n)] = ini.GetInt(kItem, ItemKey(n), 1);
  for (int n = 1; n <= kComPorts; ++n) s.comDevice[static_cast<std::size_t>(n - 1)] = ini.GetString(kPorts, PortKey(n), "");
  for (int n = 1; n <= kRecentFiles; ++n) {
    const std::string f = ini.GetString(kRecent, RecentKey(n), "");
    if (!f.empty()) s.recentFiles.push_back(f);
  }
  return s;
}

void WriteColumnFlags(IniFile& ini, const Settings& s) {
  for (int n = 0; n < kColumnItems; ++n) ini.SetInt(kItem, ItemKey(n), s.columns[static_cast<std::size_t>(n)]);
}

void WriteStartupSettings(IniFile& ini, const Settings& s) {
  ini.SetInt(kInit, "COM_PORT", s.comPort);
  ini.SetInt(kInit, "COM_SPD", s.comSpeed);
  WriteColumnFlags(ini, s);
}

void WriteSettings(IniFile& ini, const Settings& s) {
  WriteStartupSettings(ini, s);
  ini.SetInt(kInit, "CX", s.cx);
  ini.SetInt(kInit, "CY", s.cy);
  ini.SetInt(kInit, "READ_BACK", s.readBack ? 1 : 0);
  for (int n = 1; n <= kComPorts; ++n) {
    const std::string& d = s.comDevice[static_cast<std::size_t>(n - 1)];
    if (d.empty() || !ini.Set(kPorts, PortKey(n), d)) ini.Remove(kPorts, PortKey(n));
  }
  std::size_t written = 0;
  for (const auto& f : s.recentFiles) {
    if (written >= static_cast<std::size_t>(kRecentFiles)) break;
    if (ini.Set(kRecent, RecentKey(static_cast<int>(written) + 1), f)) ++written;
  }
  for (std::size_t n = written; n < static_cast<std::size_t>(kRecentFiles); ++n) ini.Remove(kRecent, RecentKey(static_cast<int>(n) + 1));
}

StartupRequest ParseCommandLine(const std::vector<std::string>& args) {
  StartupRequest r;
  std::string line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i) line += ' ';
    line += args[i];
  }
  if (line == "/m" || line == "/M" || line == "-m" || line == "-M") {
    r.maintenance = true;
    return r;
  }
  if (line == "/f" || line == "/F" || line == "-f" || line == "-F") {
    r.production = true;
    return r;
  }
  // The first argument that is not a switch names the file to open.
  for (const auto& a : args) {
    if (a.empty() || a[0] == '/' || a[0] == '-') {
      // An absolute path is a file, not a switch, when it names more than one character.
      if (!(a.size() > 2 && a[0] == '/')) continue;
    }
    r.file = a;
    break;
  }
  return r;
}

bool IsMaintenancePassPhrase(const std::string& text) { return text == "qerin-volta"; }

}  // namespace kp53
