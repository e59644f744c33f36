// The visible columns (View > Item toggles and the Visible dialog, with the settings they write)
// and copy and paste of cells through the system clipboard. (Channels: with undo.)
#include <QAction>
#include <QClipboard>
#include <QMimeData>

#include "channels/visible_dialog.h"
#include "gui_fixture.h"
#include "settings/ini_file.h"

namespace {

class ColumnsClipboardTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    iniPath = (root / "work" / "KP53Win.ini").string();
    ctx.LoadSettings(iniPath);
  }
  // The column flags as the settings file holds them now.
  std::array<int, 18> FlagsInFile() {
    kp53::AppContext fresh;
    fresh.LoadSettings(iniPath);
    return fresh.settings.columns;
  }

  std::string iniPath;
};

TEST_F(ColumnsClipboardTest, CtcssCopiedFromDecIsPastedIntoAnotherChannelsEnc) {
  Ch(0).rxToneType = kp53::kToneCtcss;
  Ch(0).rxCtcss = 885;
  View().RefreshAll();
  FocusCell(kFirstRow, 6);
  Frame().RunCommand(cmd::kCopy);  // the Edit menu's Copy
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("C- 88.5"));
  FocusCell(kFirstRow + 3, 7);
  QTest::keyClick(&Grid(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(prompt.beeps, 0);
  EXPECT_EQ(Ch(3).txToneType, kp53::kToneCtcss);
  EXPECT_EQ(Ch(3).txCtcss, 885);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 3, 7), QStringLiteral("C- 88.5"));
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(ColumnsClipboardTest, ARangeIsCopiedWithTabsAndCarriageReturnsAndAsATable) {
  FocusCell(kFirstRow, 0);
  Grid().SetRowSel(kFirstRow + 1);
  Grid().SetColSel(1);
  QTest::keyClick(&Grid(), Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("  1\t-\r  2\t-"));
  EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->html(),
            QStringLiteral("<table><tr><td>  1</td><td>-</td></tr><tr><td>  2</td><td>-</td></tr></table>"));
}

TEST_F(ColumnsClipboardTest, CopyAndPasteOutsideTheGridDoNothing) {
  FocusCell(kFirstRow, 13);
  QGuiApplication::clipboard()->setText(QStringLiteral("12"));
  View().GroupTagEdit()->setFocus();
  Frame().RunCommand(cmd::kCopy);
  Frame().RunCommand(cmd::kPaste);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12"));
  EXPECT_EQ(Ch(0).squelch, 4);
  EXPECT_EQ(prompt.beeps, 0);
}

TEST_F(ColumnsClipboardTest, EditorCopiesAndPastesItsOwnText) {
  FocusCell(kFirstRow, 3);
  QTest::keyClick(&Grid(), Qt::Key_Return);
  ASSERT_TRUE(View().IsEditing());
  Frame().RunCommand(cmd::kCopy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(" CH-001 "));
  QGuiApplication::clipboard()->setText(QStringLiteral("A!B"));
  View().CellEditor()->selectAll();
  Frame().RunCommand(cmd::kPaste);
  EXPECT_EQ(View().CellEditor()->text(), QStringLiteral("AB"));  // "!" is not a tag character
  QTest::keyClick(View().CellEditor(), Qt::Key_Return);
  EXPECT_EQ(Ch(0).tag, "AB      ");
}

TEST_F(ColumnsClipboardTest, HidingFrequencyZeroesBothColumnsAndKeepsTheData) {
  Frame().UpdateCommandStates();
  QAction* freq = Frame().Action(cmd::kFirstColumnToggle + 3);
  ASSERT_NE(freq, nullptr);
  EXPECT_TRUE(freq->isChecked());
  Frame().RunCommand(cmd::kFirstColumnToggle + 3);
  EXPECT_FALSE(freq->isChecked());
  EXPECT_EQ(Grid().ColWidth(4), 0);
  EXPECT_EQ(Grid().ColWidth(5), 0);
  EXPECT_TRUE(Grid().isColumnHidden(4));
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 4), QStringLiteral("150.00000"));
  EXPECT_DOUBLE_EQ(Ch(0).rxFreq, 150.0);
  EXPECT_EQ(FlagsInFile()[3], 1);  // nothing written yet
  Frame().RunCommand(cmd::kFirstColumnToggle + 3);
  EXPECT_EQ(Grid().ColWidth(4), 1080);
  EXPECT_EQ(Grid().ColWidth(5), 1080);
  EXPECT_TRUE(ctx.settings.ColumnShown(3));
}

TEST_F(ColumnsClipboardTest, VisibleDialogEnterTogglesOkWritesTheFlagsCancelChangesNothing) {
  OnModal<kp53::gui::CVisibleDlg>([](kp53::gui::CVisibleDlg& dlg) {
    dlg.box(5)->setChecked(false);
    dlg.reject();
  });
  Frame().RunCommand(cmd::kVisible);
  EXPECT_TRUE(ctx.settings.ColumnShown(5));
  EXPECT_EQ(Grid().ColWidth(8), 480);
  Frame().show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  bool ran = false;
  OnModal<kp53::gui::CVisibleDlg>([&ran](kp53::gui::CVisibleDlg& dlg) {
    EXPECT_FALSE(dlg.box(11)->isVisible());
    EXPECT_FALSE(dlg.dialScanBox()->isVisible());
    QCheckBox* freq = dlg.box(3);
    freq->setFocus();
    EXPECT_TRUE(freq->isChecked());
    QTest::keyClick(freq, Qt::Key_Return);
    EXPECT_FALSE(freq->isChecked());
    EXPECT_TRUE(dlg.isVisible());
    QTest::keyClick(dlg.box(13), Qt::Key_Enter);
    dlg.okButton()->setFocus();
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    ran = true;
  });
  Frame().RunCommand(cmd::kVisible);
  ASSERT_TRUE(ran);
  EXPECT_EQ(Grid().ColWidth(4), 0);
  EXPECT_EQ(Grid().ColWidth(17), 0);
  EXPECT_FALSE(ctx.settings.ColumnShown(3));
  const auto flags = FlagsInFile();
  EXPECT_EQ(std::tuple(flags[3], flags[13], flags[4]), std::tuple(0, 0, 1));
}

}  // namespace
