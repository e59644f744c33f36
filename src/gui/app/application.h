// Start-up of the program: one instance only, the settings file, the command line, the pass phrase,
// the first document and the main window.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <memory>
#include <thread>

#include "app/instance_socket.h"
#include "app/main_frame.h"
#include "app/qt_ports.h"
#include "document/document.h"

class KP53App : public QObject {
  Q_OBJECT
 public:
  KP53App();
  ~KP53App() override;

  // Runs the start-up steps; false ends the program (a second instance, or a file that cannot be
  // opened). `args` are the arguments after the program name.
  bool Start(const QStringList& args);

  CMainFrame* Frame() { return frame_.get(); }
  kp53::AppContext& Context() { return ctx_; }

  // The name of the lock and of the local socket: the executable's name and the user's id.
  static QString InstanceName();
  // The folders of the lock and the socket in place of the session's runtime folder and the user's
  // cache folder (the fallback when the first is not private). Tests give each run its own, so
  // that parallel runs do not meet.
  void SetInstanceFolders(const QString& runtime, const QString& cache) {
    runtimeFolder_ = runtime;
    cacheFolder_ = cache;
  }

 signals:
  // Another start asked this instance to come to the front.
  void Raised();

 private:
  bool TakeSingleInstance();
  void ListenForOtherStarts();
  void RaiseFrame();
  // The header names the system's default printer. Asking for it needs the print module and the
  // printing system's libraries: they are loaded beside the window once it is shown, and the
  // header is filled in when they are there.
  void FetchDefaultPrinter();

  kp53::AppContext ctx_;
  QtUserPrompt prompt_;
  QtFileChooser chooser_;
  std::unique_ptr<kp53::CRM90Doc> doc_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<QLockFile> lock_;
  QPointer<InstanceSocket> socket_;
  QString socketPath_;
  QString runtimeFolder_;
  QString cacheFolder_;
  std::thread printLoader_;
};
