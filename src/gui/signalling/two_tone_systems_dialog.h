// "2-Tone Systems": the sixteen 2-tone systems in a grid (primary pair, secondary, auto reset).
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/two_tone_areas.h"
#include "signalling/table_dialog.h"

namespace kp53::gui {

class CTwoToneSystemsDlg : public CTableDialog {
  Q_OBJECT

 public:
  static constexpr int kGridId = 4502;
  explicit CTwoToneSystemsDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void StoreTable() override { table_.StoreToImage(Data().image); }

 private:
  TwoToneSystemTable table_;
};

}  // namespace kp53::gui
