// Cell editing in the channel grid: keys, double-clicks, the in-place editor, the value and tone
// lists, copy and paste. What each action does to the channel is ChannelEditor's; this file routes
// the events and renders the cells the change touches.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include "channels/list_dialogs.h"
#include "channels/rm90_view.h"
#include "text/grid_texts.h"

namespace {

bool ConsumedOnActivate(int column) {
  return column == 5 || column == 6 || column == 7 || column == 13 || column == 15;
}

constexpr int kValueListHelpBase = 300;

}  // namespace

void CRM90View::Beep() {
  if (prompt_) prompt_->Beep();
  else QApplication::beep();
}

int CRM90View::RowOfEntry(int entry) const {
  const auto& t = doc_.Data().channels;
  const int number = entry + 1;
  if (number < t.groupFirst || number > t.groupLast) return -1;
  const int row = number - t.groupFirst + kp53::kGridFixedRows;
  return row < grid_->Rows() ? row : -1;
}

void CRM90View::SyncCurrentChannel() {
  // The channel under the cursor, whatever a dialog or a reload did to currentChannel meanwhile.
  bool ok = false;
  const int n = grid_->TextMatrix(grid_->Row(), 0).trimmed().toInt(&ok);
  if (ok && n >= 1 && n <= kp53::kChannelCount) Table().currentChannel = n - 1;
}

void CRM90View::ApplyResult(kp53::CellResult result, int column) {
  const int entry = Table().currentChannel;
  const int row = RowOfEntry(entry);
  if (result == kp53::CellResult::Beep) Beep();
  if (result == kp53::CellResult::Changed) doc_.SetModified();
  if (row >= 0) RenderColumn(entry, row, column);
}

void CRM90View::PriorityPreStep(int column) {
  const kp53::EditEnv env = Env();
  kp53::ChannelEditor ed(Table(), env);
  if (const auto other = ed.PriorityPreStep(column)) {
    doc_.SetModified();
    if (const int row = RowOfEntry(*other); row >= 0) RenderColumn(*other, row, 1);
  }
}

void CRM90View::RunValueList(kp53::ChannelEditor& ed, const kp53::ListRequest& list, int column) {
  kp53::gui::CListDialog dlg(list, this, kValueListHelpBase + column);
  dlg.onHelp = [this](int context) {
    if (onHelp) onHelp(context);
  };
  const bool ok = dlg.exec() == QDialog::Accepted;
  ApplyResult(ed.ApplyValueList(column, dlg.selectedPosition(), ok), column);
}

void CRM90View::RunTonePick(int column) {
  const kp53::EditEnv env = Env();
  kp53::ChannelEditor ed(Table(), env);
  kp53::ListRequest list;
  const kp53::CellResult r = ed.PickTone(column, &list);
  if (r != kp53::CellResult::TonePick) {
    ApplyResult(r, column);
    return;
  }
  kp53::gui::CListDialog dlg(list, this);
  const bool ok = dlg.exec() == QDialog::Accepted;
  ApplyResult(ed.ApplyTonePick(column, dlg.selectedPosition(), ok), column);
}

void CRM90View::BeginCellEdit(const QString& text, bool typed) {
  if (editing_) return;
  SyncCurrentChannel();
  const int column = grid_->Col(), row = grid_->Row();
  if (row < kp53::kGridFixedRows) return;
  const kp53::EditEnv env = Env();
  kp53::ChannelEditor ed(Table(), env);
  if (!ed.EditText(column)) return;  // not an editable cell of this channel
  const kp53::EditorLimits limits = kp53::CellEditorLimits(column, Table().Entry(Table().currentChannel));
  editing_ = true;
  doc_.BeginChange();  // ended with the edit
  editEntry_ = Table().currentChannel;
  editRow_ = row;
  editColumn_ = column;
  const QPoint origin = grid_->geometry().topLeft();
  constexpr int kTw = CMSFlexGrid::kTwipsPerPixel;
  editor_->setGeometry(origin.x() + grid_->CellLeft() / kTw - 1, origin.y() + grid_->CellTop() / kTw - 1,
                       grid_->CellWidth() / kTw + 2, grid_->CellHeight() / kTw + 2);
  editor_->SetMode(limits.mode);
  editor_->setMaxLength(limits.length);
  editor_->setText(text);
  editor_->show();
  editor_->raise();
  editor_->setFocus(Qt::OtherFocusReason);
  editor_->selectAll();
  if (typed) {
    // Typing goes on after the first character.
    editor_->deselect();
    editor_->end(false);
  }
}

