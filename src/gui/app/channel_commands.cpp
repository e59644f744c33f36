// The frame's channel commands: Copy, Paste and Fill Down on the grid, the order of the channels
// in their group, the Visible dialog and the Channel Allocation/Group Tag dialog.
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "channels/allocation_dialog.h"
#include "channels/visible_dialog.h"
#include "image/common_options_area.h"
#include "image/radio_data.h"

void CMainFrame::RegisterChannelCommands() {
  view_->SetPrompt(&prompt_);
  view_->onHelp = [this](int context) { ShowHelp(context); };

  RegisterCommand(cmd::kCopy, [this] { view_->Copy(); });
  RegisterCommand(cmd::kPaste, [this] { view_->Paste(); });
  RegisterCommand(cmd::kFillDown, [this] { view_->FillDown(); });
  RegisterCommand(cmd::kInsertChannel, [this] { view_->InsertChannel(); });
  RegisterCommand(cmd::kDeleteChannel, [this] { view_->DeleteChannel(); });
  RegisterCommand(cmd::kMoveChannelUp, [this] { view_->MoveChannel(-1); });
  RegisterCommand(cmd::kMoveChannelDown, [this] { view_->MoveChannel(1); });

  RegisterDialogCommand(cmd::kVisible, {[this](QWidget* parent) {
                                          auto& ctx = doc_.Context();
                                          kp53::gui::CVisibleDlg dlg(ctx.settings.columns, parent);
                                          dlg.onHelp = [this](int c) { ShowHelp(c); };
                                          if (dlg.exec() == QDialog::Accepted) {
                                            ctx.settings.columns = dlg.flags();
                                            view_->RefreshAll();
                                          }
                                          // OK or not, the flags of the run so far are kept.
                                          ctx.SaveColumnFlags();
                                          UpdateCommandStates();
                                          return 0;
                                        },
                                        false, false});

  RegisterDialogCommand(cmd::kChannelAllocations,
                        {[this](QWidget* parent) {
                           // An edit still open in the grid goes into the model before the model is
                           // stored, so that Cancel returns to a state that includes it.
                           view_->EndCellEdit();
                           auto& radio = doc_.Data();
                           kp53::NormalizeImage(radio);
                           kp53::gui::CAllocationDlg dlg(radio, kp53::OptionBoardCode(radio.image),
                                                         radio.hardware.model == 1, [this] { doc_.SetModified(); },
                                                         parent);
                           dlg.onHelp = [this](int c) { ShowHelp(c); };
                           return dlg.exec() == QDialog::Accepted ? 1 : 0;
                         },
                         false, false});
}
