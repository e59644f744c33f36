// The Common and Signaling menu commands as one table: for each command the step before its dialog,
// the dialog, the step after it and the refresh code. The frame registers every entry whose dialog
// exists; an entry without a dialog stays disabled (the menu-enable sets apply on top).
//
// Adding a dialog: write params/<name>_dialog.{h,cpp} on CParamDialog, include its header in
// dialog_commands.cpp and replace `nullptr` in its entry by `Create<CYourDlg>` (and the empty help
// list by `CYourDlg::HelpTopics()`).
#pragma once

#include <memory>
#include <span>

#include "app/help_window.h"
#include "params/param_dialog.h"

class CMainFrame;

namespace kp53::gui {

enum class Before { Nothing, NormalizeImage };
enum class After { Nothing, ReloadAreas };
// The refresh code is the one the dialog reports (CParamDialog::RefreshCode).
inline constexpr int kRefreshFromDialog = -1;

using ParamDialogFactory = std::unique_ptr<CParamDialog> (*)(const ParamEnv&, QWidget* parent);

template <class Dialog>
std::unique_ptr<CParamDialog> Create(const ParamEnv& env, QWidget* parent) {
  return std::make_unique<Dialog>(env, parent);
}

struct ParamCommand {
  int id;                          // menu command id
  Before before;
  ParamDialogFactory create;       // nullptr: not built yet, the command stays disabled
  After after;
  int refresh;                     // 0, 1, 2, 4 or kRefreshFromDialog
  std::span<const HelpTopic> help; // the help topics of the dialog's fields
};

// Every entry, in menu order.
std::span<const ParamCommand> ParamCommands();
// The entry of command `id`; nullptr when the table has none.
const ParamCommand* FindParamCommand(int id);
// Registers every built entry on the frame.
void RegisterParamCommands(CMainFrame& frame);

}  // namespace kp53::gui
