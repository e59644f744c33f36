// File > Compare with File...: the differences by area, sortable.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTreeWidget>

#include <cstdlib>

#include "compare/compare_dialog.h"
#include "image/radio_data.h"

namespace kp53::gui {
namespace {

TEST(CompareDialog, ShowsTheDifferencesByAreaInTheTextsOrderAndSortsByValue) {
  RadioData a, b;
  InitImage(a);
  NormalizeImage(a);
  b = a;
  for (int i : {1, 9}) b.channels.Entry(i).tag = "NEW     ";
  b.hardware.model = 0;
  NormalizeImage(b);
  config::ConfigModel ma, mb;
  ma.Load(a.image, a.defaultSplit);
  mb.Load(b.image, b.defaultSplit);

  CompareDialog dlg(config::Diff(ma, mb), QStringLiteral("open.k53"), QStringLiteral("other.k53"));
  dlg.show();
  QTreeWidget* tree = dlg.Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("hardware"));
  QTreeWidgetItem* channels = tree->topLevelItem(1);
  ASSERT_EQ(channels->childCount(), 2);
  EXPECT_EQ(channels->child(0)->text(0), QStringLiteral("2.tag"));
  EXPECT_EQ(channels->child(1)->text(0), QStringLiteral("10.tag"));  // 2 before 10
  EXPECT_EQ(channels->child(1)->text(1), QStringLiteral(" CH-010"));
  EXPECT_EQ(channels->child(1)->text(2), QStringLiteral("NEW"));
  EXPECT_EQ(tree->headerItem()->text(2), QStringLiteral("other.k53"));

  tree->sortByColumn(1, Qt::DescendingOrder);
  EXPECT_EQ(channels->child(0)->text(1), QStringLiteral(" CH-010"));
  if (const char* shot = std::getenv("KP53_SCREENSHOT_DIR"))
    dlg.grab().save(QString::fromUtf8(shot) + QStringLiteral("/compare_dialog.png"));
}

TEST(CompareDialog, TwoFilesOfOneNameGetTwoHeadingsAndLongValuesKeepBothColumnsInView) {
  const std::string longA(300, 'A'), longB(300, 'B');
  const std::vector<config::Difference> diffs{{"alignment", "", "data", longA, longB, true, true}};
  CompareDialog dlg(diffs, QStringLiteral("site.k53"), QStringLiteral("site.k53"));
  dlg.show();
  QTreeWidget* tree = dlg.Tree();
  EXPECT_NE(tree->headerItem()->text(1), tree->headerItem()->text(2));
  QTreeWidgetItem* row = tree->topLevelItem(0)->child(0);
  EXPECT_EQ(row->toolTip(1).toStdString(), longA);
  EXPECT_EQ(row->toolTip(2).toStdString(), longB);
  // The second value column starts inside the dialog.
  EXPECT_LT(tree->header()->sectionViewportPosition(2), tree->viewport()->width());
  if (const char* shot = std::getenv("KP53_SCREENSHOT_DIR"))
    dlg.grab().save(QString::fromUtf8(shot) + QStringLiteral("/compare_dialog_long.png"));
}

}  // namespace
}  // namespace kp53::gui
