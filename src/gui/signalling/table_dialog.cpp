#include "signalling/table_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include "channels/cell_editor.h"
#include "channels/flex_grid.h"
#include "signalling/pick_list_dialog.h"
#include "text/messages.h"

namespace kp53::gui {

namespace {

constexpr int kFixedRows = 2;

QString Q(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
QString Q(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

bool IsTyped(kp53::CellKind kind) { return kind == kp53::CellKind::Code || kind == kp53::CellKind::Tag; }

}  // namespace

CTableDialog::CTableDialog(const ParamEnv& env, const QString& title, int gridId, int editId, QWidget* parent)
    : CParamDialog(env, title, parent), gridId_(gridId), grid_(new CMSFlexGrid(this)) {
  grid_->setObjectName(QStringLiteral("Grid%1").arg(gridId));
  grid_->setFont(CMSFlexGrid::GridFont());
  Body()->addWidget(grid_, 1);
  editor_ = new CCellEditor(grid_);
  editor_->setObjectName(QStringLiteral("Edit%1").arg(editId));
  editor_->setFont(grid_->font());
  check_ = CMSFlexGrid::CheckPicture(palette().color(QPalette::Text));

  grid_->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);
  editor_->installEventFilter(this);
  connect(grid_, &CMSFlexGrid::RowColChange, this, [this] {
    if (model_) model_->Current() = DataRow();
    ShowPrompt(ColumnContext(grid_->Col()));
  });
  connect(grid_, &CMSFlexGrid::Scroll, this, [this] {
    if (!editing_) return;
    grid_->setFocus(Qt::OtherFocusReason);
    EndEdit(true);  // when the focus could not move
  });
  connect(editor_, &CCellEditor::EnterPressed, this, [this] {
    grid_->setFocus(Qt::OtherFocusReason);
    EndEdit(true);
  });
  connect(editor_, &CCellEditor::EscapePressed, this, [this] {
    EndEdit(false);
    grid_->setFocus(Qt::OtherFocusReason);
  });
  connect(editor_, &CCellEditor::FocusLost, this, [this] { EndEdit(true); });
}

CTableDialog::~CTableDialog() {
  // The editor loses the focus while the widgets go: it must not store any more.
  editing_ = false;
  editor_->disconnect(this);
  grid_->disconnect(this);
}

void CTableDialog::SetModel(std::unique_ptr<kp53::SignallingGrid> model, int visibleRows, bool hideTag,
                            bool clipboard) {
  model_ = std::move(model);
  clipboard_ = clipboard;
  const int cols = model_->ColumnCount();
  grid_->SetRedraw(false);
  grid_->SetCols(cols);
  grid_->SetFixedRows(kFixedRows);
  grid_->SetFixedCols(0);
  grid_->SetRows(kFixedRows + model_->RowCount());
  grid_->SetMergeCells(3);
  grid_->SetMergeRow(0, true);
  grid_->SetGridLinesFixed(0);
  const QFontMetrics fm(grid_->font());
  const int charWidth = fm.horizontalAdvance(QLatin1Char('0'));
  int total = 0;
  for (int c = 0; c < cols; ++c) {
    const kp53::TableColumn& col = model_->Column(c);
    grid_->SetTextMatrix(0, c, Q(col.header0));
    grid_->SetTextMatrix(1, c, Q(col.header1));
    grid_->SetMergeCol(c, true);
    grid_->SetColAlignment(c, col.left ? CMSFlexGrid::kAlignLeftTop : CMSFlexGrid::kAlignCenterTop);
    grid_->SetFixedAlignment(c, CMSFlexGrid::kAlignCenterTop);
    // Room for the values and for a heading of its own (one that spans columns is not counted).
    int chars = std::max<int>(col.widthChars, static_cast<int>(col.header1.size()));
    const bool shared = (c > 0 && model_->Column(c - 1).header0 == col.header0) ||
                        (c + 1 < cols && model_->Column(c + 1).header0 == col.header0);
    if (!shared) chars = std::max<int>(chars, static_cast<int>(col.header0.size()));
    int px = chars * charWidth + 12;
    if (hideTag && c == kp53::kTagColumn) px = 0;
    grid_->SetColWidth(c, px * CMSFlexGrid::kTwipsPerPixel);
    total += px;
  }
  for (int r = 0; r < model_->RowCount(); ++r)
    for (int c = 0; c < cols; ++c) Render(r, c);
  grid_->SetRow(kFixedRows);
  grid_->SetCol(0);
  grid_->SetRedraw(true);
  model_->Current() = 0;

  const int frame = 2 * grid_->frameWidth();
  const bool scrolls = visibleRows < model_->RowCount();
  const int scrollBar = scrolls ? grid_->verticalScrollBar()->sizeHint().width() : 0;
  grid_->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const int height = (kFixedRows + visibleRows) * grid_->RowHeightPixels() + frame + 1;
  grid_->setMinimumSize(total + frame + scrollBar + 1, height);
  grid_->setMaximumWidth(grid_->minimumWidth());
  Body()->setAlignment(grid_, Qt::AlignHCenter);
  // A table shown whole does not grow beyond its rows.
  if (!scrolls) grid_->setMaximumHeight(height);
  // Room in the status bar for the longest column prompt.
  int prompt = 0;
  for (int c = 0; c < cols; ++c) {
    const QString text = Q(kp53::MessageText(ColumnContext(c)));
    prompt = std::max(prompt, PromptPane()->fontMetrics().horizontalAdvance(text.section(QLatin1Char('\n'), 0, 0)));
  }
  setMinimumWidth(std::max(minimumSizeHint().width(), prompt + HintPane()->minimumWidth() + 40));
  grid_->setFocus(Qt::OtherFocusReason);
}

int CTableDialog::DataRow() const { return grid_->Row() - kFixedRows; }

void CTableDialog::Render(int row, int col) {
  const int gridRow = row + kFixedRows;
  if (model_->ShowsCheck(row, col)) {
    grid_->SetTextMatrix(gridRow, col, QString());
    grid_->SetCellPictureAt(gridRow, col, check_);
  } else {
    grid_->SetTextMatrix(gridRow, col, Q(model_->Text(row, col)));
    grid_->SetCellPictureAt(gridRow, col, QPixmap());
  }
}

void CTableDialog::ActOnCurrentCell() {
  if (!model_ || editing_) return;
  const int row = DataRow(), col = grid_->Col();
  model_->Current() = row;
  std::optional<kp53::CellPick> pick;
  const bool changed = model_->Activate(row, col, &pick);
  if (pick) {
    CPickListDlg dlg(pick->list, kp53::PickListChoices(pick->list, Data().image), pick->selected, pick->rowNumber, this);
    if (dlg.exec() == QDialog::Accepted) model_->ApplyPick(row, col, dlg.selectedPosition());
    SetModified();
  } else if (changed) {
    SetModified();
  }
  Render(row, col);
}

void CTableDialog::Copy() {
  QWidget* f = QApplication::focusWidget();
  if (editing_ && f == editor_) {
    editor_->copy();
    return;
  }
  // The selected cells: a tab between cells, a line break between rows.
  const int r0 = std::min(grid_->Row(), grid_->RowSel()), r1 = std::max(grid_->Row(), grid_->RowSel());
  const int c0 = std::min(grid_->Col(), grid_->ColSel()), c1 = std::max(grid_->Col(), grid_->ColSel());
  QString text;
  for (int r = r0; r <= r1; ++r) {
    if (r > r0) text += QLatin1Char('\n');
    for (int c = c0; c <= c1; ++c) {
      if (c > c0) text += QLatin1Char('\t');
      text += Q(model_->CopyText(r - kFixedRows, c));
    }
  }
  QGuiApplication::clipboard()->setText(text);
}

void CTableDialog::Paste() {
  QWidget* f = QApplication::focusWidget();
  if (editing_ && f == editor_) {
    editor_->PasteFiltered();
    return;
  }
  // Cells of the clipboard text go to the cells from the current one on, right and down; a
  // cell that cannot take its text (the row number, a wrong value) keeps its value.
  QString text = QGuiApplication::clipboard()->text();
  text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  const QStringList lines = text.split(QLatin1Char('\n'));
  bool changed = false, refused = false;
  for (int i = 0; i < lines.size(); ++i) {
    const int row = DataRow() + i;
    if (row >= model_->RowCount()) break;
    const QStringList cells = lines[i].split(QLatin1Char('\t'));
    for (int j = 0; j < cells.size(); ++j) {
      const int col = grid_->Col() + j;
      if (col >= model_->ColumnCount()) break;
      if (model_->Column(col).kind == kp53::CellKind::Number) continue;
      if (model_->Paste(row, col, cells[j].toStdString())) {
        changed = true;
        Render(row, col);
      } else {
        refused = true;
      }
    }
  }
  if (changed) SetModified();
  if (refused && !changed) Prompt().Beep();
}

bool CTableDialog::HandleGridKey(QKeyEvent* key) {
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  if (key->key() == Qt::Key_F1 && !(mods & Qt::ShiftModifier)) {
    OpenHelp(ColumnContext(grid_->Col()));
    return true;
  }
  if (editing_) return false;
  if (LeaveGridByTab(key)) return true;
  if (clipboard_ && key->matches(QKeySequence::Copy)) {
    Copy();
    return true;
  }
  if (clipboard_ && key->matches(QKeySequence::Paste)) {
    Paste();
    return true;
  }
  const int row = DataRow(), col = grid_->Col();
  if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
    if (IsTyped(model_->Column(col).kind) && model_->Editable(row, col)) {
      QString text = Q(model_->Text(row, col));
      while (text.endsWith(QLatin1Char(' '))) text.chop(1);
      BeginEdit(text, false);
    } else {
      Render(row, col);
    }
    return true;
  }
  if (key->key() == Qt::Key_Space && mods == Qt::NoModifier) {
    ActOnCurrentCell();
    return true;
  }
  if ((mods & (Qt::ControlModifier | Qt::AltModifier)) || key->key() == Qt::Key_Backspace) return false;
  const QString t = key->text();
  if (t.size() == 1 && t.at(0).unicode() > 0x20 && t.at(0).unicode() < 0x7F) {
    if (const auto c = model_->StartsEdit(row, col, static_cast<char>(t.at(0).unicode())))
      BeginEdit(QString(QLatin1Char(*c)), true);
    else
      Prompt().Beep();
    return true;  // the grid does not jump to a row by what is typed
  }
  return false;
}

bool CTableDialog::LeaveGridByTab(QKeyEvent* key) {
  // Ctrl+Tab leaves the table forwards and Ctrl+Shift+Tab backwards; Tab on the last cell and
  // Shift+Tab on the first do the same instead of wrapping round inside the table.
  const bool tab = key->key() == Qt::Key_Tab, backtab = key->key() == Qt::Key_Backtab;
  if (!tab && !backtab) return false;
  const bool back = backtab || (key->modifiers() & Qt::ShiftModifier);
  int firstCol = 0, lastCol = grid_->Cols() - 1;
  while (firstCol < lastCol && grid_->ColWidth(firstCol) == 0) ++firstCol;
  while (lastCol > firstCol && grid_->ColWidth(lastCol) == 0) --lastCol;
  const bool edge = back ? grid_->Row() == kFixedRows && grid_->Col() <= firstCol
                         : grid_->Row() == grid_->Rows() - 1 && grid_->Col() >= lastCol;
  if (!(key->modifiers() & Qt::ControlModifier) && !edge) return false;
  focusNextPrevChild(!back);
  return true;
}

bool CTableDialog::HandleDoubleClick(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || editing_) return false;
  const QPoint pos = event->position().toPoint();
  const int r = grid_->rowAt(pos.y()), c = grid_->columnAt(pos.x());
  if (r < 0 || c < 0) return true;
  if (r + kFixedRows != grid_->Row() || c != grid_->Col()) {
    grid_->SetRow(r + kFixedRows);
    grid_->SetCol(c);
    emit grid_->RowColChange();
  }
  if (IsTyped(model_->Column(c).kind)) {
    if (model_->Editable(r, c)) {
      QString text = Q(model_->Text(r, c));
      while (text.endsWith(QLatin1Char(' '))) text.chop(1);
      BeginEdit(text, false);
    }
    return true;
  }
  ActOnCurrentCell();
  return true;
}

