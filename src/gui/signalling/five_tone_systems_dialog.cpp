#include "signalling/five_tone_systems_dialog.h"

#include "signalling/table_topics.h"

namespace kp53::gui {

std::span<const HelpTopic> CFiveToneSystemsDlg::HelpTopics() {
  static const TableTopics topics(kGridId, {
      {"5-Tone Systems",
       "<p>The 32 systems of 5-tone signalling. Move to a cell and press Space or double-click it to "
       "change it. Ctrl+C copies the selected cells, Ctrl+V pastes them from the current cell on. OK "
       "stores the table.</p>"},
      {"5-Tone System: Tone Format",
       "<p>The tone format of the system: ZVEI1, ZVEI2, PZVEI, DZVEI, PDZVEI, CCIR1, CCIR2, PCCIR, EEA, "
       "EIA, NATEL or the user tones. Space opens the list.</p>"},
      {"5-Tone System: Monitor Switch", "<p>What a decoded call does to the monitor: -----, Open, Close or Both.</p>"},
      {"5-Tone System: Channel Switch", "<p>What a decoded call does to the channel: -----, Open or Close.</p>"},
      {"5-Tone System: Call Switch", "<p>Whether the call key sends this system's call.</p>"},
      {"5-Tone System: PTT Switch", "<p>Whether the PTT key sends this system's ANI.</p>"},
      {"5-Tone System: Repeater Code", "<p>The encode entry (1 to 32) sent to open a repeater, or Disable.</p>"},
      {"5-Tone System: Call Code", "<p>The encode entry (1 to 32) sent as the call, or Disable.</p>"},
      {"5-Tone System: ID Code", "<p>The encode entry (1 to 32) sent as the radio's ID, or Disable.</p>"},
      {"5-Tone System: Flow", "<p>The order of call and ID: -------, Call-ID or ID-Call.</p>"},
      {"5-Tone System: ANI Transmit", "<p>When the ANI is sent: -------, on Press or on Release of the PTT.</p>"},
      {"5-Tone System: Auto Reset", "<p>Whether the system goes back to idle after the auto reset time.</p>"},
      {"5-Tone System: Compander", "<p>Whether the compander is used with this system.</p>"},
      {"5-Tone System: Duty", "<p>Whether the system works on duty.</p>"},
  }, "5-Tone System: Decode %1", "<p>Whether decode entry %1 is used by this system.</p>", 8);
  return topics.Span();
}

CFiveToneSystemsDlg::CFiveToneSystemsDlg(const ParamEnv& env, QWidget* parent)
    : CTableDialog(env, QStringLiteral("5-Tone Systems"), kGridId, 4201, parent) {
  table_.LoadFromImage(Data().image);
  SetModel(std::make_unique<FiveToneSystemsGrid>(table_), 16, false, true);
}

}  // namespace kp53::gui
