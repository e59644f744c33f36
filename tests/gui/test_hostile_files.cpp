// Files the window is given that it must not wait on or read without end: a device, a FIFO, a
// folder, a file beyond the limit. Import Channels and Compare with File end at once with a
// message, and the document is as it was.
#include <sys/stat.h>

#include <QMessageBox>
#include <cstdlib>
#include <fstream>

#include "app/channel_list_commands.h"
#include "app/command_ids.h"
#include "app/qt_ports.h"
#include "compare/compare_dialog.h"
#include "gui_fixture.h"
#include "io/input_file.h"

namespace {

class HostileFilesTest : public GuiTest {
 protected:
  struct Case {
    std::string path;
    std::string message;
  };
  std::vector<Case> Cases() {
    const std::string fifo = (root / "fifo.csv").string();
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = (root / "big.yaml").string();
    std::ofstream(big) << std::string(kp53::kTextFileLimit + 1, '#');
    return {{"/dev/zero", "/dev/zero is not a regular file"},
            {fifo, fifo + " is not a regular file"},
            {root.string(), root.string() + " is a folder"},
            {big, big + " is larger than 16 MB"},
            {(root / "missing.csv").string(), "No such file or directory"}};
  }
};

TEST_F(HostileFilesTest, ImportChannelsEndsAtOnceWithAMessage) {
  auto* commands = Frame().findChild<kp53::gui::CChannelListCommands*>();
  ASSERT_NE(commands, nullptr);
  const kp53::RadioImage before = doc->Data().image;
  bool reported = false;
  commands->chooseScope = [](bool) { return 0; };
  commands->showReport = [&](const QString&, const QString&) { reported = true; };
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.path);
    commands->chooseFile = [&](bool) { return QString::fromStdString(c.path); };
    prompt.shown.clear();
    Frame().RunCommand(cmd::kImportChannels);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].find(c.message), std::string::npos) << prompt.shown[0];
  }
  EXPECT_FALSE(reported);
  EXPECT_EQ(doc->Data().image, before);
  EXPECT_FALSE(doc->Context().modified);
  // With KP53_SCREENSHOT_DIR set, the last message as the window shows it.
  if (const char* shot = std::getenv("KP53_SCREENSHOT_DIR")) {
    OnModal<QMessageBox>([shot](QMessageBox& box) {
      box.grab().save(QString::fromUtf8(shot) + "/import-channels-refused.png");
      box.accept();
    });
    QtUserPrompt shown;
    shown.SetParent(&Frame());
    shown.Show(prompt.shown.back(), kp53::Icon::Stop, kp53::Buttons::Ok);
  }
}

TEST_F(HostileFilesTest, CompareWithFileEndsAtOnceWithAMessage) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.path);
    prompt.shown.clear();
    CompareWithPath(doc->Data(), QStringLiteral("open.k53"), QString::fromStdString(c.path), prompt, &Frame());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].find(c.message), std::string::npos) << prompt.shown[0];
  }
}

}  // namespace
