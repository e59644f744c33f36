// kp53-radiosim: a simulated HT-620A Series radio on a pseudo-terminal.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "image/data_file.h"
#include "kp53_version.h"
#include "sim/radio_sim.h"

namespace {

volatile sig_atomic_t gStop = 0;
volatile sig_atomic_t gPowerOn = 0;

void OnStop(int) { gStop = 1; }
void OnPowerOn(int) { gPowerOn = 1; }

class QuietPrompt : public kp53::UserPrompt {
 public:
  kp53::Answer Show(std::string_view text, kp53::Icon, kp53::Buttons) override {
    std::cerr << "kp53-radiosim: " << text << "\n";
    return kp53::Answer::Ok;
  }
};

const char* kUsage =
    "usage: kp53-radiosim [options]\n"
    "  --file FILE.k53     radio memory from a data file (default: built-in radio memory)\n"
    "  --link PATH         also create a symbolic link PATH to the pseudo-terminal\n"
    "  --power-on MS       switch on MS milliseconds after the PC's first byte (default 1500)\n"
    "  --power-on manual   switch on only on Enter (on a terminal) or SIGUSR1\n"
    "  --repeat-p MS       announce \"P\" again every MS milliseconds until answered\n"
    "  --clone-mode BAUD   start in clone mode at 9600 or 19200 bit/s (no handshake needed)\n"
    "  --wire-time         pace every byte at the line speed, 11 bits per byte\n"
    "  --fifo N            with --wire-time, hand bytes over in groups of up to N (default 8)\n"
    "  --bad-sum LIST      send the replies numbered in LIST (0-based, comma-separated) with a wrong sum\n"
    "  --drop LIST         leave the read requests numbered in LIST unanswered\n"
    "  --stall LIST        delay the replies in LIST by --stall-ms (default 1000)\n"
    "  --silent            never announce \"P\"\n"
    "  --no-echo           no echo (the cable is not connected)\n"
    "  --hang-up-at-power-on       close the line instead of switching on (an unplugged adapter)\n"
    "  --hang-up-at-request N      close the line when read request N (from 1) arrives\n"
    "  --hang-up-after-writes N    close the line after storing write frame N (from 1)\n"
    "  --measure A,B,C,D   the four data bytes of the alignment measurement answer (0-255 each)\n"
    "  --refuse LIST       refuse the alignment commands in LIST (0x30-0x3B, comma-separated)\n"
    "  --save FILE.k53     write the radio memory to FILE.k53 on exit\n"
    "  --version           print the version and exit\n";

bool ParseList(const std::string& text, std::set<int>& out) {
  std::stringstream ss(text);
  std::string item;
  while (std::getline(ss, item, ',')) {
    char* end = nullptr;
    const long v = std::strtol(item.c_str(), &end, 10);
    if (item.empty() || *end != '\0' || v < 0 || v > 1'000'000) return false;
    out.insert(static_cast<int>(v));
  }
  return true;
}

// A comma-separated list of bytes, decimal or with 0x in hexadecimal.
bool ParseBytes(const std::string& text, std::vector<std::uint8_t>& out) {
  std::stringstream ss(text);
  std::string item;
  while (std::getline(ss, item, ',')) {
    char* end = nullptr;
    const long v = std::strtol(item.c_str(), &end, 0);
    if (item.empty() || *end != '\0' || v < 0 || v > 255) return false;
    out.push_back(static_cast<std::uint8_t>(v));
  }
  return true;
}

bool ParseInt(const std::string& text, int& out) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < 0 || v > 86'400'000) return false;
  out = static_cast<int>(v);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kp53;
  sim::SimOptions opt;
  opt.memory = sim::DefaultRadioMemory();
  opt.powerOnDelayMs = 1500;
  std::string file, link, save;
  bool manual = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::cerr << "kp53-radiosim: " << a << " needs a value\n" << kUsage;
        std::exit(2);
      }
      return argv[++i];
    };
    bool ok = true;
    if (a == "-h" || a == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (a == "--version") {
      std::cout << "kp53-radiosim " KP53_VERSION "\n";
      return 0;
    } else if (a == "--file") {
      file = value();
    } else if (a == "--link") {
      link = value();
    } else if (a == "--save") {
      save = value();
    } else if (a == "--power-on") {
      const std::string v = value();
      if (v == "manual") {
        manual = true;
        opt.powerOnDelayMs = -1;
      } else {
        ok = ParseInt(v, opt.powerOnDelayMs);
      }
    } else if (a == "--repeat-p") {
      ok = ParseInt(value(), opt.repeatReadyMs);
    } else if (a == "--clone-mode") {
      const std::string v = value();
      opt.startInCloneMode = true;
      ok = v == "9600" || v == "19200";
      opt.cloneBaud = v == "19200" ? 19200 : 9600;
    } else if (a == "--wire-time") {
      opt.wireTime = true;
    } else if (a == "--fifo") {
      ok = ParseInt(value(), opt.fifoTrigger) && opt.fifoTrigger >= 1 && opt.fifoTrigger <= 4096;
    } else if (a == "--bad-sum") {
      ok = ParseList(value(), opt.badSumReplies);
    } else if (a == "--drop") {
      ok = ParseList(value(), opt.droppedReplies);
    } else if (a == "--stall") {
      ok = ParseList(value(), opt.stalledReplies);
      if (opt.stallMs == 0) opt.stallMs = 1000;
    } else if (a == "--stall-ms") {
      ok = ParseInt(value(), opt.stallMs);
    } else if (a == "--silent") {
      opt.silent = true;
    } else if (a == "--no-echo") {
      opt.echo = false;
    } else if (a == "--hang-up-at-power-on") {
      opt.hangUpAtPowerOn = true;
    } else if (a == "--hang-up-at-request") {
      ok = ParseInt(value(), opt.hangUpAtReadRequest);
    } else if (a == "--hang-up-after-writes") {
      ok = ParseInt(value(), opt.hangUpAfterWrites);
    } else if (a == "--measure") {
      std::vector<std::uint8_t> bytes;
      ok = ParseBytes(value(), bytes) && bytes.size() == 4;
      if (ok) std::copy(bytes.begin(), bytes.end(), opt.measurement.begin());
    } else if (a == "--refuse") {
      std::vector<std::uint8_t> bytes;
      ok = ParseBytes(value(), bytes);
      for (const auto b : bytes) ok = ok && b >= 0x30 && b <= 0x3B;
      opt.refusedCommands.insert(bytes.begin(), bytes.end());
    } else {
      std::cerr << "kp53-radiosim: unknown option " << a << "\n" << kUsage;
      return 2;
    }
    if (!ok) {
      std::cerr << "kp53-radiosim: bad value for " << a << "\n";
      return 2;
    }
  }
  QuietPrompt prompt;
  if (!file.empty()) {
    if (CheckDataFile(file, static_cast<long long>(kDataFileSize)) != FileCheck::Usable) {
      std::cerr << "kp53-radiosim: " << file << " is not a usable data file\n";
      return 1;
    }
    double split = 0;
    if (!ReadDataFile(file, opt.memory, split, prompt)) return 1;
  }

  sim::RadioSimulator radio(opt);
  std::string error;
  if (!radio.Start(&error)) {
    std::cerr << "kp53-radiosim: " << error << "\n";
    return 1;
  }
  if (!link.empty() && !radio.MakeSymlink(link, &error)) {
    std::cerr << "kp53-radiosim: cannot link " << link << ": " << error << "\n";
    return 1;
  }
  std::cout << radio.DevicePath() << std::endl;
  std::cerr << "kp53-radiosim: radio on " << radio.DevicePath();
  if (!link.empty()) std::cerr << " (" << link << ")";
  std::cerr << (manual ? "; press Enter or send SIGUSR1 to switch it on" : "") << "; Ctrl+C ends\n";

  struct sigaction sa{};
  sa.sa_handler = OnStop;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  sa.sa_handler = OnPowerOn;
  sigaction(SIGUSR1, &sa, nullptr);
  const bool tty = ::isatty(STDIN_FILENO);
  std::size_t written = 0, commands = 0;
  while (!gStop && !radio.HungUp()) {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    const int r = ::poll(&p, tty ? 1 : 0, 200);
    if (r > 0 && (p.revents & POLLIN)) {
      char buf[64];
      if (::read(STDIN_FILENO, buf, sizeof buf) > 0) gPowerOn = 1;
    }
    if (gPowerOn) {
      gPowerOn = 0;
      radio.PowerOn();
      std::cerr << "kp53-radiosim: power on\n";
    }
    const auto log = radio.Log();
    for (; written < log.blocksWritten.size(); ++written)
      std::cerr << "kp53-radiosim: block " << log.blocksWritten[written] << " written\n";
    for (; commands < log.alignmentFrames.size(); ++commands) {
      const auto& f = log.alignmentFrames[commands];
      char line[16];
      std::cerr << "kp53-radiosim: alignment command";
      for (std::size_t i = 0; i < f.size(); ++i) {
        if (i == 1) continue;  // the length
        std::snprintf(line, sizeof line, " %02X", f[i]);
        std::cerr << line;
      }
      std::cerr << "\n";
    }
  }
  if (radio.HungUp()) std::cerr << "kp53-radiosim: line closed\n";
  radio.Stop();
  const auto log = radio.Log();
  std::cerr << "kp53-radiosim: " << log.readRequests << " read requests, " << log.blocksWritten.size()
            << " blocks written, " << log.badFrames << " bad frames";
  for (const auto a : log.speedAnswers) std::cerr << ", speed answer '" << static_cast<char>(a) << "'";
  std::cerr << "\n";
  if (!link.empty()) ::unlink(link.c_str());
  if (!save.empty()) {
    const auto mem = radio.Memory();
    if (!WriteDataFile(save, mem, 0.0, prompt)) return 1;
  }
  return 0;
}
