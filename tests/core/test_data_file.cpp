// Writing files whole or not at all, and the ".K53" data file primitives: reading, writing, the
// size check and the read-only check; the settings file: private-profile reading and writing that
// keeps everything else in the file, the range checks of the twenty keys, the command-line
// switches, and what is done with a settings file that must not be written.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "document/app_context.h"
#include "fake_prompt.h"
#include "image/data_file.h"
#include "image/radio_data.h"
#include "io/atomic_file.h"
#include "settings/settings.h"
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
  bytes.push_back(0);
  WriteBytes(dir.File("long.k53"), bytes);
  bytes.resize(kDataFileSize - 1);
  WriteBytes(dir.File("short.k53"), bytes);
  const std::pair<std::string, FileCheck> cases[] = {
      {dir.File("a.k53"), FileCheck::Usable},         {dir.File("long.k53"), FileCheck::WrongSize},
      {dir.File("short.k53"), FileCheck::WrongSize},  {dir.File("missing.k53"), FileCheck::NotFound},
      {"", FileCheck::NotFound},                      {dir.path().string(), FileCheck::WrongSize}};
  for (const auto& [path, check] : cases)
    EXPECT_EQ(CheckDataFile(path, static_cast<long long>(kDataFileSize)), check) << path;
}

TEST_F(DataFileTest, MissingFileOrFolder) {
  // A missing file cannot be opened (32), a folder not read (34); nowhere to write is 35.
  RadioImage img{};
  double split = 0;
  for (const auto& [path, message] : {std::pair{dir.File("missing.k53"), 32}, {dir.path().string(), 34}}) {
    prompt.Clear();
    EXPECT_FALSE(ReadDataFile(path, img, split, prompt));
    EXPECT_TRUE(prompt.ShowedOnly(message, path)) << path;
  }
  for (const std::string& path : {dir.File("no/such/folder/x.k53"), std::string()}) {
    prompt.Clear();
    EXPECT_FALSE(WriteDataFile(path, data.image, 0.0, prompt));
    EXPECT_TRUE(prompt.ShowedOnly(35, path)) << path;
  }
  EXPECT_TRUE(dir.Entries().empty());
}

TEST_F(DataFileTest, ReadOnlyFileIsRefusedBySaveAndByTheWriter) {
  const std::string p = Write("ro.k53");
  EXPECT_TRUE(IsWritable(p, prompt, "shown"));
  EXPECT_TRUE(IsWritable(dir.File("new.k53"), prompt, "shown"));
  ASSERT_EQ(::chmod(p.c_str(), 0444), 0);
  const auto before = ReadBytes(p);
  // The owner-write bit decides, also for a user (root) whom the system would let write.
  EXPECT_FALSE(IsWritable(p, prompt, "shown"));
  EXPECT_TRUE(prompt.ShowedOnly(49, "shown"));
  prompt.Clear();
  data.image[7000] = 0x33;
  EXPECT_FALSE(WriteDataFile(p, data.image, data.defaultSplit, prompt));
  EXPECT_TRUE(prompt.ShowedOnly(49, p));
  EXPECT_EQ(ReadBytes(p), before);
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

// Puts something at `path` before a write.
using Plant = std::function<void(const std::string& path)>;

void PlantFile(const std::string& path, mode_t mode) {
  std::ofstream(path) << "old";
  ::chmod(path.c_str(), mode);
}

TEST(AtomicWrite, RefusesWhatItMustNotReplaceAndLeavesItAsItWas) {
  struct Case {
    const char* what;
    Plant plant;
    Replace replace;
    AtomicWrite expected;
  };
  const Case cases[] = {
      {"read-only file", [](const std::string& p) { PlantFile(p, 0444); }, Replace::Allowed, AtomicWrite::ReadOnly},
      {"file, no replacing", [](const std::string& p) { PlantFile(p, 0644); }, Replace::Never, AtomicWrite::Exists},
      {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }, Replace::Allowed,
       AtomicWrite::NotAFile},
      {"FIFO", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }, Replace::Allowed, AtomicWrite::NotAFile},
      {"links in a loop", [](const std::string& p) { std::filesystem::create_symlink(p, p); }, Replace::Allowed,
       AtomicWrite::CannotCreate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string target = dir.File("t");
    c.plant(target);
    struct stat before{};
    ASSERT_EQ(::lstat(target.c_str(), &before), 0);
    EXPECT_EQ(WriteFileAtomically(target, {"new"}, c.replace).status, c.expected);
    struct stat after{};
    ASSERT_EQ(::lstat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    if (S_ISREG(after.st_mode)) {
      EXPECT_EQ(ReadBytes(target), std::vector<unsigned char>({'o', 'l', 'd'}));
    }
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"t"});
  }
}

