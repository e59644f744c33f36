// kp53: programming the HT-620A Series radios from the command line.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli_common.h"
#include "image/data_file.h"
#include "text/messages.h"

namespace kp53::cli {

Answer TerminalPrompt::Show(std::string_view text, Icon icon, Buttons buttons) {
  std::string shown(text);
  for (auto pos = shown.find("\r\n"); pos != std::string::npos; pos = shown.find("\r\n", pos)) shown.replace(pos, 2, "\n");
  std::cerr << (icon == Icon::Stop ? "kp53: " : "") << shown << "\n";
  if (buttons == Buttons::Ok) return Answer::Ok;
  const bool yesNo = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
  if (!::isatty(STDIN_FILENO)) return yesNo ? Answer::No : Answer::Cancel;
  std::cerr << (yesNo ? "[y/N] " : "[o/C] ") << std::flush;
  std::string line;
  if (!std::getline(std::cin, line) || line.empty()) return yesNo ? Answer::No : Answer::Cancel;
  const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
  if (yesNo) return c == 'y' ? Answer::Yes : Answer::No;
  return c == 'o' ? Answer::Ok : Answer::Cancel;
}

void TerminalPrompt::Beep() { std::cerr << '\a' << std::flush; }

bool RefuseExisting(const std::string& path, bool force) {
  struct stat st{};
  if (force || ::stat(path.c_str(), &st) != 0) return false;
  std::cerr << "kp53: " << path << " exists; use --force to overwrite it\n";
  return true;
}

bool LoadDataFile(const std::string& path, RadioData& data, UserPrompt& prompt) {
  switch (CheckDataFile(path, static_cast<long long>(kDataFileSize))) {
    case FileCheck::NotFound: prompt.Error(32, path); return false;
    case FileCheck::Unreadable: prompt.Error(34, path); return false;
    case FileCheck::WrongSize: prompt.Error(37, path); return false;
    case FileCheck::Usable: break;
  }
  InitImage(data);
  if (!ReadDataFile(path, data.image, data.defaultSplit, prompt)) return false;
  ReloadAreas(data);
  return true;
}

}  // namespace kp53::cli

int main(int argc, char** argv) {
  using namespace kp53::cli;
  CLI::App app{"kp53: programming software for the HT-620A Series radios"};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show the help of every command");
  CommandList commands;
  AddNewCommand(app, commands);
  AddInfoCommand(app, commands);
  AddHexdumpCommand(app, commands);
  AddNormalizeCommand(app, commands);
  AddReportCommand(app, commands);
  AddUploadCommand(app, commands);
  AddDownloadCommand(app, commands);
  AddConfigCommands(app, commands);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }
  for (const auto& c : commands)
    if (c.app->parsed()) return c.run();
  return kExitUsage;
}
