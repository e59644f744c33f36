// "5-Tone Encode": the 32 encode entries in a grid, with typed codes and tags (tags on the HT-620
// only).
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/five_tone_areas.h"
#include "signalling/table_dialog.h"

namespace kp53::gui {

class CFiveToneEncodeDlg : public CTableDialog {
  Q_OBJECT

 public:
  static constexpr int kGridId = 4441;
  explicit CFiveToneEncodeDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();

 protected:
  void StoreTable() override { table_.StoreToImage(Data().image); }

 private:
  FiveToneEncodeTable table_;
};

}  // namespace kp53::gui
