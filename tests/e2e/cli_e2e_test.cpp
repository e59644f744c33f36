// The kp53 upload and download commands against the simulator.
#ifdef KP53_CLI_PATH

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "e2e_support.h"
#include "temp_dir.h"

namespace kp53::e2e {
namespace {

class CliE2E : public LinkE2E {
 protected:
  // Runs kp53 with `args`, standard input from `input`; returns the exit status.
  int Run(const std::string& args, const std::string& input = "") {
    const auto in = dir / "stdin";
    std::ofstream(in) << input;
    const std::string cmd = std::string(KP53_CLI_PATH) + " " + args + " < " + in.string() + " > " +
                            (dir / "stdout").string() + " 2> " + (dir / "stderr").string();
    const int st = std::system(cmd.c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  }
  std::string Bytes(const std::filesystem::path& p) {
    const auto bytes = test::ReadBytes(p.string());
    return {bytes.begin(), bytes.end()};
  }
  std::string Stderr() { return Bytes(dir / "stderr"); }

  test::TempDir tmp;
  const std::filesystem::path dir = tmp.path();
};

TEST_F(CliE2E, UploadWritesTheRadiosMemoryAndNeverOverwritesWithoutForce) {
  StartRadio(RadioInCloneMode());
  const auto file = dir / "radio.k53";
  ASSERT_EQ(Run("upload --port " + device + " -o " + file.string()), 0) << Stderr();
  const std::string bytes = Bytes(file);
  ASSERT_EQ(bytes.size(), kDataFileSize);
  const RadioImage memory = radio->Memory();
  EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + kImageSize,
                         reinterpret_cast<const std::uint8_t*>(bytes.data())));
  EXPECT_NE(Stderr().find("Upload is completed"), std::string::npos);

  std::ofstream(file, std::ios::trunc) << "keep";
  EXPECT_EQ(Run("read --port " + device + " -o " + file.string()), 1);
  EXPECT_EQ(Bytes(file), "keep");
  EXPECT_EQ(Run("read --port " + device + " --force -o " + file.string()), 0) << Stderr();
  EXPECT_EQ(Bytes(file).size(), kDataFileSize);
}

TEST_F(CliE2E, AnUploadedImageExportsAndImportsToTheSameBytesAndVerifies) {
  StartRadio(RadioInCloneMode());
  const auto file = dir / "radio.k53", text = dir / "radio.yaml", back = dir / "back.k53";
  ASSERT_EQ(Run("upload --port " + device + " -o " + file.string()), 0) << Stderr();
  ASSERT_EQ(Run("normalize " + file.string()), 0) << Stderr();
  ASSERT_EQ(Run("export " + file.string() + " -o " + text.string()), 0) << Stderr();
  ASSERT_EQ(Run("import - -o " + back.string(), Bytes(text)), 0) << Stderr();
  EXPECT_EQ(Bytes(back), Bytes(file));
  EXPECT_EQ(Run("diff " + file.string() + " " + text.string()), 0) << Stderr();
  EXPECT_EQ(Run("import - -o " + back.string(), Bytes(text)), 1);  // never overwrites unasked
}

TEST_F(CliE2E, FailedUploadWritesNothing) {
  const auto file = dir / "none.k53";
  EXPECT_EQ(Run("upload --port " + (dir / "no-such-tty").string() + " -o " + file.string()), 1);
  EXPECT_NE(Stderr().find("Problem with COM port"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(Run("upload --port COM17 -o " + file.string()), 2);
}

TEST_F(CliE2E, DownloadWithAWrongPassPhraseRunsInUserMode) {
  auto o = RadioInCloneMode();
  StartRadio(o);
  const auto file = dir / "doc.k53";
  ASSERT_EQ(Run("upload --port " + device + " -o " + file.string()), 0) << Stderr();
  EXPECT_EQ(Run("write " + file.string() + " --port " + device + " --maintenance", "qerin-volt\n"), 0) << Stderr();
  EXPECT_NE(Stderr().find("user mode"), std::string::npos);
  EXPECT_NE(Stderr().find("Download is completed"), std::string::npos);
  radio->WaitIdle(std::chrono::seconds(5));
  EXPECT_EQ(radio->Log().blocksWritten, std::vector<int>{60});
}

}  // namespace
}  // namespace kp53::e2e

#endif  // KP53_CLI_PATH