void CTableDialog::BeginEdit(const QString& text, bool typed) {
  if (editing_) return;
  editing_ = true;
  editRow_ = DataRow();
  editCol_ = grid_->Col();
  model_->Current() = editRow_;
  constexpr int kTw = CMSFlexGrid::kTwipsPerPixel;
  editor_->setGeometry(grid_->CellLeft() / kTw - 1, grid_->CellTop() / kTw - 1, grid_->CellWidth() / kTw + 2,
                       grid_->CellHeight() / kTw + 2);
  const kp53::TextFieldRule* rule = model_->Rule(editRow_, editCol_);
  editor_->SetRule(rule);
  editor_->setMaxLength(rule ? rule->length : 8);
  editor_->setText(text);
  editor_->show();
  editor_->raise();
  editor_->setFocus(Qt::OtherFocusReason);
  if (typed) {
    editor_->deselect();
    editor_->end(false);
  } else {
    editor_->selectAll();
  }
}

void CTableDialog::EndEdit(bool keep) {
  if (!editing_) return;
  editing_ = false;
  if (keep && model_->EndEdit(editRow_, editCol_, editor_->text().toStdString())) SetModified();
  Render(editRow_, editCol_);
  editor_->hide();
}

bool CTableDialog::eventFilter(QObject* watched, QEvent* event) {
  if (model_) {
    if (watched == grid_ && event->type() == QEvent::KeyPress && HandleGridKey(static_cast<QKeyEvent*>(event)))
      return true;
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F1) {
        OpenHelp(ColumnContext(editCol_));
        return true;
      }
    }
    if (watched == grid_ && event->type() == QEvent::FocusIn) ShowPrompt(ColumnContext(grid_->Col()));
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        HandleDoubleClick(static_cast<QMouseEvent*>(event)))
      return true;
  }
  return CParamDialog::eventFilter(watched, event);
}

void CTableDialog::OnOk() {
  EndEdit(true);
  StoreTable();
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
