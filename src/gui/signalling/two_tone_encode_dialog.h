// "2-Tone Encode": the encode type, the format pair and the two tone period times.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/two_tone_areas.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CTwoToneEncodeDlg : public CParamDialog {
  Q_OBJECT

 public:
  explicit CTwoToneEncodeDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;

 private:
  TwoToneEncode encode_;
};

}  // namespace kp53::gui
