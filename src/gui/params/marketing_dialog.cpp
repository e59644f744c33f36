#include "params/marketing_dialog.h"

#include <QFormLayout>

#include "image/entry_rules.h"
#include "params/rule_edit.h"

namespace kp53::gui {

namespace {

const HelpTopic kTopics[] = {
    {CMarketingDlg::kMarketApplication, "Market Application",
     "<p>The four-digit market application code of the radio. A shorter entry is completed with "
     "zeros at the end.</p>"},
    {CMarketingDlg::kSerialNumber, "Serial Number",
     "<p>The radio's serial number: a digit, a letter C to N, then six digits. It can be changed in "
     "maintenance mode only; a shorter entry is completed with zeros (and the letter C in the "
     "second place).</p>"},
};

QString Shown(const TextFieldRule& rule, const std::string& stored) { return QString::fromStdString(ShownText(rule, stored)); }

}  // namespace

CMarketingDlg::CMarketingDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Marketing Parameters"), parent),
      editedBefore_(Doc().Context().marketingEdited) {
  QFormLayout* form = AddForm();
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);  // the lists line up
  AddEdit(form, fields::kMarketApplication.id, RuleLabel(fields::kMarketApplication), fields::kMarketApplication.filterMode, fields::kMarketApplication.length)->setCharacterMap(RuleCharacterMap(fields::kMarketApplication));
  AddEdit(form, fields::kSerialNumber.id, RuleLabel(fields::kSerialNumber), fields::kSerialNumber.filterMode, fields::kSerialNumber.length)->setCharacterMap(RuleCharacterMap(fields::kSerialNumber));
  ShowText(kMarketApplication, Shown(fields::kMarketApplication, Data().identity.marketApplication));
  ShowText(kSerialNumber, Shown(fields::kSerialNumber, Data().identity.serialNumber));
  SetFieldEnabled(kSerialNumber, MaintenanceMode());
}

std::span<const HelpTopic> CMarketingDlg::HelpTopics() { return kTopics; }

void CMarketingDlg::OnEditFinished(int id, const QString& text) {
  IdentityArea& identity = Data().identity;
  if (id == kMarketApplication) {
    identity.marketApplication = fields::kMarketApplication.enter(text.toStdString());
    ShowText(id, Shown(fields::kMarketApplication, identity.marketApplication));
  } else if (id == kSerialNumber) {
    identity.serialNumber = fields::kSerialNumber.enter(text.toStdString());
    ShowText(id, Shown(fields::kSerialNumber, identity.serialNumber));
  } else {
    return;
  }
  Doc().Context().marketingEdited = true;
}

void CMarketingDlg::OnOk() {
  Data().identity.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

void CMarketingDlg::OnCancel() {
  // The edits are dropped, so the next Download must not write them over the radio's identity.
  Data().identity.LoadFromImage(Data().image);
  Doc().Context().marketingEdited = editedBefore_;
  CParamDialog::OnCancel();
}

}  // namespace kp53::gui
