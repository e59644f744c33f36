// Editing channels in the grid: typed characters, Enter, Space, F3, the in-place editor and its
// end, and the allocation dialog opened from its menu command.
#include <QListWidget>
#include <QScrollBar>

#include "channels/allocation_dialog.h"
#include "channels/list_dialogs.h"
#include "gui_fixture.h"
#include "image/codecs.h"

namespace {

class CellEditingTest : public GuiTest {
 protected:
  CCellEditor& Editor() { return *View().CellEditor(); }
};

// A tone begun with its letter and left unfinished (by a click elsewhere, by Enter on the bare
// prefix and the DCS list cancelled, by Escape) leaves the tone the channel had.
TEST_F(CellEditingTest, AToneBegunWithItsLetterAndLeftUnfinishedKeepsTheToneItHad) {
  const struct { int column; bool ctcss; std::function<void()> end; const char* shown; } cases[] = {
      {6, false, [this] { QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(kFirstRow + 1, 4)); }, "-------"},
      {7, false, [this] {
         OnModal<kp53::gui::CListDialog>([](kp53::gui::CListDialog& dlg) {
           EXPECT_EQ(dlg.windowTitle(), QStringLiteral("DCS Frequency(CH= 1)"));
           dlg.reject();
         });
         QTest::keyClick(&Editor(), Qt::Key_Return);
       }, "-------"},
      {6, true, [this] { QTest::keyClick(&Editor(), Qt::Key_Escape); }, "C-100.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.column);
    int& type = c.column == 6 ? Ch(0).rxToneType : Ch(0).txToneType;
    type = c.ctcss ? kp53::kToneCtcss : kp53::kToneNone;
    Ch(0).rxCtcss = 1000;
    View().RefreshAll();
    FocusCell(kFirstRow, c.column);
    QTest::keyClick(&Grid(), Qt::Key_D);
    ASSERT_TRUE(View().IsEditing());
    EXPECT_TRUE(Editor().isVisible());
    EXPECT_EQ(Editor().text(), QStringLiteral("D-"));
    EXPECT_FALSE(Editor().hasSelectedText());
    EXPECT_EQ(type, kp53::kToneDcs);  // the type follows the letter meanwhile
    c.end();
    EXPECT_FALSE(View().IsEditing());
    EXPECT_FALSE(Editor().isVisible());
    EXPECT_EQ(type, c.ctcss ? kp53::kToneCtcss : kp53::kToneNone);
    EXPECT_EQ(Grid().TextMatrix(kFirstRow, c.column), QLatin1String(c.shown));
  }
}

TEST_F(CellEditingTest, TypingAReceiveFrequencyAndEnterSetsBothFrequenciesAndTheCrystalFlag) {
  doc->Data().defaultSplit = 0.6;
  FocusCell(kFirstRow + 1, 4);
  QTest::keyClick(&Grid(), Qt::Key_1);
  ASSERT_TRUE(View().IsEditing());
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
  // The editor lies over the cell.
  const QRect cell = Grid().visualRect(Grid().model()->index(0, 3));
  const QPoint cellTopLeft = Grid().viewport()->mapTo(&View(), cell.topLeft());
  EXPECT_LE(std::abs(Editor().geometry().left() - cellTopLeft.x()), 2);
  EXPECT_LE(std::abs(Editor().geometry().top() - cellTopLeft.y()), 2);

  QTest::keyClicks(&Editor(), QStringLiteral("NEWTAG"));
  QTest::keyClick(&Editor(), Qt::Key_Escape);
  EXPECT_FALSE(View().IsEditing());
  EXPECT_EQ(Ch(0).tag, " CH-001 ");
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 3), QStringLiteral(" CH-001 "));
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

// What comes while a cell is being edited finishes the edit first: scrolling, F2, the allocation
// dialog (even when cancelled) and Save As, which then saves the value typed.
TEST_F(CellEditingTest, WhatComesDuringAnEditFinishesItFirst) {
  auto& t = doc->Data().channels;
  t.groupSize.fill(0);
  t.groupSize[0] = 128;
  t.groupSize[1] = 128;
  const std::string path = (root / "work" / "open-edit.k53").string();
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"Save As",
       [&] {
         chooser.saves.push_back(path);
         Frame().RunCommand(cmd::kSaveAs);  // Ctrl+S and the menu run the same command
         EXPECT_FALSE(doc->IsModified());
         kp53::RadioData saved;
         kp53::InitImage(saved);
         ASSERT_TRUE(kp53::ReadDataFile(path, saved.image, saved.defaultSplit, prompt));
         kp53::ReloadAreas(saved);
         EXPECT_DOUBLE_EQ(saved.channels.Entry(0).rxFreq, 151.0);
       }},
      {"the allocation dialog",
       [&] {
         OnModal<kp53::gui::CAllocationDlg>([](kp53::gui::CAllocationDlg& dlg) { dlg.reject(); });
         Frame().RunCommand(cmd::kChannelAllocations);
       }},
      {"F2",
       [&] {
         QTest::keyClick(&Editor(), Qt::Key_F2);
         EXPECT_EQ(t.currentGroup, 1);
       }},
      {"scrolling", [&] { Grid().verticalScrollBar()->setValue(Grid().verticalScrollBar()->maximum()); }},
  };
  double mhz = 150.0;
  for (const auto& [what, action] : cases) {
    SCOPED_TRACE(what);
    mhz += 1.0;
    t.currentGroup = 0;
    View().RefreshAll();
    FocusCell(kFirstRow, 4);
    QTest::keyClick(&Grid(), Qt::Key_1);
    QTest::keyClicks(&Editor(), QString::number(mhz - 100.0));
    ASSERT_TRUE(View().IsEditing());
    action();
    EXPECT_FALSE(View().IsEditing());
    EXPECT_NEAR(Ch(0).rxFreq, mhz, 1e-9);
  }
}

}  // namespace
