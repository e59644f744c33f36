// "2-Tone Table Parameters": the ten tone pairs. A tone is typed (288.5 to 3000.0 Hz) or picked
// from the standard tables: Enter on a field that is not being edited, or a double-click on it,
// opens the tone picker.
#pragma once

#include <span>

#include "app/help_window.h"
#include "image/two_tone_areas.h"
#include "params/param_dialog.h"

namespace kp53::gui {

class CTwoToneTableDlg : public CParamDialog {
  Q_OBJECT

 public:
  explicit CTwoToneTableDlg(const ParamEnv& env, QWidget* parent = nullptr);
  static std::span<const HelpTopic> HelpTopics();
  // The control id of the first (second) tone of pair `pair` (1 to 10).
  static int ToneId(int pair, bool second) { return 3502 + 3 * (pair - 1) + (second ? 1 : 0); }
  // Opens the tone picker for a tone field, as Enter and a double-click do.
  void PickTone(int id);

 protected:
  void OnEditFinished(int id, const QString& text) override;
  void OnOk() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int& Tone(int id);
  void ShowPair(int pair);

  TwoToneTable table_;
};

}  // namespace kp53::gui
