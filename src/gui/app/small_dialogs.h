// The About box and the maintenance-mode Password dialog.
#pragma once

#include <QDialog>

class QLineEdit;

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

class PasswordDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PasswordDialog(QWidget* parent = nullptr);
  QString Text() const;
  QLineEdit* Edit() { return edit_; }

 private:
  QLineEdit* edit_;
};
