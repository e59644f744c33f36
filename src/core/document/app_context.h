// Program-wide state, created once at start-up and handed by reference to the document, the
// main window and the dialogs.
#pragma once

#include <string>

#include "image/data_file.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

namespace kp53 {

struct AppContext {
  Settings settings;
  IniFile ini;            // the profile as read at start-up, written back with the settings
  std::string iniPath;    // "<working directory>/KP53Win.ini"; empty: settings are not written
  std::string iniProblem; // why the settings file is left alone (unreadable, not a regular file)
  std::string exeDir;     // folder of the executable, where the default files are looked for
  std::string workDir;    // working directory at start-up, where default files are written

  bool maintenanceMode = false;  // fixed after start-up
  bool productionMode = false;   // fixed after start-up
  bool modified = false;         // one flag for the whole program
  bool marketingEdited = false;  // market application or serial number edited since the last Download
  std::string currentPath = kNoPath;
  std::string printerName;

  // Reads the profile and the settings in it. A file that exists but cannot be read, or a name
  // that is not a regular file, is left alone for the whole run (iniPath cleared, the reason in
  // iniProblem), so that writing the settings cannot wipe what it holds.
  void LoadSettings(const std::string& path) {
    iniProblem.clear();
    iniPath = ini.Load(path, &iniProblem) ? path : std::string();
    settings = ReadSettings(ini);
  }
  // Writes the settings into the profile and the profile to its file.
  bool SaveSettings() {
    WriteSettings(ini, settings);
    return iniPath.empty() || ini.Save(iniPath);
  }
  bool SaveStartupSettings() {
    WriteStartupSettings(ini, settings);
    return iniPath.empty() || ini.Save(iniPath);
  }
  bool SaveColumnFlags() {
    WriteColumnFlags(ini, settings);
    return iniPath.empty() || ini.Save(iniPath);
  }
};

}  // namespace kp53
