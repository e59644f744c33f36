// Writing files whole or not at all, and the ".K53" data file primitives: reading, writing, the
// size check and the read-only check; the settings file: private-profile reading and writing that
// keeps everything else in the file, the range checks of the twenty keys, the command-line
// switches, and what is done with a settings file that must not be written.
// And the document flows: New, Open, Save, Save As, the unsaved-changes question, the default
// files and the band change, each with its messages, driven through scripted prompts; undo and
// redo: whole-image snapshots taken around each change, the step limit, merged typing, and the
// modified flag that follows the saved state.
// And channel lists as comma-separated values: the mapping of each column onto the channel, the
// rows the radio cannot hold, line numbers through quoted line breaks, and export followed by
// import.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

#include "csv/channel_csv.h"
#include "csv/csv_table.h"
#include "document/app_context.h"
#include "document/document.h"
#include "fake_prompt.h"
#include "image/codecs.h"
#include "image/data_file.h"
#include "image/radio_data.h"
#include "io/atomic_file.h"
#include "settings/settings.h"
#include "temp_dir.h"
#include "text/messages.h"

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

using test::ScriptedChooser;

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = tmp.path();
    fs::create_directories(root / "exe");
    fs::create_directories(root / "work");
    ctx.exeDir = (root / "exe").string();
    ctx.workDir = (root / "work").string();
  }
  // A document with the built-in image and one unsaved change (channel 1's squelch is 1).
  void BuildModified(CRM90Doc& doc) {
    doc.BuildImage();
    doc.Data().channels.Entry(0).squelch = 1;
    ctx.modified = true;
  }

  // A valid 7735-byte data file written by the document itself, with a UHF band when asked.
  fs::path MakeDataFile(const std::string& name, bool uhf = false) {
    AppContext c;
    c.exeDir = ctx.exeDir;
    c.workDir = ctx.workDir;
    FakePrompt p;
    ScriptedChooser ch;
    CRM90Doc d(c, p, ch);
    if (uhf) {
      d.Data().hardware.ApplyBandDefaults(true);
      d.Data().channels.ResetFrequencies(true);
    }
    d.Data().channels.Entry(0).squelch = 9;
    const fs::path path = root / name;
    c.currentPath = path.string();
    EXPECT_TRUE(d.Save());
    return path;
  }

  // What a loaded file decides: the title, the band and channel 1's squelch (9 in files made here).
  static std::tuple<std::string, bool, int> Loaded(CRM90Doc& doc) {
    return {doc.Title(), doc.Data().hardware.IsUhf(), doc.Data().channels.Entry(0).squelch};
  }

  // Flips bits of one byte of a file and gives back the new contents.
  static std::vector<unsigned char> FlipBits(const fs::path& file, std::size_t at, unsigned char bits) {
    auto bytes = ReadBytes(file.string());
    bytes[at] ^= bits;
    WriteBytes(file.string(), bytes);
    return bytes;
  }

  test::TempDir tmp;
  fs::path root;
  AppContext ctx;
  FakePrompt prompt;
  ScriptedChooser chooser;
};

// --- Building a new image ------------------------------------------------------------------------

TEST_F(DocumentTest, DefaultFileBesideTheExecutableIsUsedAndBecomesTheTitleVhfFirst) {
  fs::copy_file(MakeDataFile("u.k53", true), root / "exe" / "defaultu.k53");
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  EXPECT_TRUE(doc.DefaultFileFound());
  EXPECT_EQ(Loaded(doc), std::tuple((root / "exe" / "defaultu.k53").string(), true, 9));
  EXPECT_FALSE(fs::exists(root / "work" / "defaultv.k53"));
  fs::copy_file(MakeDataFile("v.k53", false), root / "exe" / "defaultv.k53");
  ctx.currentPath = kNoPath;
  CRM90Doc both(ctx, prompt, chooser);
  both.BuildImage();
  EXPECT_EQ(Loaded(both), std::tuple((root / "exe" / "defaultv.k53").string(), false, 9));
}

// --- Open ----------------------------------------------------------------------------------------

// Open refuses a file one byte short or long (37), a missing one and one it may not read (32),
// with a stop sign, and stays untitled.
TEST_F(DocumentTest, OpenRefusesWhatItCannotReadWhole) {
  auto bytes = ReadBytes(MakeDataFile("good.k53"));
  const fs::path locked = MakeDataFile("locked.k53");
  fs::permissions(locked, fs::perms::none);
  std::vector<std::pair<fs::path, int>> cases{{root / "missing.k53", 32}};
  if (::geteuid() != 0) cases.emplace_back(locked, 32);  // root reads every file
  for (std::size_t size : {kDataFileSize - 1, kDataFileSize + 1}) {
    auto copy = bytes;
    copy.resize(size, 0);
    cases.emplace_back(root / ("bad" + std::to_string(size) + ".k53"), 37);
    WriteBytes(cases.back().first.string(), copy);
  }
  for (const auto& [path, message] : cases) {
    FakePrompt p;
    ctx.currentPath = kNoPath;
    CRM90Doc doc(ctx, p, chooser);
    chooser.opens.push_back(path.string());
    EXPECT_FALSE(doc.Open());
    ASSERT_TRUE(p.ShowedOnly(message, path.string())) << path;
    EXPECT_EQ(p.shown[0].icon, Icon::Stop);
    EXPECT_EQ(doc.Title(), "<none>");
  }
}

