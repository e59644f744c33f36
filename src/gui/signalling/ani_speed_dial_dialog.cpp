#include "signalling/ani_speed_dial_dialog.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "image/entry_rules.h"
#include "params/filtered_edit.h"
#include "params/rule_edit.h"
#include "signalling/prompt_fit.h"
#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {


constexpr HelpTopic kTopics[] = {
    {CAniSpeedDialDlg::kAniTransmit, "ANI Transmit",
     "<p>When the radio sends its DTMF ANI code: as the PTT key is pressed or as it is released.</p>"},
    {CAniSpeedDialDlg::kDelay, "DTMF Delay",
     "<p>The time between the start of the transmission and the first DTMF digit.</p>"},
    {CAniSpeedDialDlg::kSpeed, "DTMF Speed", "<p>How long each DTMF digit sounds.</p>"},
    {CAniSpeedDialDlg::kPauseTime, "DTMF Pause Time",
     "<p>The length of the pause that the pause code puts into a DTMF code.</p>"},
    {CAniSpeedDialDlg::kSpeedDial0, "Speed Dial Codes",
     "<p>Ten DTMF codes of up to 15 digits that the Speed Dial key sends. A field takes the digits "
     "0 to 9, A to D, * and #; type the code and press Enter or leave the field.</p>"},
    {CAniSpeedDialDlg::kAniCode, "DTMF ANI Code",
     "<p>The DTMF code of up to 15 digits that identifies the radio, sent on the channels that have "
     "DTMF ANI switched on.</p>"},
    {CAniSpeedDialDlg::kEmergencyCode, "DTMF Emergency Code",
     "<p>The DTMF code of up to 15 digits that the radio sends in an emergency.</p>"},
    {CAniSpeedDialDlg::kPauseCode, "DTMF Pause Code",
     "<p>One DTMF digit that stands for a pause inside a DTMF code. Leave it empty for none.</p>"},
};

}  // namespace

CAniSpeedDialDlg::CAniSpeedDialDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("ANI/Speed Dial Parameters"), parent) {
  dtmf_.LoadFromImage(Data().image);

  // Left: the timing lists above the ANI, emergency and pause codes; right: the speed dials. The
  // fields are made in their tab order.
  auto* columns = new QHBoxLayout;
  Body()->addLayout(columns);
  auto* left = new QVBoxLayout;
  columns->addLayout(left);
  QFormLayout* timing = AddForm(left);
  for (int id : {kAniTransmit, kDelay, kSpeed, kPauseTime}) AddList(timing, fields::List(id));
  QFormLayout* speedDials = AddForm(columns);
  for (int n = 0; n < DtmfParams::kSpeedDialCount; ++n) {
    AddEdit(speedDials, fields::SpeedDial(n).id, RuleLabel(fields::SpeedDial(n)), fields::SpeedDial(n).filterMode, fields::SpeedDial(n).length)->setCharacterMap(RuleCharacterMap(fields::SpeedDial(n)));
    SetHelpContext(kSpeedDial0 + n, kSpeedDial0);
  }
  left->addSpacing(12);
  QFormLayout* codes = AddForm(left);
  // The ANI code is an active field with 2-tone only; with 5-tone it looks plain until typed in.
  CFilteredEdit* ani = AddEdit(codes, fields::kAniCode.id, RuleLabel(fields::kAniCode), fields::kAniCode.filterMode,
                               fields::kAniCode.length);
  ani->setCharacterMap(RuleCharacterMap(fields::kAniCode));
  // The ANI code is set up as an active field with 2-tone only; with 5-tone it keeps the look of
  // a plain read-only line edit (the application's own colours) until the user starts editing it.
  if (Data().signaling.IsFiveTone()) ani->setPalette(QApplication::palette(ani));
  AddEdit(codes, fields::kEmergencyCode.id, RuleLabel(fields::kEmergencyCode), fields::kEmergencyCode.filterMode, fields::kEmergencyCode.length)->setCharacterMap(RuleCharacterMap(fields::kEmergencyCode));
  AddEdit(codes, fields::kPauseCode.id, RuleLabel(fields::kPauseCode), fields::kPauseCode.filterMode, fields::kPauseCode.length)->setCharacterMap(RuleCharacterMap(fields::kPauseCode));
  left->addStretch(1);

  ShowIndex(kAniTransmit, dtmf_.aniTransmit);
  ShowIndex(kDelay, dtmf_.delay);
  ShowIndex(kSpeed, dtmf_.speed);
  ShowIndex(kPauseTime, dtmf_.pauseTime);
  for (int n = 0; n < DtmfParams::kSpeedDialCount; ++n)
    ShowText(kSpeedDial0 + n, dtmf_.speedDial[static_cast<std::size_t>(n)]);
  ShowText(kAniCode, dtmf_.aniCode);
  ShowText(kEmergencyCode, dtmf_.emergencyCode);
  ShowText(kPauseCode, dtmf_.pauseCode);
  FitPromptsInWidth(*this, kAniTransmit, kPauseCode);
}

std::span<const HelpTopic> CAniSpeedDialDlg::HelpTopics() { return kTopics; }

void CAniSpeedDialDlg::OnSelectionChanged(int id, int index) {
  switch (id) {
    case kAniTransmit: dtmf_.aniTransmit = index; break;
    case kDelay: dtmf_.delay = index; break;
    case kSpeed: dtmf_.speed = index; break;
    case kPauseTime: dtmf_.pauseTime = index; break;
    default: break;
  }
}

void CAniSpeedDialDlg::OnEditFinished(int id, const QString& text) {
  std::string* code = nullptr;
  const TextFieldRule* rule = nullptr;
  if (id >= kSpeedDial0 && id < kSpeedDial0 + DtmfParams::kSpeedDialCount) {
    code = &dtmf_.speedDial[static_cast<std::size_t>(id - kSpeedDial0)];
    rule = &fields::SpeedDial(id - kSpeedDial0);
  } else if (id == kAniCode) {
    code = &dtmf_.aniCode;
    rule = &fields::kAniCode;
  } else if (id == kEmergencyCode) {
    code = &dtmf_.emergencyCode;
    rule = &fields::kEmergencyCode;
  } else if (id == kPauseCode) {
    code = &dtmf_.pauseCode;
    rule = &fields::kPauseCode;
  }
  if (!code) return;
  *code = rule->enter(text.toStdString());
  ShowText(id, *code);
}

void CAniSpeedDialDlg::OnOk() {
  dtmf_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
