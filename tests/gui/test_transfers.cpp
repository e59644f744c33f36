// Upload and Download from the window against the radio simulator on a pseudo-terminal: the
// gauge, the worker thread, the document's title, production-mode repeats and File Data; the
// Compare dialog and the gauge on their own.
#include <QHeaderView>
#include <QProgressBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <chrono>
#include <thread>

#include <csignal>

#include "app/termination.h"
#include "link/serial_port.h"
#include "gui_fixture.h"
#include "compare/compare_dialog.h"
#include "link/access_gauge.h"
#include "link/file_data_dialog.h"
#include "link/findings_dialog.h"

namespace {

using kp53::gui::CAccessGaugeDlg;

class TransferTest : public RadioGuiTest {
 protected:
  CAccessGaugeDlg& Gauge() { return Transfers().Gauge(); }
};

TEST_F(TransferTest, UploadFillsTheImageAndLeavesAnUntitledDocumentAndADownloadWritesItBack) {
  StartRadio(SwitchedOffRadio());
  ctx.currentPath = (root / "work" / "site.k53").string();
  Frame().RunCommand(cmd::kUpload);
  EXPECT_TRUE(Shown("Upload is completed"));
  EXPECT_EQ(doc->Data().image, radio->Memory());
  EXPECT_EQ(ctx.currentPath, "<none>");
  EXPECT_EQ(doc->Data().identity.firmwareVersion, 215);  // the radio's own, reloaded
  // Downloaded back unchanged: only the last block is written.
  Frame().RunCommand(cmd::kDownload);
  EXPECT_TRUE(Shown("Download is completed (verified)"));
  EXPECT_EQ(radio->Log().blocksWritten, std::vector<int>{60});
}

TEST_F(TransferTest, FindingsComeBeforeTheDownloadWithCancelAsDefaultAndEnterNeverWrites) {
  auto options = SwitchedOffRadio();
  options.startInCloneMode = true;
  StartRadio(options);
  Ch(0).rxToneType = kp53::kToneCtcss;
  Ch(0).rxCtcss = 1005;  // typed into a cell; not one of the radio's tones
  OnModal<kp53::gui::CFindingsDlg>([](kp53::gui::CFindingsDlg& dlg) {
    EXPECT_TRUE(dlg.CancelButton()->isDefault());
    EXPECT_FALSE(dlg.DownloadAnyway()->isDefault());
    ASSERT_GE(dlg.List()->topLevelItemCount(), 1);
    EXPECT_EQ(dlg.List()->topLevelItem(0)->text(0), QStringLiteral("channels.1.rx_tone"));
    EXPECT_EQ(dlg.List()->topLevelItem(0)->text(1), QStringLiteral("C-100.5"));
    Shot(&dlg, QStringLiteral("findings"));
    dlg.DownloadAnyway()->setFocus();
    QTest::keyClick(dlg.DownloadAnyway(), Qt::Key_Return);
  });
  EXPECT_EQ(Transfers().Download(), QDialog::Rejected);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(radio->Log().readRequests, 0);

  OnModal<kp53::gui::CFindingsDlg>([](kp53::gui::CFindingsDlg& dlg) { dlg.DownloadAnyway()->click(); });
  EXPECT_EQ(Transfers().Download(), QDialog::Accepted);
  EXPECT_TRUE(Shown("Download is completed (verified)"));
}

TEST_F(TransferTest, CompareWithRadioReadsAScratchCopyAndLeavesTheDocument) {
  auto options = SwitchedOffRadio();
  options.startInCloneMode = true;
  StartRadio(options);
  ctx.currentPath = (root / "work" / "site.k53").string();
  kp53::NormalizeImage(doc->Data());
  const kp53::RadioImage before = doc->Data().image;
  // The Compare dialog opens after the gauge has ended.
  bool seen = false;
  WhenModal<CompareDialog>(&Frame(), [&](CompareDialog* dlg) {
    EXPECT_EQ(dlg->Tree()->headerItem()->text(1), QStringLiteral("Radio"));
    EXPECT_EQ(dlg->Tree()->headerItem()->text(2), QStringLiteral("site.k53"));
    EXPECT_GT(dlg->Tree()->topLevelItemCount(), 0);
    Shot(dlg, QStringLiteral("compare_radio"));
    seen = true;
    dlg->reject();
  });
  EXPECT_EQ(Transfers().CompareWithRadio(), QDialog::Accepted);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(doc->Data().image, before);
  EXPECT_EQ(ctx.currentPath, (root / "work" / "site.k53").string());
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(TransferTest, CancelDuringTheWriteSaysInTheGaugeThatTheRadioMustBeWrittenAgain) {
  auto options = SwitchedOffRadio();
  options.startInCloneMode = true;
  StartRadio(options);
  Frame().RunCommand(cmd::kUpload);
  kp53::RadioImage other = radio->Memory();
  for (std::size_t b = 3; b <= 40; ++b) other[b * 128 + 5] ^= 0x5A;  // 38 blocks to write back
  radio->SetMemory(other);
  prompt.shown.clear();
  QTimer::singleShot(0, &Frame(), [this] {
    ASSERT_TRUE(QTest::qWaitFor([this] { return !radio->Log().blocksWritten.empty(); }, 20000));
    QTest::mouseClick(Gauge().cancelButton(), Qt::LeftButton);
  });
  EXPECT_EQ(Transfers().Download(), QDialog::Rejected);
  EXPECT_EQ(prompt.shown, std::vector<std::string>{kp53::kRadioIncompleteMessage});
  EXPECT_EQ(Gauge().statusLine()->text().toStdString(), kp53::kRadioIncompleteStatus);
  EXPECT_LT(radio->Log().blocksWritten.size(), 39u);
}

TEST_F(TransferTest, ATerminationSignalStopsTheTransferAndFreesThePort) {
  Termination::Instance().Install();
  Termination::Instance().Clear();
  auto options = SwitchedOffRadio();
  options.startInCloneMode = true;
  options.holdRepliesFrom = 5;  // the read stalls at block 4
  StartRadio(options);
  ctx.currentPath = (root / "work" / "site.k53").string();
  kp53::NormalizeImage(doc->Data());
  const kp53::RadioImage before = doc->Data().image;
  QTimer::singleShot(0, &Frame(), [this] {
    ASSERT_TRUE(QTest::qWaitFor([this] { return radio->Log().readRequests > 6; }, 20000));
    ::raise(SIGTERM);
  });
  EXPECT_EQ(Transfers().Upload(), QDialog::Rejected);
  EXPECT_TRUE(Termination::Instance().Requested());
  Termination::Instance().Clear();
  EXPECT_FALSE(Gauge().workerRunning());
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(doc->Data().image, before);
  EXPECT_EQ(ctx.currentPath, (root / "work" / "site.k53").string());  // a stopped Upload keeps the title
  kp53::LinkFlags flags;
  EXPECT_TRUE(kp53::CSerialPort(radio->DevicePath(), flags).Open(9600));
}

// The gauge's own production-mode texts and keys are checked with the gauge.
TEST_F(TransferTest, RepeatInProductionModeProgramsTheNextRadioWithTheSameImage) {
  ctx.productionMode = true;
  StartRadio(SwitchedOffRadio());
  // The image to program: a changed channel tag, so that the radios' memories change.
  doc->Data().channels.Entry(0).tag = "FLEET 7 ";
  ctx.currentPath = (root / "work" / "fleet7.k53").string();
  kp53::RadioImage firstRadio{};
  int repeats = 0;
  QTimer::singleShot(0, &Frame(), [&] {
    ASSERT_TRUE(QTest::qWaitFor([&] { return Gauge().isVisible(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Gauge().repeatPending() && !Gauge().workerRunning(); }, 30000));
    ++repeats;
    // A user-mode Download keeps the radio's own serial number, and the label shows it.
    kp53::RadioData factory;
    factory.image = kp53::sim::DefaultRadioMemory();
    kp53::ReloadAreas(factory);
    EXPECT_EQ(Gauge().label()->text().toStdString(), "Ser  " + factory.identity.serialNumber);
    firstRadio = radio->Memory();
    // The next radio on the line: switched off, with the factory memory.
    radio->PowerOff();
    radio->SetMemory(kp53::sim::DefaultRadioMemory());
    QTest::keyClick(&Gauge(), Qt::Key_F6);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Gauge().repeatPending() && !Gauge().workerRunning(); }, 30000));
    ++repeats;
    QTest::keyClick(&Gauge(), Qt::Key_Escape);  // leaves the gauge, not the program
  });
  Frame().View()->setFocus();
  QTest::keyClick(Frame().View(), Qt::Key_F5);
  EXPECT_EQ(repeats, 2);
  EXPECT_FALSE(Gauge().quitRequested());
  EXPECT_EQ(radio->Memory(), firstRadio);
  kp53::RadioData written;
  written.image = firstRadio;
  kp53::ReloadAreas(written);
  EXPECT_EQ(written.channels.Entry(0).tag, "FLEET 7 ");
  EXPECT_TRUE(Frame().FrameTitle().endsWith(QStringLiteral("(Factory mode)")));
}

