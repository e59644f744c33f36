#include "channels/rm90_view.h"

#include "channels/tag_input.h"

#include "image/common_options_area.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <string_view>

#include "image/channel_editing.h"
#include "image/codecs.h"
#include "text/grid_texts.h"
#include "text/messages.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QFont FixedFont() {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  return f;
}

}  // namespace

QString CRM90View::IdlePromptText() { return Q(std::string(kp53::MessageText(57345))); }

CRM90View::CRM90View(kp53::CRM90Doc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  const QFont fixed = FixedFont();

  headerBox_ = new QGroupBox(this);
  auto* hl = new QGridLayout(headerBox_);
  hl->setContentsMargins(8, 6, 8, 6);
  hl->setVerticalSpacing(3);
  const char* labels[6] = {"Serial No", "Freq Band", "ProductType", "FW Version", "COM Port", "Printer"};
  for (int i = 0; i < 6; ++i) {
    auto* l = new QLabel(QString::fromLatin1(labels[i]), headerBox_);
    headerValues_[i] = new QLabel(headerBox_);
    headerValues_[i]->setFont(fixed);
    headerValues_[i]->setFrameShape(QFrame::StyledPanel);
    headerValues_[i]->setFrameShadow(QFrame::Sunken);
    headerValues_[i]->setTextInteractionFlags(Qt::NoTextInteraction);
    headerValues_[i]->setMinimumWidth(120);
    const int row = i % 3, col = (i / 3) * 2;
    hl->addWidget(l, row, col);
    hl->addWidget(headerValues_[i], row, col + 1);
  }
  hl->setColumnStretch(1, 1);
  hl->setColumnStretch(3, 1);
  hl->setHorizontalSpacing(10);

  groupBox_ = new QGroupBox(this);
  auto* gl = new QHBoxLayout(groupBox_);
  gl->setContentsMargins(8, 6, 8, 6);
  groupCombo_ = new QComboBox(groupBox_);
  groupCombo_->setFont(fixed);
  groupCombo_->setMinimumContentsLength(9);
  tagEdit_ = new QLineEdit(groupBox_);
  tagEdit_->setFont(fixed);
  tagEdit_->setMaxLength(8);
  tagEdit_->setFixedWidth(QFontMetrics(fixed).horizontalAdvance(QStringLiteral("WWWWWWWWWW")) + 8);
  TagInput::Attach(tagEdit_, [this] { Beep(); }, [this](const QString& line) { emit StatusText(line); });
  systemCombo_ = new QComboBox(groupBox_);
  systemCombo_->setMinimumContentsLength(13);
  gl->addWidget(new QLabel(QStringLiteral("Group"), groupBox_));
  gl->addWidget(groupCombo_);
  gl->addSpacing(12);
  gl->addWidget(new QLabel(QStringLiteral("Group Tag"), groupBox_));
  gl->addWidget(tagEdit_);
  gl->addSpacing(12);
  gl->addWidget(new QLabel(QStringLiteral(" System Type"), groupBox_));
  gl->addWidget(systemCombo_);
  gl->addStretch(1);

  grid_ = new CMSFlexGrid(this);
  const QFont gridFont = CMSFlexGrid::GridFont();
  grid_->setFont(gridFont);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  check_ = CMSFlexGrid::CheckPicture(palette().color(QPalette::Text));

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(6, 6, 6, 6);
  v->setSpacing(6);
  v->addWidget(headerBox_);
  v->addWidget(groupBox_);
  v->addWidget(grid_, 1);

  connect(groupCombo_, &QComboBox::activated, this, [this](int i) { SelectGroupItem(i); });
  connect(systemCombo_, &QComboBox::activated, this, [this](int i) {
    doc_.BeginChange();
    Table().groupSystemType[static_cast<std::size_t>(Table().currentGroup)] = static_cast<std::uint8_t>(i);
    doc_.SetModified();
    doc_.EndChange();
  });
  connect(tagEdit_, &QLineEdit::textEdited, this, [this] {
    // Typing in one group's tag is one undo step.
    doc_.BeginChange("group-tag-" + std::to_string(Table().currentGroup));
    CommitGroupTag();
    doc_.SetModified();
    doc_.EndChange();
  });
  connect(tagEdit_, &QLineEdit::editingFinished, this, [this] { CommitGroupTag(); });
  connect(grid_, &CMSFlexGrid::RowColChange, this, [this] {
    bool ok = false;
    const int n = grid_->TextMatrix(grid_->Row(), 0).trimmed().toInt(&ok);
    if (ok) Table().currentChannel = n - 1;
  });
  connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    if (editMenu_) editMenu_->popup(grid_->viewport()->mapToGlobal(pos));
  });
  for (QWidget* w : {static_cast<QWidget*>(grid_), static_cast<QWidget*>(groupCombo_),
                     static_cast<QWidget*>(tagEdit_), static_cast<QWidget*>(systemCombo_)})
    w->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);

  editor_ = new CCellEditor(this);
  editor_->setFont(gridFont);
  editor_->installEventFilter(this);
  connect(editor_, &CCellEditor::FocusLost, this, [this] { EndCellEdit(); });
  connect(editor_, &CCellEditor::EnterPressed, this, [this] { EditorEnter(); });
  connect(editor_, &CCellEditor::EscapePressed, this, [this] { EditorEscape(); });
  // A scroll of the grid ends editing: the focus goes back to the grid.
  connect(grid_, &CMSFlexGrid::Scroll, this, [this] {
    if (!editing_) return;
    grid_->setFocus();
    EndCellEdit();  // when the window is not active the focus moves without a focus-out
  });

  SetupGrid();
}

