// "Power Saving Parameters": the power-on tag (HT-620 Series only), the transmit, penalty and
// release timers, receive save mode, MIC gain and low battery alert interval.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/common_options_area.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CPowerSavingDlg : public CParamDialog {
  Q_OBJECT

 public:
  explicit CPowerSavingDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;

 private:
  kp53::CommonOptionsArea area_;
};

}  // namespace kp53::gui
