#include "link/file_data_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "image/file_data.h"

namespace kp53::gui {

CFileDataDlg::CFileDataDlg(RadioData& radio, QWidget* parent)
    : QDialog(parent), data_(radio), copy_(radio.image), grid_(new QTableWidget(this)) {
  setWindowTitle(QStringLiteral("File Data"));
  // Row 0 and column 0 of the dump are the grid's fixed header row and column.
  grid_->setRowCount(kFileDataRows - 1);
  grid_->setColumnCount(kFileDataColumns - 1);
  QStringList columns, rows;
  for (int c = 1; c < kFileDataColumns; ++c) columns << QString::fromStdString(FileDataCell(copy_, data_.defaultSplit, 0, c));
  for (int r = 1; r < kFileDataRows; ++r) rows << QString::fromStdString(FileDataCell(copy_, data_.defaultSplit, r, 0));
  grid_->setHorizontalHeaderLabels(columns);
  grid_->setVerticalHeaderLabels(rows);
  QFont mono(QStringLiteral("Courier New"));
  mono.setStyleHint(QFont::TypeWriter);
  grid_->setFont(mono);
  for (int r = 1; r < kFileDataRows; ++r)
    for (int c = 1; c < kFileDataColumns; ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(FileDataCell(copy_, data_.defaultSplit, r, c)));
      item->setTextAlignment(Qt::AlignCenter);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      grid_->setItem(r - 1, c - 1, item);
    }
  const int cell = grid_->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 6;
  for (int c = 0; c < kFileDataColumns - 1; ++c) grid_->setColumnWidth(c, cell);
  grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &CFileDataDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  resize(cell * 16 + grid_->verticalHeader()->sizeHint().width() + 60, 520);
}

void CFileDataDlg::accept() {
  if (focusWidget() != ok_) return;  // OK acts only from the OK button itself
  data_.image = copy_;
  ReloadAreas(data_);
  NormalizeImage(data_);
  QDialog::accept();
}

}  // namespace kp53::gui
