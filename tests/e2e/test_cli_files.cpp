// The kp53 program's files and streams: reports written as text and as PDF alike, a file that
// appears during an upload, output that cannot be written, the reasons it gives, and the settings
// file. (What no command writes over is the hostile-input table's.)
#ifdef KP53_CLI_PATH

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "cli_runner.h"
#include "e2e_support.h"

namespace kp53::e2e {
namespace {

namespace fs = std::filesystem;

class CliFiles : public LinkE2E, public CliFolder {
 protected:
  // A data file of a new image.
  void NewDataFile(const std::string& name) { ASSERT_EQ(cli.Run({"new", name}), 0) << cli.Err(); }
};

// PDF output is written as text output is: through a link (also a dangling one), never over a
// file the user may not write, whole or not at all.
TEST_F(CliFiles, ReportTextAndPdfAreWrittenTheSameWay) {
  NewDataFile("radio.k53");
  fs::create_directory(dir / "out");
#ifdef KP53_CLI_HAS_PDF
  const std::vector<std::string> extensions{".txt", ".pdf"};
#else
  const std::vector<std::string> extensions{".txt"};
#endif
  for (const std::string& ext : extensions) {
    SCOPED_TRACE(ext);
    const std::string link = "link" + ext;
    fs::create_symlink("out/real" + ext, dir / link);  // dangling until written
    EXPECT_EQ(cli.Run({"report", "radio.k53", "-o", link, "--force"}), 0) << cli.Err();
    EXPECT_TRUE(fs::is_symlink(dir / link));
    EXPECT_GT(fs::file_size(dir / "out" / ("real" + ext)), 1000u);

    const std::string locked = "locked" + ext;
    Put(locked, "old");
    fs::permissions(dir / locked, fs::perms::owner_read);
    EXPECT_EQ(cli.Run({"report", "radio.k53", "-o", locked, "--force"}), 1);
    EXPECT_NE(cli.Err().find("cannot write " + locked + ": the file is read-only"), std::string::npos) << cli.Err();
    EXPECT_EQ(Text(locked), "old");
  }
  // Nothing but the files named above: no temporary file left.
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.path().filename().string().rfind(".kp53", 0) == 0) names.push_back(e.path().string());
  EXPECT_TRUE(names.empty());
}

TEST_F(CliFiles, UploadNeverReplacesAFileMadeDuringTheTransfer) {
  auto radioOptions = SwitchedOffRadio();
  radioOptions.powerOnDelayMs = -1;  // on only when the test says so
  StartRadio(radioOptions);
  const pid_t upload = cli.Start({"upload", "--port", device, "-o", "radio.k53"});
  // The transfer has begun (the file did not exist at the start) once its title is shown.
  for (int i = 0; i < 3000 && cli.Err().find("Upload Function") == std::string::npos; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_NE(cli.Err().find("Upload Function"), std::string::npos) << cli.Err();
  Put("radio.k53", "made meanwhile");
  radio->PowerOn();
  EXPECT_EQ(CliRunner::Wait(upload), 1);
  EXPECT_EQ(Text("radio.k53"), "made meanwhile");
  const std::string saved = Text("radio-1.k53");
  const RadioImage memory = radio->Memory();
  ASSERT_EQ(saved.size(), kDataFileSize);
  EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + kImageSize, reinterpret_cast<const std::uint8_t*>(saved.data())));
  EXPECT_NE(cli.Err().find("saved in radio-1.k53"), std::string::npos) << cli.Err();
}

