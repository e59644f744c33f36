// Files the window is given that it must not wait on or read without end: a device, a FIFO, a
// folder, a file beyond the limit. Import Channels and Compare with File end at once with a
// message, and the document is as it was.
#include <sys/stat.h>

#include <fstream>

#include "app/channel_list_commands.h"
#include "app/command_ids.h"
#include "compare/compare_dialog.h"
#include "gui_fixture.h"
#include "io/input_file.h"

namespace {

TEST_F(GuiTest, ImportChannelsAndCompareWithFileEndAtOnceWithAMessage) {
  const std::string fifo = (root / "fifo.csv").string(), big = (root / "big.yaml").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::ofstream(big) << std::string(kp53::kTextFileLimit + 1, '#');
  const std::pair<std::string, std::string> cases[] = {{"/dev/zero", "/dev/zero is not a regular file"},
                                                       {fifo, fifo + " is not a regular file"},
                                                       {root.string(), root.string() + " is a folder"},
                                                       {big, big + " is larger than 16 MB"},
                                                       {(root / "missing.csv").string(), "No such file or directory"}};
  auto* commands = Frame().findChild<kp53::gui::CChannelListCommands*>();
  ASSERT_NE(commands, nullptr);
  const kp53::RadioImage before = doc->Data().image;
  bool reported = false;
  commands->chooseScope = [](bool) { return 0; };
  commands->showReport = [&](const QString&, const QString&) { reported = true; };
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(path);
    commands->chooseFile = [&](bool) { return QString::fromStdString(path); };
    prompt.shown.clear();
    Frame().RunCommand(cmd::kImportChannels);
    CompareWithPath(doc->Data(), QStringLiteral("open.k53"), QString::fromStdString(path), prompt, &Frame());
    ASSERT_EQ(prompt.shown.size(), 2u);
    for (const std::string& shown : prompt.shown) EXPECT_NE(shown.find(message), std::string::npos) << shown;
  }
  EXPECT_FALSE(reported);
  EXPECT_EQ(doc->Data().image, before);
  EXPECT_FALSE(doc->Context().modified);
}

}  // namespace
