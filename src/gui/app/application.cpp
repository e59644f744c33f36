#include "app/application.h"

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <iostream>

#include "app/instance_folder.h"
#include "app/instance_socket.h"
#include "app/small_dialogs.h"
#include "app/termination.h"
#include "app/print_commands.h"
#include "print/print_module.h"
#include "settings/settings.h"

KP53App::KP53App() = default;

KP53App::~KP53App() {
  if (printLoader_.joinable()) printLoader_.join();
  // The frame writes the settings as it goes; the instance marker goes after it.
  frame_.reset();
  if (socket_) socket_->Close();
}

QString KP53App::InstanceName() {
  const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return QStringLiteral("%1-%2").arg(exe.isEmpty() ? QStringLiteral("kp53win") : exe).arg(::getuid());
}

bool KP53App::TakeSingleInstance() {
  const InstanceFolder folder = runtimeFolder_.isEmpty() && cacheFolder_.isEmpty()
                                    ? FindInstanceFolder()
                                    : FindInstanceFolder(runtimeFolder_.toStdString(), cacheFolder_.toStdString());
  if (!folder.notice.empty()) std::cerr << "kp53win: " << folder.notice << std::endl;
  if (folder.path.empty()) {
    // No safe place for the lock: the program runs, but says that it cannot tell whether it runs
    // twice.
    prompt_.Show("KP53Win cannot check whether it is already running: " + folder.notice +
                     ".\nA second window may be open on the same files.",
                 kp53::Icon::Exclamation, kp53::Buttons::Ok);
    return true;
  }
  const QString dir = QString::fromStdString(folder.path);
  socketPath_ = dir + QLatin1Char('/') + InstanceName() + QStringLiteral(".sock");
  lock_ = std::make_unique<QLockFile>(dir + QLatin1Char('/') + InstanceName() + QStringLiteral(".lock"));
  lock_->setStaleLockTime(0);  // a lock whose process is gone is taken over
  if (lock_->tryLock(0)) return true;
  // Another instance runs: ask it to come to the front, then end silently.
  InstanceSocket::Knock(socketPath_);
  return false;
}

void KP53App::ListenForOtherStarts() {
  if (socketPath_.isEmpty()) return;
  socket_ = new InstanceSocket(this);
  socket_->Listen(socketPath_);
  connect(socket_, &InstanceSocket::Knocked, this, &KP53App::RaiseFrame);
}

void KP53App::FetchDefaultPrinter() {
  printLoader_ = std::thread([this] {
    kp53::gui::PreloadPrintModule();
    QMetaObject::invokeMethod(
        this,
        [this] {
          kp53::print::PrintModule* module = kp53::gui::LoadPrintModule();
          if (!module || !frame_) return;
          ctx_.printerName = module->DefaultPrinterName().toStdString();
          frame_->View()->FillHeader();
        },
        Qt::QueuedConnection);
  });
}

void KP53App::RaiseFrame() {
  if (!frame_) return;
  if (frame_->isMinimized()) frame_->showNormal();
  frame_->show();
  frame_->raise();
  frame_->activateWindow();
  if (QWidget* popup = QApplication::activeModalWidget()) {
    popup->raise();
    popup->activateWindow();
  }
  emit Raised();
}

bool KP53App::Start(const QStringList& args) {
  if (!TakeSingleInstance() || Termination::Instance().Requested()) return false;

  // The settings file lies in the working directory.
  ctx_.workDir = QDir::currentPath().toStdString();
  ctx_.exeDir = QCoreApplication::applicationDirPath().toStdString();
  ctx_.LoadSettings(QDir::current().filePath(QString::fromLatin1(kp53::kIniFileName)).toStdString());
  if (!ctx_.iniProblem.empty()) qWarning("warning: %s", ctx_.iniProblem.c_str());
  ctx_.SaveStartupSettings();

  std::vector<std::string> argv;
  for (const QString& a : args) argv.push_back(a.toStdString());
  const kp53::StartupRequest request = kp53::ParseCommandLine(argv);


  // A termination signal closes the dialog that is open; the start-up then ends before the next
  // step, so that no data file is written.
  const auto terminated = [] { return Termination::Instance().Requested(); };
  if (request.maintenance) {
    PasswordDialog dlg;
    ctx_.maintenanceMode = dlg.exec() == QDialog::Accepted && kp53::IsMaintenancePassPhrase(dlg.Text().toStdString());
    if (terminated()) return false;
  }
  ctx_.productionMode = request.production;

  doc_ = std::make_unique<kp53::CRM90Doc>(ctx_, prompt_, chooser_);
  if (!request.file.empty()) {
    const std::string path = QFileInfo(QString::fromStdString(request.file)).absoluteFilePath().toStdString();
    // A missing file is reported; the window then opens with the built-in image, untitled.
    if (kp53::CheckDataFile(path, 0) == kp53::FileCheck::NotFound) prompt_.Error(32, path);
    doc_->OpenPath(path);
  } else {
    doc_->BuildImage();
  }
  if (terminated()) return false;

  frame_ = std::make_unique<CMainFrame>(*doc_, prompt_);
  prompt_.SetParent(frame_.get());
  chooser_.SetParent(frame_.get());
  frame_->show();
  ListenForOtherStarts();
  frame_->View()->Grid()->setFocus();
  FetchDefaultPrinter();
  return true;
}
