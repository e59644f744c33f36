// "2-Tone Parameters": auto reset, group calls, secondary page pair, complement, duty, call beep.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/two_tone_areas.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CTwoToneParamsDlg : public CParamDialog {
  Q_OBJECT

 public:
  explicit CTwoToneParamsDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;

 private:
  TwoToneParams params_;
};

}  // namespace kp53::gui
