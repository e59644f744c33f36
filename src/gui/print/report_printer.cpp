#include "report_printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kp53::print {

namespace {

std::atomic<int> printingDepth{0};

// Restores the painter's font when a page is finished.
class FontScope {
 public:
  FontScope(QPainter& painter, const QFont& font) : painter_(painter), saved_(painter.font()) { painter_.setFont(font); }
  ~FontScope() { painter_.setFont(saved_); }
  FontScope(const FontScope&) = delete;
  FontScope& operator=(const FontScope&) = delete;

 private:
  QPainter& painter_;
  QFont saved_;
};

}  // namespace

QFont ReportFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
  font.setFixedPitch(true);
  font.setPointSizeF(kReportFontPoints);
  font.setKerning(false);
  return font;
}

ReportMetrics MeasureReportFont(QPaintDevice* device) {
  const QFontMetricsF fm(ReportFont(), device);
  ReportMetrics m;
  m.linePitch = fm.height() + fm.leading();
  m.charWidth = fm.averageCharWidth();
  m.ascent = fm.ascent();
  return m;
}

void DrawReportPage(QPainter& painter, const ReportPage& page, const ReportMetrics& metrics) {
  const FontScope font(painter, ReportFont());
  const double x = kReportLeftMargin * metrics.charWidth;
  for (std::size_t n = 0; n < page.size(); ++n) {
    if (page[n].empty()) continue;
    const double y = static_cast<double>(n) * metrics.linePitch + metrics.ascent;
    painter.drawText(QPointF(x, y), QString::fromLatin1(page[n].data(), static_cast<qsizetype>(page[n].size())));
  }
}

int DrawReport(QPagedPaintDevice& device, const ReportContext& report, int from, int to, int copies) {
  const int last = report.PageCount();
  if (from < 1) from = 1;
  if (to < 1 || to > last) to = last;
  QPainter painter;
  if (!painter.begin(&device)) return -1;
  const ReportMetrics metrics = MeasureReportFont(&device);
  int drawn = 0;
  bool ok = true;
  for (int copy = 0; ok && copy < std::max(copies, 1); ++copy) {
    for (int p = from; ok && p <= to; ++p) {
      if (drawn > 0 && !device.newPage()) {
        ok = false;  // the device refused another page (output error)
        break;
      }
      DrawReportPage(painter, report.Page(p), metrics);
      ++drawn;
    }
  }
  painter.end();
  return drawn;
}

bool IsPrinting() { return printingDepth.load() > 0; }
PrintingScope::PrintingScope() { ++printingDepth; }
PrintingScope::~PrintingScope() { --printingDepth; }

bool PrintReport(QWidget* parent, const RadioData& data, const std::string& path, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setMinMax(1, ReportPageCount(data));
  if (dialog.exec() != QDialog::Accepted) return false;  // no report is made for a cancelled job

  const PrintingScope printing;
  const ReportContext report(data, path, ReportDateToday());
  int from = 0;
  int to = 0;
  if (printer.printRange() == QPrinter::PageRange) {
    from = printer.fromPage();
    to = printer.toPage();
  }
  // Printers that cannot make copies themselves (a PDF file among them) get the pages again.
  const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
  return DrawReport(printer, report, from, to, copies) > 0;
}

void PreviewReport(QWidget* parent, const RadioData& data, const std::string& path, QPrinter& printer) {
  // The report exists, and the printing flag is set, for as long as the preview is open. The
  // preview asks for the pages again after each change of its page setup.
  const PrintingScope printing;
  const ReportContext report(data, path, ReportDateToday());
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&report](QPrinter* target) { DrawReport(*target, report); });
  preview.exec();
}

bool PrintSetup(QWidget* parent, QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

QString PrinterDisplayName(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return QFileInfo(printer.outputFileName()).fileName();
  return printer.printerName();
}

QString DefaultPrinterName() { return QPrinterInfo::defaultPrinterName(); }

bool ExportReportPdf(const ReportContext& report, const QString& pdfPath, QString& error, int* pagesDrawn) {
  const QFileInfo target(pdfPath);
  // Written under a temporary name in the target's folder, then renamed over the target, so that a
  // failed export leaves no half-written file behind.
  QTemporaryFile temp(target.absoluteDir().filePath(QStringLiteral(".kp53-report-XXXXXX.pdf")));
  if (!temp.open()) {
    error = QStringLiteral("cannot create a file in %1: %2").arg(target.absolutePath(), temp.errorString());
    return false;
  }
  temp.close();

  int drawn = 0;
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temp.fileName());
    printer.setDocName(QString::fromStdString(report.FileName()));
    const PrintingScope printing;
    drawn = DrawReport(printer, report);
  }
  if (drawn != report.PageCount()) {
    error = QStringLiteral("cannot write %1").arg(pdfPath);
    return false;
  }
  temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  // rename() replaces an existing target in one step.
  if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(pdfPath).constData()) != 0) {
    error = QStringLiteral("cannot write %1: %2").arg(pdfPath, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  temp.setAutoRemove(false);
  if (pagesDrawn != nullptr) *pagesDrawn = drawn;
  return true;
}

}  // namespace kp53::print
