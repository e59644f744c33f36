#include "channels/tag_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <optional>

#include "image/channel_editing.h"

namespace {

// What a tag character becomes in the radio's character set; nothing when the set lacks it.
std::optional<char> Stored(QChar q) {
  if (q.unicode() >= 0x80) return std::nullopt;
  return kp53::StorableTagCharacter(static_cast<char>(q.unicode()));
}

// Catches every way text gets in besides typing (paste, the context menu, a middle click): the
// text is upper-cased, and text with a character the radio cannot store is refused.
class TagValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (QChar& q : input) {
      const auto c = Stored(q);
      if (!c) return Invalid;
      q = QLatin1Char(*c);
    }
    return Acceptable;
  }
};

}  // namespace

TagInput::TagInput(QLineEdit* edit, std::function<void()> beep, std::function<void(const QString&)> say)
    : QObject(edit), edit_(edit), beep_(std::move(beep)), say_(std::move(say)) {}

void TagInput::Attach(QLineEdit* edit, std::function<void()> beep, std::function<void(const QString&)> say) {
  edit->setValidator(new TagValidator(edit));
  edit->installEventFilter(new TagInput(edit, std::move(beep), std::move(say)));
}

bool TagInput::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_ || event->type() != QEvent::KeyPress || resending_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  if (text.size() != 1 || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F ||
      (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
    return false;
  const auto c = Stored(text.at(0));
  if (!c) {
    if (say_) say_(QStringLiteral("%1 refused: the radio's character set has no such character").arg(text));
    if (beep_) beep_(); else QApplication::beep();
    return true;
  }
  if (QLatin1Char(*c) == text.at(0)) return false;
  // A lower-case letter goes on as its capital, through the field's own key handling.
  QKeyEvent upper(QEvent::KeyPress, key->key(), key->modifiers(), QString(QLatin1Char(*c)), key->isAutoRepeat(),
                  static_cast<ushort>(key->count()));
  resending_ = true;
  QCoreApplication::sendEvent(edit_, &upper);
  resending_ = false;
  return true;
}
