// Ending the program on SIGTERM, SIGINT and SIGHUP from any state. The signal handler only
// writes a byte to a socket; on the user-interface thread the request then stops a running
// transfer (which ends itself once its worker has stopped), closes every other dialog, closes each
// dialog that opens later as it appears, answers every question with its safe answer, and ends
// the event loop. The main window is then destroyed as on any other end, which writes the
// settings; no data file is written on the way out.
#pragma once

#include <QObject>

class Termination : public QObject {
  Q_OBJECT
 public:
  // The one instance, owned by the application object.
  static Termination& Instance();

  // Installs the handlers of SIGTERM, SIGINT and SIGHUP. Needs a QApplication; calling it again
  // changes nothing.
  void Install();
  bool Requested() const { return requested_; }
  // What a termination signal does, on the user-interface thread.
  void Request();
  // Forgets a request: tests run many start-ups in one process.
  void Clear();
  // Runs the main event loop; at once 0 when termination was requested before it.
  int Exec();

  // A dialog with this property set to true ends itself on a termination request (the transfer
  // gauge, which first waits for its worker) instead of being closed from outside.
  static constexpr const char* kEndsItself = "kp53EndsItselfOnTermination";

 signals:
  // Emitted once per request, before the dialogs are closed.
  void requested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit Termination(QObject* parent) : QObject(parent) {}
  bool requested_ = false;
  bool installed_ = false;
  bool mainLoop_ = false;
};
