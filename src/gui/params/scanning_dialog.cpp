#include "params/scanning_dialog.h"

#include <QFormLayout>

#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

struct ScanField {
  int id;  // of the list table
  int ScanArea::*field;
};

// In the order of the dialog.
const ScanField kFields[] = {
    {2101, &ScanArea::resumeTime1},
    {2102, &ScanArea::resumeTime2},
    {2103, &ScanArea::dualWatch},
    {2104, &ScanArea::dualWatchTimer},
    {2105, &ScanArea::talkBack},
    {2106, &ScanArea::revertChannel},
    {2107, &ScanArea::scanSpeed},
    {2108, &ScanArea::groupScan},
};

const HelpTopic kTopics[] = {
    {2101, "Scan Resume Time 1",
     "<p>How long the radio stays on a channel where scanning stopped after the signal drops, while "
     "the PTT has not been pressed.</p>"},
    {2102, "Scan Resume Time 2",
     "<p>How long the radio stays on a channel where scanning stopped after the signal drops, once "
     "the PTT has been pressed there.</p>"},
    {2103, "Dual Watch", "<p>Enabled: the radio checks the priority channel for a carrier at intervals.</p>"},
    {2104, "Dual Watch Timer", "<p>The interval between two checks of the priority channel.</p>"},
    {2105, "Talk Back", "<p>Enabled: the PTT transmits on the channel where scanning stopped.</p>"},
    {2106, "Revert Channel",
     "<p>The channel the radio transmits on when the PTT is pressed during scanning: the priority "
     "channel, the channel scanning started from, or the last busy channel.</p>"},
    {2107, "Scan Speed", "<p>Fast or slow scanning.</p>"},
    {2108, "Group Scan", "<p>Scan the current group only, or every channel selected for scanning.</p>"},
};

}  // namespace

CScanningDlg::CScanningDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Scanning Parameters"), parent) {
  area_.LoadFromImage(Data().image);
  QFormLayout* form = AddForm();
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);  // the lists line up
  for (const ScanField& f : kFields) {
    AddList(form, fields::List(f.id));
    ShowIndex(f.id, area_.*f.field);
  }
}

std::span<const HelpTopic> CScanningDlg::HelpTopics() { return kTopics; }

void CScanningDlg::OnSelectionChanged(int id, int index) {
  for (const ScanField& f : kFields)
    if (f.id == id) area_.*f.field = index;
}

void CScanningDlg::OnOk() {
  area_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
