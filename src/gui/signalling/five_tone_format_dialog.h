// "5-Tone Format Timing": the tone period and the receive gap of each of the twelve tone formats.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/five_tone_areas.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CFiveToneFormatDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kPeriod1 = 4121;  // to 4132, one per format
  static constexpr int kGap1 = 4141;     // to 4152

  explicit CFiveToneFormatDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;

 private:
  FiveToneFormatTiming timing_;
};

}  // namespace kp53::gui
