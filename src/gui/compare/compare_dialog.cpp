#include "compare/compare_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace {

// Rows keep the text's order under the first column (channel 2 before channel 10); the value
// columns sort by their text.
class OrderedItem : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    if (column == 0) return data(0, Qt::UserRole).toInt() < other.data(0, Qt::UserRole).toInt();
    return text(column) < other.text(column);
  }
};

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int kValueColumnWidth = 240;
constexpr int kDialogWidth = 640;

}  // namespace

CompareDialog::CompareDialog(const std::vector<kp53::config::Difference>& diffs, const QString& openName,
                             const QString& otherName, QWidget* parent, const QString& title)
    : QDialog(parent), tree_(new QTreeWidget(this)) {
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  auto* summary = new QLabel(diffs.empty() ? QStringLiteral("The configurations are the same.")
                                           : QStringLiteral("%1 fields differ.").arg(diffs.size()),
                             this);
  layout->addWidget(summary);

  tree_->setColumnCount(3);
  // Two files of one name (a copy in another folder) still get two headings.
  const bool sameName = openName == otherName;
  tree_->setHeaderLabels({QStringLiteral("Field"), sameName ? openName + QStringLiteral(" (open)") : openName,
                          sameName ? otherName + QStringLiteral(" (other)") : otherName});
  tree_->setRootIsDecorated(true);
  tree_->setUniformRowHeights(true);
  std::map<std::string, OrderedItem*> areas;
  int order = 0;
  for (const auto& d : diffs) {
    OrderedItem*& area = areas[d.area];
    if (!area) {
      area = new OrderedItem(tree_);
      area->setText(0, Q(d.area));
      area->setData(0, Qt::UserRole, order++);
      area->setFirstColumnSpanned(false);
    }
    auto* row = new OrderedItem(area);
    row->setText(0, Q(d.item.empty() ? d.field : d.item + "." + d.field));
    row->setData(0, Qt::UserRole, order++);
    row->setText(1, Q(d.a));
    row->setText(2, Q(d.b));
    row->setToolTip(1, Q(d.a));
    row->setToolTip(2, Q(d.b));
  }
  for (auto& [name, item] : areas) item->setText(1, QStringLiteral("%1 fields").arg(item->childCount()));
  tree_->setSortingEnabled(true);
  tree_->sortByColumn(0, Qt::AscendingOrder);
  tree_->expandAll();
  tree_->setTextElideMode(Qt::ElideRight);
  tree_->resizeColumnToContents(0);
  // Both value columns fit beside the field names in the dialog's width.
  const int share = std::max(80, (kDialogWidth - 40 - tree_->columnWidth(0)) / 2);
  for (int c = 1; c <= 2; ++c) {
    tree_->resizeColumnToContents(c);
    tree_->setColumnWidth(c, std::min({tree_->columnWidth(c), kValueColumnWidth, share}));
  }
  layout->addWidget(tree_, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(kDialogWidth, 480);
}

void RunCompareWithFile(const kp53::RadioData& data, const QString& openName, kp53::UserPrompt& prompt,
                        QWidget* parent) {
  const QString path = QFileDialog::getOpenFileName(
      parent, QStringLiteral("Compare with File"), QString(),
      QStringLiteral("Data Files (*.k53 *.K53);;Configuration Text (*.yaml *.yml);;All Files (*)"));
  if (path.isEmpty()) return;
  CompareWithPath(data, openName, path, prompt, parent);
}

void CompareWithPath(const kp53::RadioData& data, const QString& openName, const QString& path,
                     kp53::UserPrompt& prompt, QWidget* parent) {
  // The open image as a save would write it: the grid's edits are in the channel table.
  kp53::RadioData current = data;
  kp53::NormalizeImage(current);
  kp53::config::ConfigModel a, b;
  a.Load(current.image, current.defaultSplit);
  if (const auto problem = kp53::config::LoadForCompare(path.toStdString(), b)) {
    prompt.Show(*problem, kp53::Icon::Stop, kp53::Buttons::Ok);
    return;
  }
  CompareDialog dlg(kp53::config::Diff(a, b), openName, QFileInfo(path).fileName(), parent);
  dlg.exec();
}
