#include "params/marketing_dialog.h"

#include <QFormLayout>

#include "image/entry_rules.h"

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

QString Padded(const std::string& s, int width) { return QString::fromStdString(s).leftJustified(width, QLatin1Char(' ')); }

}  // namespace

CMarketingDlg::CMarketingDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Marketing Parameters"), parent),
      editedBefore_(Doc().Context().marketingEdited) {
  QFormLayout* form = AddForm();
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);  // the lists line up
  AddEdit(form, kMarketApplication, QStringLiteral("&Market Application"), 8, 4);
  AddEdit(form, kSerialNumber, QStringLiteral("&Serial Number"), 9, 8);
  ShowText(kMarketApplication, Padded(Data().identity.marketApplication, 4));
  ShowText(kSerialNumber, Padded(Data().identity.serialNumber, 8));
  SetFieldEnabled(kSerialNumber, MaintenanceMode());
}

std::span<const HelpTopic> CMarketingDlg::HelpTopics() { return kTopics; }

void CMarketingDlg::OnEditFinished(int id, const QString& text) {
  IdentityArea& identity = Data().identity;
  if (id == kMarketApplication) {
    identity.marketApplication = kp53::CompleteMarketApplication(text.toStdString());
    ShowText(id, Padded(identity.marketApplication, 4));
  } else if (id == kSerialNumber) {
    identity.serialNumber = kp53::CompleteSerialNumber(text.toStdString());
    ShowText(id, Padded(identity.serialNumber, 8));
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
