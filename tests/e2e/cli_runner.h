// Runs the kp53 program in a test's folder, as a shell would: standard input from a file or empty,
// standard error (and standard output unless given) to files in the folder.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "temp_dir.h"

extern char** environ;

namespace kp53::e2e {

class CliRunner {
 public:
  explicit CliRunner(std::filesystem::path dir) : dir_(std::move(dir)) {}

  // Starts kp53 with `args` in the folder; standard input is `input` (or the descriptor `in` when
  // given), standard output goes to `out` when given (else to a file).
  pid_t Start(const std::vector<std::string>& args, int out = -1, const std::string& input = {}, int in = -1) const {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
    if (in >= 0) {
      posix_spawn_file_actions_adddup2(&actions, in, 0);
    } else {
      std::ofstream(dir_ / ".stdin", std::ios::trunc) << input;
      posix_spawn_file_actions_addopen(&actions, 0, (dir_ / ".stdin").c_str(), O_RDONLY, 0);
    }
    if (out >= 0)
      posix_spawn_file_actions_adddup2(&actions, out, 1);
    else
      posix_spawn_file_actions_addopen(&actions, 1, (dir_ / ".stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (dir_ / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // The program must cope with a closed pipe itself, whatever the test runner ignores.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);
    std::vector<std::string> all{KP53_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, KP53_CLI_PATH, &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    EXPECT_EQ(rc, 0);
    return rc == 0 ? pid : -1;
  }
  // The exit status; a program still running after a minute (a hang) is killed and fails the test.
  static int Wait(pid_t pid) {
    if (pid < 0) return -1;
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; ++waited) {
      if (waited == 6000) {
        ADD_FAILURE() << "kp53 hangs";
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int Run(const std::vector<std::string>& args, int out = -1, const std::string& input = {}) const {
    return Wait(Start(args, out, input));
  }

  std::string Text(const std::filesystem::path& p) const {
    const auto bytes = test::ReadBytes(p.string());
    return {bytes.begin(), bytes.end()};
  }
  std::string Err() const { return Text(dir_ / ".stderr"); }
  std::string Out() const { return Text(dir_ / ".stdout"); }

 private:
  std::filesystem::path dir_;
};

// A test's own folder, with kp53 run in it.
struct CliFolder {
  test::TempDir tmp;
  const std::filesystem::path dir = tmp.path();
  CliRunner cli{dir};
  void Put(const std::string& name, const std::string& text) const {
    std::ofstream(dir / name, std::ios::binary) << text;
  }
  std::string Text(const std::string& name) const { return cli.Text(dir / name); }
};

}  // namespace kp53::e2e
