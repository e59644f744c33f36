// "Signaling Type": the radio's selective-calling system, 2-tone or 5-tone. A change of system
// reaches the image only with OK; it then clears every channel's signalling and gives the new
// system's areas their defaults, and the dialog reports refresh code 1 so that the frame redraws
// the channels and enables the Signaling menu for the new system.
#pragma once

#include <span>

#include "app/help_window.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CSignalingTypeDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kSignaling = 2050;

  explicit CSignalingTypeDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;

 private:
  // The list only proposes a system; the image and the modified flag change on OK.
  bool modifiedAtOpen_;
};

}  // namespace kp53::gui
