// "Channel Allocation/Group Tag": how many channels each of the 16 groups holds, each group's tag
// and system type.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "image/radio_data.h"

class QComboBox;
class QPushButton;

namespace kp53::gui {

class CFilteredEdit;

class CAllocationDlg : public QDialog {
  Q_OBJECT

 public:
  // The image must hold the current models (the frame stores them before opening any dialog), so
  // that Cancel can decode them again. `markModified` is called on every change.
  CAllocationDlg(RadioData& data, int optionBoard, bool ht620, std::function<void()> markModified,
                 QWidget* parent = nullptr);

  std::function<void(int)> onHelp;  // F1: help context 335
  CFilteredEdit* sizeField(int g) const { return size_[static_cast<std::size_t>(g)]; }
  CFilteredEdit* tagField(int g) const { return tag_[static_cast<std::size_t>(g)]; }
  QComboBox* typeList(int g) const { return type_[static_cast<std::size_t>(g)]; }
  QPushButton* okButton() const { return ok_; }

 public slots:
  void accept() override;
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void commitSize(int g, const QString& text, bool modified);
  void commitTag(int g, const QString& text, bool modified);
  void fillTypeList(int g);

  RadioData& data_;
  int optionBoard_;
  bool ht620_;
  std::function<void()> markModified_;
  int groupAtOpen_;
  std::array<CFilteredEdit*, kGroupCount> size_{};
  std::array<CFilteredEdit*, kGroupCount> tag_{};
  std::array<QComboBox*, kGroupCount> type_{};
  QPushButton* ok_ = nullptr;
};

}  // namespace kp53::gui