void CRM90View::SetupGrid() {
  grid_->SetRedraw(false);
  grid_->SetCols(kp53::kGridColumns);
  grid_->SetFixedRows(kp53::kGridFixedRows);
  grid_->SetFixedCols(0);
  grid_->SetRows(3);
  for (int c = 0; c < kp53::kGridColumns; ++c) {
    grid_->SetColAlignment(c, c == 3 ? CMSFlexGrid::kAlignLeftTop : CMSFlexGrid::kAlignCenterTop);
    grid_->SetFixedAlignment(c, CMSFlexGrid::kAlignCenterTop);
    grid_->SetTextMatrix(0, c, QString::fromLatin1(kp53::kChannelColumns[c].header0));
    grid_->SetTextMatrix(1, c, QString::fromLatin1(kp53::kChannelColumns[c].header1));
  }
  grid_->SetMergeCells(3);
  grid_->SetMergeRow(0, true);
  grid_->SetMergeRow(1, true);
  grid_->SetGridLinesFixed(0);
  ApplyColumnWidths();
  grid_->SetRedraw(true);
}

void CRM90View::ApplyColumnWidths() {
  const auto& s = doc_.Context().settings;
  for (int c = 0; c < kp53::kGridColumns; ++c) {
    const int item = kp53::kChannelColumns[c].item;
    const bool shown = item < 0 || s.ColumnShown(item);
    SetColumnShown(c, shown);
  }
}

int CRM90View::ColumnTextPixels(int c) const {
  const QFontMetrics cells(grid_->font());
  const QFontMetrics headers(grid_->horizontalHeader()->font());
  int w = kp53::IsCheckColumn(c) ? check_.width() : 0;
  for (const std::string& t : kp53::ColumnCellTexts(c)) w = std::max(w, cells.horizontalAdvance(Q(t)));
  const kp53::GridColumn& col = kp53::kChannelColumns[c];
  w = std::max(w, headers.horizontalAdvance(QString::fromLatin1(col.header1)));
  // An upper header shared with a neighbour spans both columns; one of its own must fit here.
  const auto shared = [&col](int n) {
    return n >= 0 && n < kp53::kGridColumns && std::string_view(kp53::kChannelColumns[n].header0) == col.header0;
  };
  if (!shared(c - 1) && !shared(c + 1)) w = std::max(w, headers.horizontalAdvance(QString::fromLatin1(col.header0)));
  constexpr int kMargins = 8;  // the cell's and the header's inner margins and the grid line
  return w + kMargins;
}

void CRM90View::SetColumnShown(int c, bool shown) {
  grid_->SetColWidth(c, shown ? kp53::kChannelColumns[c].width : 0);
  if (shown) grid_->setColumnWidth(c, std::max(grid_->columnWidth(c), ColumnTextPixels(c)));
}

