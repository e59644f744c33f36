#include "app/print_commands.h"

#include <QObject>
#include <QPrinter>
#include <memory>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "print/report_printer.h"

namespace kp53::gui {

namespace {

// The printer of the run, owned by the frame so that the user's choice lasts until it closes.
class PrinterHolder : public QObject {
 public:
  explicit PrinterHolder(QObject* parent) : QObject(parent) {}
  QPrinter printer{QPrinter::HighResolution};
};

// The models go into the image before the report reads it.
void StoreModels(CMainFrame& frame) {
  frame.View()->CommitGroupTag();
  NormalizeImage(frame.Doc().Data());
}

void ShowPrinter(CMainFrame& frame, const QPrinter& printer) {
  frame.Doc().Context().printerName = print::PrinterDisplayName(printer).toStdString();
  frame.View()->FillHeader();
}

}  // namespace

void RegisterPrintCommands(CMainFrame& frame) {
  auto* holder = new PrinterHolder(&frame);
  QPrinter& printer = holder->printer;
  frame.RegisterCommand(cmd::kPrint, [&frame, &printer] {
    StoreModels(frame);
    if (print::PrintReport(&frame, frame.Doc().Data(), frame.Doc().Context().currentPath, printer))
      ShowPrinter(frame, printer);
  });
  frame.RegisterCommand(cmd::kPrintPreview, [&frame, &printer] {
    StoreModels(frame);
    print::PreviewReport(&frame, frame.Doc().Data(), frame.Doc().Context().currentPath, printer);
    frame.View()->RefreshAll();
  });
  frame.RegisterCommand(cmd::kPrintSetup, [&frame, &printer] {
    if (print::PrintSetup(&frame, printer)) ShowPrinter(frame, printer);
  });
}

}  // namespace kp53::gui
