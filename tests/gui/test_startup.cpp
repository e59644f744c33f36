// Start-up in an empty working directory: the settings file with all twenty keys, the default
// file, the pass phrase, the single instance and its folder, termination signals during the
// start-up dialogs.
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <csignal>
#include <fstream>
#include <iterator>

#include "app/application.h"
#include "app/instance_folder.h"
#include "app/small_dialogs.h"
#include "app/termination.h"
#include "gui_fixture.h"

namespace {

namespace fs = std::filesystem;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("kp53start-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "run");
    fs::permissions(dir / "run", fs::perms::owner_all);
    previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.string()));
  }
  void TearDown() override {
    QDir::setCurrent(previous);
    fs::remove_all(dir);
  }
  // The lock and socket folders of this test alone.
  QString Folder() const { return QString::fromStdString((dir / "run").string()); }
  QString Cache() const { return QString::fromStdString((dir / "cache").string()); }
  // The program with the folders of this test.
  struct App : KP53App {
    explicit App(const StartupTest& t, const QString& cache = {}) {
      SetInstanceFolders(t.Folder(), cache.isEmpty() ? t.Cache() : cache);
    }
  };
  fs::path dir;
  QString previous;
};

TEST_F(StartupTest, EmptyWorkingDirectoryGetsTheSettingsFileAndTheDefaultFile) {
  {
    App app(*this);
    ASSERT_TRUE(app.Start({}));
    ASSERT_NE(app.Frame(), nullptr);
    EXPECT_EQ(app.Context().currentPath, "<none>");
    EXPECT_TRUE(app.Frame()->View()->Grid()->hasFocus() || !app.Frame()->isActiveWindow());
    kp53::IniFile ini;  // the start-up keys; that all twenty are written is checked with the settings
    ASSERT_TRUE(ini.Load((dir / "KP53Win.ini").string()));
    EXPECT_EQ(ini.GetInt("ITEM", "ITEM17", 0), 1);
    EXPECT_EQ(fs::file_size(dir / "defaultv.k53"), 7735u);

    // A second start finds the first, asks it to come to the front and ends.
    QSignalSpy raised(&app, &KP53App::Raised);
    App second(*this);
    EXPECT_FALSE(second.Start({}));
    EXPECT_TRUE(raised.count() > 0 || raised.wait(5000));
  }
}

TEST_F(StartupTest, MaintenanceModeNeedsThePassPhrase) {
  for (const char* phrase : {"qerin-volta", "QERIN-VOLTA"}) {
    QTimer::singleShot(0, [phrase] {
      auto* dlg = qobject_cast<PasswordDialog*>(QApplication::activeModalWidget());
      if (!dlg) return;
      dlg->Edit()->setText(QString::fromLatin1(phrase));
      dlg->accept();
    });
    App app(*this);
    ASSERT_TRUE(app.Start({QStringLiteral("/m")}));
    const bool right = std::string(phrase) == "qerin-volta";
    EXPECT_EQ(app.Context().maintenanceMode, right) << phrase;
    EXPECT_EQ(app.Frame()->windowTitle().endsWith(QStringLiteral("(M)")), right);
  }
}

TEST_F(StartupTest, ProductionModeAndAFileOnTheCommandLine) {
  {
    App app(*this);
    ASSERT_TRUE(app.Start({QStringLiteral("-F")}));
    EXPECT_TRUE(app.Context().productionMode);
    EXPECT_TRUE(app.Frame()->windowTitle().endsWith(QStringLiteral("KP53Win for HT-620A Series(Factory mode)")));
  }
  App app(*this);
  ASSERT_TRUE(app.Start({QStringLiteral("defaultv.k53")}));
  EXPECT_FALSE(app.Context().productionMode);
  EXPECT_EQ(app.Context().currentPath, (dir / "defaultv.k53").string());
}

TEST_F(StartupTest, AFileThatCannotBeReadOpensTheWindowUntitledAndCtrlSNeverWritesIt) {
  { std::ofstream(dir / "short.k53") << "0123456789"; }  // truncated
  const struct { const char* name; const char* message; } cases[] = {{"short.k53", "Problem reading from file"}, {"missing.k53", "Problem opening file"}};
  for (const auto& c : cases) {
    // Answers every message box and cancels every file dialog, noting what was shown.
    QStringList shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&shown] {
      auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dlg) return;
      if (auto* box = qobject_cast<QMessageBox*>(dlg)) shown << box->text();
      else shown << QString::fromLatin1(dlg->metaObject()->className());
      dlg->reject();
    });
    answer.start(20);
    App app(*this);
    ASSERT_TRUE(app.Start({QString::fromLatin1(c.name)}));
    ASSERT_NE(app.Frame(), nullptr);
    EXPECT_TRUE(app.Frame()->isVisible());
    EXPECT_EQ(app.Context().currentPath, "<none>");
    ASSERT_EQ(shown.size(), 1) << c.name;
    EXPECT_TRUE(shown[0].startsWith(QString::fromLatin1(c.message))) << shown[0].toStdString();

    app.Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.Frame()));
    QTest::keyClick(app.Frame()->View()->Grid(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1], QStringLiteral("QFileDialog"));  // Save As, cancelled
  }
  std::ifstream in(dir / "short.k53");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "0123456789");
  EXPECT_FALSE(fs::exists(dir / "missing.k53"));
}

