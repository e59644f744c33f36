#include "channels/cell_editor.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>

#include "image/channel_editing.h"
#include "image/field_table.h"
#include "text/input_filters.h"

CCellEditor::CCellEditor(QWidget* parent) : QLineEdit(parent) {
  setFrame(true);
  hide();
}

std::optional<char> CCellEditor::Accepted(char16_t u) const {
  if (u >= 0x80) return std::nullopt;
  if (rule_) {
    const char c = static_cast<char>(u);
    const char kept = kp53::FieldFilterAccepts(rule_->filterMode, cursorPosition(), c) ? kp53::MapTypedCharacter(*rule_, c) : '\0';
    return kept ? std::optional<char>(kept) : std::nullopt;
  }
  return kp53::EditorCharacter(mode_, static_cast<char>(u));
}

QString CCellEditor::Filtered(const QString& text) const {
  QString out;
  for (QChar ch : text)
    if (const auto c = Accepted(ch.unicode()); c && *c >= 0x20) out += QLatin1Char(*c);
  return out;
}

void CCellEditor::PasteFiltered() {
  if (isReadOnly()) return;
  insert(Filtered(QGuiApplication::clipboard()->text()));
}

void CCellEditor::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit EnterPressed();
      return;
    case Qt::Key_Escape:
      emit EscapePressed();
      return;
    default:
      break;
  }
  if (event->matches(QKeySequence::Paste)) {
    PasteFiltered();
    return;
  }
  const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  const QString text = event->text();
  if (mods == Qt::AltModifier && text.size() == 1 && text.at(0).isPrint()) {
    event->ignore();  // Alt+letter is a menu's or a button's mnemonic, never typed
    return;
  }
  if (mods == Qt::NoModifier && text.size() == 1 && event->key() != Qt::Key_Backspace) {
    const char16_t u = text.at(0).unicode();
    // Printable characters go through the filter; control keys (arrows, Delete) pass.
    if (u >= 0x20) {
      const auto c = Accepted(u);
      if (!c) return;
      if (static_cast<char16_t>(*c) != u) {
        insert(QString(QLatin1Char(*c)));
        return;
      }
    }
  }
  QLineEdit::keyPressEvent(event);
}

void CCellEditor::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (event->reason() != Qt::PopupFocusReason) emit FocusLost();
}