TEST_F(DocumentTest, ShortFileGivenDirectlyLoadsItsImageAndKeepsTheDefaultSplit) {
  const fs::path good = MakeDataFile("good.k53");
  auto bytes = ReadBytes(good);
  bytes.resize(kDataFileSize - 1);  // the trailer is cut
  const fs::path shortFile = root / "short.k53";
  WriteBytes(shortFile.string(), bytes);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.OpenPath(shortFile.string());
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(Loaded(doc), std::tuple(shortFile.string(), false, 9));
  EXPECT_EQ(doc.Data().defaultSplit, 0.0);
}

TEST_F(DocumentTest, UnreadableFileGivenDirectlyLeavesTheBuiltInImageUntitled) {
  // Saving afterwards must never write the built-in image over the file that failed.
  const fs::path tiny = root / "tiny.k53";
  WriteBytes(tiny.string(), std::vector<unsigned char>(10, 0x55));
  const struct {
    fs::path path;
    int message;  // 0: none
  } cases[] = {{tiny, 34}, {root / "missing.k53", 0}};
  for (const auto& c : cases) {
    FakePrompt p;
    CRM90Doc doc(ctx, p, chooser);
    doc.OpenPath(c.path.string());
    EXPECT_TRUE(c.message ? p.ShowedOnly(c.message, c.path.string()) : p.shown.empty()) << c.path;
    EXPECT_FALSE(doc.DefaultFileFound());
    EXPECT_EQ(Loaded(doc), std::tuple("<none>", false, 4));
    EXPECT_TRUE(ctx.settings.recentFiles.empty());
  }
  EXPECT_EQ(ReadBytes(tiny), std::vector<unsigned char>(10, 0x55));
}

// (Open and Save through the window give back the file byte for byte: the window's test.)
TEST_F(DocumentTest, OpenLoadsTheFileAndAddsItToTheRecentList) {
  const fs::path file = MakeDataFile("f.k53", true);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  int updates = 0;
  doc.onUpdate = [&] { ++updates; };
  chooser.opens.push_back(file.string());
  EXPECT_TRUE(doc.Open());
  EXPECT_EQ(Loaded(doc), std::tuple(file.string(), true, 9));
  EXPECT_EQ(updates, 1);
  ASSERT_FALSE(ctx.settings.recentFiles.empty());
  EXPECT_EQ(ctx.settings.recentFiles[0], file.string());
}

// --- Save and Save As ----------------------------------------------------------------------------

TEST_F(DocumentTest, SavedFileIsExactSizeWithTheChecksumOfTheNormalisedImage) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  doc.Data().defaultSplit = 4.6;
  const fs::path file = root / "out.k53";
  chooser.saves.push_back(file.string());
  ASSERT_TRUE(doc.SaveAs());
  const auto bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), kDataFileSize);
  const unsigned sum = ImageChecksum(doc.Data().image);
  EXPECT_EQ(bytes[7725], sum >> 8);
  EXPECT_EQ(bytes[7726], sum & 0xFF);
  EXPECT_EQ(DecodeSplit(bytes.data() + 7727), 4.6);
}

TEST_F(DocumentTest, SaveOverAReadOnlyFileShowsMessage49AndWritesNothing) {
  // The owner-write bit decides, even for a user (root) whom the system would let write.
  const fs::path file = MakeDataFile("ro.k53");
  const auto before = ReadBytes(file);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.OpenPath(file.string());
  doc.Data().channels.Entry(0).squelch = 1;
  ctx.modified = true;
  EXPECT_FALSE(doc.Save());
  EXPECT_TRUE(prompt.ShowedOnly(49, file.string()));
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_TRUE(ctx.modified);
}

TEST_F(DocumentTest, SaveOverACapitalisedDefaultNameInAnyFolderAsksAndNoLeavesItAlone) {
  fs::create_directories(root / "elsewhere");
  const fs::path file = root / "elsewhere" / "DEFAULTV.K53";
  fs::copy_file(MakeDataFile("src.k53"), file);
  const auto before = ReadBytes(file);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.OpenPath(file.string());
  doc.Data().channels.Entry(0).squelch = 1;
  prompt.answers.push_back(Answer::No);
  EXPECT_FALSE(doc.Save());
  ASSERT_TRUE(prompt.ShowedOnly(36));
  EXPECT_EQ(std::pair(prompt.shown[0].icon, prompt.shown[0].buttons), std::pair(Icon::Question, Buttons::YesNo));
  EXPECT_EQ(ReadBytes(file), before);

  prompt.answers.push_back(Answer::Yes);
  EXPECT_TRUE(doc.Save());
  EXPECT_NE(ReadBytes(file), before);
}

TEST_F(DocumentTest, SaveAsToAMissingFolderStaysTheCurrentPathAndReports35) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  const std::string path = (root / "no-such-dir" / "x.k53").string();
  chooser.saves.push_back(path);
  ctx.modified = true;
  EXPECT_FALSE(doc.SaveAs());
  EXPECT_EQ(doc.Title(), path);
  EXPECT_TRUE(prompt.ShowedOnly(35, path));
  EXPECT_TRUE(ctx.modified);
}

