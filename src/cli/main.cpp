// kp53: programming the HT-620A Series radios from the command line.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>

#include "cli_common.h"
#include "image/data_file.h"
#include "io/input_file.h"
#include "kp53_version.h"
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

void ReportReason(const std::string& subject, const std::string& reason) {
  std::cerr << "kp53: " << subject << ": " << reason << "\n";
}

bool RefuseExisting(const std::string& path, bool force) {
  struct stat st{};
  if (force || ::stat(path.c_str(), &st) != 0) return false;
  std::cerr << "kp53: " << path << " exists; use --force to overwrite it\n";
  return true;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa{}, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool OutputAllowed(const std::string& out, bool force, const std::vector<std::string>& inputs) {
  if (out.empty() || out == "-") return true;
  for (const std::string& input : inputs)
    if (input != "-" && SameFile(input, out)) {
      std::cerr << "kp53: " << out << " is the input file " << input << " itself; give another output file\n";
      return false;
    }
  struct stat st{};
  if (::stat(out.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    std::cerr << "kp53: " << out << (S_ISDIR(st.st_mode) ? " is a folder" : " is not a regular file")
              << "; give the name of a file to write\n";
    return false;
  }
  return !RefuseExisting(out, force);
}

void ReportWriteFailure(const std::string& out, const AtomicWriteResult& result) {
  std::cerr << "kp53: " << DescribeWriteFailure(out, result) << "\n";
}

bool WriteOutput(const std::string& out, std::string_view text, bool force, const std::vector<std::string>& inputs) {
  if (out.empty() || out == "-") {
    // A failed write shows in the flush of standard output at the end of the command.
    WriteStandardOutput(text);
    return true;
  }
  const AtomicWriteResult r = WriteFileAtomically(out, {text}, force ? Replace::Allowed : Replace::Never, inputs);
  if (r.ok()) return true;
  ReportWriteFailure(out, r);
  return false;
}

namespace {
int gStandardOutputError = 0;  // errno of the first failed write to standard output
}  // namespace

void WriteStandardOutput(std::string_view text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && gStandardOutputError == 0)
    gStandardOutputError = errno;
}

bool FlushStandardOutput() {
  errno = 0;
  std::cout.flush();  // flushes the C stream too, as the two are kept in step
  const bool flushed = std::fflush(stdout) == 0;
  const int error = gStandardOutputError != 0 ? gStandardOutputError : errno;
  if (flushed && !std::ferror(stdout) && !std::cout.fail()) return true;
  ReportReason("standard output", error != 0 ? ErrorText(error) : "write error");
  return false;
}

bool LoadDataFile(const std::string& path, RadioData& data, UserPrompt& prompt) {
  // One read of at most a data file's size and a byte: a longer file, a device or a FIFO never
  // holds the command up.
  const InputFile in = ReadInputFile(path, kDataFileSize);
  const std::string name = InputName(path);
  InitImage(data);
  switch (in.status) {
    case InputStatus::CannotOpen:
      prompt.Error(32, name);
      ReportReason(name, ErrorText(in.error));
      return false;
    case InputStatus::CannotRead:
      prompt.Error(34, name);
      ReportReason(name, ErrorText(in.error));
      return false;
    case InputStatus::NotAFile:
    case InputStatus::TooLarge:
      prompt.Error(37, name);
      std::cerr << "kp53: " << DescribeInputFailure(path, in, kDataFileSize, "a data file") << "\n";
      return false;
    case InputStatus::Ok: break;
  }
  if (!DecodeDataFile(in.bytes, data.image, data.defaultSplit)) {
    prompt.Error(37, name);
    ReportReason(name, std::to_string(in.bytes.size()) + " bytes; a data file has " + std::to_string(kDataFileSize));
    return false;
  }
  ReloadAreas(data);
  return true;
}

}  // namespace kp53::cli

int main(int argc, char** argv) {
  using namespace kp53::cli;
  // A reader that goes away (a closed pipe) makes writes fail with EPIPE, which the commands
  // report, instead of ending the program unannounced.
  ::signal(SIGPIPE, SIG_IGN);
  CLI::App app{"kp53: programming software for the HT-620A Series radios"};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show the help of every command");
  app.set_version_flag("--version", "kp53 " KP53_VERSION, "Print the version and exit");
  CommandList commands;
  AddNewCommand(app, commands);
  AddInfoCommand(app, commands);
  AddHexdumpCommand(app, commands);
  AddNormalizeCommand(app, commands);
  AddReportCommand(app, commands);
  AddUploadCommand(app, commands);
  AddDownloadCommand(app, commands);
  AddCompareRadioCommand(app, commands);
  AddCsvCommands(app, commands);
  AddConfigCommands(app, commands);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }
  for (const auto& c : commands) {
    if (!c.app->parsed()) continue;
    const int status = c.run();
    // Output that did not arrive is a failure, whatever the command did.
    return FlushStandardOutput() ? status : kExitFailure;
  }
  return kExitUsage;
}
