// Hostile and faulty files given to the kp53 program: every command that reads a file reads it
// whole or refuses it at once, naming it, the reason and the limit; nothing is written then. A
// command that writes never replaces a file unasked, not even one that appears while it runs,
// and never one of its inputs.
#ifdef KP53_CLI_PATH

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "cli_runner.h"
#include "image/radio_image.h"
#include "io/input_file.h"

namespace kp53::e2e {
namespace {

namespace fs = std::filesystem;

class HostileInput : public ::testing::Test, public CliFolder {
 protected:
  void SetUp() override {
    ASSERT_EQ(cli.Run({"new", "radio.k53"}), 0) << cli.Err();
    ASSERT_EQ(cli.Run({"export", "radio.k53", "-o", "radio.yaml"}), 0) << cli.Err();
    ASSERT_EQ(cli.Run({"export-csv", "radio.k53", "-o", "radio.csv"}), 0) << cli.Err();
  }
  // The names in the folder that start with "out".
  std::vector<std::string> Outputs() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().filename().string().rfind("out", 0) == 0) names.push_back(e.path().filename().string());
    return names;
  }
};

TEST_F(HostileInput, EveryReadingCommandRefusesAFileItCannotReadWhole) {
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_directory(dir / "folder");
  Put("big", std::string(kTextFileLimit + 1, '#'));
  struct Input { std::string name; const char* reason; };
  const Input inputs[] = {{"/dev/zero", "/dev/zero is not a regular file"},
                          {"fifo", "fifo is not a regular file"},
                          {"folder", "folder is a folder, not a file"},
                          {"missing", "missing: No such file or directory"},
                          {"big", "big is larger than"}};
  struct Command {
    std::vector<std::string> args;  // "X" stands for the input
    int status;
  };
  const Command commands[] = {
      {{"import", "X", "-o", "out.k53"}, 1},
      {{"import", "radio.yaml", "--base", "X", "-o", "out.k53"}, 1},
      {{"import-csv", "X", "radio.k53", "-o", "out.k53"}, 1},
      {{"import-csv", "radio.csv", "X", "-o", "out.k53"}, 1},
      {{"export", "X", "-o", "out.yaml"}, 1},
      {{"export-csv", "X", "-o", "out.csv"}, 1},
      {{"report", "X", "-o", "out.txt"}, 1},
      {{"info", "X"}, 1},
      {{"hexdump", "X"}, 1},
      {{"normalize", "X"}, 1},
      {{"verify", "X"}, 2},  // 1 is for findings
      {{"diff", "radio.k53", "X"}, 2},  // 1 is for differences
  };
  for (const Command& command : commands) {
    for (const Input& input : inputs) {
      std::vector<std::string> args = command.args;
      std::replace(args.begin(), args.end(), std::string("X"), input.name);
      SCOPED_TRACE(args[0] + " " + args[1] + " " + (args.size() > 2 ? args[2] : "") + " with " + input.name);
      EXPECT_EQ(cli.Run(args), command.status);
      EXPECT_NE(cli.Err().find(input.reason), std::string::npos) << cli.Err();
      EXPECT_TRUE(Outputs().empty());
    }
  }
  EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
}

// Standard input is read to the same limit.
TEST_F(HostileInput, StandardInputIsReadWithinTheLimit) {
  const int fd = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  for (const auto& args : {std::vector<std::string>{"import", "-", "-o", "out.k53"},
                           std::vector<std::string>{"import-csv", "-", "radio.k53", "-o", "out.k53"},
                           std::vector<std::string>{"export", "-", "-o", "out.yaml"}}) {
    SCOPED_TRACE(args[0]);
    EXPECT_EQ(CliRunner::Wait(cli.Start(args, -1, {}, fd)), 1);
    EXPECT_NE(cli.Err().find("standard input is larger than"), std::string::npos) << cli.Err();
    EXPECT_TRUE(Outputs().empty());
  }
  ::close(fd);
}

