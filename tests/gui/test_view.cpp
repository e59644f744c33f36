// The channel grid view: cell texts, colours and pictures, the group line, F2, the columns; and
// the grid control under it: sizes that keep texts, cells out of range, the current cell.
#include <QFontMetrics>
#include <QLineEdit>
#include <QSignalSpy>

#include "gui_fixture.h"
#include "text/grid_texts.h"

namespace {

TEST_F(GuiTest, NewImageShowsGroupOneWithSixteenChannels) {
  CMSFlexGrid& g = Grid();
  EXPECT_EQ(g.Cols(), 22);
  EXPECT_EQ(g.FixedRows(), 2);
  EXPECT_EQ(g.Rows(), 18);
  EXPECT_EQ(View().GroupSelector()->currentText(), QStringLiteral("GROUP-1"));
  EXPECT_EQ(View().GroupSelector()->count(), 16);
  EXPECT_EQ(g.TextMatrix(kFirstRow, 0), QStringLiteral("  1"));
  EXPECT_EQ(g.TextMatrix(kFirstRow + 15, 0), QStringLiteral(" 16"));
  // Every cell's text is the core's (checked there); the grid shows it, pictures in their place.
  EXPECT_EQ(g.TextMatrix(kFirstRow + 15, 3), QStringLiteral(" CH-016 "));
  EXPECT_EQ(g.TextMatrix(kFirstRow, 11), QString());
  EXPECT_TRUE(g.CellHasPicture(kFirstRow, 11));
  EXPECT_FALSE(g.CellHasPicture(kFirstRow, 12));
  EXPECT_EQ(g.Row(), kFirstRow);
  EXPECT_EQ(g.Col(), 0);
  EXPECT_EQ(View().HeaderValue(1)->text(), QStringLiteral("VHF          "));
  EXPECT_EQ(View().HeaderValue(3)->text(), QStringLiteral("2.00"));
  EXPECT_EQ(View().GroupTagEdit()->text().trimmed(), QStringLiteral("GROUP 1"));
}

TEST_F(GuiTest, Ht610BlanksTheTagColumnAndTheGroupTag) {
  doc->Data().hardware.model = 0;
  View().RefreshAll();
  EXPECT_EQ(View().GroupTagEdit()->text(), QStringLiteral("        "));
  EXPECT_EQ(View().HeaderValue(2)->text(), QStringLiteral("HT-610 Series"));
}

TEST_F(GuiTest, DisabledChannelShowsDashesAndIsGreyed) {
  auto& e = doc->Data().channels.Entry(2);
  e.enabled = 0;
  e.tot = true;
  e.xtal = true;
  View().RefreshAll();
  const int row = kFirstRow + 2;
  EXPECT_EQ(Grid().TextMatrix(row, 12), QStringLiteral("-"));  // (which cells: the core's grid texts)
  EXPECT_FALSE(Grid().CellHasPicture(row, 12));
  EXPECT_NE(Grid().CellForeColorAt(row, 4), Grid().CellForeColorAt(kFirstRow, 4));
  // Enabling it again through RenderColumn(0) brings the pictures back.
  e.enabled = 1;
  View().RenderColumn(2, row, 0);
  EXPECT_TRUE(Grid().CellHasPicture(row, 12));
  EXPECT_TRUE(Grid().CellHasPicture(row, 21));
  EXPECT_EQ(Grid().CellForeColorAt(row, 4), Grid().CellForeColorAt(kFirstRow, 4));
}

TEST_F(GuiTest, RenderingNeverMovesTheCursor) {
  Grid().SetRow(kFirstRow + 5);
  Grid().SetCol(7);
  for (int i = 0; i < 16; ++i) View().RenderRow(i, kFirstRow + i);
  View().RenderColumn(3, kFirstRow + 3, 14);
  EXPECT_EQ(Grid().Row(), kFirstRow + 5);
  EXPECT_EQ(Grid().Col(), 7);
  EXPECT_EQ(Grid().currentRow(), 5);
}

// (A group of one channel: two header rows and one.)
TEST_F(GuiTest, F2SkipsEmptyGroupsAndWraps) {
  auto& t = doc->Data().channels;
  t.groupSize.fill(0);
  t.groupSize[0] = 1;
  t.groupSize[2] = 20;
  t.currentGroup = 2;
  View().RefreshAll();
  EXPECT_EQ(View().GroupSelector()->count(), 2);
  EXPECT_EQ(View().GroupSelector()->currentText(), QStringLiteral("GROUP-3"));
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 0), QStringLiteral("  2"));
  QTest::keyClick(&Grid(), Qt::Key_F2);
  EXPECT_EQ(t.currentGroup, 0);
  EXPECT_EQ(Grid().Rows(), 3);
  QTest::keyClick(&Grid(), Qt::Key_F2);
  EXPECT_EQ(t.currentGroup, 2);
  EXPECT_FALSE(ctx.modified);
}

