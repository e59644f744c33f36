// CTableDialog: the dialogs of the signalling tables (2-tone systems, 5-tone systems, decode and
// encode). A parameter dialog around the program's grid control and its in-place cell editor,
// over a table model of the core (image/signalling_grids.h):
//  - Space or a double-click acts on the current cell: a toggle, a step through the values, or
//    a pick list; every action redraws the cell and sets the modified flag (a pick list also when
//    it is cancelled);
//  - a typed key on a Code or TAG cell starts the in-place edit when the model takes the key;
//    Enter or a double-click on such a cell edits its text; Enter or leaving the editor stores the
//    text (8 characters), Escape drops it; scrolling ends the edit;
//  - moving the cursor shows the column's prompt (string id = grid id + column); F1 opens the
//    help at that number (the grid id itself on the number column);
//  - with clipboard support, Copy and Paste with the grid focused copy the selected cells' texts
//    ("v" or "-" for on/off cells) and apply a copied text to the cells from the current one on.
#pragma once

#include <QPixmap>
#include <memory>

#include "image/signalling_grids.h"
#include "params/param_dialog.h"

class CCellEditor;
class CMSFlexGrid;

namespace kp53::gui {

class CTableDialog : public CParamDialog {
  Q_OBJECT

 public:
  CMSFlexGrid* Grid() const { return grid_; }
  CCellEditor* Editor() const { return editor_; }
  bool Editing() const { return editing_; }
  // The help context of a column: the grid id plus the column.
  int ColumnContext(int col) const { return gridId_ + col; }

  // What the keys and the mouse do, for the current cell.
  void ActOnCurrentCell();
  void Copy();
  void Paste();

 protected:
  CTableDialog(const ParamEnv& env, const QString& title, int gridId, int editId, QWidget* parent);
  ~CTableDialog() override;

  // Builds the grid over `model` (owned by the dialog from then on). `visibleRows` is how many
  // data rows the dialog shows without scrolling; `hideTag` gives the TAG column no width.
  void SetModel(std::unique_ptr<kp53::SignallingGrid> model, int visibleRows, bool hideTag = false,
                bool clipboard = false);
  kp53::SignallingGrid& Model() const { return *model_; }

  // OK: the open edit is finished, then the subclass stores its table into the image.
  virtual void StoreTable() = 0;

  bool eventFilter(QObject* watched, QEvent* event) override;
  void OnOk() override;

 private:
  int DataRow() const;
  void Render(int row, int col);
  bool HandleGridKey(QKeyEvent* key);
  bool LeaveGridByTab(QKeyEvent* key);
  bool HandleDoubleClick(QMouseEvent* event);
  void BeginEdit(const QString& text, bool typed);
  void EndEdit(bool keep);

  int gridId_;
  CMSFlexGrid* grid_;
  CCellEditor* editor_;
  std::unique_ptr<kp53::SignallingGrid> model_;
  QPixmap check_;
  bool clipboard_ = false;
  bool editing_ = false;
  int editRow_ = 0;
  int editCol_ = 0;
};

}  // namespace kp53::gui
