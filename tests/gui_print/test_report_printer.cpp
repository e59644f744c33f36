// Drawing the report on paged devices: PDF files, page ranges, the font and the print dialogs, on
// the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "image/radio_data.h"
#include "report_pdf.h"
#include "report_printer.h"

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

TEST_F(ReportPrinterTest, PdfHoldsEveryPage) {
  const auto report = Report();
  QString error;
  int drawn = 0;
  ASSERT_TRUE(ExportReportPdf(report, Path("r.pdf"), error, &drawn)) << error.toStdString();
  EXPECT_EQ(drawn, report.PageCount());
  EXPECT_EQ(PdfPageCount(Path("r.pdf")), report.PageCount());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // no temporary left
}

TEST_F(ReportPrinterTest, PdfOfATwoToneImageWithOneLongGroup) {
  data.signaling.system = SignalingSystemArea::kTwoTone;
  data.channels.groupSize.fill(0);
  data.channels.groupSize[0] = 128;
  const auto report = Report();
  std::string error;
  int drawn = 0;
  ASSERT_TRUE(WriteReportPdf(report, Path("two.pdf").toStdString(), error, &drawn)) << error;
  EXPECT_EQ(drawn, report.PageCount());
  EXPECT_EQ(PdfPageCount(Path("two.pdf")), report.PageCount());
}

TEST_F(ReportPrinterTest, ExportIntoAMissingFolderFailsWithoutAFile) {
  QString error;
  EXPECT_FALSE(ExportReportPdf(Report(), Path("missing/r.pdf"), error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(Path("missing/r.pdf")));
}

TEST_F(ReportPrinterTest, ExportReplacesAnOlderFile) {
  {
    QFile old(Path("r.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  QString error;
  ASSERT_TRUE(ExportReportPdf(Report(), Path("r.pdf"), error));
  EXPECT_EQ(PdfPageCount(Path("r.pdf")), Report().PageCount());
}

TEST_F(ReportPrinterTest, PageRangeDrawsOnlyThosePages) {
  QPdfWriter writer(Path("range.pdf"));
  EXPECT_EQ(DrawReport(writer, Report(), 3, 4), 2);
  QPdfWriter all(Path("all.pdf"));
  EXPECT_EQ(DrawReport(all, Report(), 5, 999), Report().PageCount() - 4);
  QPdfWriter copies(Path("copies.pdf"));
  EXPECT_EQ(DrawReport(copies, Report(), 1, 2, 3), 6);
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

TEST_F(ReportPrinterTest, DrawingRestoresThePaintersFont) {
  QPdfWriter writer(Path("f.pdf"));
  QPainter painter(&writer);
  QFont before(QStringLiteral("Serif"));
  before.setPointSize(20);
  painter.setFont(before);
  DrawReportPage(painter, Report().Page(1), MeasureReportFont(&writer));
  EXPECT_EQ(painter.font(), before);
}

TEST(PrintingFlag, SetWhileAReportExists) {
  EXPECT_FALSE(IsPrinting());
  {
    const PrintingScope scope;
    EXPECT_TRUE(IsPrinting());
  }
  EXPECT_FALSE(IsPrinting());
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

TEST_F(ReportPrinterTest, PrintToAPdfFileThroughThePrintDialog) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("printed.pdf"));
  AnswerNextDialog(true);
  ASSERT_TRUE(PrintReport(nullptr, data, "/tmp/site.k53", printer));
  EXPECT_FALSE(IsPrinting());
  EXPECT_EQ(PdfPageCount(Path("printed.pdf")), Report().PageCount());
  EXPECT_EQ(PrinterDisplayName(printer), QStringLiteral("printed.pdf"));
}

TEST_F(ReportPrinterTest, PrintDialogPageRangePrintsThosePages) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("range.pdf"));
  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(5, 6);
  AnswerNextDialog(true);
  ASSERT_TRUE(PrintReport(nullptr, data, "/tmp/site.k53", printer));
  EXPECT_EQ(PdfPageCount(Path("range.pdf")), 2);
}

TEST_F(ReportPrinterTest, CancelledPrintDialogPrintsNothing) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("cancelled.pdf"));
  AnswerNextDialog(false);
  EXPECT_FALSE(PrintReport(nullptr, data, "/tmp/site.k53", printer));
  EXPECT_FALSE(QFileInfo::exists(Path("cancelled.pdf")));
}

TEST_F(ReportPrinterTest, PrintSetupAnswersTheDialog) {
  QPrinter printer(QPrinter::HighResolution);
  AnswerNextDialog(true);
  EXPECT_TRUE(PrintSetup(nullptr, printer));
  AnswerNextDialog(false);
  EXPECT_FALSE(PrintSetup(nullptr, printer));
}

TEST_F(ReportPrinterTest, PreviewSetsThePrintingFlagWhileItIsOpen) {
  QPrinter printer(QPrinter::HighResolution);
  bool printingWhileOpen = false;
  AnswerNextDialog(false, &printingWhileOpen);
  PreviewReport(nullptr, data, "/tmp/site.k53", printer);
  EXPECT_TRUE(printingWhileOpen);
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
