// The print module: the print, print-preview and print-setup dialogs with the printer of the run,
// in a shared module of their own (kp53win-print) so that Qt Print Support and the printing
// system's libraries are loaded only when the window needs them, not at every start.
#pragma once

#include <QString>
#include <string>

#include "image/radio_data.h"

class QWidget;

namespace kp53::print {

// The module's services, as report_printer.h describes them, over one printer that keeps the
// user's choices until the program ends.
class PrintModule {
 public:
  virtual bool Print(QWidget* parent, const RadioData& data, const std::string& path) = 0;
  virtual void Preview(QWidget* parent, const RadioData& data, const std::string& path) = 0;
  virtual bool Setup(QWidget* parent) = 0;
  // The header's name of the printer after a job or Print Setup.
  virtual QString PrinterName() const = 0;
  // The system's default printer; empty when none is installed.
  virtual QString DefaultPrinterName() const = 0;

 protected:
  ~PrintModule() = default;
};

}  // namespace kp53::print

// The module's one entry point, looked up by name after loading: its single PrintModule.
#define KP53_PRINT_MODULE_ENTRY "kp53_print_module"
extern "C" kp53::print::PrintModule* kp53_print_module();
