#include "params/option_dialog.h"

#include <QComboBox>
#include <QFormLayout>

#include "image/image_rules.h"
#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

struct RecorderField {
  int id;  // of the list table
  int CommonOptionsArea::*field;
};

const RecorderField kRecorderFields[] = {
    {4529, &CommonOptionsArea::recordMode},
    {4530, &CommonOptionsArea::playMode},
    {4531, &CommonOptionsArea::powerOnRecord},
};

const HelpTopic kTopics[] = {
    {COptionDlg::kOptionBoard, "Option Board",
     "<p>The option board fitted in the radio. Paging signalling on channels needs the SCB-31: with "
     "another board the channels lose it. Leaving the VMU-140/VMDU-260 clears the signalling of "
     "every channel. Without the Omnitrunk board, OK makes every Omnitrunk group conventional.</p>"},
    {COptionDlg::kFrontKeypad, "Front KeyPad",
     "<p>The front keypad is chosen in the Hardware Parameters dialog; this list offers nothing.</p>"},
    {4529, "Rec Mode", "<p>VRU-8 voice recorder: record once, or keep recording over the oldest message.</p>"},
    {4530, "Play Mode", "<p>VRU-8 voice recorder: how recorded messages are played.</p>"},
    {4531, "PWR On Rec", "<p>VRU-8 voice recorder: Enabled starts recording when the radio is switched on.</p>"},
};

}  // namespace

COptionDlg::COptionDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Option"), parent), imageAtOpening_(Data().image) {
  area_.LoadFromImage(Data().image);
  QFormLayout* form = AddForm();
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);  // the lists line up
  AddList(form, fields::List(kOptionBoard));
  ShowIndex(kOptionBoard, area_.optionBoard);
  // Kept for the layout the radio's users know; the keypad itself is chosen in Hardware Parameters.
  AddCombo(form, kFrontKeypad, QStringLiteral("Fron &KeyPad"), {})->setMinimumContentsLength(6);
  for (const RecorderField& f : kRecorderFields) {
    AddList(form, fields::List(f.id));
    ShowIndex(f.id, area_.*f.field);
  }
  EnableRecorderFields();
}

std::span<const HelpTopic> COptionDlg::HelpTopics() { return kTopics; }

void COptionDlg::EnableRecorderFields() {
  for (const RecorderField& f : kRecorderFields)
    SetFieldEnabled(f.id, ListEditable(fields::List(f.id), ListContext{.optionBoard = area_.optionBoard}));
}

void COptionDlg::OnSelectionChanged(int id, int index) {
  if (id == kOptionBoard) {
    kp53::ChangeOptionBoard(Data(), area_, index);
    EnableRecorderFields();
    return;
  }
  for (const RecorderField& f : kRecorderFields)
    if (f.id == id) area_.*f.field = index;
}

void COptionDlg::OnOk() {
  // The image as the dialog found it with the dialog's own values, against what the board change
  // and OK take from the channels.
  RadioData before = Data(), after = Data();
  before.image = imageAtOpening_;
  ReloadAreas(before);
  area_.StoreToImage(before.image);
  NormalizeImage(before);
  kp53::ApplyOptionOk(after, area_);
  if (!ConfirmOkChanges(before, after)) return;
  kp53::ApplyOptionOk(Data(), area_);
  CParamDialog::OnOk();
}

void COptionDlg::OnCancel() {
  // The channels get back the signalling a board change took from them; the frame reloads the
  // channel table from the image after the dialog.
  Data().image = imageAtOpening_;
  CParamDialog::OnCancel();
}

}  // namespace kp53::gui
