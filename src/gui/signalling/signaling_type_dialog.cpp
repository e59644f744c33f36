#include "signalling/signaling_type_dialog.h"

#include <QComboBox>
#include <QFormLayout>

#include "image/image_rules.h"
#include "signalling/prompt_fit.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

constexpr HelpTopic kTopics[] = {
    {CSignalingTypeDlg::kSignaling, "Signaling Type",
     "<p>The selective-calling system of the radio: <b>2-Tone</b> or <b>5-Tone</b>. The Signaling "
     "menu offers the tables of the chosen system.</p><p>Changing the system clears the signalling "
     "of every channel and sets the new system's parameters and tables to their defaults. The DTMF "
     "codes, the 2-tone tone table and the 5-tone user tones are kept.</p>"},
};

}  // namespace

CSignalingTypeDlg::CSignalingTypeDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Signaling Type"), parent), modifiedAtOpen_(Doc().IsModified()) {
  QFormLayout* form = AddForm();
  AddCombo(form, kSignaling, QStringLiteral("Signaling"), Items(text::kSignalingTypes));
  ShowIndex(kSignaling, Data().signaling.system);
  FitPromptsInWidth(*this, kSignaling, kSignaling);
}

std::span<const HelpTopic> CSignalingTypeDlg::HelpTopics() { return kTopics; }

void CSignalingTypeDlg::OnSelectionChanged(int, int) {
  // Choosing a system changes nothing yet: a change of mind and Cancel leave the document as it was.
  Doc().SetModified(modifiedAtOpen_);
}

void CSignalingTypeDlg::OnOk() {
  const int chosen = Combo(kSignaling)->currentIndex();
  if (chosen >= 0) {
    RadioData before = Data(), after = Data();
    NormalizeImage(before);
    if (ChangeSignalingType(after, chosen) && !ConfirmOkChanges(before, after)) return;
  }
  if (chosen >= 0 && ChangeSignalingType(Data(), chosen)) {
    SetModified();
    SetRefreshCode(1);
  }
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
