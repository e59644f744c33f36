#include "app/termination.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace {

int signalSocket[2] = {-1, -1};

void OnTerminationSignal(int) {
  const int saved = errno;
  const char b = 1;
  [[maybe_unused]] const auto n = ::write(signalSocket[0], &b, 1);
  errno = saved;
}

bool EndsItself(const QObject* o) { return o->property(Termination::kEndsItself).toBool(); }

void Reject(QDialog* d) {
  if (d->isVisible()) d->done(QDialog::Rejected);
}

}  // namespace

Termination& Termination::Instance() {
  static QPointer<Termination> instance;
  if (!instance) instance = new Termination(qApp);
  return *instance;
}

void Termination::Install() {
  if (installed_) return;
  if (signalSocket[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSocket) != 0)
    return;
  installed_ = true;
  auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    char buf[16];
    while (::read(signalSocket[1], buf, sizeof buf) > 0) {
    }
    Request();
  });
  struct sigaction sa {};
  sa.sa_handler = OnTerminationSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &sa, nullptr);
}

void Termination::Request() {
  if (!requested_) {
    requested_ = true;
    qApp->installEventFilter(this);
    emit requested();
  }
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* d = qobject_cast<QDialog*>(w); d && !EndsItself(d)) Reject(d);
  }
  // Ends every event loop, the main one included, once control returns to them; dialogs opened
  // from now on return at once. Before the main loop runs (a dialog of the start-up) the start-up
  // itself stops after the closed dialog.
  if (mainLoop_) QCoreApplication::exit(0);
}

int Termination::Exec() {
  if (requested_) return 0;
  mainLoop_ = true;
  const int result = QApplication::exec();
  mainLoop_ = false;
  return result;
}

void Termination::Clear() {
  requested_ = false;
  qApp->removeEventFilter(this);
}

bool Termination::eventFilter(QObject* watched, QEvent* event) {
  if (requested_ && event->type() == QEvent::Show) {
    if (auto* d = qobject_cast<QDialog*>(watched); d && d->isWindow() && !EndsItself(d)) {
      // Queued: the dialog's own event loop must be running for it to end.
      QMetaObject::invokeMethod(d, [p = QPointer<QDialog>(d)] { if (p) Reject(p); }, Qt::QueuedConnection);
    }
  }
  return QObject::eventFilter(watched, event);
}
