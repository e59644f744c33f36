// "5-Tone General Parameters": the delays, display and compare digits, tones, auto reset, call keys
// and timers that every 5-tone system shares. The auto reset time and beep are the same setting as
// in the 2-tone parameters. The HT-610 has no display for the caller: its display-digit group is
// disabled.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/five_tone_areas.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CFiveToneGeneralDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kTagDisplay = 4021, kDisplayDigit1 = 4022;  // to 4029
  static constexpr int kClearToTranspond = 4030, kPttCall = 4031, kCompareDigit1 = 4032;  // to 4039
  static constexpr int kAniDisplay = 4040;
  static constexpr int kGroupTone = 4041, kRepeatTone = 4042, kDelay3Tone = 4043;
  static constexpr int kAutoResetTime = 4044, kAutoResetBeep = 4045, kCallKey2 = 4046, kCallKey3 = 4047;
  static constexpr int kDelay1 = 4061;  // to 4064
  static constexpr int kFirstDigitDelay = 4065, kTranspondDelay = 4066;
  static constexpr int kAutoTxTime = 4067, kIdDecodeTime = 4068, kBeepRepeatTime = 4069;

  explicit CFiveToneGeneralDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

  // The group box of the display digits (disabled for the HT-610).
  QWidget* DisplayDigitGroup() const { return displayGroup_; }

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnEditFinished(int id, const QString& text) override;
  void OnToggled(int id, bool checked) override;
  void OnOk() override;
  // Enter on a check box switches it; the dialog stays open.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The record field of delay field `id` (delays, first digit, transpond, ID decode); nullptr else.
  int* DelayField(int id);

  FiveToneGeneral general_;
  QWidget* displayGroup_ = nullptr;
};

}  // namespace kp53::gui
