// File > Print, Print Preview and Print Setup on the main frame: the report of the current image
// through Qt's print dialogs, the printer the user chose kept for the next job, and its name shown
// in the view's header after a job.
#pragma once

class CMainFrame;

namespace kp53::gui {

void RegisterPrintCommands(CMainFrame& frame);

}  // namespace kp53::gui
