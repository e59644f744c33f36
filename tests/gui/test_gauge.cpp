// The progress gauge with scripted workers: progress and close arrive from the worker thread,
// questions are answered on the window's thread, Cancel waits for the worker, and production
// mode's label. (Its repeats are tested against the simulator with the window.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <thread>

#include "fake_prompt.h"
#include "link/access_gauge.h"

namespace kp53::gui {
namespace {

using test::FakePrompt;

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

TEST(AccessGauge, WorkerProgressQuestionAndCloseReachTheWindowThread) {
  FakePrompt prompt;
  prompt.answers = {Answer::Yes};
  CAccessGaugeDlg gauge(prompt, false);
  Answer seen = Answer::Cancel;
  int maximum = 0, shownValue = -1;
  const int r = gauge.run(CAccessGaugeDlg::kUpload, [&](ProgressSink& sink, UserPrompt& p, const CancelToken&) {
    sink.SetTitle("Upload Function");
    sink.SetRange(0, 7729);
    sink.SetStatus(95);
    for (int i = 0; i <= 7810; i += 710) sink.SetPosition(i);
    QMetaObject::invokeMethod(&gauge, [&] {
      maximum = gauge.progressBar()->maximum();
      shownValue = gauge.progressBar()->value();
    }, Qt::BlockingQueuedConnection);
    seen = p.Message(100, Icon::Question, Buttons::YesNo);
    sink.Close(true);
  });
  EXPECT_EQ(r, QDialog::Accepted);
  EXPECT_EQ(seen, Answer::Yes);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Overwrite original data");
  EXPECT_EQ(prompt.shown[0].thread, std::this_thread::get_id());  // asked on the window's thread
  EXPECT_EQ(maximum, 7729);
  EXPECT_EQ(shownValue, 7729);  // the count passed the maximum: the bar stays full
  EXPECT_EQ(gauge.windowTitle(), QStringLiteral("Upload Function"));
  EXPECT_EQ(gauge.statusLine()->text(), QStringLiteral("Please wait"));
}

TEST(AccessGauge, EscapeIsIgnoredAndCancelWaitsForTheWorker) {
  FakePrompt prompt;
  CAccessGaugeDlg gauge(prompt, false);
  bool workerSawCancel = false;
  QTimer::singleShot(0, &gauge, [&] {
    QTest::keyClick(&gauge, Qt::Key_Escape);
    QTest::keyClick(&gauge, Qt::Key_Return);
    EXPECT_TRUE(gauge.isVisible());
    EXPECT_TRUE(gauge.workerRunning());
    QTest::mouseClick(gauge.cancelButton(), Qt::LeftButton);
  });
  const int r = gauge.run(CAccessGaugeDlg::kUpload, [&](ProgressSink& sink, UserPrompt&, const CancelToken& cancel) {
    sink.SetStatus(122);
    while (!cancel.Requested()) Sleep(5);  // the wait for the radio's "P"
    workerSawCancel = true;
    sink.Close(false);
  });
  EXPECT_EQ(r, QDialog::Rejected);
  EXPECT_TRUE(workerSawCancel);
  EXPECT_FALSE(gauge.workerRunning());
}

TEST(AccessGauge, ProductionModeShowsTheFileNameAndHidesCancel) {
  FakePrompt prompt;
  CAccessGaugeDlg gauge(prompt, true);
  QTimer::singleShot(0, &gauge, [&] {
    EXPECT_EQ(gauge.label()->text(), QStringLiteral("Load File Name : site7.k53"));
    EXPECT_FALSE(gauge.cancelButton()->isVisible());
    gauge.close();  // closing the window ends the program after the gauge
  });
  gauge.run(
      CAccessGaugeDlg::kDownload,
      [&](ProgressSink&, UserPrompt&, const CancelToken& cancel) {
        while (!cancel.Requested()) Sleep(5);
      },
      QStringLiteral("C:site7.k53"));
  EXPECT_TRUE(gauge.quitRequested());
}

}  // namespace
}  // namespace kp53::gui
