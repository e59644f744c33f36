// "Marketing Parameters": the market application and, in maintenance mode, the serial number of
// the radio. Both edit the document's identity area; an edit marks the identity for the next
// maintenance-mode Download.
#pragma once

#include <span>

#include "app/help_window.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CMarketingDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kMarketApplication = 2400;
  static constexpr int kSerialNumber = 2401;

  explicit CMarketingDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;
  void OnCancel() override;

 private:
  bool editedBefore_;  // the identity's Download mark when the dialog opened
};

}  // namespace kp53::gui
