#include "app/dialog_commands.h"

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "params/emergency_dialog.h"
#include "params/key_function_dialog.h"
#include "params/marketing_dialog.h"
#include "params/misc_dialog.h"
#include "params/option_dialog.h"
#include "params/password_dialog.h"
#include "params/power_saving_dialog.h"
#include "params/scanning_dialog.h"

namespace kp53::gui {

namespace {

constexpr Before kNormalize = Before::NormalizeImage;
constexpr After kReload = After::ReloadAreas;
constexpr After kKeep = After::Nothing;
constexpr std::span<const HelpTopic> kNoTopics{};

}  // namespace

std::span<const ParamCommand> ParamCommands() {
  // One entry per command, each under its own comment line.
  static const ParamCommand table[] = {
      // Common > Hardware
      {cmd::kHardware, kNormalize, nullptr, kKeep, kRefreshFromDialog, kNoTopics},
      // Common > Scanning
      {cmd::kScanning, kNormalize, Create<CScanningDlg>, kReload, 0, CScanningDlg::HelpTopics()},
      // Common > Power Saving
      {cmd::kPowerSaving, kNormalize, Create<CPowerSavingDlg>, kReload, 0, CPowerSavingDlg::HelpTopics()},
      // Common > Key Function
      {cmd::kKeyFunction, kNormalize, Create<CKeyFunctionDlg>, kReload, 0, CKeyFunctionDlg::HelpTopics()},
      // Common > Emergency
      {cmd::kEmergency, kNormalize, Create<CEmergencyDlg>, kReload, 0, CEmergencyDlg::HelpTopics()},
      // Common > Marketing
      {cmd::kMarketing, kNormalize, Create<CMarketingDlg>, kKeep, 2, CMarketingDlg::HelpTopics()},
      // Common > Miscellaneous
      {cmd::kMiscellaneous, kNormalize, Create<CMiscDlg>, kReload, 2, CMiscDlg::HelpTopics()},
      // Common > Option
      {cmd::kOption, kNormalize, Create<COptionDlg>, kReload, 1, COptionDlg::HelpTopics()},
      // Common > Power ON Password
      {cmd::kPowerOnPassword, kNormalize, Create<CPowerOnPasswordDlg>, kReload, 2, CPowerOnPasswordDlg::HelpTopics()},
      // Signaling > Signaling Type (refresh 1 when the signalling system changed, else 0)
      {cmd::kSignalingType, kNormalize, nullptr, kReload, kRefreshFromDialog, kNoTopics},
      // Signaling > ANI/Speed Dial
      {cmd::kAniSpeedDial, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > Paging Setting
      {cmd::kPagingSetting, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > Page Code
      {cmd::kPageCode, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 2-Tone
      {cmd::kTwoTone, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 2-Tone Table
      {cmd::kTwoToneTable, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 2-Tone Systems
      {cmd::kTwoToneSystems, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 2-Tone Encode
      {cmd::kTwoToneEncode, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 5-Tone General
      {cmd::kFiveToneGeneral, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 5-Tone Format
      {cmd::kFiveToneFormat, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 5-Tone Systems
      {cmd::kFiveToneSystems, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 5-Tone Decode
      {cmd::kFiveToneDecode, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 5-Tone Encode
      {cmd::kFiveToneEncode, kNormalize, nullptr, kKeep, 0, kNoTopics},
      // Signaling > 5-Tone User Tone
      {cmd::kFiveToneUserTone, kNormalize, nullptr, kKeep, 0, kNoTopics},
  };
  return table;
}

const ParamCommand* FindParamCommand(int id) {
  for (const ParamCommand& c : ParamCommands())
    if (c.id == id) return &c;
  return nullptr;
}

void RegisterParamCommands(CMainFrame& frame) {
  for (const ParamCommand& c : ParamCommands()) {
    if (!c.create) continue;
    const ParamCommand entry = c;
    CMainFrame::DialogCommand command;
    command.normalizeBefore = entry.before == Before::NormalizeImage;
    command.reloadAfter = entry.after == After::ReloadAreas;
    command.run = [&frame, entry](QWidget* parent) {
      const ParamEnv env{frame.Doc(), frame.Prompt(), [&frame](int context) { frame.ShowHelp(context); }};
      const std::unique_ptr<CParamDialog> dialog = entry.create(env, parent);
      dialog->exec();
      return entry.refresh == kRefreshFromDialog ? dialog->RefreshCode() : entry.refresh;
    };
    frame.RegisterDialogCommand(entry.id, std::move(command));
  }
}

}  // namespace kp53::gui
