// Editing channels in the grid: typed characters, Enter, Space, F3, the in-place editor and its
// end, and the allocation dialog opened from its menu command.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/command_ids.h"
#include "channels/allocation_dialog.h"
#include "channels/list_dialogs.h"
#include "gui_fixture.h"
#include "image/codecs.h"
#include "params/filtered_edit.h"
#include "text/grid_texts.h"

namespace {

class CellEditingTest : public GuiTest {
 protected:
  QPoint CellCentre(int row, int column) {
    return Grid().visualRect(Grid().model()->index(row - kFirstRow, column)).center();
  }
  void ClickCell(int row, int column) {
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(row, column));
  }
  CCellEditor& Editor() { return *View().CellEditor(); }
};

TEST_F(CellEditingTest, TypingDOnADecCellAndClickingAwayKeepsTheToneType) {
  FocusCell(kFirstRow, 6);
  QTest::keyClick(&Grid(), Qt::Key_D);
  ASSERT_TRUE(View().IsEditing());
  EXPECT_TRUE(Editor().isVisible());
  EXPECT_EQ(Editor().text(), QStringLiteral("D-"));
  EXPECT_FALSE(Editor().hasSelectedText());
  EXPECT_EQ(Ch(0).rxToneType, kp53::kToneDcs);  // typed: the type follows the letter meanwhile

  ClickCell(kFirstRow + 1, 4);
  EXPECT_FALSE(View().IsEditing());
  EXPECT_FALSE(Editor().isVisible());
  EXPECT_EQ(Ch(0).rxToneType, kp53::kToneNone);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 6), QStringLiteral("-------"));
}

TEST_F(CellEditingTest, TypedToneTextIsStoredWhenTheEditorLosesTheFocus) {
  FocusCell(kFirstRow, 6);
  QTest::keyClick(&Grid(), Qt::Key_C);
  QTest::keyClicks(&Editor(), QStringLiteral("88.5x"));  // "x" is filtered out
  EXPECT_EQ(Editor().text(), QStringLiteral("C-88.5"));
  ClickCell(kFirstRow + 2, 2);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 6), QStringLiteral("C- 88.5"));
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(CellEditingTest, TypingAReceiveFrequencyAndEnterSetsBothFrequenciesAndTheCrystalFlag) {
  doc->Data().defaultSplit = 0.6;
  FocusCell(kFirstRow + 1, 4);
  QTest::keyClick(&Grid(), Qt::Key_1);
  ASSERT_TRUE(View().IsEditing());
  EXPECT_EQ(Editor().text(), QStringLiteral("1"));
  QTest::keyClicks(&Editor(), QStringLiteral("47.456"));
  QTest::keyClick(&Editor(), Qt::Key_Return);
  EXPECT_FALSE(View().IsEditing());
  EXPECT_TRUE(Grid().hasFocus());
  // 147.456 MHz snaps to the next multiple of 6250 Hz, which lies within 100 ppm of 40 x 3.6864.
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 1, 4), QStringLiteral("147.45625"));
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 1, 5), QStringLiteral("148.05625"));
  EXPECT_TRUE(Grid().CellHasPicture(kFirstRow + 1, 21));
  EXPECT_TRUE(doc->IsModified());
  // The snap is said at once, with a beep.
  EXPECT_EQ(Frame().MessagePane()->text(),
            QStringLiteral("147.456 stored as 147.45625: the radio tunes in 5 and 6.25 kHz steps"));
  EXPECT_EQ(prompt.beeps, 1);
}

