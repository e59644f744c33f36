// "Option": the option board fitted to the radio and the settings of the VRU-8 voice recorder.
// Changing the board takes away the channel signalling the new board cannot carry; OK turns the
// Omnitrunk groups conventional unless the Omnitrunk board is fitted. Cancel undoes both.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/common_options_area.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class COptionDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kOptionBoard = 4527;
  static constexpr int kFrontKeypad = 4528;

  explicit COptionDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;
  void OnCancel() override;

 private:
  void EnableRecorderFields();

  kp53::CommonOptionsArea area_;
  // The image as the dialog found it: a board change clears channel signalling in the image at
  // once, and Cancel puts it back.
  kp53::RadioImage imageAtOpening_;
};

}  // namespace kp53::gui
