// "ANI/Speed Dial Parameters": the DTMF block. ANI transmit, delay, speed and pause time as lists;
// ten speed-dial codes, the ANI code and the emergency code of up to 15 DTMF digits and the
// one-digit pause code as fields that take only DTMF digits (lower-case "a" to "d" become upper
// case).
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/dtmf_area.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CAniSpeedDialDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kAniTransmit = 3001, kDelay = 3002, kSpeed = 3003, kPauseTime = 3004;
  static constexpr int kSpeedDial0 = 3005;  // to 3014
  static constexpr int kAniCode = 3015, kEmergencyCode = 3016, kPauseCode = 3017;

  explicit CAniSpeedDialDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;

 private:
  DtmfParams dtmf_;
};

}  // namespace kp53::gui
