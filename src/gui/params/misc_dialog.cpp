#include "params/misc_dialog.h"

#include <QFormLayout>

#include "image/codecs.h"
#include "image/entry_rules.h"
#include "params/rule_edit.h"
#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

struct MiscField {
  int id;  // of the list table
  int CommonOptionsArea::*field;
};

// The lists after the default split, in the order of the dialog.
const MiscField kFields[] = {
    {2500, &CommonOptionsArea::powerOnCondition},
    {2501, &CommonOptionsArea::beep},
    {CMiscDlg::kSquelchTail, &CommonOptionsArea::squelchTailElim},
    {2503, &CommonOptionsArea::bell},
    {2504, &CommonOptionsArea::ledLighting},
    {2505, &CommonOptionsArea::lcdLightingMode},
    {2506, &CommonOptionsArea::setToSetClone},
    {2507, &CommonOptionsArea::externalJack},
    {2508, &CommonOptionsArea::keyHoldingTime},
    {2509, &CommonOptionsArea::artsBeep},
};

const HelpTopic kTopics[] = {
    {CMiscDlg::kDefaultSplit, "Default Split",
     "<p>The offset, from -99.9 to 99.9 MHz, that channel entry adds to a receive frequency to "
     "propose the transmit frequency. It is kept in the data file, not in the radio.</p>"},
    {2500, "Power on Condition",
     "<p>What the radio does when it is switched on: return to the state it was in, start on group "
     "1, start dual watch or start scanning.</p>"},
    {2501, "Beep", "<p>Enabled: the keys beep.</p>"},
    {CMiscDlg::kSquelchTail, "Squelch Tail Elim",
     "<p>How the squelch tail is suppressed at the end of a transmission. \"Rev. Burst\" is shown "
     "while a radio's data holds it; once another choice is made it is no longer offered.</p>"},
    {2503, "Bell", "<p>Enabled: the radio rings on an incoming call.</p>"},
    {2504, "LED Lighting", "<p>Enabled: the busy and transmit lamp lights.</p>"},
    {2505, "LCD Lighting Mode",
     "<p>How the display light is switched on: by the lamp key, or for 5 seconds by any key "
     "(HT-620 Series).</p>"},
    {2506, "Set-to-Set Clone", "<p>Enabled: the radio can copy its data to another radio.</p>"},
    {2507, "External Jack", "<p>The accessory on the external jack.</p>"},
    {2508, "Key Holding Time", "<p>The holding time of the keys (HT-620 Series).</p>"},
    {2509, "Arts Beep", "<p>Enabled: the radio beeps when ARTS finds the other radio in or out of range.</p>"},
};

}  // namespace

CMiscDlg::CMiscDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Miscellaneous Parameters"), parent), splitAtOpening_(Data().defaultSplit) {
  area_.LoadFromImage(Data().image);
  QFormLayout* form = AddForm();
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);  // the lists line up
  AddEdit(form, kDefaultSplit, RuleLabel(fields::kDefaultSplit), fields::kDefaultSplit.filterMode,
          fields::kDefaultSplit.length);
  ShowText(kDefaultSplit, kp53::FormatDefaultSplit(Data().defaultSplit));
  for (const MiscField& f : kFields) {
    AddList(form, fields::List(f.id));
    SetFieldEnabled(f.id, ListEditable(fields::List(f.id), ListContext{.model = Data().hardware.model}));
    if (f.id != kSquelchTail) ShowIndex(f.id, area_.*f.field);
  }
  ShowSquelchTail();
}

std::span<const HelpTopic> CMiscDlg::HelpTopics() { return kTopics; }

void CMiscDlg::ShowSquelchTail() {
  squelchTail_ = OfferedItems(fields::List(kSquelchTail), ListContext{.stored = area_.squelchTailElim});
  QStringList items;
  int current = -1;
  for (const ChoiceItem& item : squelchTail_) {
    if (item.code == area_.squelchTailElim) current = static_cast<int>(items.size());
    items << QString::fromStdString(item.text);
  }
  SetItems(kSquelchTail, items, current);
}

void CMiscDlg::OnEditFinished(int id, const QString& text) {
  if (id != kDefaultSplit) return;
  Data().defaultSplit = kp53::DefaultSplitEntry(text.toStdString());
  ShowText(kDefaultSplit, kp53::FormatDefaultSplit(Data().defaultSplit));
}

void CMiscDlg::OnSelectionChanged(int id, int index) {
  if (id == kSquelchTail) {
    if (index >= static_cast<int>(squelchTail_.size())) return;
    const int before = area_.squelchTailElim;
    area_.squelchTailElim = squelchTail_[static_cast<std::size_t>(index)].code;
    // Leaving "Rev. Burst " takes it out of the list.
    if (before != area_.squelchTailElim &&
        OfferedItems(fields::List(kSquelchTail), ListContext{.stored = area_.squelchTailElim}).size() != squelchTail_.size())
      ShowSquelchTail();
    return;
  }
  for (const MiscField& f : kFields)
    if (f.id == id) area_.*f.field = index;
}

void CMiscDlg::OnOk() {
  area_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

void CMiscDlg::OnCancel() {
  Data().defaultSplit = splitAtOpening_;
  CParamDialog::OnCancel();
}

}  // namespace kp53::gui