// A text that is no configuration, or more than one, or beyond the limits: refused with the place
// (line and column from 1), never half read.
TEST_F(HostileInput, TextsBeyondTheirStructureOrLimitsAreRefusedWithThePlace) {
  std::string unknown;
  for (int i = 0; i < 150; ++i) unknown += "x" + std::to_string(i) + ": 1\n";
  struct Case { const char* name; std::string text; const char* message; };
  const Case cases[] = {
      {"empty.yaml", "", "empty.yaml:1:1: error: the text is empty"},
      {"comments.yaml", "# nothing\n", "comments.yaml:1:1: error: the text holds only comments"},
      {"two.yaml", "identity: {}\n---\nidentity: {}\n", "two.yaml:2:1: error: a second document begins here"},
      {"after.yaml", "identity: {}\n...\njunk\n", "after.yaml:3:1: error: a second document begins here"},
      {"quote.yaml", "groups:\n  1:\n    tag: \"ABC\n", "quote.yaml:3:10: error: the quoted value is not closed"},
      {"nul.yaml", std::string("identity: {}\n\0\n", 15), "nul.yaml:2:1: error: the text holds a NUL byte"},
      {"deep.yaml", "a: " + std::string(100, '[') + std::string(100, ']') + "\n",
       "deep.yaml:1:19: error: nested deeper than 16 levels"},
      {"flow.yaml", "a: [" + std::string(70000, 'x') + "]\n",
       "flow.yaml:1:4: error: a collection in brackets longer than 64 KB"},
      {"name.yaml", "? " + std::string(50000, 'n') + "\n: 1\n", "(50000 characters)"},
      {"value.yaml", "identity:\n  firmware: " + std::string(70000, '1') + "\n", "error: a value longer than 64 KB"},
      {"keys.yaml", unknown, "keys.yaml: 50 more errors not shown"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Put(c.name, c.text);
    for (const auto& args : {std::vector<std::string>{"import", c.name, "-o", "out.k53"},
                             std::vector<std::string>{"diff", c.name, "radio.k53"}}) {
      EXPECT_EQ(cli.Run(args), args[0] == "diff" ? 2 : 1);
      const std::string err = cli.Err();
      EXPECT_NE(err.find(c.message), std::string::npos) << err.substr(0, 500);
      EXPECT_EQ(err.find(":0:"), std::string::npos) << err.substr(0, 500);
      EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 101);
      EXPECT_LT(err.size(), 20000u);
      EXPECT_TRUE(Outputs().empty());
    }
  }
}

TEST_F(HostileInput, ChannelListsBeyondTheLimitsAreRefused) {
  std::string rows = "Location,Frequency\n";
  for (int i = 0; i <= 100000; ++i) rows += "1,146.52\n";
  const std::pair<std::string, const char*> cases[] = {
      {rows, "list.csv:100001: more than 100000 rows"},
      {"Location,Frequency\n1,\"" + std::string(5000, 'x') + "\"\n", "list.csv:2: a field is longer than 4096 bytes"},
      {std::string(2000, ',') + "\n", "list.csv:1: a row has more than 1000 fields"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(message);
    Put("list.csv", text);
    EXPECT_EQ(cli.Run({"import-csv", "list.csv", "radio.k53", "-o", "out.k53"}), 1);
    EXPECT_NE(cli.Err().find(message), std::string::npos) << cli.Err();
    EXPECT_TRUE(Outputs().empty());
  }
}

TEST_F(HostileInput, NoCommandWritesOverItsInputOrAFileUnasked) {
  fs::create_symlink("radio.k53", dir / "link.yaml");
  fs::create_symlink("radio.k53", dir / "link.pdf");
  fs::create_hard_link(dir / "radio.k53", dir / "hard.k53");
  fs::create_directory(dir / "folder");
  Put("old.txt", "old");
  Put("old.pdf", "old");
  const std::string data = Text("radio.k53"), yaml = Text("radio.yaml"), csv = Text("radio.csv");
  struct Case { std::vector<std::string> args; const char* message; };
  const Case cases[] = {
      {{"export", "radio.k53", "-o", "radio.k53"}, "radio.k53 is the input file radio.k53 itself"},
      {{"export", "radio.k53", "-o", "link.yaml", "--force"}, "link.yaml is the input file radio.k53 itself"},
      {{"export", "radio.k53", "-o", "old.txt"}, "old.txt exists; use --force"},
      {{"export", "radio.k53", "-o", "folder", "--force"}, "folder is a folder"},
      {{"export", "radio.k53", "-o", "/dev/null", "--force"}, "/dev/null is not a regular file"},
      {{"export", "--schema", "-o", "radio.k53"}, "radio.k53 exists; use --force"},
      {{"export-csv", "radio.k53", "-o", "./radio.k53", "--force"}, "is the input file radio.k53 itself"},
      {{"import", "radio.yaml", "-o", "radio.yaml", "--force"}, "is the input file radio.yaml itself"},
      {{"import", "radio.yaml", "--base", "radio.k53", "-o", "radio.k53", "--force"}, "is the input file radio.k53"},
      {{"import", "radio.yaml", "-o", "old.txt"}, "old.txt exists; use --force"},
      {{"import-csv", "radio.csv", "radio.k53", "-o", "radio.csv", "--force"}, "is the input file radio.csv"},
      {{"import-csv", "radio.csv", "radio.k53", "-o", "old.txt"}, "old.txt exists; use --force"},
      {{"report", "radio.k53", "-o", "radio.k53"}, "is the input file"},
      {{"report", "radio.k53", "-o", "hard.k53", "--force"}, "is the input file"},
      {{"report", "./hard.k53", "-o", "link.pdf", "--force"}, "is the input file"},
      {{"report", "radio.k53", "-o", "old.pdf"}, "old.pdf exists; use --force"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1] + " -o " + c.args[3]);
    EXPECT_EQ(cli.Run(c.args), 1);
    EXPECT_NE(cli.Err().find(c.message), std::string::npos) << cli.Err();
  }
  EXPECT_EQ(Text("radio.k53"), data);
  EXPECT_EQ(Text("radio.yaml"), yaml);
  EXPECT_EQ(Text("radio.csv"), csv);
  EXPECT_EQ(Text("old.txt"), "old");
  EXPECT_EQ(Text("old.pdf"), "old");
  EXPECT_TRUE(fs::is_symlink(dir / "link.yaml"));

  // "-o -" is standard output; --force replaces a file that is no input.
  EXPECT_EQ(cli.Run({"export", "radio.k53", "-o", "-"}), 0) << cli.Err();
  EXPECT_EQ(Text(".stdout"), yaml);
  EXPECT_EQ(cli.Run({"export-csv", "radio.k53", "-o", "-"}), 0) << cli.Err();
  EXPECT_EQ(Text(".stdout"), csv);
  EXPECT_EQ(cli.Run({"export", "radio.k53", "-o", "old.txt", "--force"}), 0) << cli.Err();
  EXPECT_EQ(Text("old.txt"), yaml);
}