TEST_F(GuiTest, ShiftF9OpensFileDataOnlyInMaintenanceMode) {
  Frame().show();
  auto pressShiftF9 = [this] {
    bool opened = false;
    QTimer::singleShot(0, &Frame(), [&] {
      auto* dlg = Frame().findChild<kp53::gui::CFileDataDlg*>();
      opened = dlg != nullptr;
      if (dlg) dlg->reject();
    });
    QTest::keyClick(Frame().View(), Qt::Key_F9, Qt::ShiftModifier);
    QApplication::processEvents();
    return opened;
  };
  EXPECT_FALSE(pressShiftF9());
  ctx.maintenanceMode = true;
  EXPECT_TRUE(pressShiftF9());
}

}  // namespace

namespace kp53::gui {
namespace {

// File Data: the buffer and its trailer; OK normalises what it copies back.
TEST(FileDataDialog, ShowsTheBufferAndTrailerAndNormalisesOnOk) {
  RadioData data;
  InitImage(data);
  NormalizeImage(data);
  data.defaultSplit = 5.0;
  data.image[89] = 0x55;  // owned by no area
  CFileDataDlg dlg(data);
  QTableWidget* grid = dlg.grid();
  EXPECT_EQ(grid->rowCount(), 489);
  EXPECT_EQ(grid->columnCount(), 16);
  EXPECT_EQ(grid->verticalHeaderItem(488)->text(), QStringLiteral("01e80h"));
  EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("02"));
  EXPECT_EQ(grid->item(5, 9)->text(), QStringLiteral("55"));
  QStringList trailer;
  for (int c = 0; c < 9; ++c) trailer << grid->item(488, c)->text();
  EXPECT_EQ(trailer.join(' '), QStringLiteral("00 00 00 00 00 00 14 40 "));
  dlg.show();
  dlg.okButton()->setFocus();
  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(data.image[89], 0);
  EXPECT_EQ(GetU16(data.image, off::kChecksum), ImageChecksum(data.image));
}

// File > Compare with File...: the differences by area, sortable.
TEST(CompareDialog, ShowsTheDifferencesByAreaInTheTextsOrderAndSortsByValue) {
  RadioData a, b;
  InitImage(a);
  NormalizeImage(a);
  b = a;
  for (int i : {1, 9}) b.channels.Entry(i).tag = "NEW     ";
  b.hardware.model = 0;
  NormalizeImage(b);
  config::ConfigModel ma, mb;
  ma.Load(a.image, a.defaultSplit);
  mb.Load(b.image, b.defaultSplit);

  CompareDialog dlg(config::Diff(ma, mb), QStringLiteral("open.k53"), QStringLiteral("other.k53"));
  dlg.show();
  QTreeWidget* tree = dlg.Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("hardware"));
  QTreeWidgetItem* channels = tree->topLevelItem(1);
  ASSERT_EQ(channels->childCount(), 2);
  EXPECT_EQ(channels->child(0)->text(0), QStringLiteral("2.tag"));
  EXPECT_EQ(channels->child(1)->text(0), QStringLiteral("10.tag"));  // 2 before 10
  EXPECT_EQ(channels->child(1)->text(1), QStringLiteral(" CH-010"));
  EXPECT_EQ(channels->child(1)->text(2), QStringLiteral("NEW"));
  EXPECT_EQ(tree->headerItem()->text(2), QStringLiteral("other.k53"));

