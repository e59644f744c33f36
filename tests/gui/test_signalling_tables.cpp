// The 2-tone and 5-tone table dialogs driven with keys as a user drives them: typed and picked
// tones, pick lists in the grids, typed codes, copy and paste of a systems row, Cancel.
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "channels/flex_grid.h"
#include "gui_fixture.h"
#include "image/image_rules.h"
#include "params/filtered_edit.h"
#include "signalling/five_tone_decode_dialog.h"
#include "signalling/five_tone_systems_dialog.h"
#include "signalling/pick_list_dialog.h"
#include "signalling/two_tone_systems_dialog.h"
#include "signalling/two_tone_table_dialog.h"

namespace kp53::gui {
namespace {

constexpr int kHeaderRows = 2;

class SignallingTablesTest : public GuiTest {
 protected:
  ParamEnv Env() {
    return ParamEnv{*doc, prompt, [this](int context) { helpOpened = context; }};
  }
  // Answers the next modal list dialog with the item at `position`, after checking its title.
  void AnswerList(int position, QString expectedTitle = {}, bool ok = true) {
    QTimer::singleShot(0, [=, this] {
      auto* dlg = qobject_cast<CListDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dlg, nullptr);
      if (!expectedTitle.isEmpty()) {
        EXPECT_EQ(dlg->windowTitle(), expectedTitle);
      }
      listTitle = dlg->windowTitle();
      dlg->list()->setCurrentRow(position);
      if (ok) dlg->accept();
      else dlg->reject();
    });
  }
  // Puts the grid cursor on data row `row`, column `col`, as the user's arrow keys do.
  static void GoTo(CTableDialog& dlg, int row, int col) {
    dlg.Grid()->SetRow(row + kHeaderRows);
    dlg.Grid()->SetCol(col);
    emit dlg.Grid()->RowColChange();
  }
  std::vector<std::uint8_t> Bytes(std::size_t at, std::size_t n) {
    const auto& img = doc->Data().image;
    return {img.begin() + static_cast<std::ptrdiff_t>(at), img.begin() + static_cast<std::ptrdiff_t>(at + n)};
  }

