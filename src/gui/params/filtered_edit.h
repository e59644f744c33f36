// The dialogs' filtered click-to-edit field. It starts read-only; Enter or a double-click starts
// editing with the whole text selected, and typing an accepted character starts editing with that
// character as the text. Enter, a double-click or leaving the field ends editing; Escape puts
// back the text the field had when editing began. Each state has its own colours: editable
// (window text on the tooltip background), read-only (window text on the window colour) and
// disabled (grey text on the button colour). The length limit applies to what the user types and
// pastes; a program-set text (a value shown in its display format, "146.0MHz") may be longer.
#pragma once

#include <QLineEdit>
#include <functional>
#include <optional>

namespace kp53::gui {

class CFilteredEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CFilteredEdit(QWidget* parent = nullptr, int filterMode = 0, int maxLength = 32767);

  void setFilterMode(int mode) { filterMode_ = mode; }
  int filterMode() const { return filterMode_; }
  int typingLimit() const { return limit_; }
  // The click-to-edit variant starts read-only; the plain variant is always editable.
  void setClickToEdit(bool on);
  bool isEditing() const { return editing_; }
  // True when the text was changed by the user since setTextQuietly() or creation.
  bool userModified() const { return userModified_; }
  // Puts a text in without counting as a user change.
  void setTextQuietly(const QString& text);
  // An optional second filter after the mode's: it gives the character the field keeps for an
  // accepted one (an upper-case letter for a lower-case one), or refuses it (nullopt: the key
  // beeps, a paste holding it is refused). Fields whose text the radio stores in its own character
  // set use it.
  using CharacterMap = std::function<std::optional<char>(char)>;
  void setCharacterMap(CharacterMap map) { map_ = std::move(map); }

  void beginEdit(const QString& initialText = QString(), bool selectAll = true);
  void endEdit();
  void cancelEdit();

 signals:
  // Editing ended with `text`; `modified` tells whether the user changed the field.
  void editFinished(const QString& text, bool modified);
  // Escape restored the text of the start of editing.
  void editCancelled();
  // F1 on the field.
  void helpRequested();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  void insertFromMime(const QString& text);

 private:
  void applyColours();
  bool accepts(const QString& text, int position) const;
  // `text` through the character map; a null string when the map refuses a character.
  QString mapped(const QString& text) const;
  // The text would stay within the limit with `added` characters in place of the selection.
  bool fits(int added) const;

  int filterMode_ = 0;
  int limit_ = 32767;
  bool clickToEdit_ = true;
  bool editing_ = false;
  bool userModified_ = false;
  QString textAtStart_;
  CharacterMap map_;
};

}  // namespace kp53::gui
