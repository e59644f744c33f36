#include "signalling/five_tone_user_tone_dialog.h"

#include <QFormLayout>
#include <QLabel>

#include "image/entry_rules.h"
#include "params/rule_edit.h"
#include "signalling/prompt_fit.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

constexpr HelpTopic kTopics[] = {
    {4532, "5-Tone User Tone 0",
     "<p>The 5-Tone User Tone dialog holds the frequencies of the fifteen tones 0 to 9 and A to E "
     "of the User tone format, 300 to 3000 Hz each. This field is tone 0.</p>"},
    {4533, "5-Tone User Tone 1", "<p>The frequency of user tone 1, 300 to 3000 Hz.</p>"},
    {4534, "5-Tone User Tone 2", "<p>The frequency of user tone 2, 300 to 3000 Hz.</p>"},
    {4535, "5-Tone User Tone 3", "<p>The frequency of user tone 3, 300 to 3000 Hz.</p>"},
    {4536, "5-Tone User Tone 4", "<p>The frequency of user tone 4, 300 to 3000 Hz.</p>"},
    {4537, "5-Tone User Tone 5", "<p>The frequency of user tone 5, 300 to 3000 Hz.</p>"},
    {4538, "5-Tone User Tone 6", "<p>The frequency of user tone 6, 300 to 3000 Hz.</p>"},
    {4539, "5-Tone User Tone 7", "<p>The frequency of user tone 7, 300 to 3000 Hz.</p>"},
    {4540, "5-Tone User Tone 8", "<p>The frequency of user tone 8, 300 to 3000 Hz.</p>"},
    {4541, "5-Tone User Tone 9", "<p>The frequency of user tone 9, 300 to 3000 Hz.</p>"},
    {4542, "5-Tone User Tone A", "<p>The frequency of user tone A, 300 to 3000 Hz.</p>"},
    {4543, "5-Tone User Tone B", "<p>The frequency of user tone B, 300 to 3000 Hz.</p>"},
    {4544, "5-Tone User Tone C", "<p>The frequency of user tone C, 300 to 3000 Hz.</p>"},
    {4545, "5-Tone User Tone D", "<p>The frequency of user tone D, 300 to 3000 Hz.</p>"},
    {4546, "5-Tone User Tone E", "<p>The frequency of user tone E, 300 to 3000 Hz.</p>"},
};

}  // namespace

CFiveToneUserToneDlg::CFiveToneUserToneDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("5-Tone User Tone"), parent) {
  tones_.LoadFromImage(Data().image);

  QFormLayout* form = AddForm();
  form->addRow(QString(), new QLabel(QStringLiteral("Frequency"), this));
  for (int t = 0; t < FiveToneUserTones::kToneCount; ++t) {
    const NumberFieldRule& r = fields::UserTone(t);
    AddEdit(form, r.id, RuleLabel(r), r.filterMode, r.length);
    ShowText(kTone0 + t, UserToneText(tones_.tones[static_cast<std::size_t>(t)]));
  }
  FitPromptsInWidth(*this, kTone0, kTone0 + FiveToneUserTones::kToneCount - 1);
}

std::span<const HelpTopic> CFiveToneUserToneDlg::HelpTopics() { return kTopics; }

void CFiveToneUserToneDlg::OnEditFinished(int id, const QString& text) {
  const int t = id - kTone0;
  if (t < 0 || t >= FiveToneUserTones::kToneCount) return;
  const Entry e = UserToneEntry(text.toStdString());
  tones_.tones[static_cast<std::size_t>(t)] = e.stored;
  ShowText(id, e.shown);
}

void CFiveToneUserToneDlg::OnOk() {
  tones_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
