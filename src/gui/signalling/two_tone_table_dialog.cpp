#include "signalling/two_tone_table_dialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>

#include "image/entry_rules.h"
#include "params/rule_edit.h"
#include "params/filtered_edit.h"
#include "signalling/pick_list_dialog.h"

namespace kp53::gui {

namespace {

constexpr int kFirstTone = 3502;
constexpr int kSecondTone = 3503;

const HelpTopic kTopics[] = {
    {kFirstTone, "2-Tone Table: 1st Tone",
     "<p>The first tone of a pair, 288.5 to 3000.0 Hz. Type the frequency and finish with Enter, or "
     "press Enter (or double-click) on the field to pick a tone of the standard tables (Motorola, "
     "GE Type 99, Reach).</p>"},
    {kSecondTone, "2-Tone Table: 2nd Tone",
     "<p>The second tone of a pair, 288.5 to 3000.0 Hz, typed or picked like the first.</p>"},
};

int PairOf(int id) { return (id - kFirstTone) / 3 + 1; }
bool IsSecond(int id) { return (id - kFirstTone) % 3 == 1; }
bool IsToneId(int id) {
  return id >= kFirstTone && id < kFirstTone + 3 * TwoToneTable::kPairCount && (id - kFirstTone) % 3 != 2;
}

}  // namespace

std::span<const HelpTopic> CTwoToneTableDlg::HelpTopics() { return kTopics; }

CTwoToneTableDlg::CTwoToneTableDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("2-Tone Table Parameters"), parent) {
  table_.LoadFromImage(Data().image);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->addWidget(new QLabel(QStringLiteral("Pair#"), this), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("1st"), this), 0, 1, Qt::AlignHCenter);
  grid->addWidget(new QLabel(QStringLiteral("2nd"), this), 0, 2, Qt::AlignHCenter);
  for (int pair = 1; pair <= TwoToneTable::kPairCount; ++pair) {
    for (bool second : {false, true}) {
      const NumberFieldRule& r = fields::TwoTone(pair - 1, second);
      const int id = r.id;
      CFilteredEdit* edit = AddEdit(nullptr, id, RuleLabel(r), r.filterMode, r.length);
      SetHelpContext(id, second ? kSecondTone : kFirstTone);
      grid->addWidget(edit, pair, second ? 2 : 1);
      if (second)
        Label(id)->hide();
      else
        grid->addWidget(Label(id), pair, 0);
    }
    ShowPair(pair);
  }
  Body()->addLayout(grid);
  // Room in the status bar for the longest prompt with its range.
  const QFontMetrics fm = PromptPane()->fontMetrics();
  setMinimumWidth(std::max(minimumSizeHint().width(), fm.horizontalAdvance(QStringLiteral("Pair#10 2nd Tone")) +
                                                         fm.horizontalAdvance(QStringLiteral("288.5..3000.0Hz")) + 60));
}

int& CTwoToneTableDlg::Tone(int id) {
  TwoToneTable::Pair& p = table_.pairs[static_cast<std::size_t>(PairOf(id) - 1)];
  return IsSecond(id) ? p.second : p.first;
}

void CTwoToneTableDlg::ShowPair(int pair) {
  const TwoToneTable::Pair& p = table_.pairs[static_cast<std::size_t>(pair - 1)];
  ShowText(ToneId(pair, false), TwoToneText(p.first));
  ShowText(ToneId(pair, true), TwoToneText(p.second));
}

void CTwoToneTableDlg::OnEditFinished(int id, const QString& text) {
  if (!IsToneId(id)) return;
  Tone(id) = TwoToneEntry(text.toStdString()).stored;
  ShowPair(PairOf(id));
}

void CTwoToneTableDlg::PickTone(int id) {
  if (!IsToneId(id)) return;
  CTonePickDlg dlg(PairOf(id), IsSecond(id), Tone(id), this);
  if (dlg.exec() != QDialog::Accepted) return;
  const std::string line = dlg.chosenLine();
  if (line.empty()) return;  // nothing chosen: the tone stays
  Tone(id) = PickedTwoTone(line).stored;
  SetModified();
  ShowPair(PairOf(id));
}

bool CTwoToneTableDlg::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<CFilteredEdit*>(watched);
  if (edit && !edit->isEditing() && edit->isEnabled()) {
    const bool enter = event->type() == QEvent::KeyPress &&
                       (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
    if (enter || event->type() == QEvent::MouseButtonDblClick) {
      for (int pair = 1; pair <= TwoToneTable::kPairCount; ++pair)
        for (bool second : {false, true})
          if (Field(ToneId(pair, second)) == edit) {
            PickTone(ToneId(pair, second));
            return true;
          }
    }
  }
  return CParamDialog::eventFilter(watched, event);
}

void CTwoToneTableDlg::OnOk() {
  table_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
