// kp53win: the desktop program for the HT-620A Series radios.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>

#include "app/application.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnTerminate(int) {
  const char b = 1;
  [[maybe_unused]] const auto n = ::write(signalPipe[0], &b, 1);
}

// A termination request (logout, kill, Ctrl+C) ends the event loop normally, so that the main
// window is destroyed and writes the settings like any other end of the run.
void QuitOnTerminationSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
    char b;
    [[maybe_unused]] const auto n = ::read(signalPipe[1], &b, 1);
    QApplication::quit();
  });
  struct sigaction sa {};
  sa.sa_handler = OnTerminate;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &sa, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("KP53Win"));
  QuitOnTerminationSignals();
  KP53App app;
  if (!app.Start(QApplication::arguments().mid(1))) return 0;
  return QApplication::exec();
}
