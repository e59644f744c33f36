// Undo and redo through the window: a cell edit, a channel or cell paste, the OK of the allocation
// dialog and an imported channel list are each one step that Edit > Undo takes back to the same
// image bytes; the title's marker follows the unsaved changes. Hostile files given to the import.
#include <QClipboard>
#include <QMessageBox>
#include <fstream>
#include <sys/stat.h>

#include "app/channel_list_commands.h"
#include "channels/allocation_dialog.h"
#include "compare/compare_dialog.h"
#include "csv/channel_csv.h"
#include "io/input_file.h"
#include "gui_fixture.h"

namespace {

class UndoWindowTest : public GuiTest {
 protected:
  kp53::RadioImage Bytes() { return doc->CaptureState().image; }
  bool Marked() { return ShownTitle(Frame()).contains(QLatin1Char('*')); }
  // Runs `change` and checks that Undo brings back the image it started from and Redo the
  // image it left, with the title's marker following.
  void UndoRedo(const std::function<void()>& change) {
    const kp53::RadioImage before = Bytes();
    change();
    const kp53::RadioImage after = Bytes();
    ASSERT_NE(after, before);
    EXPECT_TRUE(Marked());
    EXPECT_TRUE(Frame().Action(cmd::kUndo)->isEnabled());
    Frame().RunCommand(cmd::kUndo);
    EXPECT_EQ(Bytes(), before);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(Marked());
    Frame().RunCommand(cmd::kRedo);
    EXPECT_EQ(Bytes(), after);
    EXPECT_TRUE(Marked());
    Frame().RunCommand(cmd::kUndo);
  }
  // The channel-list commands with `file` chosen; the report they show goes to `report`.
  kp53::gui::CChannelListCommands& ListCommands(const std::filesystem::path& file) {
    auto* commands = Frame().findChild<kp53::gui::CChannelListCommands*>();
    commands->chooseFile = [file](bool) { return QString::fromStdString(file.string()); };
    commands->showReport = [this](const QString&, const QString& text) { report = text; };
    return *commands;
  }
  QString Status() { return Frame().MessagePane()->text(); }
  QString report;
};

TEST_F(UndoWindowTest, ACellEditTypedIntoTheGridIsOneStep) {
  UndoRedo([&] {
    FocusCell(kFirstRow + 2, 4);
    QTest::keyClick(&Grid(), Qt::Key_1);
    QTest::keyClicks(View().CellEditor(), QStringLiteral("60.5"));
    QTest::keyClick(View().CellEditor(), Qt::Key_Return);
    EXPECT_EQ(Grid().TextMatrix(kFirstRow + 2, 4), QStringLiteral("160.50000"));
  });
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 2, 4), QStringLiteral("150.00000"));
  // Ctrl+Z from the grid takes back a Space toggle.
  FocusCell(kFirstRow, 10);
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_EQ(Ch(0).power, 1);
  QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Ch(0).power, 0);
}

// A channel number pasted onto a channel copies only the visible columns, after asking.
TEST_F(UndoWindowTest, AChannelCopyOfTheVisibleColumnsIsOneStep) {
  Ch(11).tag = "TWELVE  ";
  Ch(11).rxFreq = 160.0;
  Ch(11).squelch = 9;
  Frame().RunCommand(cmd::kFirstColumnToggle + 3);  // hide Frequency
  UndoRedo([&] {
    QGuiApplication::clipboard()->setText(QStringLiteral("12"));
    FocusCell(kFirstRow + 2, 0);
    prompt.answers.push_back(kp53::Answer::Yes);
    Frame().RunCommand(cmd::kPaste);  // the Edit menu's Paste
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], "Do you copy Ch12 data to Ch   3?\n(Only visible columns)");
    EXPECT_DOUBLE_EQ(Ch(2).rxFreq, 150.0);
    EXPECT_EQ(Grid().TextMatrix(kFirstRow + 2, 3), QStringLiteral("TWELVE  "));
    EXPECT_EQ(Grid().TextMatrix(kFirstRow + 2, 13), QStringLiteral(" 9"));
  });
}