TEST_F(CellEditingTest, EnterBeginsEditingWithTheCellTextSelectedAndEscapePutsItBack) {
  FocusCell(kFirstRow, 3);
  QTest::keyClick(&Grid(), Qt::Key_Return);
  ASSERT_TRUE(View().IsEditing());
  EXPECT_EQ(Editor().text(), QStringLiteral(" CH-001 "));
  EXPECT_EQ(Editor().selectedText(), QStringLiteral(" CH-001 "));
  EXPECT_EQ(Editor().maxLength(), 8);
  // The editor lies over the cell.
  const QRect cell = Grid().visualRect(Grid().model()->index(0, 3));
  const QPoint cellTopLeft = Grid().viewport()->mapTo(&View(), cell.topLeft());
  EXPECT_LE(std::abs(Editor().geometry().left() - cellTopLeft.x()), 2);
  EXPECT_LE(std::abs(Editor().geometry().top() - cellTopLeft.y()), 2);

  QTest::keyClicks(&Editor(), QStringLiteral("NEW,TAG"));  // the comma is refused
  EXPECT_EQ(Editor().text(), QStringLiteral("NEWTAG"));
  QTest::keyClick(&Editor(), Qt::Key_Escape);
  EXPECT_FALSE(View().IsEditing());
  EXPECT_EQ(Ch(0).tag, " CH-001 ");
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 3), QStringLiteral(" CH-001 "));

  QTest::keyClick(&Grid(), Qt::Key_Return);
  QTest::keyClicks(&Editor(), QStringLiteral("ALPHA"));
  QTest::keyClick(&Editor(), Qt::Key_Return);
  EXPECT_EQ(Ch(0).tag, "ALPHA   ");
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 3), QStringLiteral("ALPHA   "));
}

TEST_F(CellEditingTest, EnterOnATransmitCellWithTransmitOffEditsTheStoredFrequency) {
  Ch(2).txOff = true;
  View().RefreshAll();
  FocusCell(kFirstRow + 2, 5);
  QTest::keyClick(&Grid(), Qt::Key_Return);
  ASSERT_TRUE(View().IsEditing());
  EXPECT_EQ(Editor().text(), QStringLiteral("150.00000"));
  QTest::keyClick(&Editor(), Qt::Key_Escape);
}

TEST_F(CellEditingTest, DisabledChannelAndHt610TagsCannotBeEdited) {
  Ch(3).enabled = 0;
  doc->Data().hardware.model = 0;
  View().RefreshAll();
  FocusCell(kFirstRow + 3, 4);
  QTest::keyClick(&Grid(), Qt::Key_1);
  EXPECT_FALSE(View().IsEditing());
  FocusCell(kFirstRow, 3);
  QTest::keyClick(&Grid(), Qt::Key_A);
  QTest::keyClick(&Grid(), Qt::Key_Return);
  EXPECT_FALSE(View().IsEditing());
}

TEST_F(CellEditingTest, TypingOnACellThatTakesNoTextLeavesTheCursorAlone) {
  Ch(5).bandwidth = 2;
  View().RefreshAll();
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 5, 2), QStringLiteral("N"));
  FocusCell(kFirstRow, 2);
  QTest::keyClick(&Grid(), Qt::Key_N);
  EXPECT_EQ(Grid().Row(), kFirstRow);
  EXPECT_FALSE(View().IsEditing());
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(CellEditingTest, ScrollingTheGridFinishesTheEdit) {
  auto& t = doc->Data().channels;
  t.groupSize.fill(0);
  t.groupSize[0] = 128;
  t.groupSize[1] = 128;
  View().RefreshAll();
  FocusCell(kFirstRow, 4);
  QTest::keyClick(&Grid(), Qt::Key_1);
  QTest::keyClicks(&Editor(), QStringLiteral("60"));
  Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->maximum());
  EXPECT_FALSE(View().IsEditing());
  EXPECT_NEAR(Ch(0).rxFreq, 160.0, 1e-9);
}

TEST_F(CellEditingTest, SpaceOnPriMovesThePriorityWithinTheGroup) {
  doc->Data().channels.priorityChannel = 3;
  View().RefreshAll();
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 2, 1), QStringLiteral("P"));
  FocusCell(kFirstRow + 4, 1);
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_EQ(doc->Data().channels.priorityChannel, 5);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 2, 1), QStringLiteral("-"));
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 4, 1), QStringLiteral("P"));
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_EQ(doc->Data().channels.priorityChannel, 0);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 4, 1), QStringLiteral("-"));
}

