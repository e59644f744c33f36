// The kp53 upload and download commands against the simulator.
#ifdef KP53_CLI_PATH

#include <fcntl.h>
#include <sys/ioctl.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_runner.h"
#include "e2e_support.h"
#include "image/data_file.h"

namespace kp53::e2e {
namespace {

class CliE2E : public LinkE2E, public CliFolder {
 protected:
  // Runs kp53 with `args` (split at blanks), standard input from `input`; returns the exit status.
  int Run(const std::string& args, const std::string& input = "") { return cli.Run(Words(args), -1, input); }
  // Starts kp53 in the background; returns its process id.
  pid_t Spawn(const std::string& args) { return cli.Start(Words(args)); }
  static std::vector<std::string> Words(const std::string& args) {
    std::vector<std::string> words;
    std::istringstream in(args);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
  }
  // True when the terminal of the simulator is in exclusive mode (nobody else may open it).
  bool Exclusive() const {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    int excl = 0;
    if (fd >= 0) {
      ::ioctl(fd, TIOCGEXCL, &excl);
      ::close(fd);
    }
    return excl != 0;
  }
};

TEST_F(CliE2E, UploadWritesTheRadiosMemoryAndNeverOverwritesWithoutForce) {
  StartRadio(RadioInCloneMode());
  const auto file = dir / "radio.k53";
  ASSERT_EQ(Run("upload --port " + device + " -o " + file.string()), 0) << cli.Err();
  const std::string bytes = cli.Text(file);
  ASSERT_EQ(bytes.size(), kDataFileSize);
  const RadioImage memory = radio->Memory();
  EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + kImageSize,
                         reinterpret_cast<const std::uint8_t*>(bytes.data())));
  EXPECT_NE(cli.Err().find("Upload is completed"), std::string::npos);

  std::ofstream(file, std::ios::trunc) << "keep";
  EXPECT_EQ(Run("read --port " + device + " -o " + file.string()), 1);
  EXPECT_EQ(cli.Text(file), "keep");
  EXPECT_EQ(Run("read --port " + device + " --force -o " + file.string()), 0) << cli.Err();
  EXPECT_EQ(cli.Text(file).size(), kDataFileSize);
}

TEST_F(CliE2E, AnUploadedImageExportsAndImportsToTheSameBytesAndVerifies) {
  StartRadio(RadioInCloneMode());
  const auto file = dir / "radio.k53", text = dir / "radio.yaml", back = dir / "back.k53";
  ASSERT_EQ(Run("upload --port " + device + " -o " + file.string()), 0) << cli.Err();
  ASSERT_EQ(Run("normalize " + file.string()), 0) << cli.Err();
  ASSERT_EQ(Run("export " + file.string() + " -o " + text.string()), 0) << cli.Err();
  ASSERT_EQ(Run("import - -o " + back.string(), cli.Text(text)), 0) << cli.Err();
  EXPECT_EQ(cli.Text(back), cli.Text(file));
  EXPECT_EQ(Run("diff " + file.string() + " " + text.string()), 0) << cli.Err();
  EXPECT_EQ(Run("import - -o " + back.string(), cli.Text(text)), 1);  // never overwrites unasked
}

TEST_F(CliE2E, DownloadWithAWrongPassPhraseRunsInUserModeAndCompareRadioFindsNoDifference) {
  StartRadio(RadioInCloneMode());
  const auto file = dir / "doc.k53";
  ASSERT_EQ(Run("upload --port " + device + " -o " + file.string()), 0) << cli.Err();
  EXPECT_EQ(Run("write " + file.string() + " --port " + device + " --maintenance", "qerin-volt\n"), 0) << cli.Err();
  EXPECT_NE(cli.Err().find("user mode"), std::string::npos);
  EXPECT_NE(cli.Err().find("Download is completed (verified)"), std::string::npos);
  radio->WaitIdle(std::chrono::seconds(5));
  EXPECT_EQ(radio->Log().blocksWritten, std::vector<int>{60});
  EXPECT_EQ(Run("compare-radio " + file.string() + " --port " + device), 0) << cli.Err();
  EXPECT_EQ(cli.Out(), "");
  EXPECT_EQ(Run("compare-radio " + (dir / "none.k53").string() + " --port " + device), 2);
}