TEST_F(StartupTest, TheInstanceLockLivesOnlyInAFolderOfThisUserAlone) {
  const fs::path runtime = dir / "xdg";
  const std::string cache = (dir / "cache").string();
  const std::string fallback = cache + "/kp53win";
  const auto privateDir = [](const fs::path& p) {
    fs::create_directory(p);
    fs::permissions(p, fs::perms::owner_all);
  };
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
    const char* problem;  // empty: the runtime folder serves
  };
  const Case cases[] = {
      {"private", privateDir, ""},
      {"open to others", [&](const fs::path& p) { privateDir(p); fs::permissions(p, fs::perms::others_exec, fs::perm_options::add); }, "open to other users"},
      {"another user's", [&](const fs::path& p) { privateDir(p); ASSERT_EQ(::chown(p.c_str(), 4242, 4242), 0); }, "owned by another user"},
      {"a link", [&](const fs::path& p) { privateDir(p.string() + "-real"); fs::create_directory_symlink(p.string() + "-real", p); }, "a symbolic link"},
      {"a file", [](const fs::path& p) { std::ofstream(p) << "x"; }, "not a folder"},
      {"missing", [](const fs::path&) {}, "missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(runtime);
    fs::remove_all(runtime.string() + "-real");
    c.make(runtime);
    const InstanceFolder found = FindInstanceFolder(runtime.string(), cache);
    if (*c.problem == '\0') {
      EXPECT_EQ(found.path, runtime.string());
      EXPECT_EQ(found.notice, "");
    } else {
      EXPECT_EQ(found.path, fallback);
      EXPECT_NE(found.notice.find(c.problem), std::string::npos) << found.notice;
      EXPECT_EQ(PrivateFolderProblem(fallback), "");
    }
  }
  // Without the session's runtime folder the standard one or the cache folder serves.
  const std::string unset = FindInstanceFolder("", cache).path;
  EXPECT_TRUE(unset == "/run/user/" + std::to_string(::getuid()) || unset == fallback) << unset;
  // A fallback that is not private either leaves no folder, and says why.
  fs::remove_all(fallback);
  fs::create_directory_symlink(dir, fallback);
  const InstanceFolder none = FindInstanceFolder((dir / "missing").string(), cache);
  EXPECT_EQ(none.path, "");
  EXPECT_NE(none.notice.find("a symbolic link"), std::string::npos) << none.notice;
}

TEST_F(StartupTest, WithoutAPrivateRuntimeFolderTheSecondStartIsStillRefused) {
  fs::permissions(dir / "run", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  App app(*this);
  ASSERT_TRUE(app.Start({}));
  EXPECT_TRUE(fs::exists(dir / "cache" / "kp53win"));
  App second(*this);
  EXPECT_FALSE(second.Start({}));

  // No private folder at all: the program runs, and says that it cannot tell.
  fs::create_directories(dir / "other");
  fs::create_directories(dir / "cache3");
  fs::create_directory_symlink(dir / "other", dir / "cache3" / "kp53win");
  QString warning;
  QTimer::singleShot(0, [&warning] {
    if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      warning = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
      box->reject();
    }
  });
  App third(*this, QString::fromStdString((dir / "cache3").string()));
  EXPECT_TRUE(third.Start({}));
  EXPECT_TRUE(warning.startsWith(QStringLiteral("KP53Win cannot check whether it is already running"))) << warning.toStdString();
}

TEST_F(StartupTest, ATerminationSignalDuringAStartUpDialogEndsTheStartWithoutWritingDataFiles) {
  Termination::Instance().Install();
  { std::ofstream(dir / "damaged.k53") << "short"; }
  const QStringList cases[] = {{QStringLiteral("/m")}, {QStringLiteral("damaged.k53")}};
  for (const auto& args : cases) {
    SCOPED_TRACE(args.first().toStdString());
    Termination::Instance().Clear();
    bool dialogSeen = false;
    QTimer::singleShot(0, [&dialogSeen] {
      dialogSeen = QApplication::activeModalWidget() != nullptr;
      ::raise(SIGTERM);
    });
    App app(*this);
    EXPECT_FALSE(app.Start(args));
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(Termination::Instance().Requested());
    EXPECT_EQ(app.Frame(), nullptr);
    EXPECT_TRUE(fs::exists(dir / "KP53Win.ini"));
    EXPECT_FALSE(fs::exists(dir / "defaultv.k53"));
    EXPECT_EQ(fs::file_size(dir / "damaged.k53"), 5u);
  }
  // Any dialog that opens after the request closes as it appears.
  QDialog later;
  EXPECT_EQ(later.exec(), QDialog::Rejected);
  Termination::Instance().Clear();
}

}  // namespace