void CRM90View::ToggleColumnItem(int item) {
  if (item < 0 || item >= kp53::kColumnItems) return;
  auto& flag = doc_.Context().settings.columns[static_cast<std::size_t>(item)];
  flag = flag ? 0 : 1;
  for (int c = 0; c < kp53::kGridColumns; ++c)
    if (kp53::kChannelColumns[c].item == item) SetColumnShown(c, flag != 0);
}

void CRM90View::FillHeader() {
  const auto& ctx = doc_.Context();
  const kp53::HeaderTexts h =
      kp53::MakeHeaderTexts(doc_.Data(), ctx.settings.comPort, ctx.settings.comSpeed, ctx.printerName);
  const std::string* texts[6] = {&h.serial, &h.band, &h.productType, &h.firmware, &h.comPort, &h.printer};
  for (int i = 0; i < 6; ++i) headerValues_[i]->setText(Q(*texts[i]));
}

void CRM90View::FillSystemTypeList() {
  filling_ = true;
  systemCombo_->clear();
  for (std::string_view item : kp53::GroupSystemTypeItems(kp53::OptionBoardCode(doc_.Data().image)))
    systemCombo_->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
  const int type = Table().groupSystemType[static_cast<std::size_t>(std::clamp(Table().currentGroup, 0, 15))];
  systemCombo_->setCurrentIndex(type < systemCombo_->count() ? type : -1);
  filling_ = false;
}

void CRM90View::FillGroupLine() {
  filling_ = true;
  auto& t = Table();
  const bool ht610 = kp53::IsHt610(doc_.Data());
  groupCombo_->clear();
  int position = 0, selected = 0;
  for (int g = 0; g < kp53::kGroupCount; ++g) {
    if (t.groupSize[static_cast<std::size_t>(g)] == 0) continue;
    groupCombo_->addItem(Q(t.groupName[static_cast<std::size_t>(g)]), g);
    if (g == t.currentGroup) selected = position;
    ++position;
  }
  groupCombo_->setCurrentIndex(selected);
  const std::string tag = ht610 ? std::string(8, ' ') : t.groupTag[static_cast<std::size_t>(t.currentGroup)];
  tagEdit_->setText(Q(tag));
  filling_ = false;
  FillSystemTypeList();
}

void CRM90View::RefreshAll() {
  if (editing_) {
    // The document changed under the editor: its text no longer belongs to any cell.
    editing_ = false;
    editor_->hide();
    doc_.EndChange();
  }
  auto& t = Table();
  t.NormalizeCurrentGroup();
  emit StatusText(IdlePromptText());
  tagEdit_->setMaxLength(8);
  tagEdit_->setReadOnly(false);

  grid_->SetRedraw(false);
  SetupGrid();
  grid_->SetRedraw(false);
  const int size = t.groupSize[static_cast<std::size_t>(t.currentGroup)];
  grid_->SetRows(size + kp53::kGridFixedRows);
  FillGroupLine();
  FillHeader();
  t.currentChannel = t.groupFirst - 1;
  for (int i = 0; i < size; ++i) RenderRow(t.currentChannel + i, i + kp53::kGridFixedRows);
  if (size > 0) {
    grid_->SetRow(kp53::kGridFixedRows);
    grid_->SetCol(0);
  }
  grid_->SetRedraw(true);
}

void CRM90View::RenderCell(int entry, int row, int column) {
  if (entry < 0 || entry >= kp53::kChannelCount) return;
  const auto& t = Table();
  grid_->SetTextMatrix(row, column, Q(kp53::ChannelCellText(t, entry, column, kp53::IsHt610(doc_.Data()))));
  if (kp53::IsCheckColumn(column))
    grid_->SetCellPictureAt(row, column, kp53::CheckCellShowsPicture(t, entry, column) ? check_ : QPixmap());
}

void CRM90View::RenderRowColours(int entry, int row) {
  if (entry < 0 || entry >= kp53::kChannelCount) return;
  const bool enabled = Table().IsEnabled(entry);
  const QColor colour = enabled ? palette().color(QPalette::Active, QPalette::WindowText)
                                : palette().color(QPalette::Disabled, QPalette::WindowText);
  for (int c = 0; c < kp53::kGridColumns; ++c) grid_->SetCellForeColorAt(row, c, colour);
  for (int c = 0; c < kp53::kGridColumns; ++c)
    if (kp53::IsCheckColumn(c)) RenderCell(entry, row, c);
}

