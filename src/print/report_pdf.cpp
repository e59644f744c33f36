#include "report_pdf.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPdfWriter>

#include <memory>
#include <string_view>

#include "report_painter.h"

namespace kp53::print {

bool WriteReportPdf(const ReportContext& report, const std::string& pdfPath, Replace replace, std::string& error,
                    int* pagesDrawn) {
  std::unique_ptr<QGuiApplication> app;
  // Arguments for a Qt application of our own: the program name and the platform. They must
  // outlive the application object.
  static char name[] = "kp53";
  static char platformFlag[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, platformFlag, platform, nullptr};
  static int argc = 3;
  if (QCoreApplication::instance() == nullptr) app = std::make_unique<QGuiApplication>(argc, argv);

  // The document is made in memory and then written in one piece.
  QByteArray pdf;
  int drawn = 0;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setTitle(QString::fromStdString(report.FileName()));
    drawn = DrawReport(writer, report);
  }
  if (drawn != report.PageCount()) {
    error = "cannot draw the report's pages for " + pdfPath;
    return false;
  }
  const auto result =
      WriteFileAtomically(pdfPath, {std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size()))}, replace);
  if (!result.ok()) {
    error = DescribeWriteFailure(pdfPath, result);
    return false;
  }
  if (pagesDrawn != nullptr) *pagesDrawn = drawn;
  return true;
}

}  // namespace kp53::print