TEST(AtomicWrite, WritesThroughLiveAndDanglingLinks) {
  struct Case {
    const char* what;
    const char* linkTarget;  // relative to the folder of the link
    bool targetExists;
  };
  for (const Case& c : {Case{"live", "real", true}, Case{"dangling", "real", false},
                        Case{"dangling, through a sub-folder", "sub/../real", false}}) {
    for (const Replace replace : {Replace::Allowed, Replace::Never}) {
      if (c.targetExists && replace == Replace::Never) continue;
      SCOPED_TRACE(c.what);
      TempDir dir;
      std::filesystem::create_directory(dir.path() / "sub");
      if (c.targetExists) PlantFile(dir.File("real"), 0640);
      std::filesystem::create_symlink(c.linkTarget, dir.path() / "link");
      ASSERT_TRUE(WriteFileAtomically(dir.File("link"), {"ne", "w"}, replace).ok());
      EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link"));
      EXPECT_EQ(ReadBytes(dir.File("real")), std::vector<unsigned char>({'n', 'e', 'w'}));
      struct stat st{};
      ASSERT_EQ(::stat(dir.File("real").c_str(), &st), 0);
      if (c.targetExists) {
        EXPECT_EQ(st.st_mode & 07777, 0640u);  // a replaced file keeps its mode
      }
      EXPECT_EQ(dir.Entries().size(), 3u);  // link, real, sub: no temporary file
    }
  }
}

TEST(AtomicWrite, NewFileBesideTakesTheFirstFreeName) {
  struct Case {
    const char* path;
    std::vector<std::string> existing;
    const char* expected;
  };
  const Case cases[] = {
      {"radio.k53", {"radio.k53", "radio-1.k53", "radio-2.k53"}, "radio-3.k53"},
      {".hidden", {".hidden"}, ".hidden-1"},
      {"a.b/radio", {}, "a.b/radio-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "a.b");
    for (const auto& name : c.existing) PlantFile(dir.File(name), 0644);
    std::string written;
    ASSERT_TRUE(WriteFileBeside(dir.File(c.path), {"new"}, written).ok());
    EXPECT_EQ(written, dir.File(c.expected));
    EXPECT_EQ(ReadBytes(written), std::vector<unsigned char>({'n', 'e', 'w'}));
    for (const auto& name : c.existing) EXPECT_EQ(ReadBytes(dir.File(name)).size(), 3u);
  }
}

// A writer killed while it writes (here by the file-size limit, at the first byte past 4 KB)
// leaves no file behind: the file has no name until it is complete.
TEST(AtomicWrite, AWriterKilledHalfwayLeavesNothing) {
  TempDir dir;
  const int probe = ::open(dir.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
  if (probe < 0) GTEST_SKIP() << "the file system has no unnamed files";
  ::close(probe);
  PlantFile(dir.File("keep.k53"), 0644);
  const std::string big(1 << 16, 'x');
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    std::signal(SIGXFSZ, SIG_DFL);
    struct rlimit small{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &small);
    WriteFileAtomically(dir.File("keep.k53"), {big});
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"keep.k53"});
  EXPECT_EQ(ReadBytes(dir.File("keep.k53")).size(), 3u);
}

TEST(DefaultFileName, NamePartInAnyCase) {
  for (const char* name : {"defaultv.k53", "/some/where/DefaultU.K53"}) EXPECT_TRUE(IsDefaultFileName(name)) << name;
  for (const char* name : {"/x/mydefaultv.k53", "/defaultv.k53/other.k53", "defaultv.k53.bak", ""})
    EXPECT_FALSE(IsDefaultFileName(name)) << name;
}

namespace fs = std::filesystem;

TEST(IniFile, ReadsLikeTheProfileCalls) {
  IniFile ini;
  ini.Parse("[S]\na=12abc\nb=abc\nc=-5\nd=99999999999999\ne=\n[initialize]\n  com_port = 7 \n");
  // Names in any case, blanks around them ignored.
  EXPECT_EQ(ini.GetInt("Initialize", "COM_PORT", 1), 7);
  EXPECT_EQ(ini.GetString("INITIALIZE", "Com_Port", ""), "7");
  const std::pair<const char*, int> ints[] = {{"a", 12}, {"b", 0}, {"c", 0}, {"d", INT_MAX}, {"e", 0}, {"missing", 3}};
  for (const auto& [key, value] : ints) EXPECT_EQ(ini.GetInt("S", key, 3), value) << key;
  EXPECT_EQ(ini.GetInt("Other", "a", 3), 3);
}

