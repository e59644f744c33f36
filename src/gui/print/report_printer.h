// The print, print-preview and print-setup dialogs of the File menu. The pages themselves are
// drawn by the print library (report_painter.h). This part and Qt Print Support live in the
// print module (print_module.h), which the window loads when it first needs it.
#pragma once

#include <QString>

#include <string>

#include "image/radio_data.h"
#include "printing_flag.h"
#include "report/report.h"
#include "report_painter.h"

class QPrinter;
class QWidget;

namespace kp53::print {

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

}  // namespace kp53::print
