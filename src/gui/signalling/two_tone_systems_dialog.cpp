#include "signalling/two_tone_systems_dialog.h"

namespace kp53::gui {

namespace {

const HelpTopic kTopics[] = {
    {CTwoToneSystemsDlg::kGridId, "2-Tone Systems",
     "<p>The sixteen 2-tone systems that the channels refer to. Move to a cell and press Space or "
     "double-click it to change it; OK stores the table.</p>"},
    {CTwoToneSystemsDlg::kGridId + 1, "2-Tone System: Primary Pair",
     "<p>The pair of the 2-Tone Table the system decodes first, or - for none. Space or a "
     "double-click opens the list of pairs.</p>"},
    {CTwoToneSystemsDlg::kGridId + 2, "2-Tone System: Secondary",
     "<p>Whether the system also decodes the secondary page pair. Space or a double-click switches it.</p>"},
    {CTwoToneSystemsDlg::kGridId + 3, "2-Tone System: Auto Reset",
     "<p>Whether the system goes back to idle after the auto reset time. Space or a double-click "
     "switches it.</p>"},
};

}  // namespace

std::span<const HelpTopic> CTwoToneSystemsDlg::HelpTopics() { return kTopics; }

CTwoToneSystemsDlg::CTwoToneSystemsDlg(const ParamEnv& env, QWidget* parent)
    : CTableDialog(env, QStringLiteral("2-Tone Systems"), kGridId, 4501, parent) {
  table_.LoadFromImage(Data().image);
  SetModel(std::make_unique<TwoToneSystemsGrid>(table_), TwoToneSystemTable::kSystemCount);
}

}  // namespace kp53::gui
