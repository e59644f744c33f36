// "Miscellaneous Parameters": the default split that channel entry adds to a receive frequency,
// and the radio's power-on condition, beeps, lighting, cloning, external jack and key holding time.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/common_options_area.h"
#include "image/image_rules.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CMiscDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kDefaultSplit = 2520;
  static constexpr int kSquelchTail = 2502;

  explicit CMiscDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;
  void OnCancel() override;

 private:
  void ShowSquelchTail();

  kp53::CommonOptionsArea area_;
  std::vector<kp53::ChoiceItem> squelchTail_;  // the items the squelch tail list offers
  double splitAtOpening_;
};

}  // namespace kp53::gui