TEST_F(GuiTest, ChoosingAGroupCommitsTheTagAndMarksModified) {
  View().GroupTagEdit()->setText(QStringLiteral("ALPHA"));
  View().SelectGroupItem(4);
  EXPECT_EQ(doc->Data().channels.groupTag[0], "ALPHA   ");
  EXPECT_EQ(doc->Data().channels.currentGroup, 4);
  EXPECT_EQ(Grid().TextMatrix(kFirstRow, 0), QStringLiteral(" 65"));
  EXPECT_TRUE(ctx.modified);
}

TEST_F(GuiTest, TypingTheGroupTagKeepsWhatTheRadioStoresPaddedToEight) {
  QLineEdit* edit = View().GroupTagEdit();
  edit->clear();
  QTest::keyClicks(edit, QStringLiteral("ab!c"));
  EXPECT_EQ(edit->text(), QStringLiteral("ABC"));
  EXPECT_EQ(prompt.beeps, 1);
  EXPECT_EQ(doc->Data().channels.groupTag[0], "ABC     ");
  EXPECT_TRUE(ctx.modified);
  // Pasted text is held to the same rule.
  edit->insert(QStringLiteral("x?"));
  edit->insert(QStringLiteral("d"));
  EXPECT_EQ(edit->text(), QStringLiteral("ABCD"));
}

TEST_F(GuiTest, OmnitrunkOnlyForOptionBoardTwo) {
  View().RefreshAll();
  EXPECT_EQ(View().SystemTypeList()->count(), 1);
  EXPECT_EQ(View().SystemTypeList()->itemText(0), QStringLiteral("Conventional"));
  doc->Data().image[kp53::off::kCommonOptions] = 0x32;  // low four bits 2
  doc->Data().channels.groupSystemType[0] = 1;
  View().RefreshAll();
  ASSERT_EQ(View().SystemTypeList()->count(), 2);
  EXPECT_EQ(View().SystemTypeList()->currentText(), QStringLiteral("Omnitrunk"));
}

TEST_F(GuiTest, EveryCellTextIsWholeAtTheDefaultWidths) {
  // Channels 1 to 4 show the longest signalling types and sub-audio forms.
  for (int i = 0; i < 4; ++i) {
    Ch(i).signalType = i;
    Ch(i).signalNo = 32;
    Ch(i).rxToneType = kp53::kToneDcs;
    Ch(i).rxDcs = 754;
    Ch(i).rxDcsBoth = true;
  }
  View().RefreshAll();
  Frame().RunCommand(32810);  // Signaling off and on again: the widths come back the same
  Frame().RunCommand(32810);
  const QFontMetrics fm(Grid().font());
  for (int c = 0; c < kp53::kGridColumns; ++c) {
    for (int r = kFirstRow; r < Grid().Rows(); ++r) {
      const QString text = Grid().TextMatrix(r, c).trimmed();
      EXPECT_LE(fm.horizontalAdvance(text) + 4, Grid().columnWidth(c)) << "column " << c << " " << text.toStdString();
    }
  }
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 1, 14), QStringLiteral("Signal"));
  EXPECT_EQ(Grid().TextMatrix(kFirstRow + 3, 14), QStringLiteral("Option"));
}

TEST_F(GuiTest, GridCursorKeepsTheCurrentChannel) {
  Frame().show();
  Grid().setFocus();
  QTest::keyClick(&Grid(), Qt::Key_Down);
  QTest::keyClick(&Grid(), Qt::Key_Down);
  EXPECT_EQ(doc->Data().channels.currentChannel, 2);
}

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
