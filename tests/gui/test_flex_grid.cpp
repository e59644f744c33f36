// The grid control wrapper: sizes that keep texts, fixed rows and columns, hidden columns, the
// current cell and its formatting.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "channels/flex_grid.h"

namespace {

TEST(FlexGrid, GrowingAndShrinkingKeepsTheRemainingTexts) {
  CMSFlexGrid g;
  g.SetCols(3);
  g.SetFixedRows(1);
  g.SetRows(4);
  g.SetTextMatrix(0, 1, QStringLiteral("head"));
  g.SetTextMatrix(2, 2, QStringLiteral("x"));
  g.SetTextMatrix(3, 0, QStringLiteral("gone"));
  g.SetRows(3);
  g.SetCols(4);
  EXPECT_EQ(g.Rows(), 3);
  EXPECT_EQ(g.Cols(), 4);
  EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("head"));
  EXPECT_EQ(g.TextMatrix(2, 2), QStringLiteral("x"));
  EXPECT_EQ(g.TextMatrix(3, 0), QString());  // outside the grid now
  g.SetRows(4);
  EXPECT_EQ(g.TextMatrix(3, 0), QString());
}

TEST(FlexGrid, OutOfRangeCellsAreIgnored) {
  CMSFlexGrid g;
  g.SetCols(2);
  g.SetRows(2);
  g.SetTextMatrix(-1, 0, QStringLiteral("a"));
  g.SetTextMatrix(5, 5, QStringLiteral("a"));
  g.SetCellForeColorAt(9, 9, Qt::red);
  g.SetCellPictureAt(9, 9, QPixmap(2, 2));
  EXPECT_EQ(g.TextMatrix(5, 5), QString());
  EXPECT_FALSE(g.CellHasPicture(9, 9));
}

TEST(FlexGrid, FixedColumnIsTheRowHeader) {
  CMSFlexGrid g;
  g.SetCols(3);
  g.SetFixedRows(1);
  g.SetFixedCols(1);
  g.SetRows(3);
  g.SetTextMatrix(1, 0, QStringLiteral("00010h"));
  g.SetTextMatrix(1, 1, QStringLiteral("ff"));
  EXPECT_EQ(g.TextMatrix(1, 0), QStringLiteral("00010h"));
  EXPECT_EQ(g.columnCount(), 2);
  EXPECT_EQ(g.item(0, 0)->text(), QStringLiteral("ff"));
  g.SetRow(1);
  g.SetCol(1);
  EXPECT_EQ(g.Text(), QStringLiteral("ff"));
}

TEST(FlexGrid, ZeroWidthHidesAColumnAndWidthComesBack) {
  CMSFlexGrid g;
  g.SetCols(3);
  g.SetRows(2);
  g.SetColWidth(1, 0);
  EXPECT_TRUE(g.isColumnHidden(1));
  EXPECT_EQ(g.ColWidth(1), 0);
  g.SetColWidth(1, 1080);
  EXPECT_FALSE(g.isColumnHidden(1));
  EXPECT_EQ(g.columnWidth(1), 72);
  EXPECT_EQ(g.ColWidth(1), 1080);
}

TEST(FlexGrid, ProgrammaticMovesRaiseNoRowColChangeButKeysDo) {
  CMSFlexGrid g;
  g.SetCols(2);
  g.SetFixedRows(1);
  g.SetRows(5);
  QSignalSpy spy(&g, &CMSFlexGrid::RowColChange);
  g.SetRow(3);
  g.SetCol(1);
  EXPECT_EQ(spy.count(), 0);
  EXPECT_EQ(g.currentRow(), 2);
  g.show();
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_Up);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(g.Row(), 2);
}

TEST(FlexGrid, KeyPressReportsTypedCharacters) {
  CMSFlexGrid g;
  g.SetCols(2);
  g.SetRows(3);
  QSignalSpy spy(&g, &CMSFlexGrid::KeyPress);
  QTest::keyClick(&g, Qt::Key_C);
  QTest::keyClick(&g, Qt::Key_Down);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 'c');
}

TEST(FlexGrid, MergeRowsAndPictures) {
  CMSFlexGrid g;
  g.SetCols(3);
  g.SetFixedRows(2);
  g.SetRows(3);
  g.SetMergeCells(3);
  g.SetMergeRow(0, true);
  EXPECT_TRUE(g.MergeRow(0));
  EXPECT_FALSE(g.MergeRow(1));
  EXPECT_FALSE(g.MergeRow(7));
  g.SetRow(2);
  g.SetCol(1);
  g.SetCellPicture(QPixmap(4, 4));
  EXPECT_TRUE(g.CellHasPicture(2, 1));
  g.SetCellPicture(QPixmap());
  EXPECT_FALSE(g.CellHasPicture(2, 1));
  g.SetCellForeColor(Qt::blue);
  EXPECT_EQ(g.CellForeColorAt(2, 1), QColor(Qt::blue));
}

}  // namespace
