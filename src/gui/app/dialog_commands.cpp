#include "app/dialog_commands.h"

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "params/hardware_dialog.h"
#include "signalling/ani_speed_dial_dialog.h"
#include "signalling/five_tone_format_dialog.h"
#include "signalling/five_tone_general_dialog.h"
#include "signalling/five_tone_user_tone_dialog.h"
#include "signalling/page_setting_dialog.h"
#include "signalling/paging_code_dialog.h"
#include "signalling/signaling_type_dialog.h"
// The signalling tables (2-tone, 5-tone systems, decode and encode).
#include "signalling/five_tone_decode_dialog.h"
#include "signalling/five_tone_encode_dialog.h"
#include "signalling/five_tone_systems_dialog.h"
#include "signalling/two_tone_encode_dialog.h"
#include "signalling/two_tone_params_dialog.h"
#include "signalling/two_tone_systems_dialog.h"
#include "signalling/two_tone_table_dialog.h"
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
      {cmd::kHardware, kNormalize, Create<CHardwareParamsDlg>, kKeep, kRefreshFromDialog,
       CHardwareParamsDlg::HelpTopics()},
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
      {cmd::kSignalingType, kNormalize, Create<CSignalingTypeDlg>, kReload, kRefreshFromDialog, CSignalingTypeDlg::HelpTopics()},
      // Signaling > ANI/Speed Dial
      {cmd::kAniSpeedDial, kNormalize, Create<CAniSpeedDialDlg>, kKeep, 0, CAniSpeedDialDlg::HelpTopics()},
      // Signaling > Paging Setting
      {cmd::kPagingSetting, kNormalize, Create<CPageSettingDlg>, kKeep, 0, CPageSettingDlg::HelpTopics()},
      // Signaling > Page Code
      {cmd::kPageCode, kNormalize, Create<CPagingCodeDlg>, kKeep, 0, CPagingCodeDlg::HelpTopics()},
      // Signaling > 2-Tone
      {cmd::kTwoTone, kNormalize, Create<CTwoToneParamsDlg>, kKeep, 0, CTwoToneParamsDlg::HelpTopics()},
      // Signaling > 2-Tone Table
      {cmd::kTwoToneTable, kNormalize, Create<CTwoToneTableDlg>, kKeep, 0, CTwoToneTableDlg::HelpTopics()},
      // Signaling > 2-Tone Systems
      {cmd::kTwoToneSystems, kNormalize, Create<CTwoToneSystemsDlg>, kKeep, 0, CTwoToneSystemsDlg::HelpTopics()},
      // Signaling > 2-Tone Encode
      {cmd::kTwoToneEncode, kNormalize, Create<CTwoToneEncodeDlg>, kKeep, 0, CTwoToneEncodeDlg::HelpTopics()},
      // Signaling > 5-Tone General
      {cmd::kFiveToneGeneral, kNormalize, Create<CFiveToneGeneralDlg>, kKeep, 0, CFiveToneGeneralDlg::HelpTopics()},
      // Signaling > 5-Tone Format
      {cmd::kFiveToneFormat, kNormalize, Create<CFiveToneFormatDlg>, kKeep, 0, CFiveToneFormatDlg::HelpTopics()},
      // Signaling > 5-Tone Systems
      {cmd::kFiveToneSystems, kNormalize, Create<CFiveToneSystemsDlg>, kKeep, 0, CFiveToneSystemsDlg::HelpTopics()},
      // Signaling > 5-Tone Decode
      {cmd::kFiveToneDecode, kNormalize, Create<CFiveToneDecodeDlg>, kKeep, 0, CFiveToneDecodeDlg::HelpTopics()},
      // Signaling > 5-Tone Encode
      {cmd::kFiveToneEncode, kNormalize, Create<CFiveToneEncodeDlg>, kKeep, 0, CFiveToneEncodeDlg::HelpTopics()},
      // Signaling > 5-Tone User Tone
      {cmd::kFiveToneUserTone, kNormalize, Create<CFiveToneUserToneDlg>, kKeep, 0, CFiveToneUserToneDlg::HelpTopics()},
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
