// Shared pieces of the transfer commands (upload, download): the port and speed options, the
// maintenance pass phrase, the progress display and Ctrl+C.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli_common.h"
#include "link/clone_worker.h"

namespace kp53::cli {

struct LinkOptions {
  std::string port;
  unsigned speed = 9600;
  bool maintenance = false;
  int waitSeconds = 120;  // for the radio's "P"; 0 waits until interrupted
};

// Adds --port, --speed, --wait and --maintenance to a transfer command.
void AddLinkOptions(CLI::App& sub, LinkOptions& options);

// Fills the context from the options: port name, speed, and maintenance mode after the pass
// phrase. False (reported) for a port that is neither COM1..COM16 nor a device path.
bool PrepareLink(const LinkOptions& options, LinkContext& context, std::string& device);

// The start of a command that takes the data file FILE to the radio: the link options, then the
// file loaded and normalised. Answers the exit status to end with (`loadFailure` for a file that
// cannot be used), or nothing to go on.
std::optional<int> PrepareFileTransfer(const LinkOptions& options, const std::string& file, LinkContext& context,
                                       std::string& device, RadioData& data, int loadFailure);

// Asks for the maintenance pass phrase as the window's Password dialog does: on the terminal
// without echo, or one line of standard input when that is not a terminal. True for the right one.
bool AskPassPhrase();

// The progress of a transfer on standard error: a bar on a terminal, plain lines otherwise.
class CliProgress : public ProgressSink {
 public:
  CliProgress();
  ~CliProgress() override;
  void SetRange(int low, int high) override;
  void SetPosition(int position) override;
  void SetStatus(int stringId) override;
  void SetStatusText(const std::string& text) override;
  void SetTitle(const std::string& title) override;
  void Close(bool ok) override;

 private:
  void Draw();
  void EndLine();

  bool tty_ = false;
  bool lineOpen_ = false;
  int low_ = 0, high_ = 1, pos_ = 0;
  int lastPercent_ = -1;
  std::string status_;
};

// A prompt that ends the progress bar's line before showing a message.
class TransferPrompt : public TerminalPrompt {
 public:
  explicit TransferPrompt(CliProgress& progress) : progress_(progress) {}
  Answer Show(std::string_view text, Icon icon, Buttons buttons) override;

 private:
  CliProgress& progress_;
};

// Ctrl+C, SIGTERM and SIGHUP set the token while the guard lives: the transfer stops at its next
// cancel check, the port is closed (and leaves exclusive mode) and nothing is saved.
class InterruptGuard {
 public:
  explicit InterruptGuard(CancelToken& token);
  ~InterruptGuard();
};

// A link slot whose ports are serial ports on `device`.
LinkSlot SerialSlot(const std::string& device);

// Runs one transfer worker on `device` with the terminal's progress display, prompt and Ctrl+C,
// and says so when it was cancelled or the radio did not announce itself in time.
TransferResult RunTransfer(const std::function<TransferResult(const CloneJob&)>& worker, RadioData& data, LinkContext& context,
                           const std::string& device, DifferenceNamer nameDifferences = nullptr);

}  // namespace kp53::cli
