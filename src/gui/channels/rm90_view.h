// CRM90View: the main window's form view. A header strip with the radio's identity and the link
// settings, the group line (group selector, group tag, system type) and the channel grid with one
// row per channel of the current group.
#pragma once

#include <functional>
#include <vector>

class QMouseEvent;

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "channels/cell_editor.h"
#include "channels/flex_grid.h"
#include "document/document.h"
#include "image/channel_editing.h"
#include "image/channel_ranges.h"

class CRM90View : public QWidget {
  Q_OBJECT
 public:
  CRM90View(kp53::CRM90Doc& doc, QWidget* parent = nullptr);

  void RefreshAll();
  void RenderRow(int entry, int row);
  void RenderColumn(int entry, int row, int column);
  void FillHeader();
  void FillGroupLine();

  // Applies the visibility item flags to the column widths.
  void ApplyColumnWidths();
  // View > Item toggles: inverts item `item` and sets its columns' widths.
  void ToggleColumnItem(int item);

  // Selects the next non-empty group (F2).
  void NextGroup();
  // The group selector's choice of item `position`.
  void SelectGroupItem(int position);
  void CommitGroupTag();

  // Help context of the focused control, 0 when none fits.
  int HelpContext() const;

  void SetEditMenu(QMenu* menu) { editMenu_ = menu; }

  // Cell editing. The prompt asks the copy-channel question and beeps on refused keys; `onHelp`
  // opens a help context (F1 in a value list).
  void SetPrompt(kp53::UserPrompt* prompt) { prompt_ = prompt; }
  std::function<void(int)> onHelp;
  CCellEditor* CellEditor() { return editor_; }
  bool IsEditing() const { return editing_; }
  // Begins editing the current cell with `text` (typed: the text is the typed character).
  void BeginCellEdit(const QString& text, bool typed);
  // Ends editing: the editor's text goes into the channel.
  void EndCellEdit();
  // Edit > Copy and Edit > Paste on the grid or the in-place editor.
  void Copy();
  void Paste();
  // Grid row of channel index `entry`, -1 when it is not in the current group.
  int RowOfEntry(int entry) const;

  // Many channels at once (rm90_view_multi.cpp), each one undo step. Fill Down copies the first
  // selected row's cells down the selection; Delete clears the selected channels' frequencies and
  // tones; Insert, Delete, Move Up and Move Down change the order of the current group.
  void FillDown();
  void ClearSelectedChannels();
  void InsertChannel();
  void DeleteChannel();
  void MoveChannel(int delta);

  CMSFlexGrid* Grid() { return grid_; }
  QComboBox* GroupSelector() { return groupCombo_; }
  QLineEdit* GroupTagEdit() { return tagEdit_; }
  QComboBox* SystemTypeList() { return systemCombo_; }
  QLabel* HeaderValue(int i) { return headerValues_[i]; }

  static QString IdlePromptText();

  // F5 in production mode (a Download of the current image) and Shift+F9 in maintenance mode
  // (the File Data dialog); installed by the frame.
  std::function<void()> onProductionDownload;
  std::function<void()> onFileData;

 signals:
  void StatusText(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void SetupGrid();
  void RenderRowColours(int entry, int row);
  void RenderCell(int entry, int row, int column);
  void FillSystemTypeList();
  bool HandleViewKey(QKeyEvent* event);

  // Cell editing (rm90_view_edit.cpp).
  kp53::EditEnv Env() const { return kp53::EditEnvFor(doc_.Data()); }
  void SyncCurrentChannel();
  bool HandleGridKey(QKeyEvent* event);
  bool HandleGridDoubleClick(QMouseEvent* event);
  void TypedCharacter(char c);
  // Shows column c at its default width, widened where the grid's font needs more room for the
  // column's texts, or hides it.
  void SetColumnShown(int c, bool shown);
  // The pixels that column c needs to show each of its cell texts (or its check picture) and its
  // header texts whole, in the fonts in use.
  int ColumnTextPixels(int c) const;

  // The selected range of the grid: channel indexes in grid order (extended down the group to
  // `rows` channels when fewer are selected) and the first and last column.
  struct Selection {
    std::vector<int> channels;
    int first = 0;
    int last = 0;
  };
  Selection SelectedRange(int rows = 0) const;
  // Paste of a clip that holds more than one cell, or into more than one cell; false when the
  // single-cell paste applies.
  bool PasteIntoSelection(const QString& clip);
  void ReportFill(const kp53::FillResult& result);
  // Renders every row of the current group again, keeping the cursor and the selection.
  void RenderGroup();
  // Runs `change` on the current channel's index as one undo step; true when it changed the group.
  bool ReorderCurrentGroup(const std::function<bool(int index)>& change);

  void ApplyResult(kp53::CellResult result, int column);
  void RunValueList(kp53::ChannelEditor& editor, const kp53::ListRequest& list, int column);
  void RunTonePick(int column);
  void PriorityPreStep(int column);
  void EditorEnter();
  void EditorEscape();
  void Beep();

  kp53::CRM90Doc& doc_;
  kp53::ChannelTable& Table() { return doc_.Data().channels; }
  CMSFlexGrid* grid_;
  QGroupBox* headerBox_;
  QGroupBox* groupBox_;
  QLabel* headerValues_[6];
  QComboBox* groupCombo_;
  QLineEdit* tagEdit_;
  QComboBox* systemCombo_;
  QPixmap check_;
  QPointer<QMenu> editMenu_;
  bool filling_ = false;
  kp53::UserPrompt* prompt_ = nullptr;
  CCellEditor* editor_ = nullptr;
  bool editing_ = false;
  int editEntry_ = -1;
  int editRow_ = -1;
  int editColumn_ = -1;
};