TEST(IniFile, WritingAndRemovingKeepOtherSectionsKeysAndComments) {
  IniFile ini;
  ini.Parse("; a comment\n[Other]\nx=1\nk=2\n[Initialize]\nCOM_PORT=3\nKeep=me\n[Tail]\nx=2\n");
  ini.SetInt("Initialize", "COM_PORT", 5);
  ini.SetInt("Initialize", "CX", 900);
  ini.SetInt("ITEM", "ITEM0", 1);
  ini.Remove("Other", "x");
  EXPECT_EQ(ini.Text(),
            "; a comment\n[Other]\nk=2\n[Initialize]\nCOM_PORT=5\nKeep=me\nCX=900\n[Tail]\nx=2\n[ITEM]\nITEM0=1\n");
}

TEST(IniFile, LineBreaksInValuesAreRefused) {
  IniFile ini;
  EXPECT_FALSE(ini.Set("S", "k", "a\nb"));
  EXPECT_FALSE(ini.Set("S", "k=1", "a"));
  EXPECT_FALSE(ini.Set("S]", "k", "a"));
  EXPECT_TRUE(ini.Text().empty());
}

TEST(IniFile, LineEndingsAndByteOrderMarkAreKept) {
  struct Case {
    const char* what;
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"LF", "[Initialize]\nCOM_PORT=1\n", "[Initialize]\nCOM_PORT=5\n[ITEM]\nITEM0=1\n"},
      {"CRLF", "[Initialize]\r\nCOM_PORT=1\r\n", "[Initialize]\r\nCOM_PORT=5\r\n[ITEM]\r\nITEM0=1\r\n"},
      {"CR", "[Initialize]\rCOM_PORT=1", "[Initialize]\rCOM_PORT=5\r[ITEM]\rITEM0=1\r"},
      {"BOM and CRLF", "\xEF\xBB\xBF[Initialize]\r\nCOM_PORT=1\r\n",
       "\xEF\xBB\xBF[Initialize]\r\nCOM_PORT=5\r\n[ITEM]\r\nITEM0=1\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IniFile ini;
    ini.Parse(c.before);
    EXPECT_EQ(ini.GetInt("Initialize", "COM_PORT", 0), 1);
    ini.SetInt("Initialize", "COM_PORT", 5);
    ini.SetInt("ITEM", "ITEM0", 1);
    EXPECT_EQ(ini.Text(), c.after);
  }
}

TEST(Settings, OutOfRangeValuesBecomeTheDefaultsAndAreWrittenBack) {
  struct Case {
    const char* text;
    int comPort, comSpeed, cx, cy;
    bool readBack;
  };
  const Case cases[] = {
      {"[Initialize]\nCOM_PORT=17\nCOM_SPD=2\nCX=300\nCY=300\nREAD_BACK=0\n", 1, 0, 835, 540, false},
      {"[Initialize]\nCOM_PORT=0\nCOM_SPD=1\nCX=1200\nCY=800\n", 1, 1, 1200, 800, true},
      {"[Initialize]\nCOM_PORT=16\n", 16, 0, 835, 540, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    IniFile ini;
    ini.Parse(c.text);
    const Settings s = ReadSettings(ini);
    EXPECT_EQ(std::tuple(s.comPort, s.comSpeed, s.cx, s.cy, s.readBack),
              std::tuple(c.comPort, c.comSpeed, c.cx, c.cy, c.readBack));
    WriteSettings(ini, s);
    EXPECT_EQ(ini.GetInt("Initialize", "COM_PORT", 0), c.comPort);
    EXPECT_EQ(ini.GetInt("Initialize", "READ_BACK", 9), c.readBack ? 1 : 0);
    EXPECT_EQ(ini.GetInt("Initialize", "COM_SPD", 9), c.comSpeed);
  }
  IniFile ini;
  ini.Parse("[ITEM]\nITEM5=0\n");
  EXPECT_FALSE(ReadSettings(ini).ColumnShown(5));
  EXPECT_TRUE(ReadSettings(ini).ColumnShown(4));
}

TEST(Settings, AnEmptyFileGetsAllTwentyKeysAtStartUp) {
  IniFile ini;
  WriteStartupSettings(ini, ReadSettings(ini));
  int keys = 0;
  std::istringstream lines(ini.Text());
  for (std::string line; std::getline(lines, line);)
    if (line.find('=') != std::string::npos) ++keys;
  EXPECT_EQ(keys, 20);
  for (const char* k : {"COM_PORT", "COM_SPD"}) EXPECT_TRUE(ini.Get("Initialize", k)) << k;
  for (int n = 0; n < 18; ++n) EXPECT_EQ(ini.GetInt("ITEM", "ITEM" + std::to_string(n), 9), 1);
}

TEST(Settings, ComDevicesAndRecentFilesRoundTrip) {
  Settings s;
  s.comDevice[2] = "/dev/ttyUSB0";
  s.AddRecentFile("/a.k53");
  s.AddRecentFile("/b.k53");
  s.AddRecentFile("/a.k53");
  for (int i = 0; i < 5; ++i) s.AddRecentFile("/f" + std::to_string(i));
  EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"/f4", "/f3", "/f2", "/f1"}));
  IniFile ini;
  WriteSettings(ini, s);
  const Settings r = ReadSettings(ini);
  EXPECT_EQ(std::tuple(r.DevicePath(3), r.DevicePath(1), r.recentFiles),
            std::tuple("/dev/ttyUSB0", "/dev/ttyS0", s.recentFiles));
  // Clearing a device removes its key.
  Settings cleared = r;
  cleared.comDevice[2].clear();
  WriteSettings(ini, cleared);
  EXPECT_FALSE(ini.Get("Ports", "COM3"));
}