// --- The unsaved-changes question ----------------------------------------------------------------

TEST_F(DocumentTest, UnmodifiedDocumentIsNotAskedAndNoDiscardsWithoutSaving) {
  CRM90Doc doc(ctx, prompt, chooser);
  EXPECT_TRUE(doc.AskToSaveChanges());
  EXPECT_TRUE(prompt.shown.empty());
  doc.BuildImage();
  ctx.modified = true;
  prompt.answers.push_back(Answer::No);
  EXPECT_TRUE(doc.AskToSaveChanges());
  EXPECT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(chooser.saveAsked, 0);
  EXPECT_FALSE(ctx.modified);
}

TEST_F(DocumentTest, YesSavesUnderTheChosenNameBeforeTheNewImage) {
  CRM90Doc doc(ctx, prompt, chooser);
  BuildModified(doc);
  const fs::path file = root / "kept.k53";
  prompt.answers.push_back(Answer::Yes);
  chooser.saves.push_back(file.string());
  EXPECT_TRUE(doc.New());
  ASSERT_TRUE(fs::exists(file));
  CRM90Doc other(ctx, prompt, chooser);
  other.OpenPath(file.string());
  EXPECT_EQ(other.Data().channels.Entry(0).squelch, 1);
}

TEST_F(DocumentTest, YesWithoutASavedFileCancelsTheActionAndKeepsTheChanges) {
  // The save dialog cancelled, or a save that fails: New stops, the edits and the flag stay.
  const std::string missingFolder = (root / "no-such-dir" / "x.k53").string();
  for (const std::optional<std::string>& chosen : {std::optional<std::string>(), std::optional(missingFolder)}) {
    FakePrompt p;
    ScriptedChooser ch;
    CRM90Doc doc(ctx, p, ch);
    BuildModified(doc);
    p.answers.push_back(Answer::Yes);
    if (chosen) ch.saves.push_back(*chosen);
    EXPECT_FALSE(doc.New());
    EXPECT_EQ(ch.saveAsked, 1);
    ASSERT_EQ(p.shown.size(), chosen ? 2u : 1u);
    EXPECT_EQ(p.shown.back().text, chosen ? FormatMessage(35, *chosen) : FormatMessage(61699, "<none>"));
    EXPECT_TRUE(ctx.modified);
    EXPECT_EQ(doc.Data().channels.Entry(0).squelch, 1);
  }
}

// --- Default files and the band change -----------------------------------------------------------

TEST_F(DocumentTest, FindDefaultFileLooksOnlyBesideTheExecutable) {
  CRM90Doc doc(ctx, prompt, chooser);
  fs::copy_file(MakeDataFile("u.k53", true), root / "work" / "defaultu.k53");
  EXPECT_FALSE(doc.FindDefaultFile(1));
  fs::copy_file(root / "work" / "defaultu.k53", root / "exe" / "defaultu.k53");
  EXPECT_TRUE(doc.FindDefaultFile(1));
  EXPECT_EQ(doc.Title(), (root / "exe" / "defaultu.k53").string());
  EXPECT_FALSE(doc.FindDefaultFile(0));
  EXPECT_FALSE(doc.DefaultFileFound());
}

TEST_F(DocumentTest, WriteDefaultFileWithAnEmptyNameShowsMessage32) {
  CRM90Doc doc(ctx, prompt, chooser);
  ctx.currentPath = "x";
  EXPECT_FALSE(doc.WriteDefaultFile(""));
  EXPECT_TRUE(prompt.ShowedOnly(32, "x"));
  EXPECT_EQ(doc.Title(), "<none>");
}

TEST_F(DocumentTest, BandChangeWithoutADefaultFileWritesTheCurrentImageAsThatBandsDefault) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  doc.Data().hardware.ApplyBandDefaults(true);
  doc.Data().channels.ResetFrequencies(true);
  doc.Data().channels.groupSize[0] = 0;
  doc.Data().channels.currentGroup = 5;
  ctx.modified = true;
  doc.BandChange();
  EXPECT_EQ(doc.Title(), "<none>");
  const fs::path written = root / "work" / "defaultu.k53";
  ASSERT_TRUE(fs::exists(written));
  EXPECT_EQ(doc.Data().channels.currentGroup, 1);  // the first group with channels
  CRM90Doc other(ctx, prompt, chooser);
  other.OpenPath(written.string());
  EXPECT_TRUE(other.Data().hardware.IsUhf());
}

TEST_F(DocumentTest, BandChangeLoadsTheNewBandsDefaultFileAndItsMenuSet) {
  const fs::path u = MakeDataFile("u.k53", true);
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();  // no VHF default: built-in
  const bool fiveTone = doc.Data().signaling.IsFiveTone();
  FlipBits(u, 7, 0x01);  // the UHF default runs the other signalling system
  fs::copy_file(u, root / "exe" / "defaultu.k53");
  fs::remove(root / "work" / "defaultv.k53");
  doc.Data().hardware.ApplyBandDefaults(true);
  doc.BandChange();
  EXPECT_EQ(Loaded(doc), std::tuple((root / "exe" / "defaultu.k53").string(), true, 9));
  EXPECT_FALSE(fs::exists(root / "work" / "defaultu.k53"));
  EXPECT_EQ(MenuEnabled(doc.MenuSet(), 32788), fiveTone ? 0 : 1);  // 5-Tone General
}

