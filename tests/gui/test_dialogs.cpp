// The filtered click-to-edit field and the File Data dialog, driven with keys as a user drives
// them. (The list dialog is driven from the grid's cells.)
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "link/file_data_dialog.h"
#include "params/filtered_edit.h"

namespace kp53::gui {
namespace {

TEST(FilteredEdit, TypingStartsEditingEnterEndsItEscapeRestores) {
  QWidget window;
  auto* field = new CFilteredEdit(&window, 1, 5);
  auto* other = new QLineEdit(&window);
  field->setTextQuietly(QStringLiteral("146.0MHz"));  // a shown value may exceed the typing limit
  EXPECT_EQ(field->text(), QStringLiteral("146.0MHz"));
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  field->setFocus();
  QSignalSpy finished(field, &CFilteredEdit::editFinished);

  EXPECT_TRUE(field->isReadOnly());
  QTest::keyClicks(field, QStringLiteral("x"));  // refused by mode 1
  EXPECT_FALSE(field->isEditing());
  // (The typing limit and the filter modes are the field parity test's.)
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