// The allocation dialog keeps Enter in its fields; its OK refreshes the view and is one step
// that Edit > Undo takes back; its Cancel is none.
TEST_F(UndoWindowTest, TheAllocationDialogsOkIsOneStepAndItsCancelNone) {
  FocusCell(kFirstRow, 0);
  doc->Data().channels.currentGroup = 4;
  View().RefreshAll();
  ASSERT_TRUE(Frame().IsCommandEnabled(cmd::kChannelAllocations));
  UndoRedo([&] {
    bool ran = false;
    OnModal<kp53::gui::CAllocationDlg>([&ran](kp53::gui::CAllocationDlg& dlg) {
      // Group 3 emptied, then group 1 grown: Enter commits and does not close.
      auto* g3 = dlg.sizeField(2);
      g3->setFocus();
      QTest::keyClick(g3, Qt::Key_0);
      QTest::keyClick(g3, Qt::Key_Return);
      EXPECT_TRUE(dlg.isVisible());
      EXPECT_EQ(g3->text(), QStringLiteral("000"));
      EXPECT_FALSE(dlg.typeList(2)->isEnabled());
      auto* g1 = dlg.sizeField(0);
      g1->setFocus();
      QTest::keyClicks(g1, QStringLiteral("20"));
      QTest::keyClick(g1, Qt::Key_Return);
      EXPECT_EQ(g1->text(), QStringLiteral("020"));
      // Escape in a field being edited only puts its text back.
      auto* tag = dlg.tagField(0);
      tag->setFocus();
      QTest::keyClicks(tag, QStringLiteral("ZZ"));
      QTest::keyClick(tag, Qt::Key_Escape);
      EXPECT_TRUE(dlg.isVisible());
      EXPECT_EQ(tag->text().trimmed(), QStringLiteral("GROUP 1"));
      dlg.okButton()->setFocus();
      QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
      ran = true;
    });
    Frame().RunCommand(cmd::kChannelAllocations);
    ASSERT_TRUE(ran);
    const auto& t = doc->Data().channels;
    EXPECT_EQ(t.groupSize[0], 20);
    EXPECT_EQ(t.groupSize[2], 0);
    EXPECT_EQ(t.channelsLeft, 12);
    EXPECT_EQ(t.currentGroup, 0);
    EXPECT_EQ(Grid().Rows(), 22);
    EXPECT_EQ(Grid().TextMatrix(kFirstRow + 19, 0), QStringLiteral(" 20"));
    EXPECT_EQ(View().GroupSelector()->count(), 15);
  });
  EXPECT_EQ(doc->Data().channels.groupSize[0], 16);
  EXPECT_EQ(View().GroupSelector()->count(), 16);

  OnModal<kp53::gui::CAllocationDlg>([](kp53::gui::CAllocationDlg& dlg) { dlg.reject(); });
  Frame().RunCommand(cmd::kChannelAllocations);
  EXPECT_FALSE(doc->CanUndo());
}

TEST_F(UndoWindowTest, AnImportIsOneStepAndShowsItsReport) {
  const auto csv = root / "list.csv";
  std::ofstream(csv) << "Location,Name,Frequency,Mode\r\n1,\"Main, St\",146.520000,FM\r\n2,Air,150.000000,AM\r\n";
  ListCommands(csv).chooseScope = [](bool) { return 0; };
  FocusCell(kFirstRow, 0);
  UndoRedo([&] {
    Frame().RunCommand(cmd::kImportChannels);
    EXPECT_EQ(Grid().TextMatrix(kFirstRow, 4), QStringLiteral("146.52000"));
  });
  EXPECT_EQ(report, QStringLiteral("2 rows: 1 channels programmed, 0 unchanged, 1 skipped\n"
                                   "list.csv:2: name \"Main, St\" stored as \"MAIN  ST\"\n"
                                   "list.csv:3: skipped: mode AM: the radio works in FM and narrow FM only\n"));

  // Export writes what an import reads back unchanged.
  const auto out = root / "out.csv";
  ListCommands(out);
  Frame().RunCommand(cmd::kExportChannels);
  std::ifstream in(out, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, kp53::ExportChannelsCsv(doc->Data(), 0));
}

TEST_F(UndoWindowTest, ImportChannelsOffersToRenumberAListMadeForAnotherRadio) {
  const auto csv = root / "other.csv";
  std::ofstream(csv) << "Location,Name,Frequency\r\n0,ZERO,146.520000\r\n300,FAR,146.540000\r\n";
  ListCommands(csv);
  OnModal<QMessageBox>([](QMessageBox& box) {
    auto* renumber = box.findChild<QCheckBox*>(QStringLiteral("renumber"));
    ASSERT_NE(renumber, nullptr);
    renumber->setChecked(true);
    Shot(&box, QStringLiteral("import_scope"));
    for (QAbstractButton* b : box.buttons())
      if (b->text() == QStringLiteral("&Current Group")) b->click();
  });
  Frame().RunCommand(cmd::kImportChannels);
  EXPECT_EQ(report, QStringLiteral("2 rows: 2 channels programmed, 0 unchanged, 0 skipped\n"));
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 4), QStringLiteral("146.52000"));
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 1, 4), QStringLiteral("146.54000"));
}