TEST_F(CliFiles, OutputThatCannotBeWrittenFailsTheCommand) {
  NewDataFile("radio.k53");
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  int pipeFds[2];
  ASSERT_EQ(::pipe2(pipeFds, O_CLOEXEC), 0);
  ::close(pipeFds[0]);  // nobody reads
  const std::vector<std::vector<std::string>> commands{
      {"info", "radio.k53"}, {"hexdump", "radio.k53"}, {"report", "radio.k53"}, {"report", "radio.k53", "-o", "-"}};
  for (const auto& command : commands) {
    for (const auto& [out, name] : {std::pair{full, "/dev/full"}, std::pair{pipeFds[1], "closed pipe"}}) {
      SCOPED_TRACE(command[0] + (command.size() > 2 ? " -o -" : "") + " > " + name);
      EXPECT_EQ(cli.Run(command, out), 1);
      EXPECT_NE(cli.Err().find("kp53: standard output: "), std::string::npos) << cli.Err();
    }
    EXPECT_EQ(cli.Run(command), 0) << cli.Err();
  }
  ::close(full);
  ::close(pipeFds[1]);
}

TEST_F(CliFiles, ErrorsNameTheFileAndTheSystemsReason) {
  NewDataFile("ro.k53");
  fs::permissions(dir / "ro.k53", fs::perms::owner_read);
  Put("short.k53", std::string(100, 'x'));
  fs::create_directory(dir / "folder.k53");
  struct Case {
    std::vector<std::string> args;
    const char* message;  // the system's own text, first
    const char* reason;   // then the name and the reason
  };
  const Case cases[] = {
      {{"info", "missing.k53"}, "Problem opening file\nFile Name = missing.k53", "missing.k53: No such file or directory"},
      {{"info", "folder.k53"}, "The File cannot be Opened.", "folder.k53 is a folder, not a file"},
      {{"hexdump", "short.k53"}, "The File cannot be Opened.", "short.k53: 100 bytes; a data file has 7735"},
      {{"new", "no/such/x.k53"}, "Problem opening file\nno/such/x.k53", "no/such/x.k53: No such file or directory"},
      {{"new", "--force", "ro.k53"}, "The File's attribute is Read_Only.\nFile Name = ro.k53",
       "ro.k53: the file is read-only"},
      {{"report", "ro.k53", "-o", "no/such/r.txt"}, "cannot create no/such/r.txt", ": No such file or directory"},
      {{"upload", "--port", (dir / "nodev").string(), "-o", "u.k53"}, "Problem with COM port",
       "nodev: No such file or directory"},
      {{"upload", "--port", (dir / "short.k53").string(), "-o", "u.k53"}, "Problem with COM port",
       "short.k53: not a serial device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    EXPECT_EQ(cli.Run(c.args), 1);
    const std::string err = cli.Err();
    const auto message = err.find(c.message);
    EXPECT_NE(message, std::string::npos) << err;
    EXPECT_NE(err.find(c.reason, message), std::string::npos) << err;
  }
  EXPECT_FALSE(fs::exists(dir / "u.k53"));  // a failed upload writes nothing
}

// COM slots come from the window's settings file, whatever its line endings and byte-order mark,
// and "com3" is COM3 in any case. A FIFO in its place, which would block a reader until someone
// writes into it, is ignored with a warning.
TEST_F(CliFiles, ComPortsFollowTheSettingsFileAndAFifoInItsPlaceIsIgnored) {
  StartRadio(RadioInCloneMode());
  Put("KP53Win.ini", "\xEF\xBB\xBF[Ports]\r\nCOM3=" + device + "\r\n");
  EXPECT_EQ(cli.Run({"upload", "--port", "cOm3", "-o", "radio.k53"}), 0) << cli.Err();
  EXPECT_EQ(fs::file_size(dir / "radio.k53"), kDataFileSize);
  fs::remove(dir / "KP53Win.ini");
  ASSERT_EQ(::mkfifo((dir / "KP53Win.ini").c_str(), 0644), 0);
  EXPECT_EQ(cli.Run({"download", "radio.k53", "--port", device}), 0) << cli.Err();
  EXPECT_NE(cli.Err().find("warning: KP53Win.ini: not a regular file; it is ignored"), std::string::npos) << cli.Err();
  radio->WaitIdle(std::chrono::seconds(5));
  EXPECT_TRUE(fs::is_fifo(dir / "KP53Win.ini"));
}

}  // namespace
}  // namespace kp53::e2e

#endif  // KP53_CLI_PATH
