// "Hardware Parameters": model and front keypad, frequency band and range, band limits, reference
// oscillator, first IF, injection side, channel step, squelch timing and two timers. It edits the
// document's long-lived HardwareArea directly and the front keypad in its own CommonOptionsArea.
// In user mode only the model can be changed.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/common_options_area.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CHardwareParamsDlg : public CParamDialog {
  Q_OBJECT

 public:
  enum Id {
    kMinFrequency = 2000,
    kMaxFrequency = 2001,
    kRefXtal = 2002,
    kFirstIf = 2003,
    kModel = 2005,
    kFrontKeypad = 2006,
    kBand = 2007,
    kRange = 2008,
    kLocalOffset = 2009,
    kChannelStep = 2010,
    kDcsRxData = 2011,
    kDcsTxData = 2012,
    kSqlRelease = 2013,
    kSqlAttack = 2014,
    kSqlHysteresis = 2015,
    kRxSaveOff = 2016,
    kCtcssRelease = 2017,
    kTemperature = 2018,
  };

  explicit CHardwareParamsDlg(const ParamEnv& env, QWidget* parent = nullptr);

  // 4 after a band change, else 1 after a model change, else 2 after a change of the values the
  // view's header shows, else 0.
  int RefreshCode() const override;

  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;
  void OnCancel() override;

 private:
  void EnableByMode();
  void FillLists();
  void ShowAll();
  void ChangeBand(bool uhf);

  kp53::CommonOptionsArea options_;
  double defaultSplit_ = 0.0;
  bool bandChanged_ = false;
  bool modelChanged_ = false;
  bool valuesChanged_ = false;
  // The image, DefaultSplit and path as the dialog found them: Cancel puts them back, so that a
  // band change read from a default file does not survive a cancelled dialog.
  kp53::RadioImage imageAtOpen_{};
  kp53::HardwareArea hardwareAtOpen_;  // with the range and temperature table the image lacks
  double splitAtOpen_ = 0.0;
  std::string pathAtOpen_;
};

}  // namespace kp53::gui
