#include "app/print_commands.h"

#include <QCoreApplication>
#include <QLibrary>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "print/print_module.h"
#include "print/printing_flag.h"

namespace kp53::gui {

namespace {

// The models go into the image before the report reads it.
void StoreModels(CMainFrame& frame) {
  frame.View()->CommitGroupTag();
  NormalizeImage(frame.Doc().Data());
}

void ShowPrinter(CMainFrame& frame, const print::PrintModule& module) {
  frame.Doc().Context().printerName = module.PrinterName().toStdString();
  frame.View()->FillHeader();
}

// The module, or null after telling the user why printing is not possible.
print::PrintModule* Module(CMainFrame& frame) {
  QString error;
  print::PrintModule* module = LoadPrintModule(&error);
  if (!module) frame.Prompt().Show("Printing is not available: " + error.toStdString(), Icon::Stop, Buttons::Ok);
  return module;
}

QString ModulePath() { return QCoreApplication::applicationDirPath() + QStringLiteral("/" KP53_PRINT_MODULE_PATH); }

}  // namespace

void PreloadPrintModule() { QLibrary(ModulePath()).load(); }

print::PrintModule* LoadPrintModule(QString* error) {
  static print::PrintModule* module = nullptr;
  static QString failure;
  if (!module && failure.isEmpty()) {
    QLibrary library(ModulePath());
    using Entry = print::PrintModule* (*)();
    if (auto entry = reinterpret_cast<Entry>(library.resolve(KP53_PRINT_MODULE_ENTRY)))
      module = entry();
    else
      failure = library.errorString();
  }
  if (!module && error) *error = failure;
  return module;
}

void RegisterPrintCommands(CMainFrame& frame) {
  // The printing flag is set over the whole command, here in the program, where closing the
  // window looks at it.
  frame.RegisterCommand(cmd::kPrint, [&frame] {
    print::PrintModule* module = Module(frame);
    if (!module) return;
    StoreModels(frame);
    const print::PrintingScope printing;
    if (module->Print(&frame, frame.Doc().Data(), frame.Doc().Context().currentPath)) ShowPrinter(frame, *module);
  });
  frame.RegisterCommand(cmd::kPrintPreview, [&frame] {
    print::PrintModule* module = Module(frame);
    if (!module) return;
    StoreModels(frame);
    {
      const print::PrintingScope printing;
      module->Preview(&frame, frame.Doc().Data(), frame.Doc().Context().currentPath);
    }
    frame.View()->RefreshAll();
  });
  frame.RegisterCommand(cmd::kPrintSetup, [&frame] {
    print::PrintModule* module = Module(frame);
    if (module && module->Setup(&frame)) ShowPrinter(frame, *module);
  });
}

}  // namespace kp53::gui
