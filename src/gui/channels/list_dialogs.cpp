#include "channels/list_dialogs.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

namespace kp53::gui {

CListDialog::CListDialog(const ListRequest& request, QWidget* parent, int helpContext)
    : QDialog(parent), list_(new QListWidget(this)), helpContext_(helpContext) {
  setWindowTitle(QString::fromStdString(request.title));
  for (const auto& item : request.items) list_->addItem(QString::fromStdString(item));
  QFont mono(QStringLiteral("Courier New"));
  mono.setStyleHint(QFont::TypeWriter);
  list_->setFont(mono);
  if (request.columnWidth > 0) {
    // A multi-column list: items run down the columns and wrap into the next one.
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setUniformItemSizes(true);
    list_->setGridSize(QSize(request.columnWidth, list_->fontMetrics().height() + 4));
    list_->setMinimumSize(request.columnWidth * 5 + 8, (list_->fontMetrics().height() + 4) * 12);
  } else {
    list_->setMinimumSize(220, 230);
  }
  if (request.selected >= 0 && request.selected < list_->count()) list_->setCurrentRow(request.selected);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  list_->setFocus();
}

int CListDialog::selectedPosition() const {
  const int row = list_->currentRow();
  return row < 0 ? 0 : row;
}

void CListDialog::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1) {
    if (helpContext_ && onHelp) onHelp(helpContext_);
    return;
  }
  QDialog::keyPressEvent(e);
}

}  // namespace kp53::gui