TEST_F(DocumentTest, BandDefaultFileReadWhileTheHardwareDialogIsOpenReplacesImageAndHardwareOnly) {
  CRM90Doc doc(ctx, prompt, chooser);
  doc.BuildImage();
  NormalizeImage(doc.Data());
  const RadioImage before = doc.Data().image;
  ctx.currentPath = "old.k53";
  EXPECT_FALSE(doc.ReadBandDefaultFile(1));  // no UHF default: nothing read
  EXPECT_EQ(doc.Title(), "<none>");
  EXPECT_TRUE(doc.Data().image == before);

  const fs::path u = MakeDataFile("u.k53", true);
  fs::copy_file(u, root / "exe" / "defaultu.k53");
  doc.Data().defaultSplit = 3.0;
  ASSERT_TRUE(doc.ReadBandDefaultFile(1));
  const auto file = ReadBytes(u.string());
  EXPECT_TRUE(std::equal(file.begin(), file.begin() + kImageSize, doc.Data().image.begin()));
  EXPECT_EQ(doc.Data().defaultSplit, 0.0);
  EXPECT_TRUE(doc.Data().hardware.IsUhf());
  EXPECT_NE(doc.Data().channels.Entry(0).squelch, 9);  // the channel model is the dialog's business
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(DocumentTest, AFileWhoseStoredChecksumIsWrongOpensWithAWarning) {
  const fs::path file = MakeDataFile("damaged.k53");
  const auto bytes = FlipBits(file, off::kChannels + 20, 0x01);
  CRM90Doc doc(ctx, prompt, chooser);
  chooser.opens.push_back(file.string());
  EXPECT_TRUE(doc.Open());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].icon, Icon::Exclamation);
  EXPECT_NE(prompt.shown[0].text.find("checksum stored in " + file.string()), std::string::npos);
  EXPECT_EQ(doc.Data().image[off::kChannels + 20], bytes[off::kChannels + 20]);
}

class UndoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.exeDir = tmp.path().string();
    ctx.workDir = tmp.path().string();
    doc.BuildImage();
  }
  // One change as an editor makes it: bracketed, the modified flag set.
  void SetSquelch(int channel, int value, const std::string& mergeKey = {}) {
    doc.BeginChange(mergeKey);
    doc.Data().channels.Entry(channel).squelch = value;
    doc.SetModified();
    doc.EndChange();
  }
  int Squelch(int channel) { return doc.Data().channels.Entry(channel).squelch; }

  test::TempDir tmp;
  AppContext ctx;
  test::FakePrompt prompt;
  test::ScriptedChooser chooser;
  CRM90Doc doc{ctx, prompt, chooser};
};

TEST_F(UndoTest, DefaultSplitTravelsWithTheImageAndANewChangeDropsRedo) {
  const ImageSnapshot saved = doc.CaptureState();
  doc.BeginChange();
  doc.Data().defaultSplit = 0.6;
  doc.EndChange();
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.CaptureState(), saved);
  EXPECT_FALSE(doc.IsModified());
  ASSERT_TRUE(doc.Redo());
  EXPECT_EQ(doc.Data().defaultSplit, 0.6);
  EXPECT_TRUE(doc.IsModified());
  doc.Undo();
  SetSquelch(1, 3);
  EXPECT_FALSE(doc.CanRedo());
}

