#include "report_painter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace kp53::print {

namespace {

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

}  // namespace kp53::print
