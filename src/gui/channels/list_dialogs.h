// The value-list dialog (squelch level, signalling system numbers, encryption) and the tone pick
// list (CTCSS tones or DCS codes in a multi-column list) of the channel grid.
#pragma once

#include <QDialog>
#include <functional>

#include "image/channel_editing.h"

class QListWidget;

namespace kp53::gui {

class CListDialog : public QDialog {
  Q_OBJECT

 public:
  // `helpContext` is opened by F1 in the list (0: none).
  CListDialog(const ListRequest& request, QWidget* parent = nullptr, int helpContext = 0);
  int selectedPosition() const;
  QListWidget* list() const { return list_; }
  // Called with the help context on F1.
  std::function<void(int)> onHelp;

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QListWidget* list_;
  int helpContext_;
};

}  // namespace kp53::gui