void CRM90View::EndCellEdit() {
  if (!editing_) return;
  editing_ = false;
  const QString text = editor_->text();
  auto& t = Table();
  t.currentChannel = editEntry_;
  const kp53::EditEnv env = Env();
  kp53::ChannelEditor ed(t, env);
  const kp53::CellResult r = ed.EndEdit(editColumn_, text.toStdString());
  if (r == kp53::CellResult::Changed) doc_.SetModified();
  if (r == kp53::CellResult::Beep) Beep();
  if (editRow_ < grid_->Rows()) RenderColumn(editEntry_, editRow_, editColumn_);
  // Whatever the rules stored other than what was typed is said at once, with a beep.
  const std::string shown = kp53::ChannelCellText(t, editEntry_, editColumn_, kp53::IsHt610(doc_.Data()));
  const std::string line =
      kp53::CellEntryLine(editColumn_, text.toStdString(), shown, r, t.Entry(editEntry_), doc_.Data().hardware);
  if (!line.empty()) {
    emit StatusText(QString::fromStdString(line));
    if (r != kp53::CellResult::Beep) Beep();
  }
  editor_->hide();
  doc_.EndChange();
}

void CRM90View::EditorEnter() {
  if (!editing_) return;
  const int column = editColumn_;
  const QString text = editor_->text();
  grid_->setFocus(Qt::OtherFocusReason);
  EndCellEdit();  // when the focus could not move
  if (column != 6 && column != 7) return;
  const kp53::EditEnv env = Env();
  kp53::ChannelEditor ed(Table(), env);
  if (!ed.EnterPickShortcut(column, text.toStdString())) return;
  RunTonePick(column);
}

void CRM90View::EditorEscape() {
  if (!editing_) return;
  if (editColumn_ == 6 || editColumn_ == 7) {
    // The tone types go back first: read with a type changed by a typed "C" or "D", the shown
    // text could be taken for a value of the other kind ("C-100.0" as DCS code 100).
    Table().currentChannel = editEntry_;
    const kp53::EditEnv env = Env();
    kp53::ChannelEditor(Table(), env).RestoreToneTypes();
  }
  editor_->setText(grid_->TextMatrix(editRow_, editColumn_));
  grid_->setFocus(Qt::OtherFocusReason);
  EndCellEdit();
}

void CRM90View::TypedCharacter(char c) {
  const int column = grid_->Col();
  SyncCurrentChannel();
  switch (column) {
    case 3:
      if (!kp53::IsHt610(doc_.Data()) && kp53::EditorAccepts(0, c))
        if (const auto stored = kp53::StorableTagCharacter(c)) BeginCellEdit(QString(QLatin1Char(*stored)), true);
      break;
    case 4:
    case 5:
      // The transmit cell also begins an offset with its sign.
      if (kp53::EditorAccepts(column == 5 ? kp53::kTransmitEditorMode : 1, c) && c != 'k' && c != 'K')
        BeginCellEdit(QString(QLatin1Char(c)), true);
      break;
    case 6:
    case 7: {
      const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (u != 'C' && u != 'D') break;
      const kp53::EditEnv env = Env();
      kp53::ChannelEditor ed(Table(), env);
      if (!ed.EditText(column)) break;  // a disabled channel takes no tone text
      ed.BeginToneTyping(column, u);
      BeginCellEdit(QStringLiteral("%1-").arg(QLatin1Char(u)), true);
      break;
    }
    default:
      break;
  }
}

bool CRM90View::HandleGridKey(QKeyEvent* event) {
  if (editing_ || grid_->Row() < kp53::kGridFixedRows) return false;
  const int column = grid_->Col();
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
    SyncCurrentChannel();
    if (column >= 3 && column <= 5) {
      const kp53::EditEnv env = Env();
      kp53::ChannelEditor ed(Table(), env);
      if (const auto text = ed.EditText(column)) BeginCellEdit(QString::fromStdString(*text), false);
      return false;
    }
    if (column == 6 || column == 7) {
      const kp53::EditEnv env = Env();
      kp53::ChannelEditor(Table(), env).SaveToneTypes();
      RunTonePick(column);
      return true;
    }
    ApplyResult(kp53::CellResult::None, column);
    return false;
  }
  if (event->key() == Qt::Key_Space && mods == Qt::NoModifier) {
    SyncCurrentChannel();
    PriorityPreStep(column);
    const kp53::EditEnv env = Env();
    kp53::ChannelEditor ed(Table(), env);
    kp53::ListRequest list;
    const kp53::CellResult r = ed.Activate(column, &list);
    if (r == kp53::CellResult::ValueList) RunValueList(ed, list, column);
    else ApplyResult(r, column);
    if (ConsumedOnActivate(column)) return true;
  }
  if (event->key() == Qt::Key_Delete && mods == Qt::NoModifier) {
    ClearSelectedChannels();
    return true;
  }
  if (event->key() == Qt::Key_F3 && mods == Qt::NoModifier) {
    if (column == 6 || column == 7) {
      SyncCurrentChannel();
      const kp53::EditEnv env = Env();
      ApplyResult(kp53::ChannelEditor(Table(), env).CyclePolarity(column), column);
    }
    return false;
  }
  // A typed character, ignored while Ctrl (or Alt, the menu key) is held.
  if ((mods & (Qt::ControlModifier | Qt::AltModifier)) || event->key() == Qt::Key_Backspace) return false;
  const QString text = event->text();
  if (text.size() == 1 && text.at(0).unicode() >= 0x20 && text.at(0).unicode() < 0x7F) {
    TypedCharacter(static_cast<char>(text.at(0).unicode()));
    // Taken by the editor, or ignored: the grid does not jump to a row by what is typed.
    return editing_ || text.at(0) != QLatin1Char(' ');
  }
  return false;
}