TEST_F(UndoWindowTest, OneValuePastedIntoASelectionOfSixteenRowsIsOneStep) {
  UndoRedo([&] {
    FocusCell(kFirstRow, 2);
    for (int i = 0; i < 15; ++i) QTest::keyClick(&Grid(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Grid().Row(), kFirstRow + 15);
    QGuiApplication::clipboard()->setText(QStringLiteral("N"));
    QTest::keyClick(&Grid(), Qt::Key_V, Qt::ControlModifier);
    for (int r = 0; r < 16; ++r) EXPECT_EQ(Grid().TextMatrix(kFirstRow + r, 2), QStringLiteral("N")) << r;
    EXPECT_EQ(Status(), QStringLiteral("16 cells filled"));
  });
}

// The fill rules themselves are the core's; here, Ctrl+D over a shift-clicked range is one step
// and the status line says what it did.
TEST_F(UndoWindowTest, FillDownOverAShiftClickedRangeIsOneStepAndSaysWhatItDid) {
  Ch(0).bandwidth = 2;
  Ch(0).signalType = 1;
  Ch(0).signalNo = 1;
  Ch(1).enabled = 0;
  View().RefreshAll();
  UndoRedo([&] {
    FocusCell(kFirstRow, 2);
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCentre(kFirstRow + 15, 15));
    QTest::keyClick(&Grid(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(Ch(15).bandwidth, Ch(15).signalType, Ch(15).signalNo), std::tuple(2, 1, 1));
    EXPECT_TRUE(Status().startsWith(QStringLiteral("196 cells filled; 14 skipped: CH2 W/N, CH2 TAG")))
        << Status().toStdString();
  });
}

TEST_F(UndoWindowTest, DeleteOnTheWholeGroupClearsFrequenciesAndTonesInOneStep) {
  for (int i = 0; i <= 16; ++i) {  // group 1 and the first channel of group 2
    Ch(i).rxFreq = Ch(i).txFreq = 146.52;
    Ch(i).rxToneType = kp53::kToneCtcss;
    Ch(i).rxCtcss = 885;
  }
  View().RefreshAll();
  UndoRedo([&] {
    FocusCell(kFirstRow + 3, 7);
    QTest::keyClick(&Grid(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&Grid(), Qt::Key_Delete);
    // What a cleared cell holds is the core's; here, all sixteen rows and no other group.
    EXPECT_EQ(Grid().TextMatrix(kFirstRow, 4), QStringLiteral("150.00000"));
    EXPECT_EQ(Grid().TextMatrix(kFirstRow + 15, 6), QStringLiteral("-------"));
    EXPECT_DOUBLE_EQ(Ch(16).rxFreq, 146.52);
  });
}

TEST_F(UndoWindowTest, InsertDeleteAndMoveAreOneStepEachAndTheCursorFollowsAMove) {
  Ch(2).tag = "THIRD   ";
  View().RefreshAll();
  UndoRedo([&] {
    FocusCell(kFirstRow + 2, 3);
    Frame().RunCommand(cmd::kInsertChannel);
    EXPECT_EQ(Grid().TextMatrix(kFirstRow + 3, 3), QStringLiteral("THIRD   "));
  });
  UndoRedo([&] {
    FocusCell(kFirstRow + 1, 3);
    Frame().RunCommand(cmd::kDeleteChannel);
    EXPECT_EQ(Grid().TextMatrix(kFirstRow + 1, 3), QStringLiteral("THIRD   "));
  });
  UndoRedo([&] {
    FocusCell(kFirstRow + 2, 3);
    QTest::keyClick(&Grid(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Grid().TextMatrix(kFirstRow + 3, 3), QStringLiteral("THIRD   "));
    EXPECT_EQ(Grid().Row(), kFirstRow + 3);
  });
}

// Files that must not be waited on or read without end (a device, a FIFO, a folder, a file
// beyond the limit): Import Channels and Compare with File end at once with a message, and the
// document is as it was.
TEST_F(UndoWindowTest, ImportChannelsAndCompareWithFileEndAtOnceWithAMessageOnHostileFiles) {
  const std::string fifo = (root / "fifo.csv").string(), big = (root / "big.yaml").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::ofstream(big) << std::string(kp53::kTextFileLimit + 1, '#');
  const std::pair<std::string, std::string> cases[] = {{"/dev/zero", "/dev/zero is not a regular file"},
                                                       {fifo, fifo + " is not a regular file"},
                                                       {root.string(), root.string() + " is a folder"},
                                                       {big, big + " is larger than 16 MB"},
                                                       {(root / "missing.csv").string(), "No such file or directory"}};
  const kp53::RadioImage before = doc->Data().image;
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(path);
    ListCommands(path).chooseScope = [](bool) { return 0; };
    prompt.shown.clear();
    Frame().RunCommand(cmd::kImportChannels);
    CompareWithPath(doc->Data(), QStringLiteral("open.k53"), QString::fromStdString(path), prompt, &Frame());
    ASSERT_EQ(prompt.shown.size(), 2u);
    for (const std::string& shown : prompt.shown) EXPECT_NE(shown.find(message), std::string::npos) << shown;
  }
  EXPECT_TRUE(report.isNull());
  EXPECT_EQ(doc->Data().image, before);
  EXPECT_FALSE(doc->Context().modified);
}

}  // namespace