TEST_F(CellEditingTest, SpaceTogglesChecksAndChannelOneStaysEnabled) {
  FocusCell(kFirstRow, 0);
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_EQ(prompt.beeps, 1);
  EXPECT_TRUE(doc->Data().channels.IsEnabled(0));
  FocusCell(kFirstRow + 1, 12);
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_TRUE(Ch(1).tot);
  EXPECT_TRUE(Grid().CellHasPicture(kFirstRow + 1, 12));
  FocusCell(kFirstRow + 1, 0);
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_FALSE(doc->Data().channels.IsEnabled(1));
  EXPECT_FALSE(Grid().CellHasPicture(kFirstRow + 1, 12));
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 1, 12), QStringLiteral("-"));
}

TEST_F(CellEditingTest, F3CyclesTheReceivePolarity) {
  Ch(0).rxToneType = kp53::kToneDcs;
  Ch(0).rxDcs = 23;
  View().RefreshAll();
  FocusCell(kFirstRow, 6);
  for (const char* shown : {"D-023I  ", "D-023B  ", "D-023N  "}) {
    QTest::keyClick(&Grid(), Qt::Key_F3);
    EXPECT_EQ(Grid().TextMatrix(kFirstRow, 6), QString::fromLatin1(shown));
  }
}

TEST_F(CellEditingTest, SpaceOnSquelchOpensTheValueList) {
  FocusCell(kFirstRow, 13);
  OnModal<kp53::gui::CListDialog>([](kp53::gui::CListDialog& dlg) {
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Squelch Level(CH= 1)"));
    EXPECT_EQ(dlg.list()->currentRow(), 4);
    dlg.list()->setCurrentRow(9);
    dlg.accept();
  });
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_EQ(Ch(0).squelch, 9);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 13), QStringLiteral(" 9"));
}

TEST_F(CellEditingTest, EnterOnADecCellPicksATone) {
  Ch(0).rxToneType = kp53::kToneCtcss;
  Ch(0).rxCtcss = 670;
  View().RefreshAll();
  FocusCell(kFirstRow, 6);
  OnModal<kp53::gui::CListDialog>([](kp53::gui::CListDialog& dlg) {
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("CTCSS Frequency(CH= 1)"));
    dlg.list()->setCurrentRow(1);
    dlg.accept();
  });
  QTest::keyClick(&Grid(), Qt::Key_Return);
  EXPECT_EQ(Ch(0).rxCtcss, kp53::kCtcssTones[1]);
}

TEST_F(CellEditingTest, EnterOnABareDcsPrefixOpensTheDcsListAndCancelRestoresTheType) {
  FocusCell(kFirstRow, 7);
  QTest::keyClick(&Grid(), Qt::Key_D);
  ASSERT_TRUE(View().IsEditing());
  OnModal<kp53::gui::CListDialog>([](kp53::gui::CListDialog& dlg) {
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("DCS Frequency(CH= 1)"));
    dlg.reject();
  });
  QTest::keyClick(&Editor(), Qt::Key_Return);
  EXPECT_FALSE(View().IsEditing());
  EXPECT_EQ(Ch(0).txToneType, kp53::kToneNone);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 7), QStringLiteral("-------"));
}

TEST_F(CellEditingTest, EscapeAfterTypingDOnACtcssCellKeepsTheTone) {
  Ch(0).rxToneType = kp53::kToneCtcss;
  Ch(0).rxCtcss = 1000;
  View().RefreshAll();
  FocusCell(kFirstRow, 6);
  QTest::keyClick(&Grid(), Qt::Key_D);
  QTest::keyClicks(&Editor(), QStringLiteral("7"));
  QTest::keyClick(&Editor(), Qt::Key_Escape);
  EXPECT_FALSE(View().IsEditing());
  EXPECT_EQ(Ch(0).rxToneType, kp53::kToneCtcss);
  EXPECT_EQ(Ch(0).rxCtcss, 1000);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 6), QStringLiteral("C-100.0"));
}

