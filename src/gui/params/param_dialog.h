// CParamDialog: the one base of every parameter and signalling dialog.
//
// It gives a modal dialog
//  - a two-pane status bar below the controls: the focused field's prompt from the string table
//    (string id = control id; the text before the line break in the first pane, the hint after
//    it, such as "<SELECT>", in the second); string 121 (a blank) when the dialog opens;
//  - F1 help on a field at the field's control id, or at a context the dialog gives, or none;
//  - OK only from the OK button: Enter in an edit field finishes that field, Enter in a drop-down
//    list opens the list, Enter on a button presses that button; Enter never closes the dialog
//    from a field;
//  - the document's modified flag set at once by every change of a field the user makes;
//  - fields in Qt layouts with their labels (mnemonic and buddy), and calls to the subclass when
//    an edit is finished, a list selection changes or a check box is toggled.
// The dialog holds no image logic: every conversion, clamp and rule is a core function that the
// subclass calls from its handlers. Areas are loaded in the constructor and stored in OnOk().
//
// A minimal dialog:
//
//   class CExampleDlg : public CParamDialog {
//    public:
//     explicit CExampleDlg(const ParamEnv& env, QWidget* parent = nullptr)
//         : CParamDialog(env, QStringLiteral("Example Parameters"), parent) {
//       area_.LoadFromImage(Data().image);
//       QFormLayout* form = AddForm();
//       AddCombo(form, 2100, QStringLiteral("&Beep"), Items(text::kDisabledEnabled));
//       AddEdit(form, 2101, QStringLiteral("&Time"), 8, 3);
//       SetHelpContext(2101, kNoHelp);   // F1 on this field does nothing
//       ShowIndex(2100, area_.beep);
//       ShowText(2101, SecondsText(area_.time));
//     }
//    protected:
//     void OnSelectionChanged(int id, int index) override { if (id == 2100) area_.beep = index; }
//     void OnEditFinished(int id, const QString& text) override {
//       const Entry e = BeepRepeatEntry(text.toStdString());   // core clamp and format
//       area_.time = e.stored;
//       ShowText(id, e.shown);
//     }
//     void OnOk() override { area_.StoreToImage(Data().image); CParamDialog::OnOk(); }
//    private:
//     ExampleArea area_;
//   };
//
// and one line in the frame's table of dialog commands (app/dialog_commands.cpp).
#pragma once

#include <QDialog>
#include <QHash>
#include <QStringList>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "document/document.h"
#include "ports.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kp53 {
struct ListFieldRule;
}

namespace kp53::gui {

class CFilteredEdit;

// What a parameter dialog gets from the program.
struct ParamEnv {
  kp53::CRM90Doc& doc;                 // image, long-lived areas, mode flags, modified flag
  kp53::UserPrompt& prompt;            // messages and questions
  std::function<void(int)> help;       // opens the help window at a context; may be empty
};

class CParamDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kNoHelp = -1;        // F1 on the field does nothing
  static constexpr int kHelpAtId = -2;      // F1 opens the help at the field's control id

  CParamDialog(const ParamEnv& env, const QString& title, QWidget* parent = nullptr);
  ~CParamDialog() override;

  // The refresh code the frame applies after the dialog (0, 1, 2 or 4) for the commands whose
  // refresh "the dialog reports". Set with SetRefreshCode or override.
  virtual int RefreshCode() const { return refreshCode_; }

  // The field of control `id` and its parts; nullptr when the dialog has none.
  QWidget* Field(int id) const { return fields_.value(id).widget; }
  CFilteredEdit* Edit(int id) const;
  QComboBox* Combo(int id) const;
  QCheckBox* Check(int id) const;
  QLabel* Label(int id) const { return fields_.value(id).label; }
  // The help context F1 opens on field `id`, or kNoHelp.
  int HelpContext(int id) const;

  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QLabel* PromptPane() const { return promptPane_; }
  QLabel* HintPane() const { return hintPane_; }

  // The list items of a core text table, as they are (blanks included).
  static QStringList Items(std::span<const std::string_view> list);