void CRM90View::RenderRow(int entry, int row) {
  // Cell properties are set by position, so the user's cursor stays where it is.
  RenderCell(entry, row, 0);
  RenderRowColours(entry, row);
  for (int c : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17, 18, 19, 20, 21, 15, 14, 16}) RenderCell(entry, row, c);
}

void CRM90View::RenderColumn(int entry, int row, int column) {
  switch (column) {
    case 0:
      RenderRowColours(entry, row);
      break;
    case 4:
      for (int c : {4, 5, 21}) RenderCell(entry, row, c);
      break;
    case 6:
    case 7:
      for (int c : {6, 7, 19}) RenderCell(entry, row, c);
      break;
    case 14:
      for (int c : {14, 15, 16, 17}) RenderCell(entry, row, c);
      break;
    default:
      RenderCell(entry, row, column);
  }
}

void CRM90View::CommitGroupTag() {
  if (filling_ || tagEdit_->isReadOnly()) return;
  auto& t = Table();
  if (t.currentGroup < 0 || t.currentGroup >= kp53::kGroupCount) return;
  std::string text = tagEdit_->text().toStdString();
  text.resize(8, ' ');
  t.groupTag[static_cast<std::size_t>(t.currentGroup)] = text;
}

void CRM90View::SelectGroupItem(int position) {
  if (filling_) return;
  CommitGroupTag();
  const QVariant g = groupCombo_->itemData(position);
  if (!g.isValid()) return;
  Table().currentGroup = g.toInt();
  Table().NormalizeCurrentGroup();
  RefreshAll();
  doc_.SetModified();
}

void CRM90View::NextGroup() {
  EndCellEdit();  // F2 in the editor: the edit belongs to the group being left
  CommitGroupTag();
  Table().NextGroup();
  RefreshAll();
}

int CRM90View::HelpContext() const {
  const QWidget* f = QApplication::focusWidget();
  if (f == groupCombo_) return 338;
  if (f == tagEdit_) return 339;
  if (f == systemCombo_) return 340;
  if (f && f == editor_ && editing_ && editColumn_ >= 0 && editColumn_ < kp53::kGridColumns)
    return kp53::kChannelColumns[editColumn_].helpContext;
  if (f == grid_ || (f && grid_->isAncestorOf(f))) {
    const int c = grid_->Col();
    if (c >= 0 && c < kp53::kGridColumns) return kp53::kChannelColumns[c].helpContext;
  }
  return 0;
}

bool CRM90View::HandleViewKey(QKeyEvent* event) {
  if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
    NextGroup();
    return true;
  }
  const auto& ctx = doc_.Context();
  if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier && ctx.productionMode &&
      onProductionDownload) {
    onProductionDownload();
    return true;
  }
  if (event->key() == Qt::Key_F9 && event->modifiers() == Qt::ShiftModifier && ctx.maintenanceMode && onFileData) {
    onFileData();
    return true;
  }
  return false;
}

bool CRM90View::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == tagEdit_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      CommitGroupTag();
      return true;
    }
    // What a key does to a channel is one undo step; an edit it opens ends the step. Moving keys
    // change nothing and take no snapshot.
    const int k = key->key();
    if (watched == grid_ && (k < Qt::Key_Escape || k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F3)) {
      doc_.BeginChange();
      const bool handled = HandleGridKey(key);
      doc_.EndChange();
      if (handled) return true;
    } else if (watched == grid_ && HandleGridKey(key)) {
      return true;
    }
    if (HandleViewKey(key)) return true;
  }
  if (event->type() == QEvent::MouseButtonDblClick && watched == grid_->viewport()) {
    doc_.BeginChange();
    const bool handled = HandleGridDoubleClick(static_cast<QMouseEvent*>(event));
    doc_.EndChange();
    if (handled) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void CRM90View::keyPressEvent(QKeyEvent* event) {
  if (!HandleViewKey(event)) QWidget::keyPressEvent(event);
}