// Each writing command reads its input from a pipe; once it has read the first part (past its
// look at the output's name), the output file appears; the rest of the input follows. The file
// made meanwhile stays as it is.
TEST_F(HostileInput, AFileThatAppearsWhileACommandRunsIsLeftAlone) {
  const std::string data = Text("radio.k53");
  std::string list = "Location,Frequency\n";  // channels that change: the import writes
  for (int i = 1; i <= 16; ++i) list += std::to_string(i) + ",146.52\n";
  struct Case { std::vector<std::string> args; std::string input; const char* out; };
  const Case cases[] = {
      {{"import", "-", "-o", "out.k53"}, Text("radio.yaml"), "out.k53"},
      {{"import-csv", "-", "radio.k53", "-o", "out.k53"}, list, "out.k53"},
      {{"export", "-", "-o", "out.yaml"}, data, "out.yaml"},
      {{"export-csv", "-", "-o", "out.csv"}, data, "out.csv"},
      {{"report", "-", "-o", "out.txt", "--date", "1/1/2026"}, data, "out.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    fs::remove(dir / c.out);
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    const pid_t pid = cli.Start(c.args, -1, {}, fds[0]);
    ASSERT_EQ(::write(fds[1], c.input.data(), 100), 100);
    // The program has read the first part once the pipe holds nothing.
    int pending = 1;
    for (int i = 0; i < 3000 && pending > 0; ++i) {
      ASSERT_EQ(::ioctl(fds[0], FIONREAD, &pending), 0);
      if (pending > 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(pending, 0);
    Put(c.out, "made meanwhile");
    const std::string_view rest = std::string_view(c.input).substr(100);
    ASSERT_EQ(::write(fds[1], rest.data(), rest.size()), static_cast<ssize_t>(rest.size()));
    ::close(fds[1]);
    ::close(fds[0]);
    EXPECT_EQ(CliRunner::Wait(pid), 1);
    EXPECT_NE(cli.Err().find(std::string(c.out) + ": File exists (it appeared while the command ran"), std::string::npos) << cli.Err();
    EXPECT_EQ(Text(c.out), "made meanwhile");
  }
}

}  // namespace
}  // namespace kp53::e2e

#endif  // KP53_CLI_PATH
