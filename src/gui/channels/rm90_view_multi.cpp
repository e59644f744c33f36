// Many channels at once in the grid: a paste into a selection, Fill Down, Delete on a selection,
// and the order of the channels within the group. The rules are the core's (image/
// channel_ranges.h); this file turns the grid's selection into channel indexes, brackets every
// command as one undo step and reports what a fill skipped in the status line.
#include <QStringList>

#include "channels/rm90_view.h"
#include "text/grid_texts.h"

CRM90View::Selection CRM90View::SelectedRange(int rows) const {
  Selection s;
  // The box around the selected ranges (Ctrl+A selects around the cursor, not from it), or the
  // current cell.
  int r0 = grid_->Row(), r1 = grid_->Row();
  s.first = s.last = grid_->Col();
  const auto ranges = grid_->selectedRanges();
  for (qsizetype i = 0; i < ranges.size(); ++i) {
    const QTableWidgetSelectionRange& r = ranges[i];
    const int top = r.topRow() + kp53::kGridFixedRows, bottom = r.bottomRow() + kp53::kGridFixedRows;
    if (i == 0) {
      r0 = top, r1 = bottom, s.first = r.leftColumn(), s.last = r.rightColumn();
      continue;
    }
    r0 = std::min(r0, top), r1 = std::max(r1, bottom);
    s.first = std::min(s.first, r.leftColumn()), s.last = std::max(s.last, r.rightColumn());
  }
  const int firstIndex = doc_.Data().channels.groupFirst - 1;
  const int lastRow = std::max(r1, std::min(grid_->Rows() - 1, r0 + rows - 1));
  for (int r = std::max(r0, kp53::kGridFixedRows); r <= lastRow; ++r)
    s.channels.push_back(firstIndex + r - kp53::kGridFixedRows);
  return s;
}

void CRM90View::RenderGroup() {
  const auto& t = doc_.Data().channels;
  for (int row = kp53::kGridFixedRows; row < grid_->Rows(); ++row) RenderRow(t.groupFirst - 1 + row - kp53::kGridFixedRows, row);
}

void CRM90View::ReportFill(const kp53::FillResult& result) {
  QString text = QStringLiteral("%1 cells filled").arg(result.filled);
  if (!result.skipped.empty()) {
    QStringList cells;
    for (const kp53::CellRef& c : result.skipped) {
      if (cells.size() == 5) {
        cells << QStringLiteral("...");
        break;
      }
      cells << QStringLiteral("CH%1 %2").arg(c.channel + 1).arg(QString::fromLatin1(kp53::kChannelColumns[c.column].header1).trimmed());
    }
    text += QStringLiteral("; %1 skipped: %2").arg(result.skipped.size()).arg(cells.join(QStringLiteral(", ")));
  }
  emit StatusText(text);
}

bool CRM90View::PasteIntoSelection(const QString& clip) {
  const auto rows = kp53::SplitClipText(clip.toStdString());
  const bool oneValue = rows.size() == 1 && rows[0].size() == 1;
  const Selection s = SelectedRange(static_cast<int>(rows.size()));
  if (oneValue && s.channels.size() == 1 && s.first == s.last) return false;
  if (!oneValue && s.channels.size() == 1 && s.first == s.last && rows[0].size() == 1) return false;
  const int current = Table().currentChannel;
  const kp53::EditEnv env = Env();
  doc_.BeginChange();
  const kp53::FillResult r = kp53::PasteIntoSelection(Table(), env, s.channels, s.first, s.last, rows,
                                                      doc_.Context().settings.columns, *prompt_);
  doc_.EndChange();
  Table().currentChannel = current;
  if (r.filled > 0) doc_.SetModified();
  if (r.filled == 0) Beep();
  RenderGroup();
  ReportFill(r);
  return true;
}

void CRM90View::FillDown() {
  EndCellEdit();
  if (grid_->Row() < kp53::kGridFixedRows || !prompt_) return;
  const Selection s = SelectedRange();
  if (s.channels.size() < 2) return;
  const int current = Table().currentChannel;
  const kp53::EditEnv env = Env();
  doc_.BeginChange();
  const kp53::FillResult r =
      kp53::FillDown(Table(), env, s.channels, s.first, s.last, doc_.Context().settings.columns, *prompt_);
  doc_.EndChange();
  Table().currentChannel = current;
  if (r.filled > 0) doc_.SetModified();
  RenderGroup();
  ReportFill(r);
}

void CRM90View::ClearSelectedChannels() {
  if (grid_->Row() < kp53::kGridFixedRows) return;
  const Selection s = SelectedRange();
  const int current = Table().currentChannel;
  const kp53::EditEnv env = Env();
  doc_.BeginChange();
  kp53::ClearFrequenciesAndTones(Table(), env, s.channels);
  doc_.EndChange();
  Table().currentChannel = current;
  doc_.SetModified();
  RenderGroup();
}

bool CRM90View::ReorderCurrentGroup(const std::function<bool(int index)>& change) {
  EndCellEdit();
  if (grid_->Row() < kp53::kGridFixedRows) return false;
  SyncCurrentChannel();
  const int index = Table().currentChannel;
  doc_.BeginChange();
  const bool done = change(index);
  doc_.EndChange();
  if (!done) return false;
  doc_.SetModified();
  RenderGroup();
  return true;
}

void CRM90View::InsertChannel() {
  ReorderCurrentGroup([this](int index) {
    if (kp53::GroupEndInUse(doc_.Data(), index) && prompt_ &&
        prompt_->Message(kp53::kMessageLastChannelFallsOff, kp53::Icon::Question, kp53::Buttons::YesNo) !=
            kp53::Answer::Yes)
      return false;
    return kp53::InsertChannel(doc_.Data(), index);
  });
}

void CRM90View::DeleteChannel() {
  ReorderCurrentGroup([this](int index) { return kp53::DeleteChannel(doc_.Data(), index); });
}

void CRM90View::MoveChannel(int delta) {
  const bool moved = ReorderCurrentGroup([this, delta](int index) { return kp53::MoveChannel(doc_.Data(), index, delta); });
  if (!moved) {
    if (grid_->Row() >= kp53::kGridFixedRows) Beep();
    return;
  }
  // The cursor goes with the channel.
  grid_->SetRow(grid_->Row() + delta);
  Table().currentChannel += delta;
}
