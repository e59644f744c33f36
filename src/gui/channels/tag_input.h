// Tag fields (the group tag of the main window and of the allocation dialog) take what the radio's
// character set can store, as the channel TAG cell does: letters are upper-cased as they are typed,
// other characters the set lacks are refused with a beep, and pasted text is held to the same rule.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;

class TagInput : public QObject {
 public:
  // Applies the rule to `edit` for its lifetime. `beep` sounds for a refused key (the
  // application's beep when empty); `say` gets the status-bar line that names it.
  static void Attach(QLineEdit* edit, std::function<void()> beep = {}, std::function<void(const QString&)> say = {});

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TagInput(QLineEdit* edit, std::function<void()> beep, std::function<void(const QString&)> say);
  QLineEdit* edit_;
  std::function<void()> beep_;
  std::function<void(const QString&)> say_;
  bool resending_ = false;
};
