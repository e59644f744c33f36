#include "params/password_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "image/entry_rules.h"
#include "params/filtered_edit.h"
#include "params/rule_edit.h"
#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

constexpr int kNewPassword = 4513;
constexpr int kConfirmPassword = 4514;

const HelpTopic kTopics[] = {
    {CPowerOnPasswordDlg::kPasswordEnabled, "Power ON Password",
     "<p>Enabled: the radio asks for the password when it is switched on.</p>"},
    {CPowerOnPasswordDlg::kPassword, "Password No.",
     "<p>The password: four characters of 0 to 9, A to D, # and *. A shorter entry is completed "
     "with zeros in front (12 becomes 0012).</p>"},
};

QString Shown(const std::string& password) {
  return QString::fromStdString(password.substr(0, 4)).leftJustified(4, QLatin1Char(' '));  // "%-4.4s"
}

}  // namespace

CPowerOnPasswordDlg::CPowerOnPasswordDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Power ON Password"), parent) {
  area_.LoadFromImage(Data().image);
  QFormLayout* form = AddForm();
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);  // the lists line up
  AddList(form, fields::List(kPasswordEnabled));
  ShowIndex(kPasswordEnabled, area_.passwordEnabled);
  AddEdit(form, fields::kPassword.id, RuleLabel(fields::kPassword), fields::kPassword.filterMode, fields::kPassword.length)->setCharacterMap(RuleCharacterMap(fields::kPassword));
  ShowText(kPassword, Shown(area_.password));
  SetFieldEnabled(kPassword, area_.passwordEnabled != 0);
  // Two plain fields that nothing reads: the radio keeps one password, set above.
  for (const auto& [id, label] : {std::pair{kNewPassword, "New Password:"}, std::pair{kConfirmPassword, "Confirm New Password:"}}) {
    auto* edit = new QLineEdit(this);
    edit->setMaxLength(4);
    auto* l = new QLabel(QString::fromLatin1(label), this);
    l->setBuddy(edit);
    AddField(edit, id, l);
    SetHelpContext(id, kNoHelp);
    form->addRow(l, edit);
  }
}

std::span<const HelpTopic> CPowerOnPasswordDlg::HelpTopics() { return kTopics; }

void CPowerOnPasswordDlg::OnEditFinished(int id, const QString& text) {
  if (id != kPassword) return;
  area_.password = fields::kPassword.enter(text.toStdString());
  ShowText(kPassword, Shown(area_.password));
}

void CPowerOnPasswordDlg::OnSelectionChanged(int id, int index) {
  if (id != kPasswordEnabled) return;
  area_.passwordEnabled = index;
  SetFieldEnabled(kPassword, index != 0);
}

void CPowerOnPasswordDlg::OnOk() {
  area_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
