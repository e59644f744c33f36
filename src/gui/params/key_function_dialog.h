// "Key Function Parameters": the function of each programmable key for a press and for a press
// and hold, and what the rotary switch selects. Each function goes to one key at most: a function
// given to one key leaves the other keys' lists.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/key_function_area.h"
#include "image/list_field_table.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CKeyFunctionDlg : public CParamDialog {
  Q_OBJECT

 public:
  static constexpr int kRotary = 2262;
  static constexpr int kFirstSlot = 2250;  // slot n has control id 2250 + n

  explicit CKeyFunctionDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void OnSelectionChanged(int id, int index) override;
  void OnOk() override;

 private:
  // Fills every slot's list with the functions it may take and selects its own.
  void FillSlotLists();
  // What the lists offer: the model and the functions the keys hold.
  ListContext Context() const;

  kp53::KeyFunctionArea area_;
  int model_ = 1;
};

}  // namespace kp53::gui
