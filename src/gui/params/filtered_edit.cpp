#include "params/filtered_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPalette>

#include "text/input_filters.h"

namespace kp53::gui {

CFilteredEdit::CFilteredEdit(QWidget* parent, int filterMode, int maxLength)
    : QLineEdit(parent), filterMode_(filterMode), limit_(maxLength) {
  setReadOnly(true);
  setContextMenuPolicy(Qt::NoContextMenu);
  connect(this, &QLineEdit::textEdited, this, [this] { userModified_ = true; });
  applyColours();
}

void CFilteredEdit::setClickToEdit(bool on) {
  clickToEdit_ = on;
  editing_ = !on;
  setReadOnly(on);
  applyColours();
}

void CFilteredEdit::setTextQuietly(const QString& text) {
  setText(text);
  userModified_ = false;
}

void CFilteredEdit::applyColours() {
  QPalette p = QApplication::palette(this);
  const QColor text = p.color(QPalette::Active, QPalette::WindowText);
  QColor base;
  if (!isEnabled()) {
    base = p.color(QPalette::Active, QPalette::Button);
    p.setColor(QPalette::Disabled, QPalette::Text, p.color(QPalette::Disabled, QPalette::WindowText));
    p.setColor(QPalette::Disabled, QPalette::Base, base);
  } else if (isReadOnly()) {
    base = p.color(QPalette::Active, QPalette::Window);
  } else {
    base = p.color(QPalette::Active, QPalette::ToolTipBase);
  }
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::Base, base);
    p.setColor(group, QPalette::Text, text);
  }
  setPalette(p);
}

bool CFilteredEdit::accepts(const QString& text, int position) const {
  for (int i = 0; i < text.size(); ++i) {
    const QChar q = text.at(i);
    if (q.unicode() > 0x7E) return false;
    if (!FieldFilterAccepts(filterMode_, position + i, static_cast<char>(q.unicode()))) return false;
  }
  return true;
}

QString CFilteredEdit::mapped(const QString& text) const {
  if (!map_) return text;
  QString out(text.size(), QChar());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const std::optional<char> c = map_(static_cast<char>(text.at(i).unicode()));
    if (!c) return QString();
    out[i] = QLatin1Char(*c);
  }
  return out;
}

bool CFilteredEdit::fits(int added) const {
  return text().size() - selectedText().size() + added <= limit_;
}

void CFilteredEdit::beginEdit(const QString& initialText, bool selectAllText) {
  if (!isEnabled()) return;
  textAtStart_ = text();
  if (!initialText.isNull()) setText(initialText);
  editing_ = true;
  setReadOnly(false);
  applyColours();
  setFocus(Qt::OtherFocusReason);
  if (selectAllText)
    selectAll();
  else
    deselect(), end(false);
}

void CFilteredEdit::endEdit() {
  if (!editing_ && clickToEdit_) return;
  editing_ = !clickToEdit_;
  if (clickToEdit_) setReadOnly(true);
  applyColours();
  emit editFinished(text(), userModified_);
}

void CFilteredEdit::cancelEdit() {
  if (!editing_) return;
  setText(textAtStart_);
  editing_ = !clickToEdit_;
  if (clickToEdit_) setReadOnly(true);
  applyColours();
  emit editCancelled();
}

void CFilteredEdit::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1) {
    emit helpRequested();
    return;
  }
  if (e->matches(QKeySequence::Paste)) {
    if (!isReadOnly()) insertFromMime(QApplication::clipboard()->text());
    return;
  }
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    if (editing_)
      endEdit();
    else
      beginEdit();
    return;  // Enter finishes the field; it never reaches the dialog's default button
  }
  if (e->key() == Qt::Key_Escape && editing_) {
    cancelEdit();
    return;
  }
  const QString t = e->text();
  if ((e->modifiers() & Qt::AltModifier) && !(e->modifiers() & Qt::ControlModifier) && t.size() == 1 &&
      t.at(0).isPrint()) {
    e->ignore();  // Alt+letter is a mnemonic of the dialog, never a typed character
    return;
  }
  const bool printable = t.size() == 1 && t.at(0).unicode() >= 0x20 && t.at(0).unicode() != 0x7F &&
                         !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (printable) {
    if (!editing_) {
      const QString kept = isEnabled() && accepts(t, 0) ? mapped(t) : QString();
      if (kept.isNull()) {
        QApplication::beep();
        return;
      }
      beginEdit(kept, false);
      userModified_ = true;
      return;
    }
    const int pos = hasSelectedText() ? selectionStart() : cursorPosition();
    const QString kept = accepts(t, pos) && fits(1) ? mapped(t) : QString();
    if (kept.isNull()) {
      QApplication::beep();
      return;
    }
    if (kept != t) {
      insert(kept);
      userModified_ = true;
      return;
    }
  }
  QLineEdit::keyPressEvent(e);
}

void CFilteredEdit::insertFromMime(const QString& text) {
  const int pos = hasSelectedText() ? selectionStart() : cursorPosition();
  const QString kept = accepts(text, pos) && fits(static_cast<int>(text.size())) ? mapped(text) : QString();
  if (kept.isNull()) {
    QApplication::beep();
    return;
  }
  insert(kept);
  userModified_ = true;
}

void CFilteredEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  if (!clickToEdit_) {
    QLineEdit::mouseDoubleClickEvent(e);
    return;
  }
  if (editing_)
    endEdit();
  else
    beginEdit();
}

void CFilteredEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (editing_ || !clickToEdit_) endEdit();
}

void CFilteredEdit::changeEvent(QEvent* e) {
  QLineEdit::changeEvent(e);
  if (e->type() == QEvent::EnabledChange) applyColours();
}

}  // namespace kp53::gui