 protected:
  // --- Building ---------------------------------------------------------------------------------
  // The column of controls above the buttons and the status bar.
  QVBoxLayout* Body() const { return body_; }
  // A new form (label column, field column) added to `into` (the body when nullptr), inside a
  // group box when `groupTitle` is given.
  QFormLayout* AddForm(QBoxLayout* into = nullptr, const QString& groupTitle = QString());
  // A field with its label "&Name" (buddy of the field). With a `form` the row "label field" is
  // added to it; without, the subclass places Label(id) and Field(id) itself.
  CFilteredEdit* AddEdit(QFormLayout* form, int id, const QString& label, int filterMode, int maxLength);
  QComboBox* AddCombo(QFormLayout* form, int id, const QString& label, const QStringList& items);
  // A check box carries its own text; it is added as a full row of the form.
  QCheckBox* AddCheck(QFormLayout* form, int id, const QString& text);
  // The list or flag field of a rule of the list table: its id, label and items (a flag without
  // items is a check box with the label as its text).
  QComboBox* AddList(QFormLayout* form, const ListFieldRule& rule);
  QCheckBox* AddFlag(QFormLayout* form, const ListFieldRule& rule);
  // Registers a control the subclass built: prompt on focus, F1 help, the modified flag and the
  // handlers as for the fields above (QComboBox, CFilteredEdit, QAbstractButton; any other widget
  // gets prompt and help only).
  void AddField(QWidget* control, int id, QLabel* label = nullptr);
  // F1 on field `id` opens `context` (kNoHelp: nothing). By default it opens the control id.
  void SetHelpContext(int id, int context);
  // F1 where no field has the focus (buttons, the dialog itself); kNoHelp by default.
  void SetDialogHelpContext(int context) { dialogHelp_ = context; }
  // Enables or disables a field (its label stays as it is, as the labels of the radio's programs do).
  void SetFieldEnabled(int id, bool enabled);

  // --- Showing values (none of these counts as a change or calls a handler) ----------------------
  void ShowText(int id, const QString& text);
  void ShowText(int id, const std::string& text) { ShowText(id, QString::fromStdString(text)); }
  void ShowIndex(int id, int index);  // -1 shows no selection
  void SetItems(int id, const QStringList& items, int index = -1);
  void ShowChecked(int id, bool checked);

  // --- Handlers ---------------------------------------------------------------------------------
  // An edit field was finished (Enter, double-click or leaving it) after the user changed it.
  // The subclass converts and stores through the core and shows the stored value with ShowText.
  virtual void OnEditFinished(int id, const QString& text);
  // The user changed the selection of a drop-down list (mouse, arrow keys or typing).
  virtual void OnSelectionChanged(int id, int index);
  // The user toggled a check box or radio button.
  virtual void OnToggled(int id, bool checked);
  // The OK button: store the areas into the image, then call CParamDialog::OnOk() to close.
  virtual void OnOk();
  // Cancel, Escape or the close box: CParamDialog::OnCancel() closes without storing.
  virtual void OnCancel();

  void SetRefreshCode(int code) { refreshCode_ = code; }
  // Before an OK whose rules change settings beyond the dialog's own fields: lists every field of
  // the configuration text that differs between `before` (the image with the dialog's values) and
  // `after` (the OK applied) and asks Yes/No. True when nothing else changes or the user said Yes;
  // No keeps the dialog open.
  bool ConfirmOkChanges(const kp53::RadioData& before, const kp53::RadioData& after);
  // The document's modified flag; the base sets it on every change the user makes.
  void SetModified() { env_.doc.SetModified(); }

  // --- The program ------------------------------------------------------------------------------
  kp53::CRM90Doc& Doc() const { return env_.doc; }
  kp53::RadioData& Data() const { return env_.doc.Data(); }
  kp53::UserPrompt& Prompt() const { return env_.prompt; }
  bool MaintenanceMode() const { return env_.doc.Context().maintenanceMode; }

  // Shows the prompt of control `id` in the status bar.
  void ShowPrompt(int id);
  // Field `id` shows the prompt of string `promptId` instead of the string with its own id (for a
  // control whose id another dialog's field already gives its prompt to).
  void SetPromptId(int id, int promptId) { promptIds_.insert(id, promptId); }
  // Opens the help at `context` (nothing for kNoHelp or without a help window).
  void OpenHelp(int context);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // On the first showing: Tab goes through the fields in the order they were built (reading
  // order) and then to OK and Cancel; the focus starts on the first enabled field unless the
  // dialog put it somewhere else already.
  void showEvent(QShowEvent* event) override;

 public:
  // Cancel goes through OnCancel; OK is only the OK button (accept() from elsewhere does nothing).
  void reject() override;
  void accept() override {}

 private:
  struct FieldInfo {
    QWidget* widget = nullptr;
    QLabel* label = nullptr;
    int help = kHelpAtId;
  };
  int FieldIdOf(const QWidget* w) const;
  void FitStatusBar(int id);
  void ShowStatus(const QString& prompt, const QString& hint);

  ParamEnv env_;
  QVBoxLayout* body_;
  QDialogButtonBox* buttons_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QLabel* promptPane_;
  QLabel* hintPane_;
  QHash<int, FieldInfo> fields_;
  QHash<int, int> promptIds_;
  QHash<const QWidget*, int> idOf_;
  int dialogHelp_ = kNoHelp;
  int refreshCode_ = 0;
  int quiet_ = 0;  // > 0 while values are shown by the program, not changed by the user
  bool closing_ = false;
  bool shown_ = false;
  bool changeShown_ = false;  // the status bar says what a finished entry stored
};

}  // namespace kp53::gui
