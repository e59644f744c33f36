#include "signalling/two_tone_params_dialog.h"

#include <QFormLayout>

#include "image/entry_rules.h"
#include "image/list_field_table.h"
#include "params/rule_edit.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

enum : int {
  kAutoResetTime = 3401,
  kAutoResetBeep,
  kPrimaryGroupCall,
  kSecondaryGroupCall,
  kSecondaryPagePair,
  kComplement,
  kDuty,
  kCallBeepTone,
  kBeepMode,
  kBeepRepeat,
};

const HelpTopic kTopics[] = {
    {kAutoResetTime, "2-Tone Auto Reset Time",
     "<p>How long after a call the radio goes back to its idle state. The same setting is shown "
     "in the 5-Tone General Parameters.</p>"},
    {kAutoResetBeep, "2-Tone Auto Reset Beep", "<p>Whether the radio beeps when the auto reset time runs out.</p>"},
    {kPrimaryGroupCall, "Primary Group Call",
     "<p>Which tone of the primary pair, heard alone, is taken as a group call: Off, the 1st or the 2nd "
     "tone.</p>"},
    {kSecondaryGroupCall, "Secondary Group Call",
     "<p>Which tone of the secondary page pair, heard alone, is taken as a group call.</p>"},
    {kSecondaryPagePair, "Secondary Page Pair", "<p>The tone pair (Pair#1 to Pair#10 of the 2-Tone Table) of "
                                                "the secondary page.</p>"},
    {kComplement, "CTCSS/DCS Complement",
     "<p>Enable: the channel's CTCSS or DCS must be received too before a 2-tone call is taken.</p>"},
    {kDuty, "2-Tone Duty", "<p>Off-Duty or On-Duty: how the radio answers a decoded call.</p>"},
    {kCallBeepTone, "Call Beep Tone", "<p>The alert the radio sounds on a decoded call: Disable or Beep A to G.</p>"},
    {kBeepMode, "2-Tone Beep Mode", "<p>Single sounds the alert once; Repeat sounds it every beep repeat time.</p>"},
    {kBeepRepeat, "2-Tone Beep Repeat Time",
     "<p>Seconds between alerts in Repeat mode, 0 to 255. Type the number and finish with Enter.</p>"},
};

}  // namespace

std::span<const HelpTopic> CTwoToneParamsDlg::HelpTopics() { return kTopics; }

CTwoToneParamsDlg::CTwoToneParamsDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("2-Tone Parameters"), parent) {
  params_.LoadFromImage(Data().image);
  QFormLayout* form = AddForm();
  for (int id = kAutoResetTime; id <= kBeepMode; ++id) AddList(form, fields::List(id));
  const NumberFieldRule& beep = fields::kTwoToneBeepRepeat;
  AddEdit(form, beep.id, RuleLabel(beep), beep.filterMode, beep.length);

  ShowIndex(kAutoResetTime, params_.autoResetTime);
  ShowIndex(kAutoResetBeep, params_.autoResetBeep);
  ShowIndex(kPrimaryGroupCall, params_.primaryGroupCall);
  ShowIndex(kSecondaryGroupCall, params_.secondaryGroupCall);
  ShowIndex(kSecondaryPagePair, params_.secondaryPagePair);
  ShowIndex(kComplement, params_.complement);
  ShowIndex(kDuty, params_.duty);
  ShowIndex(kCallBeepTone, params_.callBeepTone);
  ShowIndex(kBeepMode, params_.beepMode);
  ShowText(kBeepRepeat, SecondsText(params_.beepRepeatTime));
}

void CTwoToneParamsDlg::OnSelectionChanged(int id, int index) {
  switch (id) {
    case kAutoResetTime: params_.autoResetTime = index; break;
    case kAutoResetBeep: params_.autoResetBeep = index; break;
    case kPrimaryGroupCall: params_.primaryGroupCall = index; break;
    case kSecondaryGroupCall: params_.secondaryGroupCall = index; break;
    case kSecondaryPagePair: params_.secondaryPagePair = index; break;
    case kComplement: params_.complement = index; break;
    case kDuty: params_.duty = index; break;
    case kCallBeepTone: params_.callBeepTone = index; break;
    case kBeepMode: params_.beepMode = index; break;
    default: break;
  }
}

void CTwoToneParamsDlg::OnEditFinished(int id, const QString& text) {
  if (id != kBeepRepeat) return;
  const Entry e = BeepRepeatEntry(text.toStdString());
  params_.beepRepeatTime = e.stored;
  ShowText(id, e.shown);
}

void CTwoToneParamsDlg::OnOk() {
  params_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
