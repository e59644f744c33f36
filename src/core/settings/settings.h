// The program's settings in "KP53Win.ini": the serial port, its speed, the main window's size, the
// eighteen visible-column flags, the device behind each COM slot and the recent-file list.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "settings/ini_file.h"

namespace kp53 {

inline constexpr const char* kIniFileName = "KP53Win.ini";
inline constexpr int kColumnItems = 18;
inline constexpr int kComPorts = 16;
inline constexpr int kRecentFiles = 4;
inline constexpr int kMinWindowWidth = 835;
inline constexpr int kMinWindowHeight = 540;

struct Settings {
  int comPort = 1;   // 1..16
  int comSpeed = 0;  // 0 = 9600 bit/s, 1 = 19200 bit/s
  int cx = kMinWindowWidth;
  int cy = kMinWindowHeight;
  std::array<int, kColumnItems> columns{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  // Device of each COM slot; empty means the conventional /dev/ttyS(n-1).
  std::array<std::string, kComPorts> comDevice{};
  std::vector<std::string> recentFiles;  // most recent first, at most four
  bool readBack = true;  // a Download reads the radio back and compares ("READ_BACK")

  bool ColumnShown(int item) const { return columns[static_cast<std::size_t>(item)] != 0; }
  // The device path of COM slot `port` (1..16).
  std::string DevicePath(int port) const;
  // Puts `path` at the top of the recent-file list.
  void AddRecentFile(const std::string& path);
};

// Reads every key with its default and range check: "COM_PORT" outside 1..16 becomes 1,
// "COM_SPD" outside 0..1 becomes 0, "CX" and "CY" below the minimum window size become it.
Settings ReadSettings(const IniFile& ini);
// Start-up: the twenty keys "COM_PORT", "COM_SPD" and "ITEM0" to "ITEM17", so that the file always
// holds every key.
void WriteStartupSettings(IniFile& ini, const Settings& s);
// End of the run: those twenty, the window size "CX" and "CY", "READ_BACK", the COM devices and the
// recent files.
void WriteSettings(IniFile& ini, const Settings& s);
// Only the eighteen "ITEM%d" keys.
void WriteColumnFlags(IniFile& ini, const Settings& s);

// What the command line asks for.
struct StartupRequest {
  bool maintenance = false;  // the whole line is "/m", "/M", "-m" or "-M"
  bool production = false;   // the whole line is "/f", "/F", "-f" or "-F"
  std::string file;          // a data file to open; empty for a new document
};
// `args` are the arguments after the program name. Only the exact texts of the switches count:
// "/m" followed by a file name requests nothing but the file.
StartupRequest ParseCommandLine(const std::vector<std::string>& args);

// The maintenance-mode pass phrase check, exact and case-sensitive.
bool IsMaintenancePassPhrase(const std::string& text);

}  // namespace kp53
