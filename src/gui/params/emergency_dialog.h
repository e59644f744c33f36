// "Emergency": the emergency channel (the current channel, the priority channel or one of the
// allocated channels), the emergency receive and transmit times, silent mode, key duration and
// the lone worker timer.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/emergency_area.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CEmergencyDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kChannel = 2300;

  explicit CEmergencyDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;

 private:
  kp53::EmergencyArea area_;
};

}  // namespace kp53::gui
