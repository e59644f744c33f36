// The settings file: private-profile reading and writing that keeps everything else in the file,
// the range checks of the twenty keys, and the command-line switches.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "document/app_context.h"
#include "settings/settings.h"
#include "temp_dir.h"

namespace kp53 {
namespace {

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
