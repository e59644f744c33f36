// File > Print, Print Preview and Print Setup on the main frame: the report of the current image
// through Qt's print dialogs, the printer the user chose kept for the next job, and its name shown
// in the view's header after a job. The dialogs live in the print module, loaded on first use.
#pragma once

#include <QString>

class CMainFrame;

namespace kp53::print {
class PrintModule;
}

namespace kp53::gui {

void RegisterPrintCommands(CMainFrame& frame);

// The print module, loaded on the first call (beside the program: ../lib/.../kp53win/). Null when
// it cannot be loaded; `error` then says why.
print::PrintModule* LoadPrintModule(QString* error = nullptr);
// Loads the module's code and its libraries without making anything of it; callable from any
// thread, so that the loading can run beside the window.
void PreloadPrintModule();

}  // namespace kp53::gui
