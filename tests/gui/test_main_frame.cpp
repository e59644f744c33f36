// The main frame: menu enabling, titles, the clock, the window size, the close question, the
// settings written at the end, help, the Configuration dialog, the band-change refresh and the
// label control.
#include "print/report_printer.h"
#include <QAction>
#include <QRadioButton>
#include <QRegularExpression>
#include <fstream>
#include <iterator>

#include "app/color_label.h"
#include "app/config_dialog.h"
#include "gui_fixture.h"
#include "settings/settings.h"

namespace {

std::vector<char> ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The start: the File, Edit, Radio and Help entries enabled (the signalling ones follow the
// system), the title in each mode, the status panes.
TEST_F(GuiTest, TheCommandsTitlesAndPanesAtTheStart) {
  CMainFrame& f = Frame();
  for (int id : {cmd::kNew, cmd::kOpen, cmd::kSave, cmd::kSaveAs, cmd::kConfigure, cmd::kAbout, cmd::kHelpTopics,
                 cmd::kGetStarted, cmd::kExit, cmd::kPrint, cmd::kPrintPreview, cmd::kPrintSetup, cmd::kUpload,
                 cmd::kDownload, cmd::kAlignment, cmd::kToolUpload, cmd::kToolDownload, cmd::kChannelAllocations,
                 cmd::kVisible, cmd::kCopy, cmd::kPaste})
    EXPECT_TRUE(f.Action(id)->isEnabled()) << id;
  EXPECT_EQ(f.Action(cmd::kPaste)->shortcuts().size(), 2);
  for (const auto& [maintenance, production, title] : {std::tuple(false, false, ""), std::tuple(true, false, " (M)"),
                                                       std::tuple(false, true, "(Factory mode)")}) {
    ctx.maintenanceMode = maintenance;
    ctx.productionMode = production;
    f.UpdateTitle();
    EXPECT_EQ(ShownTitle(f), QStringLiteral("<none> - KP53Win for HT-620A Series") + QLatin1String(title));
  }
  for (const auto& [time, text] : {std::pair(QTime(9, 5), " 9:05"), std::pair(QTime(0, 0), " 0:00"), std::pair(QTime(23, 59), " 23:59")})
    EXPECT_EQ(CMainFrame::ClockText(time), QLatin1String(text));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^ \\d{1,2}:\\d\\d$")).match(f.ClockPane()->text()).hasMatch())
      << f.ClockPane()->text().toStdString();
  EXPECT_EQ(f.MessagePane()->text(),
            QStringLiteral("F1 for Help   F2 for Group Change   F3 for DCS Invert   F10 for Menus"));
}

TEST_F(GuiTest, WindowIsNeverSmallerThanTheMinimum) {
  ctx.settings.cx = 300;
  ctx.settings.cy = 300;
  CMainFrame& f = Frame();
  EXPECT_EQ(f.minimumSize(), QSize(835, 540));
  EXPECT_EQ(f.size().expandedTo(f.minimumSize()), f.size());
  f.resize(100, 100);
  EXPECT_EQ(f.size().expandedTo(f.minimumSize()), f.size());
}

// The question about unsaved changes before Close, New and Open: Cancel, and Yes with the
// Save As then cancelled, keep the window and the changes; No lets New drop them. No changes, or
// a print running, and Close asks nothing.
TEST_F(GuiTest, TheSaveChangesQuestionGuardsCloseNewAndOpen) {
  const auto other = root / "other.k53";
  ctx.currentPath = other.string();
  ASSERT_TRUE(doc->Save());
  Frame().show();
  const std::function<void()> actions[] = {
      [this] { EXPECT_FALSE(Frame().close()); },
      [this] { Frame().RunCommand(cmd::kNew); },
      [this, other] {
        chooser.opens = {other.string()};
        Frame().RunCommand(cmd::kOpen);
      },
  };
  for (const auto& action : actions) {
    for (const kp53::Answer answer : {kp53::Answer::Cancel, kp53::Answer::Yes}) {
      doc->Data().channels.Entry(0).squelch = 9;
      ctx.modified = true;
      prompt.answers.push_back(answer);
      action();
      EXPECT_TRUE(Frame().isVisible());
      EXPECT_TRUE(ctx.modified);
      EXPECT_EQ(doc->Data().channels.Entry(0).squelch, 9);
    }
  }
  ASSERT_EQ(prompt.shown.size(), 6u);
  EXPECT_EQ(prompt.shown[0], "Save changes to " + other.string() + "?");
  prompt.answers.push_back(kp53::Answer::No);
  Frame().RunCommand(cmd::kNew);
  EXPECT_EQ(doc->Data().channels.Entry(0).squelch, 4);
  EXPECT_EQ(Grid().TextMatrix(2, 13), QStringLiteral(" 4"));
  EXPECT_FALSE(ctx.modified);
  // Without changes, or while printing, Close asks nothing.
  prompt.shown.clear();
  EXPECT_TRUE(Frame().close());
  Frame().show();
  ctx.modified = true;
  const kp53::print::PrintingScope printing;
  EXPECT_TRUE(Frame().close());
  EXPECT_TRUE(prompt.shown.empty());
}

// Ctrl+S on a document without a name is Save As; a long path is shown whole in the title.
TEST_F(GuiTest, CtrlSOnANewDocumentSavesAsAndTheTitleShowsTheWholePath) {
  std::filesystem::path dir = root;
  while (dir.string().size() < 200) dir /= std::string(30, 'x');
  std::filesystem::create_directories(dir);
  const auto file = dir / (std::string(60, 'f') + ".K53");
  FocusCell(kFirstRow, 0);
  ASSERT_EQ(ctx.currentPath, "<none>");
  chooser.saves.push_back(file.string());
  QTest::keyClick(&Grid(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(std::filesystem::file_size(file), kp53::kDataFileSize);
  EXPECT_TRUE(Frame().windowTitle().startsWith(QString::fromStdString(file.string())));
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(GuiTest, SettingsAreWrittenWhenTheWindowIsDestroyedAndReadAtTheNextStart) {
  const std::string path = (root / "work" / "KP53Win.ini").string();
  ctx.iniPath = path;
  ctx.ini.Parse("[Other]\nkeep=1\n");
  Frame().resize(900, 600);
  ctx.settings.comPort = 16;
  Frame().RunCommand(cmd::kFirstColumnToggle + 5);  // View > Item: hides Power Save's two columns
  EXPECT_FALSE(std::filesystem::exists(path));        // nothing written yet
  frame.reset();
  kp53::IniFile ini;
  ASSERT_TRUE(ini.Load(path));
  EXPECT_EQ(ini.GetInt("Initialize", "COM_PORT", 0), 16);
  EXPECT_EQ(ini.GetInt("Initialize", "CX", 0), 900);
  EXPECT_EQ(ini.GetInt("Initialize", "CY", 0), 600);
  EXPECT_EQ(ini.GetInt("ITEM", "ITEM5", 1), 0);
  EXPECT_EQ(ini.GetInt("Other", "keep", 0), 1);
  ctx.LoadSettings(path);
  EXPECT_EQ(std::tuple(Grid().ColWidth(8), Grid().ColWidth(9), Grid().ColWidth(10)), std::tuple(0, 0, 480));
  EXPECT_FALSE(Frame().Action(cmd::kFirstColumnToggle + 5)->isChecked());
}

TEST_F(GuiTest, OpenAndSaveThroughTheWindowRoundTripByteForByte) {
  // A file with edits of its own, written by the document.
  doc->Data().channels.Entry(2).squelch = 11;
  doc->Data().channels.Entry(5).enabled = 0;
  const auto file = root / "round.k53";
  ctx.currentPath = file.string();
  ASSERT_TRUE(doc->Save());
  const auto before = ReadAll(file);
  doc->New();
  CMainFrame& f = Frame();
  chooser.opens.push_back(file.string());
  f.RunCommand(cmd::kOpen);
  EXPECT_EQ(ShownTitle(f), QString::fromStdString(file.string()) + QStringLiteral(" - KP53Win for HT-620A Series"));
  EXPECT_EQ(Grid().TextMatrix(4, 13), QStringLiteral("11"));
  ctx.modified = true;
  f.RunCommand(cmd::kSave);
  EXPECT_FALSE(ctx.modified);
  EXPECT_EQ(ReadAll(file), before);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(GuiTest, HelpForTheFocusedColumnAndShiftF1Swallowed) {
  CMainFrame& f = Frame();
  f.show();
  QApplication::setActiveWindow(&f);
  Grid().setFocus();
  Grid().SetRow(2);
  Grid().SetCol(14);
  EXPECT_EQ(f.FrameHelpContext(), 319);
  QTest::keyClick(&Grid(), Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_EQ(f.Help(), nullptr);
  f.RunCommand(cmd::kHelp);
  ASSERT_NE(f.Help(), nullptr);
  EXPECT_EQ(f.Help()->CurrentContext(), 319);
  f.RunCommand(cmd::kGetStarted);
  EXPECT_EQ(f.Help()->CurrentContext(), 98376);
  f.RunCommand(cmd::kCommonProblems);
  EXPECT_EQ(f.Help()->CurrentContext(), 98377);
}

TEST_F(GuiTest, ConfigurationKeepsADeviceThatFailsToOpenOnlyWhenTheUserSaysSo) {
  ConfigDialog dlg(ctx, prompt);
  ASSERT_EQ(dlg.PortList()->count(), 16);
  EXPECT_EQ(dlg.PortList()->itemText(15), QStringLiteral("COM 16"));
  EXPECT_TRUE(dlg.Speed(0)->isChecked());
  std::string probed;
  dlg.probe = [&](const std::string& p, int*) {
    probed = p;
    return false;
  };
  dlg.show();
  dlg.PortList()->setCurrentIndex(15);
  dlg.Speed(1)->click();
  EXPECT_TRUE(dlg.ReadBack()->isChecked());  // read-back is on by default
  dlg.ReadBack()->click();
  prompt.answers = {kp53::Answer::No, kp53::Answer::Yes};
  dlg.accept();  // No: the dialog stays, nothing is stored
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(ctx.settings.comPort, 1);
  EXPECT_EQ(ctx.settings.comSpeed, 0);
  EXPECT_EQ(probed, "/dev/ttyS15");
  dlg.accept();  // Yes: kept
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(ctx.settings.comPort, 16);
  EXPECT_EQ(ctx.settings.comSpeed, 1);
  EXPECT_FALSE(ctx.settings.readBack);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0], "Problem with COM port\n\n/dev/ttyS15 could not be opened. Keep it for COM 16 anyway?");
  // A refused access says why and how to get it.
  dlg.show();
  dlg.probe = [](const std::string&, int* error) {
    *error = EACCES;
    return false;
  };
  prompt.answers = {kp53::Answer::No};
  dlg.accept();
  ASSERT_EQ(prompt.shown.size(), 3u);
  EXPECT_NE(prompt.shown[2].find("Keep it for COM 16 anyway?\nPermission denied ("), std::string::npos) << prompt.shown[2];
  EXPECT_NE(prompt.shown[2].find("dialout"), std::string::npos);
}

// Enter outside the buttons does not close the dialog; Alt+O in the device field presses OK. A
// stable device name is listed with its device and adapter; choosing it puts only the path in.
TEST_F(GuiTest, ConfigurationKeysAndDeviceChoices) {
  ConfigDialog dlg(ctx, prompt);
  dlg.probe = [](const std::string&, int*) { return true; };
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
  EXPECT_EQ(QApplication::focusWidget(), dlg.PortList());
  dlg.PortList()->setCurrentIndex(6);
  QTest::keyClick(&dlg, Qt::Key_Return);
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(ctx.settings.comPort, 1);
  dlg.DeviceList()->setFocus();
  dlg.DeviceList()->setEditText(QStringLiteral("/dev/ttyUSB0"));
  QTest::keyClick(dlg.DeviceList(), Qt::Key_O, Qt::AltModifier);
  for (int i = 0; i < 50 && dlg.isVisible(); ++i) QTest::qWait(20);  // a mnemonic clicks a moment later
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(ctx.settings.comPort, 7);
  EXPECT_EQ(ctx.settings.DevicePath(7), "/dev/ttyUSB0");

  dlg.PortList()->setCurrentIndex(2);
  const std::string byId = "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0";
  dlg.SetDeviceChoices({{byId, "/dev/ttyUSB0", "FTDI FT232R USB UART"}, {"/dev/ttyS0", "/dev/ttyS0", ""}});
  EXPECT_EQ(dlg.DeviceList()->itemText(0),
            QString::fromStdString(byId) + QStringLiteral("  (/dev/ttyUSB0: FTDI FT232R USB UART)"));
  EXPECT_EQ(dlg.DeviceList()->itemText(1), QStringLiteral("/dev/ttyS0"));
  dlg.DeviceList()->setCurrentIndex(0);
  emit dlg.DeviceList()->activated(0);
  EXPECT_EQ(dlg.DeviceList()->currentText(), QString::fromStdString(byId));
  dlg.accept();
  EXPECT_EQ(ctx.settings.comPort, 3);
  EXPECT_EQ(ctx.settings.DevicePath(3), byId);
  EXPECT_TRUE(prompt.shown.empty());
}

// Refresh 2 (the Configuration dialog) redraws the header; 4 (a band change) writes the new
// band's default file and redraws.
TEST_F(GuiTest, RefreshCodesRedrawTheHeaderAndABandChangeWritesItsDefault) {
  CMainFrame& f = Frame();
  ctx.settings.comPort = 4;
  ctx.settings.comSpeed = 1;
  f.ApplyRefresh(2);
  EXPECT_EQ(View().HeaderValue(4)->text(), QStringLiteral("COM4  19200BPS"));
  doc->Data().hardware.ApplyBandDefaults(true);
  doc->Data().channels.ResetFrequencies(true);
  doc->Data().channels.currentGroup = 3;
  f.ApplyRefresh(4);
  EXPECT_TRUE(std::filesystem::exists(root / "work" / "defaultu.k53"));
  EXPECT_EQ(ShownTitle(f), QStringLiteral("<none> - KP53Win for HT-620A Series"));
  EXPECT_EQ(View().HeaderValue(1)->text().trimmed(), QStringLiteral("UHF"));
  EXPECT_EQ(doc->Data().channels.currentGroup, 0);
  EXPECT_EQ(Grid().TextMatrix(2, 0), QStringLiteral("  1"));
}

// The blink clears the text now and then; its end puts the text back.
TEST(ColorLabelTest, TheEndOfABlinkRestoresTheText) {
  ColorLabel label;
  label.setText(QStringLiteral("Please wait"));
  label.FlashText(true);
  label.setText(QString());  // what a blink does
  label.FlashText(false);
  EXPECT_EQ(label.text(), QStringLiteral("Please wait"));
}

}  // namespace

TEST_F(GuiTest, LockPanesFollowTheLockKeysAndStayBlankWhereTheStateIsUnknown) {
  std::optional<LockKeyStates> states;
  Frame().lockKeyReader = [&states] { return states; };
  FocusCell(kFirstRow, 4);
  auto shown = [this] {
    return Frame().LockPane(0)->text() + QLatin1Char('|') + Frame().LockPane(1)->text() + QLatin1Char('|') +
           Frame().LockPane(2)->text();
  };
  const struct { std::optional<LockKeyStates> states; Qt::Key key; const char* panes; } steps[] = {
      {LockKeyStates{true, false, false}, Qt::Key_CapsLock, "CAP||"},
      {LockKeyStates{true, true, false}, Qt::Key_NumLock, "CAP|NUM|"},
      {LockKeyStates{false, true, true}, Qt::Key_ScrollLock, "|NUM|SCRL"},
      {std::nullopt, Qt::Key_NumLock, "||"},
  };
  for (const auto& step : steps) {
    states = step.states;
    QTest::keyRelease(&Grid(), step.key);
    EXPECT_EQ(shown(), QLatin1String(step.panes));
  }
  // A lock switched in another window shows with the next clock tick.
  states = LockKeyStates{false, false, true};
  Frame().UpdateClock();
  EXPECT_EQ(shown(), QStringLiteral("||SCRL"));
}
