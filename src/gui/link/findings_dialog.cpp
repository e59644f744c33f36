#include "link/findings_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kp53::gui {

namespace {
constexpr int kValueWidth = 160;  // long values are elided; the tooltip holds the whole text
}  // namespace

CFindingsDlg::CFindingsDlg(const std::vector<config::Finding>& findings, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this)) {
  setWindowTitle(QStringLiteral("Check Before Download"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      QStringLiteral("The image holds %1 the radio cannot use as it is:").arg(
          findings.size() == 1 ? QStringLiteral("a value") : QStringLiteral("%1 values").arg(findings.size())),
      this));
  list_->setColumnCount(3);
  list_->setHeaderLabels({QStringLiteral("Field"), QStringLiteral("Value"), QStringLiteral("Why")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setTextElideMode(Qt::ElideRight);
  for (const auto& f : findings) {
    auto* row = new QTreeWidgetItem(list_);
    const QStringList texts{QString::fromStdString(f.place), QString::fromStdString(f.value),
                            QString::fromStdString(f.message)};
    for (int c = 0; c < 3; ++c) {
      row->setText(c, texts[c]);
      row->setToolTip(c, texts[c]);
    }
  }
  list_->header()->setStretchLastSection(true);
  list_->resizeColumnToContents(0);
  list_->resizeColumnToContents(1);
  list_->setColumnWidth(1, std::min(list_->columnWidth(1), kValueWidth));
  layout->addWidget(list_, 1);

  auto* buttons = new QDialogButtonBox(this);
  anyway_ = buttons->addButton(QStringLiteral("Download Anyway"), QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
  anyway_->setAutoDefault(false);
  cancel_->setDefault(true);
  connect(anyway_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(640, 320);
  cancel_->setFocus();
}

void CFindingsDlg::keyPressEvent(QKeyEvent* e) {
  // Enter cancels, wherever the focus is: only a click or Space on "Download Anyway" writes.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    reject();
    return;
  }
  QDialog::keyPressEvent(e);
}

bool ConfirmDownload(const RadioData& data, QWidget* parent) {
  const auto findings = config::Verify(data.image, data.defaultSplit);
  if (findings.empty()) return true;
  CFindingsDlg dlg(findings, parent);
  return dlg.exec() == QDialog::Accepted;
}

}  // namespace kp53::gui
