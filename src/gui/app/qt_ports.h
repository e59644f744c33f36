// The core's ports as Qt dialogs: message boxes for UserPrompt, file dialogs for FileChooser.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ports.h"

class QtUserPrompt : public kp53::UserPrompt {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  kp53::Answer Show(std::string_view text, kp53::Icon icon, kp53::Buttons buttons) override;
  void Beep() override;

 private:
  QPointer<QWidget> parent_;
};

// The ".K53" open and save dialogs: default extension "K53", the overwrite question on save.
class QtFileChooser : public kp53::FileChooser {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  std::optional<std::string> ChooseOpen() override;
  std::optional<std::string> ChooseSave() override;

 private:
  QPointer<QWidget> parent_;
};
