#include "link/access_gauge.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

#include <chrono>

#include "app/termination.h"
#include "text/messages.h"

namespace kp53::gui {

// Forwards the worker's progress to the gauge as queued calls on the user-interface thread.
class GaugeSink : public ProgressSink {
 public:
  explicit GaugeSink(CAccessGaugeDlg* gauge) : gauge_(gauge) {}
  void SetRange(int, int high) override { post([g = gauge_, high] { g->onRange(high); }); }
  void SetPosition(int position) override { post([g = gauge_, position] { g->onPosition(position); }); }
  void SetStatus(int id) override { post([g = gauge_, id] { g->onStatus(id); }); }
  void SetStatusText(const std::string& text) override {
    post([g = gauge_, t = QString::fromStdString(text)] { g->status_->setText(t); });
  }
  void SetTitle(const std::string& title) override {
    post([g = gauge_, t = QString::fromStdString(title)] { g->onTitle(t); });
  }
  void Close(bool) override { post([g = gauge_] { g->onClose(); }); }
  void Repeat() override {
    // The serial number is read here, on the worker thread that owns the image at this moment.
    const QString serial = gauge_->serial_ ? QString::fromStdString(gauge_->serial_()) : QString();
    post([g = gauge_, serial] { g->onRepeat(serial); });
  }

