// The report as a PDF file, for callers that do not use Qt themselves (the command-line tool).
#pragma once

#include <string>

#include "io/atomic_file.h"
#include "report/report.h"

namespace kp53::print {

// Draws the report into a PDF file exactly as the window prints it (A4, 1200 dpi, the report
// font). When the program has no Qt application object, one is made for the call on the
// "offscreen" platform, so no display is needed. The file is written as text reports are
// (WriteFileAtomically: through a symbolic link, whole or not at all, `replace` deciding about an
// existing file). Answers false with the file's name and the reason in `error`; `pagesDrawn`
// receives the number of pages written.
bool WriteReportPdf(const ReportContext& report, const std::string& pdfPath, Replace replace, std::string& error,
                    int* pagesDrawn = nullptr);

}  // namespace kp53::print
