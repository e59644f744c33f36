// "5-Tone Systems": the 32 systems of 5-tone signalling in a grid, with copy and paste of cells.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/five_tone_areas.h"
#include "signalling/table_dialog.h"

namespace kp53::gui {

class CFiveToneSystemsDlg : public CTableDialog {
  Q_OBJECT

 public:
  static constexpr int kGridId = 4202;
  explicit CFiveToneSystemsDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void StoreTable() override { table_.StoreToImage(Data().image); }

 private:
  FiveToneSystemTable table_;
};

}  // namespace kp53::gui
