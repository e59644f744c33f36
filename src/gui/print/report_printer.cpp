#include "report_printer.h"

#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace kp53::print {

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

}  // namespace kp53::print
