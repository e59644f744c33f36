#include "signalling/two_tone_encode_dialog.h"

#include <QFormLayout>

#include "image/entry_rules.h"
#include "image/list_field_table.h"
#include "params/rule_edit.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

enum : int { kEncodeType = 4565, kFormatPair, kPeriod1, kPeriod2 };  // the periods as in the field table

const HelpTopic kTopics[] = {
    {kEncodeType, "2-Tone Encode Type",
     "<p>Individual sends both tones of the pair; Group sends only the 1st or only the 2nd tone.</p>"},
    {kFormatPair, "2-Tone Encode Format Pair", "<p>The pair of the 2-Tone Table the radio sends.</p>"},
    {kPeriod1, "1st Tone Period Time", "<p>How long the 1st tone is sent, 0.0 to 25.5 seconds in tenths.</p>"},
    {kPeriod2, "2nd Tone Period Time", "<p>How long the 2nd tone is sent, 0.0 to 25.5 seconds in tenths.</p>"},
};

}  // namespace

std::span<const HelpTopic> CTwoToneEncodeDlg::HelpTopics() { return kTopics; }

CTwoToneEncodeDlg::CTwoToneEncodeDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("2-Tone Encode"), parent) {
  encode_.LoadFromImage(Data().image);
  QFormLayout* form = AddForm();
  AddList(form, fields::List(kEncodeType));
  AddList(form, fields::List(kFormatPair));
  for (const NumberFieldRule* r : {&fields::kTwoTonePeriod1, &fields::kTwoTonePeriod2})
    AddEdit(form, r->id, RuleLabel(*r), r->filterMode, r->length);
  ShowIndex(kEncodeType, encode_.encodeType);
  ShowIndex(kFormatPair, encode_.formatPair);
  ShowText(kPeriod1, PeriodTimeText(encode_.period1));
  ShowText(kPeriod2, PeriodTimeText(encode_.period2));
}

void CTwoToneEncodeDlg::OnSelectionChanged(int id, int index) {
  if (id == kEncodeType) encode_.encodeType = index;
  if (id == kFormatPair) encode_.formatPair = index;
}

void CTwoToneEncodeDlg::OnEditFinished(int id, const QString& text) {
  const Entry e = PeriodTimeEntry(text.toStdString());
  (id == kPeriod1 ? encode_.period1 : encode_.period2) = e.stored;
  ShowText(id, e.shown);
}

void CTwoToneEncodeDlg::OnOk() {
  encode_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
