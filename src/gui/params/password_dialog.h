// "Power ON Password": whether the radio asks for a password when it is switched on, and the
// four-digit password.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/common_options_area.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CPowerOnPasswordDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kPasswordEnabled = 4515;
  static constexpr int kPassword = 4512;

  explicit CPowerOnPasswordDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;

 private:
  kp53::CommonOptionsArea area_;
};

}  // namespace kp53::gui