 private:
  template <typename F>
  void post(F f) {
    QMetaObject::invokeMethod(gauge_, std::move(f), Qt::QueuedConnection);
  }
  QPointer<CAccessGaugeDlg> gauge_;
};

Answer CrossThreadPrompt::Show(std::string_view text, Icon icon, Buttons buttons) {
  if (!ui_ || QThread::currentThread() == ui_->thread()) return inner_.Show(text, icon, buttons);
  Answer answer = Answer::Cancel;
  const std::string copy(text);
  QMetaObject::invokeMethod(
      ui_, [&] { answer = inner_.Show(copy, icon, buttons); }, Qt::BlockingQueuedConnection);
  return answer;
}

void CrossThreadPrompt::Beep() {
  if (ui_) QMetaObject::invokeMethod(ui_, [] { QApplication::beep(); }, Qt::QueuedConnection);
}

CAccessGaugeDlg::CAccessGaugeDlg(UserPrompt& prompt, bool productionMode, QWidget* parent)
    : QDialog(parent),
      prompt_(prompt),
      production_(productionMode),
      status_(new QLabel(this)),
      label_(new QLabel(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
  setWindowTitle(QStringLiteral("Access Gauge"));
  setFixedSize(332, 178);
  status_->setGeometry(15, 16, 262, 24);
  label_->setGeometry(31, 49, 262, 24);
  if (production_) {
    QFont big = label_->font();
    big.setPixelSize(16);
    label_->setFont(big);
  }
  cancel_->setGeometry(117, 128, 90, 24);
  cancel_->setAutoDefault(false);
  connect(cancel_, &QPushButton::clicked, this, &CAccessGaugeDlg::cancelTransfer);
  setProperty(Termination::kEndsItself, true);
  connect(&Termination::Instance(), &Termination::requested, this, &CAccessGaugeDlg::onTermination);
  sink_ = std::make_unique<GaugeSink>(this);
  workerPrompt_ = std::make_unique<CrossThreadPrompt>(prompt_, this);
}

CAccessGaugeDlg::~CAccessGaugeDlg() {
  cancelToken_.Cancel();
  if (thread_.joinable()) {
    waitForWorker();
  }
}

int CAccessGaugeDlg::run(int mode, Worker worker, const QString& fileName, std::function<std::string()> serial) {
  mode_ = mode;
  worker_ = std::move(worker);
  fileName_ = fileName;
  serial_ = std::move(serial);
  cancelling_ = false;
  terminating_ = false;
  if (bar_) {
    delete bar_;
    bar_ = nullptr;
  }
  status_->clear();
  label_->clear();
  setWindowTitle(QStringLiteral("Access Gauge"));
  // Outside production mode the gauge is left only through Cancel or the worker's end.
  const bool closable = production_ && mode_ == kDownload;
  setWindowFlag(Qt::WindowCloseButtonHint, closable);
  initialise();
  const int result = exec();
  waitForWorker();
  return result;
}

void CAccessGaugeDlg::initialise() {
  repeatPending_ = false;
  closing_ = false;
  quitRequested_ = false;
  if (production_ && mode_ == kDownload) {
    // The file-name part of the path, after its last slash, backslash or colon.
    QString name = fileName_;
    const int cut = static_cast<int>(std::max({name.lastIndexOf('/'), name.lastIndexOf('\\'), name.lastIndexOf(':')}));
    name = name.mid(cut + 1);
    label_->setText(QStringLiteral("Load File Name : %1").arg(name));
    cancel_->hide();
    cancel_->setText(QStringLiteral("Cancel"));
  } else {
    cancel_->show();
    cancel_->setText(QStringLiteral("Cancel"));
  }
  startWorker();
}

void CAccessGaugeDlg::startWorker() {
  // A production-mode repeat starts only after the previous worker has ended, so that two workers
  // never share the link port.
  waitForWorker();
  cancelToken_.Reset();
  if (Termination::Instance().Requested()) {
    // The program is ending: the worker stops at its first cancel check.
    terminating_ = true;
    cancelToken_.Cancel();
  }
  running_ = true;
  thread_ = std::thread([this] {
    worker_(*sink_, *workerPrompt_, cancelToken_);
    running_ = false;
    // Wakes a waiting event loop, and ends a gauge that a termination signal is closing.
    QMetaObject::invokeMethod(this, [this] { if (terminating_ && isVisible()) done(QDialog::Rejected); },
                              Qt::QueuedConnection);
  });
}

void CAccessGaugeDlg::waitForWorker() {
  if (!thread_.joinable()) return;
  while (running_.load()) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    if (running_.load()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  thread_.join();
  QApplication::processEvents();  // the worker's last posts (progress, close)
}

void CAccessGaugeDlg::cancelTransfer() {
  cancelToken_.Cancel();
  if (production_ && mode_ == kDownload && !closing_) {
    // The Repeat button: the next radio with the same image.
    initialise();
    repeatPending_ = false;
    return;
  }
  cancelling_ = true;
  waitForWorker();
  delete bar_;
  bar_ = nullptr;
  done(QDialog::Rejected);
}

void CAccessGaugeDlg::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      return;
    case Qt::Key_Escape:
      if (production_) {
        closing_ = true;
        cancelTransfer();
      }
      return;
    case Qt::Key_F5:
    case Qt::Key_F6:
    case Qt::Key_F7:
    case Qt::Key_F8:
      if (production_ && mode_ == kDownload) {
        QApplication::beep();
        if (repeatPending_) {
          initialise();
          repeatPending_ = false;
        }
        return;
      }
      break;
    default:
      break;
  }
  QDialog::keyPressEvent(e);
}

void CAccessGaugeDlg::closeEvent(QCloseEvent* e) {
  e->ignore();
  if (production_ && mode_ == kDownload && isVisible()) {
    closing_ = true;
    quitRequested_ = true;
    cancelTransfer();
  }
}

void CAccessGaugeDlg::onRange(int maximum) {
  if (!bar_) {
    bar_ = new QProgressBar(this);
    bar_->setGeometry(30, 80, 270, 20);
    bar_->setTextVisible(false);
    bar_->show();
  }
  bar_->setRange(0, maximum);
  bar_->setValue(0);
}

void CAccessGaugeDlg::onPosition(int position) {
  // The count runs past the fixed maximum at the end of a transfer; the bar then stays full.
  if (bar_) bar_->setValue(std::min(position, bar_->maximum()));
}

void CAccessGaugeDlg::onStatus(int stringId) { status_->setText(QString::fromStdString(FormatMessage(stringId, ""))); }

void CAccessGaugeDlg::onTitle(const QString& title) { setWindowTitle(title); }

void CAccessGaugeDlg::onClose() {
  if (cancelling_ || !isVisible()) return;
  delete bar_;
  bar_ = nullptr;
  done(QDialog::Accepted);
}

void CAccessGaugeDlg::onTermination() {
  if (!isVisible()) return;
  terminating_ = true;
  closing_ = true;
  cancelling_ = true;
  cancelToken_.Cancel();
  if (!running_.load()) done(QDialog::Rejected);
}

void CAccessGaugeDlg::onRepeat(const QString& serial) {
  label_->setText(QString::asprintf("Ser  %-8s", serial.toLatin1().constData()));
  cancel_->setText(QStringLiteral("Repeat(F5-8)"));
  cancel_->show();
  repeatPending_ = true;
}

}  // namespace kp53::gui
