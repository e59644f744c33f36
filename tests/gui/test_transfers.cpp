// Upload and Download from the window against the radio simulator on a pseudo-terminal: the
// gauge, the worker thread, the document's title, production-mode repeats and File Data.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <csignal>

#include "app/command_ids.h"
#include "app/termination.h"
#include "link/serial_port.h"
#include "gui_fixture.h"
#include "compare/compare_dialog.h"
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
    if (const char* dir = std::getenv("KP53_SHOTS")) dlg.grab().save(QString::fromUtf8(dir) + "/findings.png");
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
  // The Compare dialog opens after the gauge has ended: look for it with short timers.
  bool seen = false;
  int tries = 0;
  std::function<void()> look = [&] {
    auto* dlg = dynamic_cast<CompareDialog*>(QApplication::activeModalWidget());
    if (!dlg) {
      if (++tries < 600) QTimer::singleShot(50, &Frame(), look);
      return;
    }
    EXPECT_EQ(dlg->Tree()->headerItem()->text(1), QStringLiteral("Radio"));
    EXPECT_EQ(dlg->Tree()->headerItem()->text(2), QStringLiteral("site.k53"));
    EXPECT_GT(dlg->Tree()->topLevelItemCount(), 0);
    if (const char* dir = std::getenv("KP53_SHOTS")) dlg->grab().save(QString::fromUtf8(dir) + "/compare_radio.png");
    seen = true;
    dlg->reject();
  };
  QTimer::singleShot(0, &Frame(), look);
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

class ProductionTest : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    ctx.productionMode = true;
  }
};

// The gauge's own production-mode texts and keys are checked with the gauge.
TEST_F(ProductionTest, RepeatProgramsTheNextRadioWithTheSameImage) {
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
