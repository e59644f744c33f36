// The report as a PDF file, for callers that do not use Qt themselves (the command-line tool).
#pragma once

#include <string>

#include "report/report.h"

namespace kp53::print {

// Draws the report into a PDF file exactly as the window prints it. When the program has no Qt
// application object, one is made for the call on the "offscreen" platform, so no display is
// needed. The file is written under a temporary name and renamed when complete. Answers false
// with a reason in `error`; `pagesDrawn` receives the number of pages written.
bool WriteReportPdf(const ReportContext& report, const std::string& pdfPath, std::string& error,
                    int* pagesDrawn = nullptr);

}  // namespace kp53::print