TEST_F(CliE2E, DownloadChecksTheImageFirstReadsTheRadioBackAndComparesWithIt) {
  auto o = RadioInCloneMode();
  o.corruptWrite = {60, 35};  // the radio keeps a wrong market application
  StartRadio(o);
  const auto file = dir / "doc.k53", odd = dir / "odd.k53";
  ASSERT_EQ(Run("upload --port " + device + " -o " + file.string()), 0) << cli.Err();
  // A tone the radio lacks, as typed into a cell.
  RadioImage image{};
  double split = 0;
  ASSERT_TRUE(ReadDataFile(file.string(), image, split, prompt));
  LoadDocument(image);
  data.channels.Entry(0).rxToneType = kToneCtcss;
  data.channels.Entry(0).rxCtcss = 1005;
  NormalizeImage(data);
  ASSERT_TRUE(WriteDataFile(odd.string(), data.image, split, prompt));

  EXPECT_EQ(Run("download " + odd.string() + " --port " + device), 1);
  EXPECT_NE(cli.Err().find("channels.1.rx_tone: CTCSS 100.5 Hz is not one of the radio's tones"), std::string::npos)
      << cli.Err();
  radio->WaitIdle(std::chrono::seconds(5));
  EXPECT_TRUE(radio->Log().blocksWritten.empty());
  EXPECT_EQ(radio->Log().readRequests, 62);  // the upload's probe and blocks only: the port was never opened

  // Written anyway; the read-back names the field the radio holds wrong.
  EXPECT_EQ(Run("download " + odd.string() + " --no-check --port " + device), 1);
  EXPECT_NE(cli.Err().find("Verifying"), std::string::npos);
  EXPECT_NE(cli.Err().find("marketing.market_application"), std::string::npos) << cli.Err();
  EXPECT_EQ(Run("compare-radio " + odd.string() + " --port " + device), 1);
  EXPECT_NE(cli.Out().find("marketing.market_application"), std::string::npos);

  // Block 60 only goes wrong: without the read-back the Download says nothing.
  EXPECT_EQ(Run("download " + odd.string() + " --no-check --no-verify --port " + device), 0) << cli.Err();
  EXPECT_EQ(cli.Err().find("verified"), std::string::npos);
}

struct Interruption {
  int signal;
  const char* command;  // upload or download
  bool duringWrite;     // the signal comes after the first block was written, else during the read
};

TEST_F(CliE2E, TerminationSignalsCancelReleaseThePortAndTheNextUploadStartsClean) {
  const auto doc = dir / "doc.k53";
  {
    test::FakePrompt quiet;
    ASSERT_TRUE(WriteDataFile(doc.string(), sim::DefaultRadioMemory(), 0.0, quiet));
  }
  const Interruption cases[] = {
      {SIGTERM, "upload", false}, {SIGHUP, "upload", false},    {SIGINT, "upload", false},
      {SIGTERM, "download", false}, {SIGINT, "download", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.command) + " " + strsignal(c.signal) + (c.duringWrite ? " while writing" : ""));
    auto o = RadioInCloneMode();
    for (std::size_t b = 3; b <= 40; ++b) o.memory[b * 128 + 5] ^= 0x5A;  // 38 blocks to write
    if (!c.duringWrite) o.holdRepliesFrom = 5;                            // the read stalls at block 4
    StartRadio(o);
    const auto out = dir / "out.k53";
    const std::string args = std::string(c.command) + " --port " + device +
                             (std::string(c.command) == "upload" ? " -o " + out.string() : " " + doc.string());
    const pid_t pid = Spawn(args);
    bool reached = false;
    for (int i = 0; i < 2000 && !reached; ++i) {
      const auto log = radio->Log();
      reached = c.duringWrite ? !log.blocksWritten.empty() : log.readRequests > 6;
      if (!reached) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(reached);
    ::kill(pid, c.signal);
    EXPECT_EQ(CliRunner::Wait(pid), 1);
    const std::string err = cli.Err();
    EXPECT_NE(err.find("kp53: cancelled"), std::string::npos) << err;
    EXPECT_EQ(err.find("must be written again") != std::string::npos, c.duringWrite) << err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(Exclusive());

    // The radio now finishes the answers it held back, into a port that nobody has open; the
    // next upload must not take them for its own.
    radio->ReleaseHeldReplies();
    radio->WaitIdle(std::chrono::seconds(2));
    ASSERT_EQ(Run("upload --port " + device + " -o " + out.string()), 0) << cli.Err();
    EXPECT_EQ(cli.Text(out).substr(0, 16), std::string(reinterpret_cast<const char*>(radio->Memory().data()), 16));
    std::filesystem::remove(out);
  }
}

TEST_F(CliE2E, WaitEndsTheWaitForASilentRadio) {
  auto o = SwitchedOffRadio();
  o.silent = true;
  StartRadio(o);
  const auto file = dir / "none.k53";
  EXPECT_EQ(Run("upload --wait 1 --port " + device + " -o " + file.string()), 1);
  EXPECT_NE(cli.Err().find("did not announce itself within 1 second;"), std::string::npos) << cli.Err();
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(Run("upload --wait -1 --port " + device + " -o " + file.string()), 2);
  EXPECT_EQ(Run("upload --port COM17 -o " + file.string()), 2);  // COM1 to COM16 only
}

}  // namespace
}  // namespace kp53::e2e

#endif  // KP53_CLI_PATH
