// The settings file: private-profile reading and writing that keeps everything else in the file,
// the range checks of the twenty keys, and the command-line switches.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/app_context.h"
#include "settings/settings.h"
#include "temp_dir.h"

namespace kp53 {
namespace {

namespace fs = std::filesystem;

TEST(IniFile, NamesAreCaseInsensitiveAndBlanksAroundThemIgnored) {
  IniFile ini;
  ini.Parse("[initialize]\r\n  com_port = 7 \r\n");
  EXPECT_EQ(ini.GetInt("Initialize", "COM_PORT", 1), 7);
  EXPECT_EQ(ini.GetString("INITIALIZE", "Com_Port", ""), "7");
}

TEST(IniFile, IntegersReadLikeTheProfileCalls) {
  IniFile ini;
  ini.Parse("[S]\na=12abc\nb=abc\nc=-5\nd=99999999999999\ne=\n");
  EXPECT_EQ(ini.GetInt("S", "a", 3), 12);
  EXPECT_EQ(ini.GetInt("S", "b", 3), 0);
  EXPECT_EQ(ini.GetInt("S", "c", 3), 0);
  EXPECT_EQ(ini.GetInt("S", "d", 3), INT_MAX);
  EXPECT_EQ(ini.GetInt("S", "e", 3), 0);
  EXPECT_EQ(ini.GetInt("S", "missing", 3), 3);
  EXPECT_EQ(ini.GetInt("Other", "a", 3), 3);
}

TEST(IniFile, WritingKeepsOtherSectionsKeysAndComments) {
  IniFile ini;
  ini.Parse("; a comment\n[Other]\nx=1\n[Initialize]\nCOM_PORT=3\nKeep=me\n[Tail]\ny=2\n");
  ini.SetInt("Initialize", "COM_PORT", 5);
  ini.SetInt("Initialize", "CX", 900);
  ini.SetInt("ITEM", "ITEM0", 1);
  EXPECT_EQ(ini.Text(),
            "; a comment\n[Other]\nx=1\n[Initialize]\nCOM_PORT=5\nKeep=me\nCX=900\n[Tail]\ny=2\n[ITEM]\nITEM0=1\n");
}

TEST(IniFile, LineBreaksInValuesAreRefused) {
  IniFile ini;
  EXPECT_FALSE(ini.Set("S", "k", "a\nb"));
  EXPECT_FALSE(ini.Set("S", "k=1", "a"));
  EXPECT_FALSE(ini.Set("S]", "k", "a"));
  EXPECT_TRUE(ini.Text().empty());
}

TEST(IniFile, RemoveDeletesOnlyThatKey) {
  IniFile ini;
  ini.Parse("[A]\nk=1\nj=2\n[B]\nk=3\n");
  ini.Remove("A", "k");
  EXPECT_EQ(ini.Text(), "[A]\nj=2\n[B]\nk=3\n");
}

TEST(IniFile, SaveAndLoadRoundTripAndMissingFileIsEmpty) {
  test::TempDir dir;
  const std::string path = dir.File("KP53Win.ini");
  IniFile ini;
  EXPECT_TRUE(ini.Load(path));
  EXPECT_TRUE(ini.Text().empty());
  ini.Set("Initialize", "COM_PORT", "2");
  ASSERT_TRUE(ini.Save(path));
  IniFile again;
  ASSERT_TRUE(again.Load(path));
  EXPECT_EQ(again.GetInt("Initialize", "COM_PORT", 1), 2);
}

TEST(Settings, OutOfRangeValuesBecomeTheDefaultsAndAreWrittenBack) {
  IniFile ini;
  ini.Parse("[Initialize]\nCOM_PORT=17\nCOM_SPD=2\nCX=300\nCY=300\n[ITEM]\nITEM5=0\n");
  const Settings s = ReadSettings(ini);
  EXPECT_EQ(s.comPort, 1);
  EXPECT_EQ(s.comSpeed, 0);
  EXPECT_EQ(s.cx, 835);
  EXPECT_EQ(s.cy, 540);
  EXPECT_FALSE(s.ColumnShown(5));
  EXPECT_TRUE(s.ColumnShown(4));
  WriteSettings(ini, s);
  EXPECT_EQ(ini.GetString("Initialize", "COM_PORT", ""), "1");
  EXPECT_EQ(ini.GetString("Initialize", "COM_SPD", ""), "0");
  EXPECT_EQ(ini.GetString("ITEM", "ITEM5", ""), "0");
}

TEST(Settings, ComPortZeroAndSixteenAndLargeWindow) {
  IniFile ini;
  ini.Parse("[Initialize]\nCOM_PORT=0\nCX=1200\nCY=800\n");
  EXPECT_EQ(ReadSettings(ini).comPort, 1);
  EXPECT_EQ(ReadSettings(ini).cx, 1200);
  ini.SetInt("Initialize", "COM_PORT", 16);
  EXPECT_EQ(ReadSettings(ini).comPort, 16);
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
  ASSERT_EQ(s.recentFiles.size(), 4u);
  EXPECT_EQ(s.recentFiles[0], "/f4");
  IniFile ini;
  WriteSettings(ini, s);
  const Settings r = ReadSettings(ini);
  EXPECT_EQ(r.DevicePath(3), "/dev/ttyUSB0");
  EXPECT_EQ(r.DevicePath(1), "/dev/ttyS0");
  EXPECT_EQ(r.recentFiles, s.recentFiles);
  // Clearing a device removes its key.
  Settings cleared = r;
  cleared.comDevice[2].clear();
  WriteSettings(ini, cleared);
  EXPECT_FALSE(ini.Get("Ports", "COM3"));
}

TEST(CommandLine, OnlyTheExactSwitchTextsCount) {
  EXPECT_TRUE(ParseCommandLine({"/m"}).maintenance);
  EXPECT_TRUE(ParseCommandLine({"-M"}).maintenance);
  EXPECT_TRUE(ParseCommandLine({"/F"}).production);
  EXPECT_FALSE(ParseCommandLine({" /m"}).maintenance);
  const StartupRequest withFile = ParseCommandLine({"/m", "x.k53"});
  EXPECT_FALSE(withFile.maintenance);
  EXPECT_EQ(withFile.file, "x.k53");
  EXPECT_EQ(ParseCommandLine({"/home/u/radio.k53"}).file, "/home/u/radio.k53");
  EXPECT_TRUE(ParseCommandLine({}).file.empty());
}

TEST(CommandLine, PassPhraseIsExact) {
  EXPECT_TRUE(IsMaintenancePassPhrase("qerin-volta"));
  EXPECT_FALSE(IsMaintenancePassPhrase("Qerin-volta"));
  EXPECT_FALSE(IsMaintenancePassPhrase("qerin-volta "));
  EXPECT_FALSE(IsMaintenancePassPhrase(""));
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

TEST(AppContextSettings, SymbolicLinkIsWrittenThrough) {
  test::TempDir tmp;
  const fs::path& dir = tmp.path();
  { std::ofstream(dir / "real.ini") << "[A]\nk=1\n"; }
  fs::create_symlink(dir / "real.ini", dir / "KP53Win.ini");
  AppContext ctx;
  ctx.LoadSettings((dir / "KP53Win.ini").string());
  ctx.settings.comPort = 5;
  ASSERT_TRUE(ctx.SaveSettings());
  EXPECT_TRUE(fs::is_symlink(dir / "KP53Win.ini"));
  IniFile ini;
  ASSERT_TRUE(ini.Load((dir / "real.ini").string()));
  EXPECT_EQ(ini.GetInt("Initialize", "COM_PORT", 0), 5);
  EXPECT_EQ(ini.GetInt("A", "k", 0), 1);
}

}  // namespace
}  // namespace kp53
