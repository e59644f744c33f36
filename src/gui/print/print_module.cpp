// The print module's entry point (built as the shared module kp53win-print).
#include "print_module.h"

#include <QPrinter>

#include "report_printer.h"

namespace kp53::print {

namespace {

class Module final : public PrintModule {
 public:
  bool Print(QWidget* parent, const RadioData& data, const std::string& path) override {
    return PrintReport(parent, data, path, printer_);
  }
  void Preview(QWidget* parent, const RadioData& data, const std::string& path) override {
    PreviewReport(parent, data, path, printer_);
  }
  bool Setup(QWidget* parent) override { return PrintSetup(parent, printer_); }
  QString PrinterName() const override { return PrinterDisplayName(printer_); }
  QString DefaultPrinterName() const override { return print::DefaultPrinterName(); }

 private:
  QPrinter printer_{QPrinter::HighResolution};
};

}  // namespace

}  // namespace kp53::print

extern "C" __attribute__((visibility("default"))) kp53::print::PrintModule* kp53_print_module() {
  // Made on first use, in the window's thread, and left to the end of the program: the printer
  // must outlive every dialog that shows it.
  static auto* module = new kp53::print::Module;
  return module;
}
