#include "params/power_saving_dialog.h"

#include <QFormLayout>

#include "image/channel_editing.h"
#include "image/entry_rules.h"
#include "params/filtered_edit.h"
#include "params/rule_edit.h"
#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

constexpr int kTag = 2150;

struct PowerField {
  int id;  // of the list table
  int CommonOptionsArea::*field;
};

// The lists, in the order of the dialog after the tag.
const PowerField kFields[] = {
    {2153, &CommonOptionsArea::transmitTimer},
    {2154, &CommonOptionsArea::penaltyTimer},
    {2155, &CommonOptionsArea::releaseTimer},
    {2156, &CommonOptionsArea::receiveSaveMode},
    {2157, &CommonOptionsArea::micGain},
    {2158, &CommonOptionsArea::lowBatteryAlert},
};

const HelpTopic kTopics[] = {
    {kTag, "Power ON Tag",
     "<p>The text of up to eight characters the display shows when the radio is switched on "
     "(HT-620 Series only). Letters are stored in upper case; characters the display cannot show "
     "are refused.</p>"},
    {2153, "Transmit Timer", "<p>The longest transmission allowed when the time-out timer is selected for a channel.</p>"},
    {2154, "Penalty Timer", "<p>How long transmitting stays inhibited after the time-out timer has ended a transmission.</p>"},
    {2155, "Release Timer", "<p>How long transmitting stays inhibited after the PTT is released.</p>"},
    {2156, "Receive Save Mode", "<p>The proportion of receiver on time to off time while battery saving.</p>"},
    {2157, "Mic Gain", "<p>The microphone gain: standard, 6 dB more or 6 dB less.</p>"},
    {2158, "Low Battery Alert Interval", "<p>How often the radio beeps when the battery is low.</p>"},
};

}  // namespace

CPowerSavingDlg::CPowerSavingDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Power Saving Parameters"), parent) {
  area_.LoadFromImage(Data().image);
  QFormLayout* form = AddForm();
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);  // the lists line up
  // Typed as in the channel grid's TAG cells: letters upper-cased, what the radio cannot show refused.
  AddEdit(form, fields::kPowerOnTag.id, RuleLabel(fields::kPowerOnTag), fields::kPowerOnTag.filterMode, fields::kPowerOnTag.length)->setCharacterMap(RuleCharacterMap(fields::kPowerOnTag));
  ShowText(kTag, area_.powerOnTag);
  SetFieldEnabled(kTag, Data().hardware.model == 1);
  for (const PowerField& f : kFields) {
    AddList(form, fields::List(f.id));
    ShowIndex(f.id, area_.*f.field);
  }
}

std::span<const HelpTopic> CPowerSavingDlg::HelpTopics() { return kTopics; }

void CPowerSavingDlg::OnEditFinished(int id, const QString& text) {
  if (id != kTag) return;
  area_.powerOnTag = fields::kPowerOnTag.enter(text.toStdString());
  ShowText(kTag, area_.powerOnTag);
}

void CPowerSavingDlg::OnSelectionChanged(int id, int index) {
  for (const PowerField& f : kFields)
    if (f.id == id) area_.*f.field = index;
}

void CPowerSavingDlg::OnOk() {
  area_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
