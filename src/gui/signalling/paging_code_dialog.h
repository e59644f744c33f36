// "Paging Code": the ten page codes of three DTMF digits with their mode ("Off", "DEC"). Only the
// SCB-31 option board pages: with another board every row is disabled. A row's mode list is
// enabled only while its page has a code.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/paging_area.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CPagingCodeDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kMode1 = 4600;  // to 4609
  static constexpr int kCode1 = 4620;  // to 4629

  explicit CPagingCodeDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;

 private:
  PagingParams paging_;
  int optionBoard_ = 0;
};

}  // namespace kp53::gui