TEST(CommandLine, OnlyTheExactSwitchTextsCount) {
  struct Case {
    std::vector<std::string> args;
    bool maintenance, production;
    const char* file;
  };
  const Case cases[] = {
      {{"/m"}, true, false, ""},          {{"-M"}, true, false, ""},
      {{"/F"}, false, true, ""},          {{" /m"}, false, false, " /m"},
      {{"/m", "x.k53"}, false, false, "x.k53"}, {{"/home/u/radio.k53"}, false, false, "/home/u/radio.k53"},
      {{}, false, false, ""},
  };
  for (const Case& c : cases) {
    const StartupRequest r = ParseCommandLine(c.args);
    EXPECT_EQ(r.maintenance, c.maintenance) << c.file;
    EXPECT_EQ(r.production, c.production) << c.file;
    EXPECT_EQ(r.file, c.file);
  }
}

TEST(CommandLine, PassPhraseIsExact) {
  EXPECT_TRUE(IsMaintenancePassPhrase("qerin-volta"));
  for (const char* wrong : {"Qerin-volta", "qerin-volta ", ""}) EXPECT_FALSE(IsMaintenancePassPhrase(wrong)) << wrong;
}

TEST(AppContextSettings, UnreadableFileIsNeverOverwritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  test::TempDir tmp;
  const fs::path path = tmp.path() / "KP53Win.ini";
  { std::ofstream(path) << "[Mine]\nvalue=precious\n"; }
  fs::permissions(path, fs::perms::owner_write);
  AppContext ctx;
  ctx.LoadSettings(path.string());
  EXPECT_TRUE(ctx.iniPath.empty());
  EXPECT_TRUE(ctx.SaveSettings());
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  IniFile ini;
  ASSERT_TRUE(ini.Load(path.string()));
  EXPECT_EQ(ini.GetString("Mine", "value", ""), "precious");
  EXPECT_FALSE(ini.Get("Initialize", "COM_PORT"));
}

// What the window does with a settings file it must not write. (The file is written as every
// file is, through WriteFileAtomically: through a link, never half.)
TEST(AppContextSettings, ANameThatIsNoRegularFileOrMayNotBeWrittenIsLeftAlone) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> plant;
    bool readable;  // the settings in it are read
  };
  const Case cases[] = {
      {"FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, false},
      {"folder", [](const fs::path& p) { fs::create_directory(p); }, false},
      {"read-only file",
       [](const fs::path& p) {
         std::ofstream(p) << "[Initialize]\nCOM_PORT=3\n";
         fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir tmp;
    const fs::path path = tmp.path() / "KP53Win.ini";
    c.plant(path);
    struct stat before{};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    AppContext ctx;
    ctx.LoadSettings(path.string());  // a FIFO must not make this wait for a writer
    EXPECT_EQ(ctx.settings.comPort, c.readable ? 3 : 1);
    EXPECT_EQ(ctx.iniProblem.find("not a regular file") != std::string::npos, !c.readable) << ctx.iniProblem;
    ctx.settings.comPort = 7;
    EXPECT_EQ(ctx.SaveSettings(), !c.readable);  // refused for the read-only file; never tried otherwise
    struct stat after{};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(tmp.Entries(), std::vector<std::string>{"KP53Win.ini"});
  }
}

}  // namespace
}  // namespace kp53
