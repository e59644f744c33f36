// The hand-over between starts of the program: a Unix stream socket beside the instance lock. The
// running instance listens on it; a later start connects, says "raise" and ends. Plain POSIX
// sockets under a QSocketNotifier, so that the window needs no network library.
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

class InstanceSocket : public QObject {
  Q_OBJECT
 public:
  explicit InstanceSocket(QObject* parent = nullptr) : QObject(parent) {}
  ~InstanceSocket() override;

  // Listens at `path` (only this user may connect), replacing a socket file left by a crash.
  // False when the socket cannot be made; the program then runs without hand-over.
  bool Listen(const QString& path);
  // Stops listening and removes the socket file.
  void Close();
  // Asks the instance listening at `path` to come to the front. False when none answers.
  static bool Knock(const QString& path);

 signals:
  // Another start knocked.
  void Knocked();

 private:
  void Accept();

  int fd_ = -1;
  QString path_;
  QSocketNotifier* notifier_ = nullptr;
};
