// "Scanning Parameters": the scan resume times, dual watch, talk back, revert channel, scan speed
// and group scan, every one a list whose item is the stored value.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/scan_area.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CScanningDlg : public CParamDialog {
  Q_OBJECT

 public:
  explicit CScanningDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;

 private:
  kp53::ScanArea area_;
};

}  // namespace kp53::gui
