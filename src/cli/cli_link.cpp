#include "cli_link.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <iostream>
#include <iterator>

#include "link/com_ports.h"
#include "link/serial_port.h"
#include "settings/settings.h"
#include "text/messages.h"

namespace kp53::cli {

namespace {

CancelToken* gToken = nullptr;
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction gOld[std::size(kStopSignals)]{};

void OnInterrupt(int) {
  if (gToken) gToken->Cancel();
}

}  // namespace

void AddLinkOptions(CLI::App& sub, LinkOptions& options) {
  sub.add_option("--port", options.port, "Serial port: COM1 to COM16 (/dev/ttyS0 to /dev/ttyS15) or a device path")
      ->required();
  sub.add_option("--speed", options.speed, "Line speed of the data phase (bit/s)")
      ->check(CLI::IsMember({9600u, 19200u}))
      ->default_val(9600u);
  sub.add_option("--wait", options.waitSeconds,
                 "Seconds to wait for the radio to be switched on in clone mode; 0 waits until interrupted")
      ->check(CLI::Range(0, 86400))
      ->default_val(120);
  sub.add_flag("--maintenance", options.maintenance, "Maintenance mode (asks for the pass phrase)");
}

bool PrepareLink(const LinkOptions& options, LinkContext& context, std::string& device) {
  // COM slots follow the window's settings file in the working directory when there is one.
  ComPortMap map;
  IniFile ini;
  std::string iniProblem;
  if (ini.Load(kIniFileName, &iniProblem)) {
    const Settings settings = ReadSettings(ini);
    for (int n = 1; n <= kComPorts; ++n) map.SetDevice(n, settings.comDevice[static_cast<std::size_t>(n - 1)]);
  } else {
    std::cerr << "kp53: warning: " << iniProblem << "\n";
  }
  const auto port = ParsePortArgument(options.port, map);
  if (!port) {
    std::cerr << "kp53: " << options.port << " is not a port: give COM1 to COM16 or a device path\n";
    return false;
  }
  device = port->device;
  context.comPort = port->number > 0 ? port->number : 1;
  context.portName = port->number > 0 ? std::to_string(port->number) : port->device;
  context.speedIndex = options.speed == 19200 ? 1 : 0;
  context.powerOnWaitSeconds = options.waitSeconds;
  context.maintenanceMode = false;
  if (options.maintenance) {
    context.maintenanceMode = AskPassPhrase();
    if (!context.maintenanceMode) std::cerr << "kp53: wrong pass phrase; the transfer runs in user mode\n";
  }
  return true;
}

std::optional<int> PrepareFileTransfer(const LinkOptions& options, const std::string& file, LinkContext& context,
                                       std::string& device, RadioData& data, int loadFailure) {
  if (!PrepareLink(options, context, device)) return kExitUsage;
  TerminalPrompt loadPrompt;
  if (!LoadDataFile(file, data, loadPrompt)) return loadFailure;
  context.documentPath = file;
  NormalizeImage(data);
  return std::nullopt;
}

bool AskPassPhrase() {
  std::string line;
  if (::isatty(STDIN_FILENO)) {
    std::cerr << "Password: " << std::flush;
    termios old{};
    const bool restore = ::tcgetattr(STDIN_FILENO, &old) == 0;
    if (restore) {
      termios quiet = old;
      quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
      ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::getline(std::cin, line);
    if (restore) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &old);
    std::cerr << "\n";
  } else {
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return IsMaintenancePassPhrase(line);
}

CliProgress::CliProgress() : tty_(::isatty(STDERR_FILENO) != 0) {}

CliProgress::~CliProgress() { EndLine(); }

void CliProgress::EndLine() {
  if (lineOpen_) std::cerr << "\n" << std::flush;
  lineOpen_ = false;
}

void CliProgress::SetRange(int low, int high) {
  low_ = low;
  high_ = high > low ? high : low + 1;
  pos_ = low;
  lastPercent_ = -1;
  Draw();
}

void CliProgress::SetPosition(int position) {
  pos_ = position;
  Draw();
}

void CliProgress::SetStatus(int stringId) {
  status_ = FormatMessage(stringId);
  if (tty_) {
    Draw();
  } else {
    std::cerr << status_ << "\n";
  }
}

void CliProgress::SetStatusText(const std::string& text) {
  status_ = text;
  if (tty_) Draw();
  else std::cerr << status_ << "\n";
}

void CliProgress::SetTitle(const std::string& title) {
  EndLine();
  std::cerr << title << "\n";
}

void CliProgress::Close(bool) { EndLine(); }

void CliProgress::Draw() {
  // The bar stays full once the count passes the range.
  const int clamped = std::min(std::max(pos_, low_), high_);
  const int percent = static_cast<int>(100LL * (clamped - low_) / (high_ - low_));
  if (!tty_) {
    if (percent / 10 != lastPercent_ / 10 || lastPercent_ < 0) std::cerr << "progress " << percent << "%\n";
    lastPercent_ = percent;
    return;
  }
  if (percent == lastPercent_ && lineOpen_) return;
  lastPercent_ = percent;
  constexpr int kWidth = 40;
  const int filled = percent * kWidth / 100;
  std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
            << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << (percent < 10 ? "  " : percent < 100 ? " " : "")
            << percent << "%  " << status_ << "\x1b[K" << std::flush;
  lineOpen_ = true;
}

Answer TransferPrompt::Show(std::string_view text, Icon icon, Buttons buttons) {
  progress_.Close(true);
  return TerminalPrompt::Show(text, icon, buttons);
}

InterruptGuard::InterruptGuard(CancelToken& token) {
  gToken = &token;
  struct sigaction sa{};
  sa.sa_handler = OnInterrupt;
  sigemptyset(&sa.sa_mask);
  for (std::size_t i = 0; i < std::size(kStopSignals); ++i) sigaction(kStopSignals[i], &sa, &gOld[i]);
}

InterruptGuard::~InterruptGuard() {
  for (std::size_t i = 0; i < std::size(kStopSignals); ++i) sigaction(kStopSignals[i], &gOld[i], nullptr);
  gToken = nullptr;
}

LinkSlot SerialSlot(const std::string& device) {
  return LinkSlot([device](LinkFlags& flags) { return std::make_unique<CSerialPort>(device, flags); });
}

TransferResult RunTransfer(const std::function<TransferResult(const CloneJob&)>& worker, RadioData& data, LinkContext& context,
                           const std::string& device, DifferenceNamer nameDifferences) {
  LinkSlot slot = SerialSlot(device);
  CancelToken cancel;
  CliProgress progress;
  TransferPrompt prompt(progress);
  TransferResult result;
  {
    InterruptGuard guard(cancel);
    result = worker({data, slot, context, progress, prompt, cancel, std::move(nameDifferences)});
  }
  // After the system's message (80 or 81), what the operating system said about the port.
  if (result == TransferResult::Failed && slot.HasPort() && !slot.Port().FailureReason().empty())
    std::cerr << "kp53: " << device << ": " << slot.Port().FailureReason() << "\n";
  slot.Destroy();
  if (result == TransferResult::Cancelled) std::cerr << "kp53: cancelled\n";
  if (result == TransferResult::TimedOut)
    std::cerr << "kp53: the radio on " << device << " did not announce itself within " << context.powerOnWaitSeconds
              << (context.powerOnWaitSeconds == 1 ? " second" : " seconds") << "; switch it off and on again in clone mode, or give --wait 0 to wait until interrupted\n";
  return result;
}

}  // namespace kp53::cli
