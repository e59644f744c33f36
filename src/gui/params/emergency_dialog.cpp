#include "params/emergency_dialog.h"

#include <QFormLayout>

#include "image/image_rules.h"
#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

struct EmergencyField {
  int id;  // of the list table
  int EmergencyArea::*field;
};

// The lists after the channel, in the order of the dialog.
const EmergencyField kFields[] = {
    {2301, &EmergencyArea::rxTime},
    {2302, &EmergencyArea::txTime},
    {2303, &EmergencyArea::silentMode},
    {2304, &EmergencyArea::keyDuration},
    {2305, &EmergencyArea::loneWorkerTimer},
};

const HelpTopic kTopics[] = {
    {CEmergencyDlg::kChannel, "Emergency Channel",
     "<p>The channel the radio switches to when an emergency is started: the channel in use, the "
     "priority channel, or one of the allocated channels (CH-1 is the first channel of the first "
     "group that has channels).</p>"},
    {2301, "Emergency RX Time", "<p>How long the radio receives in each emergency cycle.</p>"},
    {2302, "Emergency TX Time", "<p>How long the radio transmits in each emergency cycle.</p>"},
    {2303, "Emergency Silent Mode", "<p>Enabled: the radio gives no sound or display sign of an emergency.</p>"},
    {2304, "Emergency Key Duration", "<p>How long the emergency key must be held to start an emergency.</p>"},
    {2305, "Lone Worker Timer",
     "<p>The time after which the radio raises an alarm when it has not been used (lone worker "
     "function).</p>"},
};

}  // namespace

CEmergencyDlg::CEmergencyDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Emergency"), parent) {
  area_.LoadFromImage(Data().image);
  QFormLayout* form = AddForm();
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);  // the lists line up
  // The channel items name the channel's tag too ("CH-16  EMERG").
  AddList(form, fields::List(kChannel));
  QStringList channels;
  for (const std::string& item : kp53::EmergencyChannelChoices(Data().channels)) channels << QString::fromStdString(item);
  SetItems(kChannel, channels);
  // The item is the channel value; a channel beyond the allocation shows no selection.
  ShowIndex(kChannel, area_.ChannelValue());
  for (const EmergencyField& f : kFields) {
    AddList(form, fields::List(f.id));
    ShowIndex(f.id, area_.*f.field);
  }
}

std::span<const HelpTopic> CEmergencyDlg::HelpTopics() { return kTopics; }

void CEmergencyDlg::OnSelectionChanged(int id, int index) {
  if (id == kChannel) {
    area_.SetChannelValue(index);
    return;
  }
  for (const EmergencyField& f : kFields)
    if (f.id == id) area_.*f.field = index;
}

void CEmergencyDlg::OnOk() {
  area_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
