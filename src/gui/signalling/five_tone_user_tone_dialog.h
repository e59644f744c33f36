// "5-Tone User Tone": the frequencies of the fifteen tones of the User tone format.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/five_tone_areas.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CFiveToneUserToneDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kTone0 = 4532;  // to 4546: tones "0" to "9", "A" to "E"

  explicit CFiveToneUserToneDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;

 private:
  FiveToneUserTones tones_;
};

}  // namespace kp53::gui
