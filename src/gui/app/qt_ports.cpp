#include "app/qt_ports.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <iostream>

#include "app/termination.h"
#include "text/messages.h"

namespace {

// The answer that changes nothing: what a question gets while the program is ending.
kp53::Answer SafeAnswer(kp53::Buttons buttons) {
  switch (buttons) {
    case kp53::Buttons::Ok: return kp53::Answer::Ok;
    case kp53::Buttons::YesNo: return kp53::Answer::No;
    default: return kp53::Answer::Cancel;
  }
}

const QString kFilter = QStringLiteral("KP53 Files(*.K53 *.k53)");

QString Title() { return QString::fromStdString(std::string(kp53::MessageText(57344))); }
}  // namespace

kp53::Answer QtUserPrompt::Show(std::string_view text, kp53::Icon icon, kp53::Buttons buttons) {
  if (Termination::Instance().Requested()) {
    // Nobody is left to read a box: the message goes to standard error.
    std::cerr << "kp53win: " << text << std::endl;
    return SafeAnswer(buttons);
  }
  QMessageBox box(parent_);
  box.setWindowTitle(Title());
  QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box.setText(t);
  switch (icon) {
    case kp53::Icon::Stop: box.setIcon(QMessageBox::Critical); break;
    case kp53::Icon::Question: box.setIcon(QMessageBox::Question); break;
    case kp53::Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case kp53::Icon::Information: box.setIcon(QMessageBox::Information); break;
    case kp53::Icon::None: break;
  }
  switch (buttons) {
    case kp53::Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case kp53::Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case kp53::Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case kp53::Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  const int chosen = box.exec();
  if (Termination::Instance().Requested()) return SafeAnswer(buttons);
  switch (chosen) {
    case QMessageBox::Yes: return kp53::Answer::Yes;
    case QMessageBox::No: return kp53::Answer::No;
    case QMessageBox::Ok: return kp53::Answer::Ok;
    default: return kp53::Answer::Cancel;
  }
}

void QtUserPrompt::Beep() { QApplication::beep(); }

std::optional<std::string> QtFileChooser::ChooseOpen() {
  QFileDialog dlg(parent_, QString(), QString(), kFilter);
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  dlg.setFileMode(QFileDialog::ExistingFile);
  dlg.setDefaultSuffix(QStringLiteral("K53"));
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  return dlg.selectedFiles().first().toStdString();
}

std::optional<std::string> QtFileChooser::ChooseSave() {
  QFileDialog dlg(parent_, QString(), QString(), kFilter);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setFileMode(QFileDialog::AnyFile);
  dlg.setDefaultSuffix(QStringLiteral("K53"));
  dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  return dlg.selectedFiles().first().toStdString();
}
