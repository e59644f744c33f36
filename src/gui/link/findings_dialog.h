// The check before a Download: the values of the image that the radio cannot use, one row each
// (field, value, why), with "Download Anyway" and "Cancel". Cancel is the default and Enter never
// writes.
#pragma once

#include <QDialog>

#include <vector>

#include "config/config_verify.h"
#include "image/radio_data.h"

class QPushButton;
class QTreeWidget;

namespace kp53::gui {

class CFindingsDlg : public QDialog {
  Q_OBJECT

 public:
  CFindingsDlg(const std::vector<config::Finding>& findings, QWidget* parent = nullptr);
  QTreeWidget* List() const { return list_; }
  QPushButton* DownloadAnyway() const { return anyway_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QTreeWidget* list_;
  QPushButton* anyway_;
  QPushButton* cancel_;
};

// Checks the (normalised) image before it is written. True when the check finds nothing, or the
// user chose "Download Anyway".
bool ConfirmDownload(const RadioData& data, QWidget* parent);

}  // namespace kp53::gui
