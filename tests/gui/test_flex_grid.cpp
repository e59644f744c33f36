// The grid control wrapper: sizes that keep texts, fixed rows and columns, and the current cell.
// (Hidden columns, pictures and colours are checked through the channel view.)
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

}  // namespace
