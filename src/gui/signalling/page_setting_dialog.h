// "Page Setting Parameters": DTMF speed, answer back, call times and auto reset time of the DTMF
// paging. Only the SCB-31 option board pages: with another board the lists are shown disabled and
// OK writes the loaded values back unchanged.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/paging_area.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CPageSettingDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kDtmfSpeed = 4580, kAnswerBack = 4581, kCallTimes = 4582, kAutoResetTime = 4583;

  explicit CPageSettingDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;

 private:
  PagingParams paging_;
};

}  // namespace kp53::gui
