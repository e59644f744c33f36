// The filtered click-to-edit field, the channel allocation dialog and the File Data dialog, driven
// with keys as a user drives them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "channels/allocation_dialog.h"
#include "channels/list_dialogs.h"
#include "link/file_data_dialog.h"
#include "params/filtered_edit.h"

namespace kp53::gui {
namespace {

TEST(FilteredEdit, TypingStartsEditingEnterEndsItEscapeRestores) {
  QWidget window;
  auto* field = new CFilteredEdit(&window, 1, 5);
  auto* other = new QLineEdit(&window);
  field->setTextQuietly(QStringLiteral("146.0"));
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  field->setFocus();
  QSignalSpy finished(field, &CFilteredEdit::editFinished);

  EXPECT_TRUE(field->isReadOnly());
  QTest::keyClicks(field, QStringLiteral("x"));  // refused by mode 1
  EXPECT_FALSE(field->isEditing());
  QTest::keyClicks(field, QStringLiteral("15"));
  EXPECT_TRUE(field->isEditing());
  EXPECT_EQ(field->text(), QStringLiteral("15"));
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_FALSE(field->isEditing());
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toString(), QStringLiteral("15"));
  EXPECT_TRUE(finished.at(0).at(1).toBool());

  QTest::keyClick(field, Qt::Key_Return);  // Enter starts editing with the whole text selected
  EXPECT_TRUE(field->isEditing());
  EXPECT_EQ(field->selectedText(), QStringLiteral("15"));
  QTest::keyClicks(field, QStringLiteral("99"));
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(field->text(), QStringLiteral("15"));
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(finished.count(), 1);

  QTest::keyClicks(field, QStringLiteral("7"));
  other->setFocus();  // leaving the field ends editing
  EXPECT_EQ(finished.count(), 2);
}

TEST(FilteredEdit, SerialNumberModeTakesALetterOnlyInSecondPlace) {
  CFilteredEdit field(nullptr, 9, 8);
  field.show();
  field.setFocus();
  QTest::keyClicks(&field, QStringLiteral("1c01x0Z01"));
  EXPECT_EQ(field.text(), QStringLiteral("1c01001"));
}

TEST(ListDialog, ShowsTheRequestAndReturnsThePosition) {
  ListRequest request{"Encryption(CH= 7)", {"  - : OFF", " 1 : Backup", " 2 : No Backup", " 3 : ON"}, 2, 0};
  CListDialog dlg(request);
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Encryption(CH= 7)"));
  EXPECT_EQ(dlg.selectedPosition(), 2);
  int help = 0;
  CListDialog withHelp(request, nullptr, 317);
  withHelp.onHelp = [&](int context) { help = context; };
  withHelp.show();
  QTest::keyClick(&withHelp, Qt::Key_F1);
  EXPECT_EQ(help, 317);
}

class AllocationDialogTest : public ::testing::Test {
 protected:
  AllocationDialogTest() {
    InitImage(data);
    NormalizeImage(data);
  }
  RadioData data;
  int modified = 0;
};

TEST_F(AllocationDialogTest, EnterCommitsAFieldWithoutClosingAndOkOnlyFromTheButton) {
  CAllocationDlg dlg(data, 0, true, [this] { ++modified; });
  dlg.show();
  CFilteredEdit* size3 = dlg.sizeField(2);
  size3->setFocus();
  QTest::keyClicks(size3, QStringLiteral("0"));
  QTest::keyClick(size3, Qt::Key_Return);
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(size3->text(), QStringLiteral("000"));
  EXPECT_EQ(data.channels.groupSize[2], 0);
  EXPECT_FALSE(dlg.typeList(2)->isEnabled());
  EXPECT_GT(modified, 0);

  CFilteredEdit* size2 = dlg.sizeField(1);
  size2->setFocus();
  QTest::keyClicks(size2, QStringLiteral("20"));
  QTest::keyClick(size2, Qt::Key_Return);
  EXPECT_EQ(data.channels.groupSize[1], 20);
  EXPECT_EQ(data.channels.channelsLeft, 12);

  dlg.okButton()->setFocus();
  QTest::keyClick(dlg.okButton(), Qt::Key_Return);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(data.channels.totalAllocated, 244);
}

TEST_F(AllocationDialogTest, EscapeRestoresTheFieldAndCancelRestoresTheTable) {
  auto before = data.channels.groupSize;
  CAllocationDlg dlg(data, 2, true, [] {});
  dlg.show();
  EXPECT_EQ(dlg.typeList(0)->count(), 2);  // "Omnitrunk" with option board 2
  CFilteredEdit* tag = dlg.tagField(4);
  tag->setFocus();
  QTest::keyClicks(tag, QStringLiteral("FIRE"));
  QTest::keyClick(tag, Qt::Key_Escape);
  EXPECT_EQ(tag->text(), QStringLiteral("GROUP 5 "));
  EXPECT_TRUE(dlg.isVisible());
  QTest::keyClicks(tag, QStringLiteral("FIRE"));
  QTest::keyClick(tag, Qt::Key_Return);
  EXPECT_EQ(data.channels.groupTag[4], "FIRE    ");
  CFilteredEdit* size = dlg.sizeField(0);
  size->setFocus();
  QTest::keyClicks(size, QStringLiteral("-5"));
  QTest::keyClick(size, Qt::Key_Return);
  EXPECT_EQ(data.channels.groupSize[0], 1);
  dlg.reject();
  EXPECT_EQ(data.channels.groupSize, before);
  EXPECT_EQ(data.channels.groupTag[4], "GROUP 5 ");
}

TEST(FileDataDialog, ShowsTheBufferAndTrailerAndNormalisesOnOk) {
  RadioData data;
  InitImage(data);
  NormalizeImage(data);
  data.defaultSplit = 5.0;
  data.image[89] = 0x55;  // owned by no area
  CFileDataDlg dlg(data);
  QTableWidget* grid = dlg.grid();
  EXPECT_EQ(grid->rowCount(), 489);
  EXPECT_EQ(grid->columnCount(), 16);
  EXPECT_EQ(grid->verticalHeaderItem(488)->text(), QStringLiteral("01e80h"));
  EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("02"));
  EXPECT_EQ(grid->item(482, 13)->text(), QString::asprintf("%02x", data.image[7725]));
  QStringList trailer;
  for (int c = 0; c < 8; ++c) trailer << grid->item(488, c)->text();
  EXPECT_EQ(trailer.join(' '), QStringLiteral("00 00 00 00 00 00 14 40"));
  EXPECT_EQ(grid->item(488, 8)->text(), QString());

  dlg.show();
  dlg.okButton()->setFocus();
  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(data.image[89], 0);
  EXPECT_EQ(GetU16(data.image, off::kChecksum), ImageChecksum(data.image));
}

}  // namespace
}  // namespace kp53::gui