TEST_F(CellEditingTest, F2InTheEditorFinishesTheEditBeforeTheGroupChanges) {
  FocusCell(kFirstRow + 1, 4);
  QTest::keyClick(&Grid(), Qt::Key_1);
  QTest::keyClicks(&Editor(), QStringLiteral("55"));
  QTest::keyClick(&Editor(), Qt::Key_F2);
  EXPECT_FALSE(View().IsEditing());
  EXPECT_EQ(doc->Data().channels.currentGroup, 1);
  EXPECT_NEAR(Ch(1).rxFreq, 155.0, 1e-9);
}

TEST_F(CellEditingTest, DoubleClicksActivateEditOrOpenTheLists) {
  FocusCell(kFirstRow, 0);
  QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(kFirstRow + 1, 0));
  EXPECT_FALSE(doc->Data().channels.IsEnabled(1));
  EXPECT_EQ(Grid().Row(), kFirstRow + 1);

  QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(kFirstRow + 2, 3));
  ASSERT_TRUE(View().IsEditing());
  EXPECT_EQ(Editor().text(), QStringLiteral(" CH-003 "));
  QTest::keyClick(&Editor(), Qt::Key_Escape);

  OnModal<kp53::gui::CListDialog>([](kp53::gui::CListDialog& dlg) {
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Encryption(CH= 3)"));
    dlg.list()->setCurrentRow(3);
    dlg.accept();
  });
  QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(kFirstRow + 2, 17));
  EXPECT_EQ(Ch(2).Encryption(), 3);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 2, 17), QStringLiteral("3"));
}

TEST_F(CellEditingTest, F1InTheValueListOpensTheColumnsHelp) {
  FocusCell(kFirstRow, 13);
  // Over the modal list the help window belongs to the list, so it is read while the list is open.
  int context = 0;
  OnModal<kp53::gui::CListDialog>([this, &context](kp53::gui::CListDialog& dlg) {
    QTest::keyClick(dlg.list(), Qt::Key_F1);
    if (Frame().Help()) context = Frame().Help()->CurrentContext();
    dlg.reject();
  });
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_EQ(context, 313);
  EXPECT_EQ(Ch(0).squelch, 4);
}

TEST_F(CellEditingTest, F1InTheEditorOpensTheHelpOfTheEditedColumn) {
  FocusCell(kFirstRow, 5);
  QTest::keyClick(&Grid(), Qt::Key_Return);
  ASSERT_TRUE(View().IsEditing());
  QTest::keyClick(&Editor(), Qt::Key_F1);
  ASSERT_NE(Frame().Help(), nullptr);
  EXPECT_EQ(Frame().Help()->CurrentContext(), 305);
}

