// Shared pieces of the kp53 command-line tool.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "image/radio_data.h"
#include "io/atomic_file.h"
#include "ports.h"

namespace kp53::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A subcommand and what it runs once its arguments are parsed; returns the exit status.
struct Command {
  CLI::App* app = nullptr;
  std::function<int()> run;
};
using CommandList = std::vector<Command>;

// Messages go to standard error. Questions are answered from the terminal when standard input is
// one; otherwise with the safe answer (No, Cancel).
class TerminalPrompt : public UserPrompt {
 public:
  Answer Show(std::string_view text, Icon icon, Buttons buttons) override;
  void Beep() override;
};

// Reads a data file into a fresh image with its long-lived areas loaded, as the window's Open
// does. Reports the problem on standard error and answers false when the file is unusable.
bool LoadDataFile(const std::string& path, RadioData& data, UserPrompt& prompt);

// "kp53: SUBJECT: REASON" on standard error: the file or device and the system's reason, after
// the message of the system that the prompt has shown.
void ReportReason(const std::string& subject, const std::string& reason);

// True (reported) when `path` exists and `force` is not given: commands never overwrite a file
// unasked.
bool RefuseExisting(const std::string& path, bool force);

// Before a command does its work: false (reported) when `out` is one of `inputs` under any name,
// a folder or a device, or an existing file while `force` is not given. The write itself checks
// again (WriteOutput, WriteDataFile with the same rule), for a file that appears meanwhile.
bool OutputAllowed(const std::string& out, bool force, const std::vector<std::string>& inputs);

// Why a write under that rule failed, on standard error: a file made while the command ran, the
// input itself, the system's reason.
void ReportWriteFailure(const std::string& out, const AtomicWriteResult& result);

// A command's output: to standard output for "-" (or no name), otherwise through the atomic
// writer: an existing file only with `force`, a new one only while its name is still free, never
// one of `inputs`. False (reported) when it was not written.
bool WriteOutput(const std::string& out, std::string_view text, bool force, const std::vector<std::string>& inputs);

// True when both names exist and are the same file (same device and inode: links and other
// spellings of the path included).
bool SameFile(const std::string& a, const std::string& b);

// Writes text to standard output, noting the system's reason when it fails.
void WriteStandardOutput(std::string_view text);

// Flushes standard output. False (reported) when anything written to it was lost: a full disk, a
// closed pipe. A command whose output was lost fails.
bool FlushStandardOutput();

void AddNewCommand(CLI::App& app, CommandList& commands);
void AddInfoCommand(CLI::App& app, CommandList& commands);
void AddHexdumpCommand(CLI::App& app, CommandList& commands);
void AddNormalizeCommand(CLI::App& app, CommandList& commands);
void AddReportCommand(CLI::App& app, CommandList& commands);
void AddUploadCommand(CLI::App& app, CommandList& commands);
void AddDownloadCommand(CLI::App& app, CommandList& commands);
// compare-radio: a data file against the radio's memory.
void AddCompareRadioCommand(CLI::App& app, CommandList& commands);
void AddCsvCommands(CLI::App& app, CommandList& commands);
// export, import, diff and verify: the configuration as text.
void AddConfigCommands(CLI::App& app, CommandList& commands);

}  // namespace kp53::cli