  int helpOpened = 0;
  QString listTitle;
};

TEST_F(SignallingTablesTest, ToneTableTakesTypedAndPickedTones) {
  ChangeSignalingType(doc->Data(), 0);
  CTwoToneTableDlg dlg(Env());
  CFilteredEdit* first = dlg.Edit(CTwoToneTableDlg::ToneId(1, false));
  CFilteredEdit* second = dlg.Edit(CTwoToneTableDlg::ToneId(1, true));
  ASSERT_TRUE(first && second);
  QTest::keyClicks(first, QStringLiteral("5000"));
  QTest::keyClick(first, Qt::Key_Return);
  EXPECT_EQ(first->text(), QStringLiteral("3000.0 Hz"));
  EXPECT_TRUE(doc->IsModified());

  // Enter on a field that is not being edited opens the picker, titled for its pair and tone.
  const auto& lines = text::TonePickerLines();
  const int dia = static_cast<int>(std::find(lines.begin(), lines.end(), "DIA 742.5") - lines.begin());
  AnswerList(dia, QStringLiteral("Pair#1 2nd Tone   Custom  "));
  QTest::keyClick(second, Qt::Key_Return);
  EXPECT_EQ(second->text(), QStringLiteral(" 742.5 Hz"));

  dlg.OkButton()->click();
  EXPECT_EQ(Bytes(7574, 4), (std::vector<std::uint8_t>{0x75, 0x30, 0x1D, 0x01}));
  EXPECT_EQ(CTonePickDlg(3, false, 7425).chosenLine(), "DIA 742.5");  // the current tone's line is chosen
}

TEST_F(SignallingTablesTest, TwoToneSystemsPickToggleAndCancel) {
  ChangeSignalingType(doc->Data(), 0);
  const auto before = Bytes(7614, 16);
  {
    CTwoToneSystemsDlg dlg(Env());
    CMSFlexGrid* grid = dlg.Grid();
    GoTo(dlg, 2, 1);
    EXPECT_EQ(dlg.PromptPane()->text(), QStringLiteral("Select 1st Pair (off,1-10)"));
    AnswerList(10, QStringLiteral("Primary Pair Position(No= 3)"));
    QTest::keyClick(grid, Qt::Key_Space);
    GoTo(dlg, 2, 2);
    QTest::keyClick(grid, Qt::Key_Space);
    QTest::keyClick(grid, Qt::Key_F1);
    EXPECT_EQ(helpOpened, CTwoToneSystemsDlg::kGridId + 2);
    doc->SetModified(false);
    GoTo(dlg, 5, 3);
    QTest::keyClick(grid, Qt::Key_Space);
    dlg.CancelButton()->click();
  }
  EXPECT_EQ(Bytes(7614, 16), before);
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(SignallingTablesTest, DecodeGridStartsNoEditOnARefusedKeyAndTitlesTheTranspondList) {
  ChangeSignalingType(doc->Data(), 1);  // 5-tone (a new image may have it already)
  CFiveToneDecodeDlg dlg(Env());
  CMSFlexGrid* grid = dlg.Grid();
  GoTo(dlg, 1, 1);
  QTest::keyClick(grid, Qt::Key_X);  // not a code character: no edit
  EXPECT_FALSE(dlg.Editing());
  GoTo(dlg, 4, 3);
  AnswerList(1, QStringLiteral("Transpond ENC Code No(No= 5)"), false);
  QTest::keyClick(grid, Qt::Key_Space);
}

TEST_F(SignallingTablesTest, TableDialogsAreLeftByTheKeyboardAndOkStoresTheEdit) {
  ChangeSignalingType(doc->Data(), 1);
  {
    CFiveToneDecodeDlg dlg(Env());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    EXPECT_EQ(QApplication::focusWidget(), dlg.Grid());
    GoTo(dlg, 1, 1);
    QTest::keyClick(dlg.Grid(), Qt::Key_7);
    QTest::keyClick(dlg.Editor(), Qt::Key_Return);
    // Tab on the last cell leaves the table (as Ctrl+Tab does: the keyboard walk), instead of
    // wrapping round.
    GoTo(dlg, dlg.Grid()->Rows() - 1 - kHeaderRows, dlg.Grid()->Cols() - 1);
    QTest::keyClick(dlg.Grid(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dlg.OkButton());
    QTest::keyClick(dlg.OkButton(), Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
  }
  CFiveToneDecodeDlg again(Env());
  EXPECT_EQ(again.Grid()->TextMatrix(1 + kHeaderRows, 1), QStringLiteral("7       "));
}

TEST_F(SignallingTablesTest, SystemsRowCopiedAndPasted) {
  ChangeSignalingType(doc->Data(), 1);  // 5-tone (a new image may have it already)
  CFiveToneSystemsDlg dlg(Env());
  CMSFlexGrid* grid = dlg.Grid();
  GoTo(dlg, 0, 2);
  QTest::keyClick(grid, Qt::Key_Space);  // monitor switch "-----"
  GoTo(dlg, 0, 16);
  QTest::keyClick(grid, Qt::Key_Space);  // decode 3 off
  GoTo(dlg, 0, 0);
  grid->SetColSel(21);
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith(QStringLiteral(" 1\tZVEI1 \t-----\t")));

  GoTo(dlg, 6, 0);
  QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
  for (int col = 1; col < 22; ++col)
    EXPECT_EQ(grid->TextMatrix(6 + kHeaderRows, col), grid->TextMatrix(kHeaderRows, col)) << col;
  EXPECT_EQ(grid->TextMatrix(6 + kHeaderRows, 0), QStringLiteral(" 7"));
  dlg.OkButton()->click();
  EXPECT_EQ(Bytes(6766 + 6 * 6, 6), Bytes(6766, 6));
  EXPECT_NE(Bytes(6766 + 6 * 6, 6), Bytes(6766 + 6, 6));
}

}  // namespace
}  // namespace kp53::gui