TEST_F(CellEditingTest, AllocationDialogFromTheMenuKeepsEnterInItsFieldsAndOkRefreshesTheView) {
  FocusCell(kFirstRow, 0);
  doc->Data().channels.currentGroup = 4;
  View().RefreshAll();
  ASSERT_TRUE(Frame().IsCommandEnabled(cmd::kChannelAllocations));
  bool ran = false;
  OnModal<kp53::gui::CAllocationDlg>([&ran](kp53::gui::CAllocationDlg& dlg) {
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Channel Allocation/Group Tag"));
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
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(CellEditingTest, AllocationDialogEscapeCancelsEveryChange) {
  FocusCell(kFirstRow, 0);
  const auto before = doc->Data().channels.groupSize;
  OnModal<kp53::gui::CAllocationDlg>([](kp53::gui::CAllocationDlg& dlg) {
    auto* g2 = dlg.sizeField(1);
    g2->setFocus();
    QTest::keyClick(g2, Qt::Key_5);
    QTest::keyClick(g2, Qt::Key_Return);
    EXPECT_EQ(g2->text(), QStringLiteral("005"));
    QTest::keyClick(g2, Qt::Key_Escape);  // not editing: the dialog's Cancel
  });
  Frame().RunCommand(cmd::kChannelAllocations);
  EXPECT_EQ(doc->Data().channels.groupSize, before);
  EXPECT_EQ(Grid().Rows(), 18);
  // The cursor's channel is still the one edited.
  FocusCell(kFirstRow + 3, 12);
  QTest::keyClick(&Grid(), Qt::Key_Space);
  EXPECT_TRUE(Ch(3).tot);
}

TEST_F(CellEditingTest, AnEditOpenWhenTheAllocationDialogIsCancelledIsKept) {
  FocusCell(kFirstRow, 4);
  QTest::keyClick(&Grid(), Qt::Key_1);
  QTest::keyClicks(&Editor(), QStringLiteral("55"));
  OnModal<kp53::gui::CAllocationDlg>([](kp53::gui::CAllocationDlg& dlg) { dlg.reject(); });
  Frame().RunCommand(cmd::kChannelAllocations);
  EXPECT_FALSE(View().IsEditing());
  EXPECT_NEAR(Ch(0).rxFreq, 155.0, 1e-9);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 4), QStringLiteral("155.00000"));
}

TEST_F(CellEditingTest, EditedChannelsSurviveSaveAndReopen) {
  doc->Data().defaultSplit = -0.5;
  FocusCell(kFirstRow + 1, 4);
  QTest::keyClicks(&Grid(), QStringLiteral("1"));
  QTest::keyClicks(&Editor(), QStringLiteral("55.125"));
  QTest::keyClick(&Editor(), Qt::Key_Return);
  FocusCell(kFirstRow + 1, 7);
  QTest::keyClick(&Grid(), Qt::Key_D);
  QTest::keyClicks(&Editor(), QStringLiteral("754"));
  QTest::keyClick(&Editor(), Qt::Key_Return);
  FocusCell(kFirstRow + 1, 10);
  QTest::keyClick(&Grid(), Qt::Key_Space);
  FocusCell(kFirstRow + 1, 3);
  QTest::keyClick(&Grid(), Qt::Key_R);
  QTest::keyClicks(&Editor(), QStringLiteral("EPEATER"));
  QTest::keyClick(&Editor(), Qt::Key_Return);

  QStringList shown;
  for (int c = 0; c < kp53::kGridColumns; ++c) shown << Grid().TextMatrix(kFirstRow + 1, c);
  EXPECT_EQ(shown[4], QStringLiteral("155.12500"));
  EXPECT_EQ(shown[5], QStringLiteral("154.62500"));
  EXPECT_EQ(shown[7], QStringLiteral("D-754N  "));
  EXPECT_EQ(shown[3], QStringLiteral("REPEATER"));  // typed in lower case

  const std::string path = (root / "work" / "edited.K53").string();
  chooser.saves.push_back(path);
  Frame().RunCommand(cmd::kSaveAs);
  ASSERT_FALSE(doc->IsModified());
  doc->Data().channels.Entry(1).rxFreq = 160.0;  // replaced by the file's contents
  doc->OpenPath(path);
  for (int c = 0; c < kp53::kGridColumns; ++c)
    EXPECT_EQ(Grid().TextMatrix(kFirstRow + 1, c), shown[c]) << "column " << c;
}

TEST_F(CellEditingTest, SaveFinishesAnOpenEditFirst) {
  FocusCell(kFirstRow, 4);
  QTest::keyClick(&Grid(), Qt::Key_1);
  QTest::keyClicks(&Editor(), QStringLiteral("60.5"));
  ASSERT_TRUE(View().IsEditing());
  const std::string path = (root / "work" / "open-edit.k53").string();
  chooser.saves.push_back(path);
  Frame().RunCommand(cmd::kSaveAs);  // Ctrl+S and the menu run the same command
  EXPECT_FALSE(View().IsEditing());
  EXPECT_FALSE(doc->IsModified());
  kp53::RadioData saved;
  kp53::InitImage(saved);
  ASSERT_TRUE(kp53::ReadDataFile(path, saved.image, saved.defaultSplit, prompt));
  kp53::ReloadAreas(saved);
  EXPECT_DOUBLE_EQ(saved.channels.Entry(0).rxFreq, 160.5);
}

}  // namespace
