// "Visible": which of the eighteen column items of the channel grid are shown.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "settings/settings.h"

class QCheckBox;
class QPushButton;

namespace kp53::gui {

class CVisibleDlg : public QDialog {
  Q_OBJECT

 public:
  using Flags = std::array<int, kColumnItems>;
  CVisibleDlg(const Flags& flags, QWidget* parent = nullptr);

  // The check boxes' states; the caller takes them over after OK.
  Flags flags() const;
  QCheckBox* box(int item) const { return boxes_[static_cast<std::size_t>(item)]; }
  QCheckBox* dialScanBox() const { return dialScan_; }
  QPushButton* okButton() const { return ok_; }
  std::function<void(int)> onHelp;  // F1: help context 98364

 public slots:
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  std::array<QCheckBox*, kColumnItems> boxes_{};
  QCheckBox* dialScan_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace kp53::gui
