// "Access Gauge": the modal progress dialog of every transfer with the radio. It runs one worker
// thread at a time; the worker reports through a ProgressSink whose calls arrive here as queued
// calls on the user-interface thread, asks its questions through a UserPrompt that shows them
// modally on this thread while the worker waits, and stops at its cancel checks when the token is
// set. The dialog never closes while its worker runs.
#pragma once

#include <QDialog>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "link/link_slot.h"
#include "ports.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace kp53::gui {

class CAccessGaugeDlg : public QDialog {
  Q_OBJECT

 public:
  enum Mode { kUpload = 0, kDownload = 1, kAlignmentRead = 2, kAlignmentWrite = 3 };
  // The worker body, run on the worker thread.
  using Worker = std::function<void(ProgressSink& sink, UserPrompt& prompt, const CancelToken& cancel)>;

  // `prompt` shows the worker's messages; it is called on the user-interface thread.
  CAccessGaugeDlg(UserPrompt& prompt, bool productionMode, QWidget* parent = nullptr);
  ~CAccessGaugeDlg() override;

  // Runs the gauge modally for one transfer (and, in production mode, the repeats that follow).
  // `fileName` is shown in production mode; `serial` is asked on the worker thread after a
  // production-mode Download for the label "Ser  %-8s". Returns QDialog::Accepted when the worker
  // ended the gauge and QDialog::Rejected after Cancel.
  int run(int mode, Worker worker, const QString& fileName = QString(),
          std::function<std::string()> serial = nullptr);

  bool quitRequested() const { return quitRequested_; }
  bool repeatPending() const { return repeatPending_; }
  bool workerRunning() const { return running_.load(); }
  QPushButton* cancelButton() const { return cancel_; }
  QLabel* statusLine() const { return status_; }
  QLabel* label() const { return label_; }
  QProgressBar* progressBar() const { return bar_; }
  int mode() const { return mode_; }

 public slots:
  void cancelTransfer();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  friend class GaugeSink;
  void initialise();
  void startWorker();
  // Waits for the worker thread to end while the window keeps processing events.
  void waitForWorker();
  void onRange(int maximum);
  void onPosition(int position);
  void onStatus(int stringId);
  void onTitle(const QString& title);
  void onClose();
  void onRepeat(const QString& serial);
  // A termination signal: stop the worker, and end the gauge once it has stopped.
  void onTermination();

  UserPrompt& prompt_;
  bool production_;
  int mode_ = 0;
  Worker worker_;
  std::function<std::string()> serial_;
  QString fileName_;
  std::unique_ptr<ProgressSink> sink_;
  std::unique_ptr<UserPrompt> workerPrompt_;
  CancelToken cancelToken_;
  std::thread thread_;
  std::atomic<bool> running_{false};
  bool repeatPending_ = false;
  bool closing_ = false;
  bool quitRequested_ = false;
  bool cancelling_ = false;
  bool terminating_ = false;
  QLabel* status_;
  QLabel* label_;
  QPushButton* cancel_;
  QProgressBar* bar_ = nullptr;
};

// A UserPrompt for worker threads: each question is shown by `inner` on the user-interface
// thread (modally) while the calling thread waits for the answer.
class CrossThreadPrompt : public UserPrompt {
 public:
  CrossThreadPrompt(UserPrompt& inner, QObject* uiObject) : inner_(inner), ui_(uiObject) {}
  Answer Show(std::string_view text, Icon icon, Buttons buttons) override;
  void Beep() override;

 private:
  UserPrompt& inner_;
  QPointer<QObject> ui_;
};

}  // namespace kp53::gui