bool CRM90View::HandleGridDoubleClick(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || editing_) return false;
  const QPoint pos = event->position().toPoint();
  const int r = grid_->rowAt(pos.y()), c = grid_->columnAt(pos.x());
  if (r < 0 || c < 0) return true;  // below the rows: nothing to do
  // The cell under the mouse is the current cell, whether or not the press moved it already.
  if (r + kp53::kGridFixedRows != grid_->Row() || c != grid_->Col()) {
    grid_->SetRow(r + kp53::kGridFixedRows);
    grid_->SetCol(c);
    emit grid_->RowColChange();
  }
  const int column = grid_->Col();
  SyncCurrentChannel();
  PriorityPreStep(column);
  const kp53::EditEnv env = Env();
  kp53::ChannelEditor ed(Table(), env);
  if (column >= 3 && column <= 5) {
    if (const auto text = ed.EditText(column)) BeginCellEdit(QString::fromStdString(*text), false);
    else ApplyResult(kp53::CellResult::None, column);
  } else if (column == 6 || column == 7) {
    ed.SaveToneTypes();
    RunTonePick(column);
  } else {
    kp53::ListRequest list;
    const kp53::CellResult res = ed.Activate(column, &list);
    if (res == kp53::CellResult::ValueList) RunValueList(ed, list, column);
    else ApplyResult(res, column);
  }
  return ConsumedOnActivate(column) || editing_;
}

void CRM90View::Copy() {
  QWidget* f = QApplication::focusWidget();
  if (editing_ && f == editor_) {
    editor_->copy();
    return;
  }
  if (f != grid_ && !(f && grid_->isAncestorOf(f))) return;
  if (grid_->Row() < kp53::kGridFixedRows) return;
  SyncCurrentChannel();
  const kp53::EditEnv env = Env();
  kp53::ChannelEditor ed(Table(), env);
  if (const auto mark = ed.CopyText(grid_->Col())) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(*mark));
    return;
  }
  // The range as the grid gives it: a tab between cells, a carriage return between rows. The
  // same cells also go as an HTML table, which spreadsheets prefer when they paste.
  const QString clip = grid_->Clip();
  QString html = QStringLiteral("<table>");
  for (const QString& line : clip.split(QLatin1Char('\r'))) {
    html += QStringLiteral("<tr>");
    for (const QString& cell : line.split(QLatin1Char('\t')))
      html += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
    html += QStringLiteral("</tr>");
  }
  html += QStringLiteral("</table>");
  auto* mime = new QMimeData;
  mime->setText(clip);
  mime->setHtml(html);
  QGuiApplication::clipboard()->setMimeData(mime);
}

void CRM90View::Paste() {
  QWidget* f = QApplication::focusWidget();
  if (editing_ && f == editor_) {
    editor_->PasteFiltered();
    return;
  }
  if (f != grid_ && !(f && grid_->isAncestorOf(f))) return;
  if (grid_->Row() < kp53::kGridFixedRows || !prompt_) return;
  if (PasteIntoSelection(QGuiApplication::clipboard()->text())) return;
  SyncCurrentChannel();
  const int column = grid_->Col();
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  const kp53::EditEnv env = Env();
  kp53::ChannelEditor ed(Table(), env);
  std::optional<int> other;
  doc_.BeginChange();
  const kp53::CellResult r = ed.Paste(column, text, doc_.Context().settings.columns, *prompt_, &other);
  doc_.EndChange();
  if (r == kp53::CellResult::Beep) {
    Beep();
    return;
  }
  if (r == kp53::CellResult::Changed) doc_.SetModified();
  if (other) {
    if (const int row = RowOfEntry(*other); row >= 0) {
      if (column == 0) RenderRow(*other, row);
      else RenderColumn(*other, row, column);
    }
  }
  const int entry = Table().currentChannel;
  if (const int row = RowOfEntry(entry); row >= 0) {
    if (column == 0) RenderRow(entry, row);
    else RenderColumn(entry, row, column);
  }
}
