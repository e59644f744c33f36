// Drawing the report on paged devices: PDF files, page ranges, the font and the print dialogs, on
// the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "image/radio_data.h"
#include "app/print_commands.h"
#include "print/print_module.h"
#include "print/report_printer.h"
#include "report_pdf.h"

namespace kp53::print {
namespace {

// Pages in a PDF file written by Qt: one "/Type /Page" object per page ("/Pages" is the tree).
int PdfPageCount(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = f.readAll();
  int count = 0;
  for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
    if (bytes.mid(at + 11, 1) != "s") ++count;
  return count;
}

class ReportPrinterTest : public ::testing::Test {
 protected:
  ReportPrinterTest() {
    InitImage(data);
    ReloadAreas(data);
  }
  ReportContext Report() const { return ReportContext(data, "/tmp/site.k53", "12/6/2026"); }
  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  RadioData data;
  QTemporaryDir dir;
};

TEST_F(ReportPrinterTest, PdfHoldsEveryPageAndNoTemporaryFileIsLeft) {
  for (const bool twoTone : {false, true}) {
    SCOPED_TRACE(twoTone ? "two-tone, one group of 128 channels" : "new image");
    if (twoTone) {
      data.signaling.system = SignalingSystemArea::kTwoTone;
      data.channels.groupSize.fill(0);
      data.channels.groupSize[0] = 128;
    }
    const auto report = Report();
    std::string error;
    int drawn = 0;
    ASSERT_TRUE(WriteReportPdf(report, Path("r.pdf").toStdString(), Replace::Allowed, error, &drawn)) << error;
    EXPECT_EQ(drawn, report.PageCount());
    EXPECT_EQ(PdfPageCount(Path("r.pdf")), report.PageCount());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"r.pdf"});
  }
}

TEST_F(ReportPrinterTest, PdfThatCannotBeWrittenLeavesEverythingAsItWas) {
  {
    QFile old(Path("old.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  struct Case { const char* name; Replace replace; const char* reason; };
  for (const Case& c : {Case{"missing/r.pdf", Replace::Allowed, "No such file"},
                        Case{"old.pdf", Replace::Never, "File exists"}}) {
    std::string error;
    EXPECT_FALSE(WriteReportPdf(Report(), Path(c.name).toStdString(), c.replace, error)) << c.name;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.pdf"});
  QFile old(Path("old.pdf"));
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "old");
}

TEST_F(ReportPrinterTest, FontIsFixedPitchAndTheLinesFitThePage) {
  QPdfWriter writer(Path("m.pdf"));
  const ReportMetrics m = MeasureReportFont(&writer);
  EXPECT_GT(m.linePitch, 0);
  EXPECT_GT(m.charWidth, 0);
  const QFontMetricsF fm(ReportFont(), &writer);
  EXPECT_DOUBLE_EQ(fm.horizontalAdvance(QStringLiteral("iiiii")), fm.horizontalAdvance(QStringLiteral("WWWWW")));
  // The widest line (the channel rule, 111 characters) after the 5-character margin, and 64 lines
  // (page 1 runs to line 63), fit the printable area.
  const QRectF area(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
  EXPECT_LE((kReportLeftMargin + 111) * m.charWidth, area.width());
  EXPECT_LE(64 * m.linePitch, area.height());
}

// A page range draws only those pages, copies repeat them, and the painter's font is put back.
TEST_F(ReportPrinterTest, PageRangeCopiesAndThePaintersFont) {
  QPdfWriter all(Path("all.pdf"));
  EXPECT_EQ(DrawReport(all, Report(), 5, 999), Report().PageCount() - 4);
  QPdfWriter copies(Path("copies.pdf"));
  EXPECT_EQ(DrawReport(copies, Report(), 1, 2, 3), 6);
  QPdfWriter writer(Path("f.pdf"));
  QPainter painter(&writer);
  QFont before(QStringLiteral("Serif"));
  before.setPointSize(20);
  painter.setFont(before);
  DrawReportPage(painter, Report().Page(1), MeasureReportFont(&writer));
  EXPECT_EQ(painter.font(), before);
}

// Accepts (or rejects) the modal dialog that the next call opens.
void AnswerNextDialog(bool accept, bool* wasPrinting = nullptr) {
  QTimer::singleShot(0, [accept, wasPrinting]() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    if (wasPrinting != nullptr) *wasPrinting = IsPrinting();
    if (accept)
      dialog->accept();
    else
      dialog->reject();
  });
}

TEST_F(ReportPrinterTest, PrintDialogPrintsTheChosenPagesIntoAPdfFile) {
  struct Case {
    const char* file;
    bool accept;
    int from, to;  // 0: all pages
    int pages;     // -1: no file
  };
  for (const Case& c : {Case{"all.pdf", true, 0, 0, Report().PageCount()}, Case{"range.pdf", true, 5, 6, 2},
                        Case{"cancelled.pdf", false, 0, 0, -1}}) {
    SCOPED_TRACE(c.file);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path(c.file));
    if (c.from > 0) {
      printer.setPrintRange(QPrinter::PageRange);
      printer.setFromTo(c.from, c.to);
    }
    AnswerNextDialog(c.accept);
    EXPECT_EQ(PrintReport(nullptr, data, "/tmp/site.k53", printer), c.accept);
    EXPECT_FALSE(IsPrinting());
    EXPECT_EQ(PdfPageCount(Path(c.file)), c.pages);
    if (c.accept) {
      EXPECT_EQ(PrinterDisplayName(printer), QString::fromLatin1(c.file));
    }
  }
}

TEST_F(ReportPrinterTest, PreviewSetsThePrintingFlagWhileItIsOpen) {
  QPrinter printer(QPrinter::HighResolution);
  bool printingWhileOpen = false;
  AnswerNextDialog(false, &printingWhileOpen);
  PreviewReport(nullptr, data, "/tmp/site.k53", printer);
  EXPECT_TRUE(printingWhileOpen);
  EXPECT_FALSE(IsPrinting());
}

// The window reaches the same dialogs through its print module, loaded once from beside the
// program.
TEST_F(ReportPrinterTest, ThePrintModuleLoadsOnceAndOpensTheDialogs) {
  QString error;
  PrintModule* module = gui::LoadPrintModule(&error);
  ASSERT_NE(module, nullptr) << error.toStdString();
  EXPECT_EQ(gui::LoadPrintModule(), module);
  AnswerNextDialog(false);
  EXPECT_FALSE(module->Print(nullptr, data, "/tmp/site.k53"));
  AnswerNextDialog(false);
  EXPECT_FALSE(module->Setup(nullptr));
  EXPECT_FALSE(IsPrinting());
}

}  // namespace
}  // namespace kp53::print

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
