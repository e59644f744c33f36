// The report's pages drawn with Qt's painter on any paged device: a printer, the print preview or
// a PDF file.
#pragma once

#include <QFont>

#include "report/report.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

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

}  // namespace kp53::print
