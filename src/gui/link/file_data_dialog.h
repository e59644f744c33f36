// "File Data": the whole image buffer and the DefaultSplit trailer as a hexadecimal grid, on a
// copy of its own. OK copies the buffer back, reloads the long-lived areas and normalises.
#pragma once

#include <QDialog>

#include "image/radio_data.h"

class QTableWidget;
class QPushButton;

namespace kp53::gui {

class CFileDataDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CFileDataDlg(RadioData& data, QWidget* parent = nullptr);
  QTableWidget* grid() const { return grid_; }
  QPushButton* okButton() const { return ok_; }
  // The dialog's own copy (what OK copies back).
  RadioImage& copy() { return copy_; }

 public slots:
  void accept() override;

 private:
  RadioData& data_;
  RadioImage copy_;
  QTableWidget* grid_;
  QPushButton* ok_;
};

}  // namespace kp53::gui
