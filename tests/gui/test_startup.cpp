// Start-up in an empty working directory: the settings file with all twenty keys, the default
// file, the pass phrase, the single instance.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/application.h"
#include "app/small_dialogs.h"

namespace {

namespace fs = std::filesystem;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("kp53start-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "run");
    previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.string()));
  }
  void TearDown() override {
    QDir::setCurrent(previous);
    fs::remove_all(dir);
  }
  // The lock and socket folder of this test alone.
  QString Folder() const { return QString::fromStdString((dir / "run").string()); }
  fs::path dir;
  QString previous;
};

TEST_F(StartupTest, EmptyWorkingDirectoryGetsTheSettingsFileAndTheDefaultFile) {
  {
    KP53App app;
    app.SetInstanceFolder(Folder());
    ASSERT_TRUE(app.Start({}));
    ASSERT_NE(app.Frame(), nullptr);
    EXPECT_EQ(app.Context().currentPath, "<none>");
    EXPECT_TRUE(app.Frame()->View()->Grid()->hasFocus() || !app.Frame()->isActiveWindow());
    std::ifstream in(dir / "KP53Win.ini");
    std::stringstream text;
    text << in.rdbuf();
    int keys = 0;
    for (std::string line; std::getline(text, line);)
      if (line.find('=') != std::string::npos) ++keys;
    EXPECT_EQ(keys, 20);
    EXPECT_EQ(fs::file_size(dir / "defaultv.k53"), 7735u);

    // A second start finds the first, asks it to come to the front and ends.
    QSignalSpy raised(&app, &KP53App::Raised);
    KP53App second;
    second.SetInstanceFolder(Folder());
    EXPECT_FALSE(second.Start({}));
    EXPECT_TRUE(raised.count() > 0 || raised.wait(5000));
  }
  // The window's end wrote the size too.
  kp53::IniFile ini;
  ASSERT_TRUE(ini.Load((dir / "KP53Win.ini").string()));
  EXPECT_EQ(ini.GetInt("Initialize", "CX", 0) >= 835, true);
}

TEST_F(StartupTest, OutOfRangeSettingsAreWrittenBackCorrected) {
  { std::ofstream(dir / "KP53Win.ini") << "[Initialize]\nCOM_PORT=17\nCOM_SPD=2\n[Other]\nx=1\n"; }
  KP53App app;
  app.SetInstanceFolder(Folder());
  ASSERT_TRUE(app.Start({}));
  kp53::IniFile ini;
  ASSERT_TRUE(ini.Load((dir / "KP53Win.ini").string()));
  EXPECT_EQ(ini.GetInt("Initialize", "COM_PORT", 0), 1);
  EXPECT_EQ(ini.GetInt("Initialize", "COM_SPD", 9), 0);
  EXPECT_EQ(ini.GetInt("Other", "x", 0), 1);
}

// A FIFO would block a reader until someone writes into it: the window starts without it, with
// the default settings, and leaves it as it is.
TEST_F(StartupTest, ASettingsFileThatIsAFifoIsIgnored) {
  ASSERT_EQ(::mkfifo((dir / "KP53Win.ini").c_str(), 0644), 0);
  {
    KP53App app;
    app.SetInstanceFolder(Folder());
    ASSERT_TRUE(app.Start({}));
    EXPECT_EQ(app.Context().settings.comPort, 1);
    EXPECT_FALSE(app.Context().iniProblem.empty());
  }
  EXPECT_TRUE(fs::is_fifo(dir / "KP53Win.ini"));
}

TEST_F(StartupTest, MaintenanceModeNeedsThePassPhrase) {
  for (const char* phrase : {"qerin-volta", "QERIN-VOLTA"}) {
    QTimer::singleShot(0, [phrase] {
      auto* dlg = qobject_cast<PasswordDialog*>(QApplication::activeModalWidget());
      if (!dlg) return;
      dlg->Edit()->setText(QString::fromLatin1(phrase));
      dlg->accept();
    });
    KP53App app;
    app.SetInstanceFolder(Folder());
    ASSERT_TRUE(app.Start({QStringLiteral("/m")}));
    const bool right = std::string(phrase) == "qerin-volta";
    EXPECT_EQ(app.Context().maintenanceMode, right) << phrase;
    EXPECT_EQ(app.Frame()->windowTitle().endsWith(QStringLiteral("(M)")), right);
  }
}

TEST_F(StartupTest, ProductionModeAndAFileOnTheCommandLine) {
  {
    KP53App app;
    app.SetInstanceFolder(Folder());
    ASSERT_TRUE(app.Start({QStringLiteral("-F")}));
    EXPECT_TRUE(app.Context().productionMode);
    EXPECT_TRUE(app.Frame()->windowTitle().endsWith(QStringLiteral("KP53Win for HT-620A Series(Factory mode)")));
  }
  KP53App app;
  app.SetInstanceFolder(Folder());
  ASSERT_TRUE(app.Start({QStringLiteral("defaultv.k53")}));
  EXPECT_FALSE(app.Context().productionMode);
  EXPECT_EQ(app.Context().currentPath, (dir / "defaultv.k53").string());
}

}  // namespace
