#include "report_pdf.h"

#include <QGuiApplication>

#include <memory>
#include <vector>

#include "report_printer.h"

namespace kp53::print {

bool WriteReportPdf(const ReportContext& report, const std::string& pdfPath, std::string& error, int* pagesDrawn) {
  std::unique_ptr<QGuiApplication> app;
  // Arguments for a Qt application of our own: the program name and the platform. They must
  // outlive the application object.
  static char name[] = "kp53";
  static char platformFlag[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, platformFlag, platform, nullptr};
  static int argc = 3;
  if (QCoreApplication::instance() == nullptr) app = std::make_unique<QGuiApplication>(argc, argv);

  QString reason;
  const bool ok = ExportReportPdf(report, QString::fromStdString(pdfPath), reason, pagesDrawn);
  if (!ok) error = reason.toStdString();
  return ok;
}

}  // namespace kp53::print
