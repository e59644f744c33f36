// Start-up benchmark: how long kp53win takes until its main window is mapped, against a bare Qt 6
// window of the same shape (startup_bare_window), both started in turn under one X server.
//
//   startup_bench [ROUNDS] [KP53WIN] [BARE]     (default 11 rounds, programs beside this one)
//
// Without DISPLAY it starts its own Xvfb. Each program runs in a working folder and a runtime
// folder of its own, kept across its starts. The time is from
// fork() to the MapNotify of the program's first top-level window; the program is then ended with
// SIGTERM. Prints the median of each and their ratio.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

pid_t gXvfb = -1;

// Starts Xvfb on a free display and answers its name (":N"), or an empty string.
std::string StartXvfb() {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  gXvfb = ::fork();
  if (gXvfb == 0) {
    ::close(fds[0]);
    const std::string fd = std::to_string(fds[1]);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 2);
    ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(fds[1]);
  std::string number;
  char c;
  while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  ::close(fds[0]);
  return number.empty() ? std::string() : ":" + number;
}

// One start of `program`: seconds until its first top-level window is mapped, or a negative
// number when none appeared within 30 s.
double TimeStart(xcb_connection_t* x, xcb_window_t root, const std::string& program, const fs::path& scratch) {
  // The working folder is the program's own across its starts, as for a user: the first start
  // (not counted) writes the settings and the default data files, the later ones read them.
  const fs::path work = scratch / fs::path(program).filename() / "work";
  const fs::path runtime = scratch / fs::path(program).filename() / "runtime";
  fs::create_directories(work);
  fs::create_directories(runtime);
  fs::permissions(runtime, fs::perms::owner_all);

  const auto start = Clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(work.c_str()) != 0) ::_exit(127);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (scratch / "cache").c_str(), 1);
    ::unsetenv("QT_QPA_PLATFORM");
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  double seconds = -1;
  const int fd = xcb_get_file_descriptor(x);
  while (Clock::now() - start < std::chrono::seconds(30)) {
    xcb_generic_event_t* event = xcb_poll_for_event(x);
    if (!event) {
      fd_set set;
      FD_ZERO(&set);
      FD_SET(fd, &set);
      timeval tv{0, 100000};
      ::select(fd + 1, &set, nullptr, nullptr, &tv);
      continue;
    }
    const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                        reinterpret_cast<xcb_map_notify_event_t*>(event)->event == root;
    std::free(event);
    if (mapped) {
      seconds = std::chrono::duration<double>(Clock::now() - start).count();
      break;
    }
  }
  ::kill(child, SIGTERM);
  int status = 0;
  ::waitpid(child, &status, 0);
  // Whatever else the program mapped or unmapped while it ended is not the next one's.

  free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
  while (xcb_generic_event_t* e = xcb_poll_for_event(x)) std::free(e);
  return seconds;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
  const fs::path here = fs::canonical("/proc/self/exe").parent_path();
  // Absolute: each program starts in a folder of its own.
  const std::string program = fs::absolute(argc > 2 ? fs::path(argv[2]) : here / "kp53win").string();
  const std::string bare = fs::absolute(argc > 3 ? fs::path(argv[3]) : here / "startup_bare_window").string();

  if (!std::getenv("DISPLAY")) {
    const std::string display = StartXvfb();
    if (display.empty()) {
      std::fprintf(stderr, "startup_bench: no DISPLAY and Xvfb did not start\n");
      return 1;
    }
    ::setenv("DISPLAY", display.c_str(), 1);
  }
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "startup_bench: cannot connect to the X server\n");
    return 1;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);

  char pattern[] = "/tmp/kp53-startup-XXXXXX";
  const fs::path scratch = ::mkdtemp(pattern);
  std::vector<double> ours, theirs;
  // A first start of each warms the file cache; it is not counted.
  TimeStart(x, root, program, scratch);
  TimeStart(x, root, bare, scratch);
  for (int i = 0; i < rounds; ++i) {
    const double a = TimeStart(x, root, program, scratch);
    const double b = TimeStart(x, root, bare, scratch);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "startup_bench: a window did not appear within 30 s\n");
      return 1;
    }
    ours.push_back(a);
    theirs.push_back(b);
  }
  fs::remove_all(scratch);
  xcb_disconnect(x);
  if (gXvfb > 0) {
    ::kill(gXvfb, SIGTERM);
    ::waitpid(gXvfb, nullptr, 0);
  }
  const double a = Median(ours), b = Median(theirs);
  std::printf("kp53win          %.3f s (median of %d)\n", a, rounds);
  std::printf("bare Qt window   %.3f s (median of %d)\n", b, rounds);
  std::printf("ratio            %.2f x\n", a / b);
  return 0;
}
