// The in-place editor of the channel grid: one single-line edit over the cell being edited, hidden
// while not editing. Its mode decides which typed characters it takes (0 tags, 1 frequencies,
// 4 tones; Backspace always passes), or a rule of the field table does; pasted text keeps only
// those characters too. The signalling tables use it with the rules of their Code and TAG cells.
#pragma once

#include <QLineEdit>
#include <optional>

namespace kp53 {
struct TextFieldRule;
}

class CCellEditor : public QLineEdit {
  Q_OBJECT
 public:
  static constexpr int kTag = 0;

  explicit CCellEditor(QWidget* parent = nullptr);

  void SetMode(int mode) {
    mode_ = mode;
    rule_ = nullptr;
  }
  // A field-table rule in place of a mode: its filter and character map decide.
  void SetRule(const kp53::TextFieldRule* rule) { rule_ = rule; }
  int Mode() const { return mode_; }
  // The editor's own paste, through the filter of its mode.
  void PasteFiltered();

 signals:
  void EnterPressed();
  void EscapePressed();
  // The editor lost the focus (not to its own context menu).
  void FocusLost();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  std::optional<char> Accepted(char16_t u) const;
  QString Filtered(const QString& text) const;
  int mode_ = 0;
  const kp53::TextFieldRule* rule_ = nullptr;
};
