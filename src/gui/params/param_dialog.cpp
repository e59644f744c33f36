#include "params/param_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QVBoxLayout>
#include <utility>

#include "config/config_verify.h"
#include "image/list_field_table.h"
#include "image/codecs.h"
#include "image/entry_rules.h"
#include "params/filtered_edit.h"
#include "text/messages.h"

namespace kp53::gui {

namespace {

constexpr int kOpeningPrompt = 121;

// Runs `f` with the dialog's handlers and modified flag switched off.
template <class F>
void Quietly(int& quiet, F&& f) {
  ++quiet;
  f();
  --quiet;
}

}  // namespace

CParamDialog::CParamDialog(const ParamEnv& env, const QString& title, QWidget* parent)
    : QDialog(parent), env_(env) {
  setWindowTitle(title);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  auto* controls = new QVBoxLayout;
  controls->setContentsMargins(11, 11, 11, 11);
  // The layouts inside inherit this spacing (the outer layout's 0 is only for the status bar).
  controls->setSpacing(6);
  body_ = new QVBoxLayout;
  controls->addLayout(body_);
  buttons_ = new QDialogButtonBox(this);
  ok_ = buttons_->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  cancel_ = buttons_->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  // No default button: Enter acts only on the button that has the focus.
  for (QPushButton* b : {ok_, cancel_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  connect(ok_, &QPushButton::clicked, this, [this] { OnOk(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { OnCancel(); });
  controls->addWidget(buttons_);
  outer->addLayout(controls, 1);

  // The status bar: the prompt pane stretches, the hint pane keeps its text's width.
  auto* bar = new QStatusBar(this);
  bar->setSizeGripEnabled(false);
  promptPane_ = new QLabel(bar);
  hintPane_ = new QLabel(bar);
  hintPane_->setMinimumWidth(hintPane_->fontMetrics().horizontalAdvance(QStringLiteral("<SELECT>")) + 12);
  hintPane_->setContentsMargins(0, 0, 6, 0);  // a hint longer than "<SELECT>" keeps off the edge
  bar->addWidget(promptPane_, 1);
  bar->addWidget(hintPane_);
  outer->addWidget(bar);
  ShowPrompt(kOpeningPrompt);
}

CParamDialog::~CParamDialog() {
  // The fields outlive this destructor by a moment (the widget base deletes them): a field that
  // loses the focus then must reach neither the handlers nor the areas.
  closing_ = true;
  for (const FieldInfo& f : fields_) {
    f.widget->removeEventFilter(this);
    f.widget->disconnect(this);
  }
}

QStringList CParamDialog::Items(std::span<const std::string_view> list) {
  QStringList items;
  items.reserve(static_cast<qsizetype>(list.size()));
  for (std::string_view s : list) items << QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
  return items;
}

CFilteredEdit* CParamDialog::Edit(int id) const { return qobject_cast<CFilteredEdit*>(Field(id)); }
QComboBox* CParamDialog::Combo(int id) const { return qobject_cast<QComboBox*>(Field(id)); }
QCheckBox* CParamDialog::Check(int id) const { return qobject_cast<QCheckBox*>(Field(id)); }

int CParamDialog::HelpContext(int id) const {
  const auto it = fields_.find(id);
  if (it == fields_.end()) return kNoHelp;
  return it->help == kHelpAtId ? id : it->help;
}

QFormLayout* CParamDialog::AddForm(QBoxLayout* into, const QString& groupTitle) {
  if (!into) into = body_;
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  form->setHorizontalSpacing(12);
  if (groupTitle.isEmpty()) {
    into->addLayout(form);
  } else {
    auto* box = new QGroupBox(groupTitle, this);
    box->setLayout(form);
    into->addWidget(box);
  }
  return form;
}

CFilteredEdit* CParamDialog::AddEdit(QFormLayout* form, int id, const QString& label, int filterMode,
                                     int maxLength) {
  auto* edit = new CFilteredEdit(this, filterMode, maxLength);
  // Room for the longest display text of the field ("%5.2fMHz" and the like) without clipping.
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(std::max(maxLength, 6) + 4, QLatin1Char('0'))) +
                        12);
  auto* l = new QLabel(label, this);
  l->setBuddy(edit);
  AddField(edit, id, l);
  if (form) form->addRow(l, edit);
  return edit;
}

QComboBox* CParamDialog::AddCombo(QFormLayout* form, int id, const QString& label, const QStringList& items) {
  auto* combo = new QComboBox(this);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  Quietly(quiet_, [&] {
    combo->addItems(items);
    combo->setCurrentIndex(-1);
  });
  auto* l = new QLabel(label, this);
  l->setBuddy(combo);
  AddField(combo, id, l);
  if (form) form->addRow(l, combo);
  return combo;
}

QCheckBox* CParamDialog::AddCheck(QFormLayout* form, int id, const QString& text) {
  auto* check = new QCheckBox(text, this);
  AddField(check, id);
  if (form) form->addRow(check);
  return check;
}

QComboBox* CParamDialog::AddList(QFormLayout* form, const ListFieldRule& rule) {
  return AddCombo(form, rule.id, QString::fromLatin1(rule.label), Items(rule.items));
}

QCheckBox* CParamDialog::AddFlag(QFormLayout* form, const ListFieldRule& rule) {
  return AddCheck(form, rule.id, QString::fromLatin1(rule.label));
}

void CParamDialog::AddField(QWidget* control, int id, QLabel* label) {
  fields_.insert(id, FieldInfo{control, label, kHelpAtId});
  FitStatusBar(id);
  idOf_.insert(control, id);
  control->installEventFilter(this);
  if (auto* edit = qobject_cast<CFilteredEdit*>(control)) {
    connect(edit, &QLineEdit::textEdited, this, [this] {
      if (!quiet_) SetModified();
    });
    connect(edit, &CFilteredEdit::editFinished, this, [this, id](const QString& text, bool modified) {
      // While the dialog is torn down a field losing the focus must not store into the areas.
      if (quiet_ || closing_ || !modified) return;
      SetModified();
      OnEditFinished(id, text);
      // What the field's rule stored other than what was typed is said at once, with a beep.
      if (closing_ || !fields_.contains(id)) return;
      const std::string line = kp53::StoredDifferentlyLine(text.toStdString(), Edit(id)->text().toStdString());
      if (line.empty()) return;
      ShowStatus(QString::fromStdString(line), QString());
      changeShown_ = true;  // the next field's prompt does not cover it
      Prompt().Beep();
    });
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this, id](int index) {
      if (quiet_ || closing_ || index < 0) return;
      SetModified();
      OnSelectionChanged(id, index);
    });
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    connect(button, &QAbstractButton::toggled, this, [this, id](bool checked) {
      if (quiet_ || closing_) return;
      SetModified();
      OnToggled(id, checked);
    });
  }
}

void CParamDialog::SetHelpContext(int id, int context) {
  auto it = fields_.find(id);
  if (it != fields_.end()) it->help = context;
}

void CParamDialog::SetFieldEnabled(int id, bool enabled) {
  if (QWidget* w = Field(id)) w->setEnabled(enabled);
}

void CParamDialog::ShowText(int id, const QString& text) {
  if (auto* edit = Edit(id)) {
    Quietly(quiet_, [&] { edit->setTextQuietly(text); });
  } else if (auto* l = qobject_cast<QLabel*>(Field(id))) {
    l->setText(text);
  }
}

void CParamDialog::ShowIndex(int id, int index) {
  if (auto* combo = Combo(id)) {
    Quietly(quiet_, [&] { combo->setCurrentIndex(index < combo->count() ? index : -1); });
  }
}

void CParamDialog::SetItems(int id, const QStringList& items, int index) {
  if (auto* combo = Combo(id)) {
    Quietly(quiet_, [&] {
      combo->clear();
      combo->addItems(items);
      combo->setCurrentIndex(index < combo->count() ? index : -1);
    });
  }
}

void CParamDialog::ShowChecked(int id, bool checked) {
  if (auto* b = qobject_cast<QAbstractButton*>(Field(id))) {
    Quietly(quiet_, [&] { b->setChecked(checked); });
  }
}

bool CParamDialog::ConfirmOkChanges(const kp53::RadioData& before, const kp53::RadioData& after) {
  const auto lines = kp53::config::DifferingFields(before.image, after.image, after.defaultSplit);
  if (lines.empty()) return true;
  constexpr std::size_t kShown = 16;
  std::string text = "OK also changes these settings:\n";
  for (std::size_t i = 0; i < lines.size() && i < kShown; ++i) text += "  " + lines[i] + "\n";
  if (lines.size() > kShown) text += kp53::Format("  and %zu more\n", lines.size() - kShown);
  text += "Change them?";
  return Prompt().Show(text, kp53::Icon::Question, kp53::Buttons::YesNo) == kp53::Answer::Yes;
}

void CParamDialog::OnEditFinished(int, const QString&) {}
void CParamDialog::OnSelectionChanged(int, int) {}
void CParamDialog::OnToggled(int, bool) {}

void CParamDialog::OnOk() {
  closing_ = true;
  QDialog::accept();
}

void CParamDialog::OnCancel() {
  closing_ = true;
  QDialog::reject();
}

void CParamDialog::reject() {
  if (closing_) return;
  OnCancel();
}

void CParamDialog::ShowStatus(const QString& prompt, const QString& hint) {
  promptPane_->setText(prompt);
  hintPane_->setText(hint);
}

namespace {

// The prompt of control `id` split at its line break: the prompt and the hint.
std::pair<QString, QString> PromptOf(int id) {
  QString text = QString::fromStdString(std::string(MessageText(id)));
  text.remove(QLatin1Char('\r'));
  const qsizetype cut = text.indexOf(QLatin1Char('\n'));
  if (cut < 0) return {text, QString()};
  return {text.left(cut), text.mid(cut + 1)};
}

}  // namespace

void CParamDialog::ShowPrompt(int id) {
  if (changeShown_) {
    changeShown_ = false;
    return;
  }
  const auto [prompt, hint] = PromptOf(promptIds_.value(id, id));
  ShowStatus(prompt, hint);
}

void CParamDialog::FitStatusBar(int id) {
  // The status line is as wide as the longest prompt of the dialog's fields, so none is cut off.
  const auto [prompt, hint] = PromptOf(promptIds_.value(id, id));
  const int margin = 12;
  for (const auto& [pane, text] : {std::pair{promptPane_, prompt}, std::pair{hintPane_, hint}}) {
    const int width = pane->fontMetrics().horizontalAdvance(text) + margin;
    if (width > pane->minimumWidth()) pane->setMinimumWidth(width);
  }
}

void CParamDialog::OpenHelp(int context) {
  if (context == kNoHelp || !env_.help) return;
  env_.help(context);
}

int CParamDialog::FieldIdOf(const QWidget* w) const {
  for (; w && w != this; w = w->parentWidget()) {
    const auto it = idOf_.find(w);
    if (it != idOf_.end()) return it.value();
  }
  return -1;
}

bool CParamDialog::eventFilter(QObject* watched, QEvent* event) {
  auto* w = qobject_cast<QWidget*>(watched);
  const int id = w ? FieldIdOf(w) : -1;
  if (id >= 0) {
    if (event->type() == QEvent::FocusIn) {
      ShowPrompt(id);
    } else if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F1 && !(key->modifiers() & Qt::ShiftModifier)) {
        OpenHelp(HelpContext(id));
        return true;
      }
      const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      if (enter) {
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
          combo->showPopup();
          return true;
        }
        if (!qobject_cast<CFilteredEdit*>(w)) return true;  // Enter never closes from a field
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CParamDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // The buttons were made before the subclass built its fields: move them to the end of the
  // chain, so that Tab from the last field reaches OK, then Cancel.
  QList<QWidget*> chain;
  for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
    if (w != ok_ && w != cancel_ && isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
      chain << w;
  QWidget* previous = nullptr;
  for (QWidget* w : chain + QList<QWidget*>{ok_, cancel_}) {
    if (previous) setTabOrder(previous, w);
    previous = w;
  }
  QWidget* f = focusWidget();
  if (f && f != ok_ && f != cancel_) return;
  for (QWidget* w : chain) {
    if (w->isEnabled() && w->isVisibleTo(this)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void CParamDialog::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    // Only a focused button acts on Enter: OK closes with OK only from the OK button itself.
    if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled() && b->isVisible()) b->click();
    event->accept();
    return;
  }
  if (key == Qt::Key_F1) {
    if (!(event->modifiers() & Qt::ShiftModifier)) OpenHelp(dialogHelp_);
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kp53::gui
