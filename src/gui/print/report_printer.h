// Printing the report: its text pages drawn on a printer, in the print preview or into a PDF file,
// and the print, print-preview and print-setup dialogs of the File menu.
#pragma once

#include <QFont>
#include <QString>

#include <string>

#include "image/radio_data.h"
#include "report/report.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace kp53::print {

// The report font: "Courier New" (Debian's metric-compatible "Liberation Mono" stands in for it).
// The report asks for 450 tenths of a point against a 96-dpi screen, 60 device units, on a
// 600-dpi printer: 7.2 points on paper, whatever the printer's resolution.
inline constexpr double kReportFontPoints = 45.0 * 96.0 / 600.0;
QFont ReportFont();

// Line pitch and character width of the report font on a device.
struct ReportMetrics {
  double linePitch = 0;  // text height plus external leading
  double charWidth = 0;  // average character width
  double ascent = 0;
};
ReportMetrics MeasureReportFont(QPaintDevice* device);

// Draws one page: line n at y = n x line pitch (top of the line), x = 5 character widths. The
// painter's font is the report font while the page is drawn and is put back afterwards.
void DrawReportPage(QPainter& painter, const ReportPage& page, const ReportMetrics& metrics);

// Draws pages `from` to `to` (1-based, cut to the report's pages; 0 for either means the first or
// the last page) on a paged device, starting a new device page between them, `copies` times over
// (collated). Answers the number of pages drawn, or -1 when the device cannot be painted on (a
// file that cannot be created).
int DrawReport(QPagedPaintDevice& device, const ReportContext& report, int from = 0, int to = 0, int copies = 1);

// The printing-in-progress flag: set while a report exists (a print job or a preview), so that
// closing the main window does not ask about unsaved changes.
bool IsPrinting();
class PrintingScope {
 public:
  PrintingScope();
  ~PrintingScope();
  PrintingScope(const PrintingScope&) = delete;
  PrintingScope& operator=(const PrintingScope&) = delete;
};

// File > Print: the print dialog, then the requested pages on the chosen printer (which may be a
// PDF file: that needs no printer installed). `data` must have its channel model stored into the
// image. Answers true when a job was printed; false when the dialog was cancelled or the output
// could not be opened. The printer keeps the user's choice for the next job.
bool PrintReport(QWidget* parent, const RadioData& data, const std::string& path, QPrinter& printer);
// File > Print Preview: the preview window over the same pages.
void PreviewReport(QWidget* parent, const RadioData& data, const std::string& path, QPrinter& printer);
// File > Print Setup: the page-setup dialog of the printer. Answers true on OK.
bool PrintSetup(QWidget* parent, QPrinter& printer);
// The name the header shows for the printer after a job or Print Setup: the printer's name, or,
// for a PDF file, the file name.
QString PrinterDisplayName(const QPrinter& printer);
// The system's default printer at start-up; empty when no printer is installed.
QString DefaultPrinterName();

// Writes the report into a PDF file through a printer in PDF mode, as File > Print does with a PDF
// file chosen. The file is written under a temporary name and renamed when complete. Answers
// false with a reason in `error`.
bool ExportReportPdf(const ReportContext& report, const QString& pdfPath, QString& error, int* pagesDrawn = nullptr);

}  // namespace kp53::print
