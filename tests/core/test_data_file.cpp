// The ".K53" data file primitives: reading, atomic writing, the size check and the read-only check.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "fake_prompt.h"
#include "image/data_file.h"
#include "image/radio_data.h"
#include "temp_dir.h"

namespace kp53 {
namespace {

using test::FakePrompt;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class DataFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir.path().empty());
    InitImage(data);
    data.image[7717] = 0xC3;  // factory data as a radio would have it
    data.image[7000] = 0x5A;
    data.defaultSplit = -1.5;
    NormalizeImage(data);
  }
  std::string Write(const std::string& name) {
    const std::string p = dir.File(name);
    EXPECT_TRUE(WriteDataFile(p, data.image, data.defaultSplit, prompt));
    return p;
  }
  TempDir dir;
  FakePrompt prompt;
  RadioData data;
};

TEST_F(DataFileTest, RoundTripsByteForByte) {
  const std::string first = Write("a.k53");
  const auto bytes = ReadBytes(first);
  ASSERT_EQ(bytes.size(), kDataFileSize);
  EXPECT_EQ(bytes[7717], 0xC3);
  EXPECT_TRUE(std::equal(data.image.begin(), data.image.begin() + kImageSize, bytes.begin()));
  // -1.5 as a little-endian double
  const std::vector<unsigned char> trailer(bytes.begin() + kImageSize, bytes.end());
  EXPECT_EQ(trailer, (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0xF8, 0xBF}));

  RadioData back;
  InitImage(back);
  ASSERT_TRUE(ReadDataFile(first, back.image, back.defaultSplit, prompt));
  EXPECT_EQ(back.defaultSplit, -1.5);
  ReloadAreas(back);
  NormalizeImage(back);
  ASSERT_TRUE(WriteDataFile(dir.File("b.k53"), back.image, back.defaultSplit, prompt));
  EXPECT_EQ(ReadBytes(dir.File("b.k53")), bytes);
  EXPECT_EQ(GetU16(back.image, off::kChecksum), ImageChecksum(back.image));
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(DataFileTest, ShortFileKeepsTheSplitLongerFileIsCut) {
  auto bytes = ReadBytes(Write("a.k53"));
  bytes.resize(kImageSize);
  WriteBytes(dir.File("short.k53"), bytes);
  RadioImage img{};
  double split = 7.5;
  ASSERT_TRUE(ReadDataFile(dir.File("short.k53"), img, split, prompt));
  EXPECT_EQ(split, 7.5);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), img.begin()));

  // A trailer that is not a number (here a NaN) is ignored like a missing one.
  bytes.insert(bytes.end(), {0, 0, 0, 0, 0, 0, 0xF8, 0x7F});
  WriteBytes(dir.File("nan.k53"), bytes);
  ASSERT_TRUE(ReadDataFile(dir.File("nan.k53"), img, split, prompt));
  EXPECT_EQ(split, 7.5);

  bytes.resize(kImageSize - 1);
  WriteBytes(dir.File("shorter.k53"), bytes);
  EXPECT_FALSE(ReadDataFile(dir.File("shorter.k53"), img, split, prompt));
  EXPECT_TRUE(prompt.ShowedOnly(34, dir.File("shorter.k53")));
  EXPECT_EQ(prompt.shown[0].icon, Icon::Stop);
}

TEST_F(DataFileTest, SizeCheck) {
  auto bytes = ReadBytes(Write("a.k53"));
  const long long size = static_cast<long long>(kDataFileSize);
  EXPECT_EQ(CheckDataFile(dir.File("a.k53"), size), FileCheck::Usable);
  bytes.push_back(0);
  WriteBytes(dir.File("long.k53"), bytes);
  EXPECT_EQ(CheckDataFile(dir.File("long.k53"), size), FileCheck::WrongSize);
  bytes.resize(kDataFileSize - 1);
  WriteBytes(dir.File("short.k53"), bytes);
  EXPECT_EQ(CheckDataFile(dir.File("short.k53"), size), FileCheck::WrongSize);
  EXPECT_EQ(CheckDataFile(dir.File("missing.k53"), size), FileCheck::NotFound);
  EXPECT_EQ(CheckDataFile("", size), FileCheck::NotFound);
  EXPECT_EQ(CheckDataFile(dir.path().string(), size), FileCheck::WrongSize);
}

TEST_F(DataFileTest, MissingFileOrFolder) {
  RadioImage img{};
  double split = 0;
  EXPECT_FALSE(ReadDataFile(dir.File("missing.k53"), img, split, prompt));
  EXPECT_TRUE(prompt.ShowedOnly(32, dir.File("missing.k53")));
  prompt.Clear();
  EXPECT_FALSE(ReadDataFile(dir.path().string(), img, split, prompt));  // a folder cannot be read
  EXPECT_TRUE(prompt.ShowedOnly(34, dir.path().string()));

  prompt.Clear();
  const std::string nowhere = dir.File("no/such/folder/x.k53");
  EXPECT_FALSE(WriteDataFile(nowhere, data.image, 0.0, prompt));
  EXPECT_TRUE(prompt.ShowedOnly(35, nowhere));
  EXPECT_TRUE(dir.Entries().empty());
  prompt.Clear();
  EXPECT_FALSE(WriteDataFile("", data.image, 0.0, prompt));
  EXPECT_TRUE(prompt.ShowedOnly(35, ""));
}

TEST_F(DataFileTest, ReadOnlyFileIsRefused) {
  const std::string p = Write("ro.k53");
  EXPECT_TRUE(IsWritable(p, prompt, "shown"));
  EXPECT_TRUE(IsWritable(dir.File("new.k53"), prompt, "shown"));
  ASSERT_EQ(::chmod(p.c_str(), 0444), 0);
  // The owner-write bit decides, also for a user (root) whom the system would let write.
  EXPECT_FALSE(IsWritable(p, prompt, "shown"));
  EXPECT_TRUE(prompt.ShowedOnly(49, "shown"));
}

TEST_F(DataFileTest, FailedWriteLeavesTheOldFileIntact) {
  const std::string p = Write("keep.k53");
  const auto before = ReadBytes(p);
  data.image[7000] = 0x11;

  // Let the file system refuse everything past the first kilobyte.
  struct rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = WriteDataFile(p, data.image, data.defaultSplit, prompt);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(ok);
  EXPECT_TRUE(prompt.ShowedOnly(33));
  EXPECT_EQ(ReadBytes(p), before);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"keep.k53"});  // no temporary file left
}

TEST_F(DataFileTest, ReplacingKeepsModeAndWritesThroughALink) {
  const std::string p = Write("target.k53");
  ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
  std::filesystem::create_symlink(p, dir.File("link.k53"));
  data.image[7000] = 0x22;
  ASSERT_TRUE(WriteDataFile(dir.File("link.k53"), data.image, 0.0, prompt));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.k53")));
  EXPECT_EQ(ReadBytes(p)[7000], 0x22);
  struct stat st{};
  ASSERT_EQ(::stat(p.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(DefaultFileName, NamePartInAnyCase) {
  EXPECT_TRUE(IsDefaultFileName("defaultv.k53"));
  EXPECT_TRUE(IsDefaultFileName("/some/where/DefaultU.K53"));
  EXPECT_FALSE(IsDefaultFileName("/x/mydefaultv.k53"));
  EXPECT_FALSE(IsDefaultFileName("/defaultv.k53/other.k53"));
  EXPECT_FALSE(IsDefaultFileName("defaultv.k53.bak"));
  EXPECT_FALSE(IsDefaultFileName(""));
}

}  // namespace
}  // namespace kp53