TEST_F(UndoTest, BracketsThatChangeNothingOrNestRecordOneStepAtMost) {
  doc.BeginChange();
  doc.SetModified();  // a cancelled dialog sets the flag and changes nothing
  doc.EndChange();
  EXPECT_FALSE(doc.CanUndo());

  doc.BeginChange();
  SetSquelch(0, 1);
  SetSquelch(1, 2);
  doc.EndChange();
  EXPECT_EQ(doc.Undo(), true);
  EXPECT_EQ(std::tuple(Squelch(0), Squelch(1), doc.CanUndo()), std::tuple(4, 4, false));
  // Back at the state the file had, though the flag was set before any change.
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(UndoTest, TypingInOneFieldIsOneStepUntilAnotherChangeComes) {
  SetSquelch(0, 1, "tag-0");
  SetSquelch(0, 2, "tag-0");
  SetSquelch(0, 3, "tag-0");
  SetSquelch(1, 7, "tag-1");
  SetSquelch(0, 5, "tag-0");
  for (const auto& [zero, one] : {std::pair{3, 7}, {3, 4}, {4, 4}}) {
    EXPECT_TRUE(doc.Undo());
    EXPECT_EQ(std::pair(Squelch(0), Squelch(1)), std::pair(zero, one));
  }
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(UndoTest, KeepsTheLastHundredStepsAndLoadingClearsThem) {
  for (int i = 0; i < 105; ++i) SetSquelch(0, 1 + i % 2);
  int undone = 0;
  while (doc.Undo()) ++undone;
  EXPECT_EQ(undone, static_cast<int>(UndoHistory::kLimit));

  SetSquelch(0, 1);
  doc.SetModified(false);
  doc.BuildImage();  // New and Open build the image again
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.CanRedo());
}

RadioData DefaultRadio() {
  RadioData r;
  InitImage(r);
  return r;
}

RadioImage Stored(RadioData data) {
  NormalizeImage(data);
  return data.image;
}

// A channel list of one row with the header's columns set from `fields` (Location 1 and
// Frequency 146.520000 unless given), imported.
CsvImportReport ImportOne(RadioData& radio, const std::map<std::string, std::string>& fields) {
  std::vector<std::string> row;
  for (const auto& c : kChannelCsvColumns) {
    const auto it = fields.find(c);
    row.push_back(it != fields.end() ? it->second : c == "Location" ? "1" : c == "Frequency" ? "146.520000" : "");
  }
  return ImportChannelsCsv(radio, CsvLine(kChannelCsvColumns) + CsvLine(row), kAllGroups);
}

struct MappingCase {
  const char* what;
  std::map<std::string, std::string> fields;
  // Receive, transmit ("---.-----" inhibited), Dec and Enc cell texts, bandwidth, power, scan
  // flag, tag.
  const char* rx;
  const char* tx;
  const char* dec;
  const char* enc;
  int bandwidth = 0;
  int power = 0;
  int scan = 1;
  const char* tag = "";
};

// (Simplex, plus and minus offsets, transmit off, tone, DCS with polarity and the Tone->Tone cross
// mode are read and written by CHIRP itself in the channel-list exchange test.)
TEST(ChannelCsv, EachColumnMapsOntoTheChannel) {
  const MappingCase cases[] = {
      {"split", {{"Frequency", "150.000000"}, {"Duplex", "split"}, {"Offset", "160.000000"}}, "150.00000",
       "160.00000", "-------", "-------"},
      {"tone squelch uses cToneFreq", {{"Tone", "TSQL"}, {"rToneFreq", "67.0"}, {"cToneFreq", "88.5"}}, "146.52000",
       "146.52000", "C- 88.5", "C- 88.5"},
      {"cross Tone->DTCS", {{"Tone", "Cross"}, {"CrossMode", "Tone->DTCS"}, {"rToneFreq", "77.0"},
       {"RxDtcsCode", "754"}, {"DtcsPolarity", "NR"}}, "146.52000", "146.52000", "D-754I  ", "C- 77.0"},
      {"cross DTCS->Tone", {{"Tone", "Cross"}, {"CrossMode", "DTCS->Tone"}, {"DtcsCode", "131"},
       {"cToneFreq", "123.0"}}, "146.52000", "146.52000", "C-123.0", "D-131N  "},
      {"cross ->DTCS", {{"Tone", "Cross"}, {"CrossMode", "->DTCS"}, {"RxDtcsCode", "411"}}, "146.52000", "146.52000",
       "D-411N  ", "-------"},
      {"cross DTCS->DTCS", {{"Tone", "Cross"}, {"CrossMode", "DTCS->DTCS"}, {"DtcsCode", "023"},
       {"RxDtcsCode", "025"}}, "146.52000", "146.52000", "D-025N  ", "D-023N  "},
      {"cross ->Tone", {{"Tone", "Cross"}, {"CrossMode", "->Tone"}, {"cToneFreq", "254.1"}}, "146.52000",
       "146.52000", "C-254.1", "-------"},
      {"narrow, low, skipped, long name", {{"Mode", "NFM"}, {"Power", "Low"}, {"Skip", "S"},
       {"Name", "Downtown, Main"}}, "146.52000", "146.52000", "-------", "-------", 2, 1, 0, "DOWNTOWN"},
      {"watts: 0.5 is nearer Low", {{"Power", "0.5W"}}, "146.52000", "146.52000", "-------", "-------", 0, 1},
      {"watts: halfway is Low", {{"Power", "3.0W"}}, "146.52000", "146.52000", "-------", "-------", 0, 1},
      {"watts: 3.1 is nearer High", {{"Power", "3.1"}}, "146.52000", "146.52000", "-------", "-------", 0, 0},
      {"priority scans as it did", {{"Skip", "P"}}, "146.52000", "146.52000", "-------", "-------", 0, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RadioData radio = DefaultRadio();
    const CsvImportReport report = ImportOne(radio, c.fields);
    ASSERT_TRUE(report.readable) << report.error;
    ASSERT_EQ(report.skipped, 0) << report.Text("l.csv");
    const ChannelEntry& e = radio.channels.Entry(0);
    EXPECT_EQ(std::tuple(FormatFrequency(e.rxFreq), e.txOff ? std::string(kNoTxFrequencyText) : FormatFrequency(e.txFreq),
                         FormatSubAudio(e.RxTone()), FormatSubAudio(e.TxTone()), e.bandwidth, e.power, e.scan & 1),
              std::tuple(c.rx, c.tx, c.dec, c.enc, c.bandwidth, c.power, c.scan));
    if (*c.tag) {
      EXPECT_EQ(e.tag, c.tag);
    }
  }
}

// A row the radio cannot hold is skipped with its reason and line, and changes nothing.
TEST(ChannelCsv, RowsTheRadioCannotHoldAreRefused) {
  const struct {
    const char* what;
    std::map<std::string, std::string> fields;
    const char* reason;
  } cases[] = {
      {"letter case counts in Mode", {{"Mode", "fm"}}, "mode fm"},
      {"letter case counts in Skip", {{"Skip", "s"}}, "skip \"s\""},
      {"letter case counts in Power", {{"Power", "low"}}, "power \"low\" is no wattage"},
      {"letter case counts in polarity", {{"Tone", "DTCS"}, {"DtcsCode", "023"}, {"DtcsPolarity", "nr"}}, "polarity"},
      {"plus without an offset", {{"Duplex", "+"}}, "without an offset"},
      {"AM", {{"Mode", "AM"}}, "mode AM"},
      {"DMR", {{"Mode", "DMR"}}, "mode DMR"},
      {"below the band", {{"Frequency", "50.000000"}}, "outside the radio's band"},
      {"transmit beyond the band", {{"Duplex", "+"}, {"Offset", "60.000000"}}, "transmit frequency 206.520000"},
      {"off the steps", {{"Frequency", "146.520100"}}, "not on the radio's channel steps"},
      {"tone the radio lacks", {{"Tone", "Tone"}, {"rToneFreq", "150.0"}}, "tone 150.0 Hz"},
      {"code the radio lacks", {{"Tone", "DTCS"}, {"DtcsCode", "017"}}, "DCS code 017"},
      {"reverse squelch", {{"Tone", "TSQL-R"}}, "reverse squelch"},
      {"unknown cross mode", {{"Tone", "Cross"}, {"CrossMode", "Tone->Tone->"}}, "cross mode"},
      {"bad polarity", {{"Tone", "DTCS"}, {"DtcsPolarity", "NX"}}, "polarity"},
      {"bad duplex", {{"Duplex", "x"}}, "duplex"},
      {"no frequency", {{"Frequency", ""}}, "no frequency"},
      {"location 0", {{"Location", "0"}, {"Frequency", "146.520000"}}, "numbered from 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RadioData radio = DefaultRadio();
    const RadioImage before = Stored(radio);
    const CsvImportReport report = ImportOne(radio, c.fields);
    ASSERT_TRUE(report.readable) << report.error;
    ASSERT_EQ(report.skipped, 1);
    EXPECT_NE(report.issues.at(0).text.find(c.reason), std::string::npos) << report.issues.at(0).text;
    EXPECT_EQ(report.issues.at(0).line, 2);
    EXPECT_EQ(Stored(radio), before);
  }
}

TEST(ChannelCsv, ReportsRowsByTheirFirstLineThroughQuotedLineBreaksAndAByteOrderMark) {
  RadioData radio = DefaultRadio();
  const std::string text =
      "\xEF\xBB\xBF"
      "Frequency,Name,Location,Mode\r\n"
      "146.520000,\"two\r\nlines\",1,FM\r\n"
      "\r\n"
      "146.550000,\"a, b\",2,AM\r\n"
      "146.580000,dup,1,FM\n"
      "146.600000,far,17,FM\n";
  const CsvImportReport group = ImportChannelsCsv(radio, text, 0);
  ASSERT_TRUE(group.readable);
  EXPECT_EQ(radio.channels.Entry(0).tag, "TWO  LIN");  // CR and LF: a blank each
  // Each issue at the first line of its row.
  EXPECT_EQ(group.Text("l.csv"), "4 rows: 1 channels programmed, 0 unchanged, 3 skipped\n"
                                  "l.csv:2: name \"two\\x0D\\x0Alines\" stored as \"TWO  LIN\"\n"
                                  "l.csv:5: skipped: mode AM: the radio works in FM and narrow FM only\n"
                                  "l.csv:6: skipped: channel 1 was already given on line 2\n"
                                  "l.csv:7: skipped: channel 17 is beyond the 16 channels of group 1\n");

  for (const char* bad : {"", "Name,Location\r\nx,1\r\n"}) {
    RadioData r = DefaultRadio();
    const CsvImportReport report = ImportChannelsCsv(r, bad, kAllGroups);
    EXPECT_FALSE(report.readable);
    EXPECT_FALSE(report.error.empty());
    EXPECT_EQ(Stored(r), Stored(DefaultRadio()));
  }
}

TEST(ChannelCsv, ExportThenImportGivesTheSameChannelRecords) {
  RadioData radio = DefaultRadio();
  // Channels of every kind the layout describes, set up by an import of their own.
  std::string list = CsvLine(kChannelCsvColumns);
  const char* rows[] = {
      "1,\" CH-1\",146.520000,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,",
      "2,RPT,146.940000,-,0.600000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,NFM,5.00,S,Low,,,,,",
      "3,DCS,147.000000,+,0.600000,DTCS,88.5,88.5,754,RR,023,Tone->Tone,FM,5.00,,High,,,,,",
      "4,X,150.500000,off,151.000000,Cross,67.0,88.5,023,NR,411,DTCS->DTCS,FM,5.00,,High,,,,,",
      "5,Y,148.006250,split,160.000000,Cross,254.1,77.0,131,NN,023,->Tone,FM,6.25,,Low,,,,,",
  };
  for (const char* r : rows) list += std::string(r) + "\r\n";
  ASSERT_EQ(ImportChannelsCsv(radio, list, 0).skipped, 0) << ImportChannelsCsv(radio, list, 0).Text("l.csv");
  radio.channels.Entry(2).rxDcsBoth = true;  // no column of its own: kept by a row with the same code
  radio.channels.Entry(7).enabled = 0;       // not exported, not touched
  radio.channels.Entry(20).power = 1;        // a channel of the second group

  for (const int group : {0, 1, kAllGroups}) {
    SCOPED_TRACE(group);
    const RadioImage before = Stored(radio);
    const std::string exported = ExportChannelsCsv(radio, group);
    const CsvImportReport report = ImportChannelsCsv(radio, exported, group);
    EXPECT_EQ(report.skipped, 0) << report.Text("l.csv");
    EXPECT_EQ(report.programmed, 0) << report.Text("l.csv");
    EXPECT_EQ(Stored(radio), before);
    // Into a fresh image the exported list programs the same rows again.
    RadioData fresh = DefaultRadio();
    fresh.channels.Entry(7).enabled = 0;
    ImportChannelsCsv(fresh, exported, group);
    EXPECT_EQ(ExportChannelsCsv(fresh, group), exported);
  }
}

TEST(ChannelCsv, ExportWritesWhatChirpWrites) {
  RadioData radio = DefaultRadio();
  const std::string list =
      "Location,Name,Frequency,Duplex,Offset,Power,Skip\r\n"
      "1,\"Main, St\",146.520000,,,5.0W,\r\n"
      "2, CH-002,146.940000,-,0.600000,1.0W,S\r\n"
      "3,PRI,147.000000,,,1.0W,P\r\n";
  ASSERT_EQ(ImportChannelsCsv(radio, list, 0).skipped, 0) << ImportChannelsCsv(radio, list, 0).Text("l.csv");
  radio.channels.Entry(2).scan = 0;  // P leaves the scan flag as it was
  const std::string text = ExportChannelsCsv(radio, 0);
  EXPECT_EQ(text.substr(0, text.find("\r\n", text.find("\r\n") + 2) + 2),
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
            "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
            "1,MAIN  ST,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n");
  EXPECT_NE(text.find("\r\n2, CH-002,146.940000,-,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,S,1.0W,"),
            std::string::npos);
  EXPECT_NE(text.find("\r\n3,PRI,147.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,P,1.0W,"),
            std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
  EXPECT_EQ(radio.channels.priorityChannel, 3);
  EXPECT_EQ(CsvLine({"a,b", "c\"d", "e\nf", " g "}), "\"a,b\",\"c\"\"d\",\"e\nf\", g \r\n");
}

TEST(ChannelCsv, AbsentColumnsLeaveTheirFieldsAndFieldsTheLayoutLacksAreKept) {
  RadioData radio = DefaultRadio();
  ChannelEntry& e = radio.channels.Entry(38);
  ASSERT_EQ(ImportChannelsCsv(radio,
                              "Location,Name,Frequency,Tone,DtcsCode,DtcsPolarity,Mode,Power,Skip\r\n"
                              "39,KEEP,150.000000,DTCS,023,NN,NFM,1.0W,S\r\n",
                              kAllGroups)
                .programmed,
            1);
  e.rxDcsBoth = true;
  e.signalType = 1;
  e.signalNo = 2;
  e.lockout = 1;
  const ChannelEntry before39 = e;
  const CsvImportReport report = ImportChannelsCsv(radio, "Location,Frequency\r\n39,157.300000\r\n", kAllGroups);
  EXPECT_EQ(report.programmed, 1) << report.Text("l.csv");
  EXPECT_EQ(FormatFrequency(e.rxFreq), "157.30000");
  EXPECT_EQ(e.tag, before39.tag);
  EXPECT_EQ(FormatSubAudio(e.RxTone()), "D-023B  ");
  EXPECT_EQ(FormatSubAudio(e.TxTone()), FormatSubAudio(before39.TxTone()));
  EXPECT_EQ(std::tie(e.bandwidth, e.power, e.scan, e.signalType, e.signalNo, e.lockout),
            std::tie(before39.bandwidth, before39.power, before39.scan, before39.signalType, before39.signalNo,
                     before39.lockout));

  // A damaged file's ARTS without DCS, and W4: an export read back changes neither.
  RadioData damaged = DefaultRadio();
  damaged.channels.Entry(66).arts = true;
  damaged.channels.Entry(66).bandwidth = 1;
  const RadioImage before = Stored(damaged);
  const CsvImportReport again = ImportChannelsCsv(damaged, ExportChannelsCsv(damaged, kAllGroups), kAllGroups);
  EXPECT_EQ(again.programmed, 0) << again.Text("l.csv");
  EXPECT_EQ(Stored(damaged), before);
  // A row that changes the tones away from DCS takes ARTS away, and says so.
  const CsvImportReport tones =
      ImportChannelsCsv(damaged, "Location,Frequency,Tone,rToneFreq\r\n67,150.000000,Tone,88.5\r\n", kAllGroups);
  EXPECT_FALSE(damaged.channels.Entry(66).arts);
  EXPECT_EQ(tones.Text("l.csv"), "1 rows: 1 channels programmed, 0 unchanged, 0 skipped\n"
                                 "l.csv:2: ARTS turned off: it needs DCS both ways\n");
}

TEST(ChannelCsv, ReadsWhatChirpWritesAndSaysPreciselyWhatItCannotRead) {
  struct Case {
    const char* what;
    std::string text;
    const char* report;  // the whole report of an import into group 1
  };
  const std::string head = "Location,Name,Frequency,Skip,Power\r\n";
  const Case cases[] = {
      {"blanks of unquoted names kept", head + "1, CH-040 ,150.000000,,5.0W\r\n2, CH-002,150.000000,,5.0W\r\n",
       "2 rows: 1 channels programmed, 1 unchanged, 0 skipped\n"},
      {"empty row", head + "1,x,150.000000,,\r\n,,,,\r\n  , ,\r\n2,y,150.000000,,\r\n",
       "4 rows: 2 channels programmed, 0 unchanged, 2 skipped\nl.csv:3: skipped: empty row\n"
       "l.csv:4: skipped: empty row\n"},
      {"unclosed quote", head + "1,\"unterminated,150.000000\r\n2,x,150.000000\r\n3,y,150.000000\r\n",
       "l.csv:2: a quoted field is never closed\n"},
      {"quote inside a field", head + "1,x,150.000000\r\n2,5\" dish,150.000000\r\n",
       "l.csv:3: a quote out of place: a field with quotes in it must be quoted as a whole\n"},
      {"same column twice", "Location,Name,Frequency,Name\r\n1,a,150.000000,b\r\n",
       "l.csv:1: columns 2 and 4 are both named Name\n"},
      {"control characters escaped", head + "1,\x1B[2J\x7F,150.000000,,\r\n2,x,150.000000,\xC2\x9B\x07,\r\n",
       "2 rows: 1 channels programmed, 0 unchanged, 1 skipped\n"
       "l.csv:2: name \"\\x1B[2J\\x7F\" stored as \" [2J\"\n"
       "l.csv:3: skipped: skip \"\\u009B\\x07\" is not S or P\n"},
      {"other wattages summed up", head + "1,,150.000000,,4W\r\n2,,150.000000,,0.5\r\n3,,150.000000,,50.0W\r\n",
       "3 rows: 3 channels programmed, 0 unchanged, 0 skipped\n"
       "3 rows give a power other than 5.0W (High) or 1.0W (Low): taken as the nearer, 2 High and 1 Low\n"},
      {"second P", head + "1,,150.000000,P,\r\n2,,150.000000,P,\r\n",
       "2 rows: 2 channels programmed, 0 unchanged, 0 skipped\n"
       "l.csv:3: a second P: the priority channel is the one of line 2\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RadioData radio = DefaultRadio();
    const RadioImage before = Stored(radio);
    const CsvImportReport report = ImportChannelsCsv(radio, c.text, 0);
    EXPECT_EQ(report.Text("l.csv"), c.report);
    if (!report.readable) {
      EXPECT_EQ(Stored(radio), before);
    }
  }
  RadioData radio = DefaultRadio();
  ImportChannelsCsv(radio, cases[0].text, 0);
  EXPECT_EQ(radio.channels.Entry(0).tag, " CH-040 ");

  // P moves the priority channel; a row of the priority channel without P takes it away.
  ImportChannelsCsv(radio, head + "3,,150.000000,P,\r\n", 0);
  EXPECT_EQ(radio.channels.priorityChannel, 3);
  ImportChannelsCsv(radio, head + "3,,150.000000,,\r\n", 0);
  EXPECT_EQ(radio.channels.priorityChannel, 0);
}

TEST(ChannelCsv, RenumberPlacesTheAcceptedRowsOneAfterAnother) {
  const std::string list =
      "Location,Name,Frequency\r\n"
      "0,ZERO,150.000000\r\n"
      "300,FAR,150.100000\r\n"
      "7,AM,10.000000\r\n"
      "5,FIVE,150.200000\r\n";
  RadioData radio = DefaultRadio();
  const int second = radio.channels.GroupStart(1);
  const CsvImportReport report = ImportChannelsCsv(radio, list, 1, true);
  EXPECT_EQ(report.programmed, 3) << report.Text("l.csv");
  EXPECT_EQ(radio.channels.Entry(second).tag, "ZERO    ");
  EXPECT_EQ(radio.channels.Entry(second + 1).tag, "FAR     ");
  EXPECT_EQ(radio.channels.Entry(second + 2).tag, "FIVE    ");

  // Without it, as before; with more rows than channels, the rest is reported.
  RadioData plain = DefaultRadio();
  EXPECT_EQ(ImportChannelsCsv(plain, list, 1).skipped, 3);
  radio.channels.groupSize[1] = 2;
  const CsvImportReport full = ImportChannelsCsv(radio, list, 1, true);
  EXPECT_EQ(full.Text("l.csv").substr(full.Text("l.csv").rfind("l.csv:5:")),
            "l.csv:5: skipped: no channel left: the rows before took all 2 channels\n");
}

}  // namespace
}  // namespace kp53