  tree->sortByColumn(1, Qt::DescendingOrder);
  EXPECT_EQ(channels->child(0)->text(1), QStringLiteral(" CH-010"));
  Shot(&dlg, QStringLiteral("compare_dialog"));
}

TEST(CompareDialog, TwoFilesOfOneNameGetTwoHeadingsAndLongValuesKeepBothColumnsInView) {
  const std::string longA(300, 'A'), longB(300, 'B');
  const std::vector<config::Difference> diffs{{"alignment", "", "data", longA, longB, true, true}};
  CompareDialog dlg(diffs, QStringLiteral("site.k53"), QStringLiteral("site.k53"));
  dlg.show();
  QTreeWidget* tree = dlg.Tree();
  EXPECT_NE(tree->headerItem()->text(1), tree->headerItem()->text(2));
  QTreeWidgetItem* row = tree->topLevelItem(0)->child(0);
  EXPECT_EQ(row->toolTip(1).toStdString(), longA);
  EXPECT_EQ(row->toolTip(2).toStdString(), longB);
  // The second value column starts inside the dialog.
  EXPECT_LT(tree->header()->sectionViewportPosition(2), tree->viewport()->width());
  Shot(&dlg, QStringLiteral("compare_dialog_long"));
}

// The progress gauge with scripted workers: progress and close arrive from the worker thread,
// questions are answered on the window's thread, Cancel waits for the worker, and production
// mode's label.
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
