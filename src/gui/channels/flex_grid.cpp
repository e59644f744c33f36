#include "channels/flex_grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int kPictureRole = Qt::UserRole + 1;

Qt::Alignment QtAlignment(int flexAlignment) {
  return flexAlignment == CMSFlexGrid::kAlignLeftTop ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter;
}

// Paints a cell's picture centred over its text, and hides the focus rectangle on request.
class FlexDelegate : public QStyledItemDelegate {
 public:
  explicit FlexDelegate(CMSFlexGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!grid_->FocusRectShown()) opt.state &= ~QStyle::State_HasFocus;
    // The cell texts carry the blanks of their fixed widths; trailing blanks are not drawn, so
    // that they neither shift the centred text nor get it cut short with an ellipsis.
    QString text = opt.text;
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    opt.text.clear();
    const QWidget* w = opt.widget;
    QStyle* style = w ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
    if (!text.isEmpty()) {
      painter->save();
      const bool selected = (opt.state & QStyle::State_Selected) != 0;
      painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText)
                               : index.data(Qt::ForegroundRole).isValid()
                                     ? index.data(Qt::ForegroundRole).value<QBrush>().color()
                                     : opt.palette.color(QPalette::Text));
      painter->setFont(opt.font);
      const QRect r = opt.rect.adjusted(2, 0, -2, 0);
      painter->setClipRect(opt.rect);
      painter->drawText(r, static_cast<int>(opt.displayAlignment) | Qt::TextSingleLine, text);
      painter->restore();
    }
    const QVariant pic = index.data(kPictureRole);
    if (pic.isValid()) {
      const QPixmap p = pic.value<QPixmap>();
      const QPoint topLeft(option.rect.x() + (option.rect.width() - p.width()) / 2,
                           option.rect.y() + (option.rect.height() - p.height()) / 2);
      painter->drawPixmap(topLeft, p);
    }
  }

 private:
  CMSFlexGrid* grid_;
};

}  // namespace

FlexHeader::FlexHeader(CMSFlexGrid* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {
  setSectionsClickable(false);
  setHighlightSections(false);
  setMinimumSectionSize(0);
}

QSize FlexHeader::sizeHint() const {
  QSize s = QHeaderView::sizeHint();
  s.setHeight(std::max(1, grid_->fixedRows_) * grid_->rowHeight_);
  return s;
}

void FlexHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  painter->save();
  painter->setClipRect(rect);
  const QPalette& pal = palette();
  painter->fillRect(rect, pal.button());
  const int col = logicalIndex + grid_->fixedCols_;
  const int h = grid_->rowHeight_;
  const bool mergeColumn = grid_->mergeCells_ != 0 && grid_->MergeCol(col);
  for (int r = 0; r < grid_->fixedRows_; ++r) {
    const QString text = grid_->TextMatrix(r, col);
    // A merge column draws equal texts of adjacent fixed rows once, over all of them.
    if (mergeColumn && r > 0 && grid_->TextMatrix(r - 1, col) == text) continue;
    int lastRow = r;
    while (mergeColumn && lastRow + 1 < grid_->fixedRows_ && grid_->TextMatrix(lastRow + 1, col) == text) ++lastRow;
    int first = logicalIndex;
    int last = logicalIndex;
    if (grid_->mergeCells_ != 0 && grid_->MergeRow(r)) {
      while (first > 0 && grid_->TextMatrix(r, first - 1 + grid_->fixedCols_) == text) --first;
      while (last + 1 < count() && grid_->TextMatrix(r, last + 1 + grid_->fixedCols_) == text) ++last;
    }
    const int x0 = sectionViewportPosition(first);
    const int x1 = sectionViewportPosition(last) + sectionSize(last);
    const QRect span(x0, rect.y() + r * h, x1 - x0, (lastRow - r + 1) * h);
    painter->setPen(pal.color(QPalette::ButtonText));
    const int align = grid_->FixedAlignment(col);
    painter->drawText(span.adjusted(3, 0, -3, 0), QtAlignment(align) | Qt::TextSingleLine, text);
    const QColor line = pal.color(QPalette::Mid);
    painter->setPen(line);
    if (grid_->gridLinesFixed_ != 0) {
      painter->drawLine(rect.right(), span.top(), rect.right(), span.bottom());
      painter->drawLine(rect.left(), span.bottom(), rect.right(), span.bottom());
    } else if (logicalIndex == last) {
      // Without fixed grid lines a faint edge still tells the merged cells apart.
      painter->setPen(pal.color(QPalette::Midlight));
      painter->drawLine(rect.right(), span.top() + 3, rect.right(), span.bottom() - 3);
    }
  }
  painter->setPen(pal.color(QPalette::Dark));
  painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  painter->restore();
}

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableWidget(parent), header_(new FlexHeader(this)) {
  setHorizontalHeader(header_);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  header_->setSectionResizeMode(QHeaderView::Fixed);
  setItemDelegate(new FlexDelegate(this));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  rowHeight_ = fontMetrics().height() + 4;
  verticalHeader()->setDefaultSectionSize(rowHeight_);
  verticalHeader()->setMinimumSectionSize(1);
  connect(this, &QTableWidget::currentCellChanged, this, [this](int r, int c, int, int) {
    if (r < 0 || c < 0) return;
    row_ = r + fixedRows_;
    col_ = c + fixedCols_;
    if (!moving_) emit RowColChange();
  });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit Scroll(); });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit Scroll(); });
  SetFixedRows(1);
}

void CMSFlexGrid::SetRows(int rows) {
  rows = std::max(rows, fixedRows_);
  setRowCount(rows - fixedRows_);
  fixedColText_.resize(rows - fixedRows_);
  for (int r = 0; r < rowCount(); ++r) verticalHeader()->resizeSection(r, rowHeight_);
  if (fixedCols_ > 0)
    for (int r = 0; r < rowCount(); ++r) setVerticalHeaderItem(r, new QTableWidgetItem(fixedColText_[r]));
  if (row_ >= rows) row_ = rows - 1;
}

void CMSFlexGrid::SetCols(int cols) {
  cols = std::max(cols, fixedCols_);
  cols_ = cols;
  setColumnCount(cols - fixedCols_);
  for (auto& row : fixedText_) row.resize(cols);
  mergeRow_.resize(std::max<int>(static_cast<int>(mergeRow_.size()), fixedRows_));
  colAlign_.resize(cols, kAlignCenterTop);
  fixedAlign_.resize(cols, kAlignCenterTop);
  colTwips_.resize(cols, 960);
  if (col_ >= cols) col_ = cols - 1;
  header_->viewport()->update();
}

void CMSFlexGrid::SetFixedRows(int n) {
  n = std::max(0, n);
  const int total = Rows();
  fixedRows_ = n;
  fixedText_.resize(n);
  for (auto& row : fixedText_) row.resize(cols_);
  mergeRow_.resize(n);
  header_->setVisible(n > 0);
  SetRows(std::max(total, n));
  header_->updateGeometry();
  updateGeometries();
}

void CMSFlexGrid::SetFixedCols(int n) {
  fixedCols_ = std::clamp(n, 0, 1);
  verticalHeader()->setVisible(fixedCols_ > 0);
  SetCols(std::max(cols_, fixedCols_));
  SetRows(Rows());
}

void CMSFlexGrid::SetRow(int row) {
  row_ = std::clamp(row, 0, std::max(0, Rows() - 1));
  if (row_ >= fixedRows_ && col_ >= fixedCols_) {
    moving_ = true;
    setCurrentCell(row_ - fixedRows_, col_ - fixedCols_);
    moving_ = false;
    CollapseSelection();
  }
}

void CMSFlexGrid::SetCol(int col) {
  col_ = std::clamp(col, 0, std::max(0, cols_ - 1));
  if (row_ >= fixedRows_ && col_ >= fixedCols_) {
    moving_ = true;
    setCurrentCell(row_ - fixedRows_, col_ - fixedCols_);
    moving_ = false;
    CollapseSelection();
  }
}

void CMSFlexGrid::CollapseSelection() {
  // Setting Row or Col makes the current cell the whole selection, as in the FlexGrid.
  clearSelection();
  setRangeSelected(QTableWidgetSelectionRange(row_ - fixedRows_, col_ - fixedCols_, row_ - fixedRows_,
                                              col_ - fixedCols_),
                   true);
}

int CMSFlexGrid::RowSel() const {
  const auto ranges = selectedRanges();
  if (ranges.isEmpty()) return row_;
  const auto& r = ranges.first();
  return (r.topRow() + fixedRows_ == row_ ? r.bottomRow() : r.topRow()) + fixedRows_;
}

int CMSFlexGrid::ColSel() const {
  const auto ranges = selectedRanges();
  if (ranges.isEmpty()) return col_;
  const auto& r = ranges.first();
  return (r.leftColumn() + fixedCols_ == col_ ? r.rightColumn() : r.leftColumn()) + fixedCols_;
}

void CMSFlexGrid::SetRowSel(int row) {
  const int r0 = std::min(row_, row) - fixedRows_, r1 = std::max(row_, row) - fixedRows_;
  const int c0 = std::min(col_, ColSel()) - fixedCols_, c1 = std::max(col_, ColSel()) - fixedCols_;
  clearSelection();
  if (r0 >= 0 && c0 >= 0) setRangeSelected(QTableWidgetSelectionRange(r0, c0, r1, c1), true);
}

void CMSFlexGrid::SetColSel(int col) {
  const int r0 = std::min(row_, RowSel()) - fixedRows_, r1 = std::max(row_, RowSel()) - fixedRows_;
  const int c0 = std::min(col_, col) - fixedCols_, c1 = std::max(col_, col) - fixedCols_;
  clearSelection();
  if (r0 >= 0 && c0 >= 0) setRangeSelected(QTableWidgetSelectionRange(r0, c0, r1, c1), true);
}

QTableWidgetItem* CMSFlexGrid::ItemAt(int row, int col, bool create) {
  const int r = row - fixedRows_, c = col - fixedCols_;
  if (r < 0 || c < 0 || r >= rowCount() || c >= columnCount()) return nullptr;
  QTableWidgetItem* it = item(r, c);
  if (!it && create) {
    it = new QTableWidgetItem;
    it->setTextAlignment(QtAlignment(colAlign_.value(col, kAlignCenterTop)));
    setItem(r, c, it);
  }
  return it;
}

const QTableWidgetItem* CMSFlexGrid::ItemAt(int row, int col) const {
  const int r = row - fixedRows_, c = col - fixedCols_;
  if (r < 0 || c < 0 || r >= rowCount() || c >= columnCount()) return nullptr;
  return item(r, c);
}

QString CMSFlexGrid::TextMatrix(int row, int col) const {
  if (col < 0 || col >= cols_ || row < 0 || row >= Rows()) return {};
  if (row < fixedRows_) return fixedText_[row][col];
  if (col < fixedCols_) return fixedColText_.value(row - fixedRows_);
  const QTableWidgetItem* it = ItemAt(row, col);
  return it ? it->text() : QString();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
  if (col < 0 || col >= cols_ || row < 0 || row >= Rows()) return;
  if (row < fixedRows_) {
    fixedText_[row][col] = text;
    header_->viewport()->update();
    return;
  }
  if (col < fixedCols_) {
    fixedColText_[row - fixedRows_] = text;
    setVerticalHeaderItem(row - fixedRows_, new QTableWidgetItem(text));
    return;
  }
  if (QTableWidgetItem* it = ItemAt(row, col, true)) it->setText(text);
}

int CMSFlexGrid::ColWidth(int col) const { return colTwips_.value(col, 0); }

void CMSFlexGrid::SetColWidth(int col, int twips) {
  if (col < 0 || col >= cols_) return;
  colTwips_[col] = std::max(0, twips);
  const int px = colTwips_[col] / kTwipsPerPixel;
  if (col < fixedCols_) {
    verticalHeader()->setFixedWidth(px);
    verticalHeader()->setVisible(px > 0);
    return;
  }
  const int c = col - fixedCols_;
  setColumnHidden(c, px == 0);
  if (px > 0) setColumnWidth(c, px);
}

void CMSFlexGrid::SetColAlignment(int col, int alignment) {
  if (col < 0 || col >= cols_) return;
  colAlign_[col] = alignment;
  for (int r = fixedRows_; r < Rows(); ++r)
    if (QTableWidgetItem* it = ItemAt(r, col, false)) it->setTextAlignment(QtAlignment(alignment));
}

void CMSFlexGrid::SetFixedAlignment(int col, int alignment) {
  if (col < 0 || col >= cols_) return;
  fixedAlign_[col] = alignment;
  header_->viewport()->update();
}

int CMSFlexGrid::FixedAlignment(int col) const { return fixedAlign_.value(col, kAlignCenterTop); }

void CMSFlexGrid::SetMergeRow(int row, bool merge) {
  if (row >= 0 && row < mergeRow_.size()) mergeRow_[row] = merge;
  header_->viewport()->update();
}

bool CMSFlexGrid::MergeRow(int row) const { return row >= 0 && row < mergeRow_.size() && mergeRow_[row]; }

void CMSFlexGrid::SetMergeCol(int col, bool merge) {
  if (col < 0) return;
  if (col >= mergeCol_.size()) mergeCol_.resize(col + 1);
  mergeCol_[col] = merge;
  header_->viewport()->update();
}

bool CMSFlexGrid::MergeCol(int col) const { return col >= 0 && col < mergeCol_.size() && mergeCol_[col]; }

QFont CMSFlexGrid::GridFont() {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  f.setPointSizeF(std::max(7.0, QApplication::font().pointSizeF() - 0.5));
  return f;
}

// A check mark drawn in the text colour, to sit centred in a check cell.
QPixmap CMSFlexGrid::CheckPicture(const QColor& colour) {
  QPixmap p(13, 13);
  p.fill(Qt::transparent);
  QPainter painter(&p);
  painter.setRenderHint(QPainter::Antialiasing);
  QPen pen(colour, 2.2);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  const QPointF pts[] = {{2.5, 7.0}, {5.5, 10.0}, {11.0, 3.0}};
  painter.drawPolyline(pts, 3);
  return p;
}

void CMSFlexGrid::SetRedraw(bool on) {
  setUpdatesEnabled(on);
  if (on) {
    viewport()->update();
    header_->viewport()->update();
  }
}

void CMSFlexGrid::SetFocusRect(bool on) {
  focusRect_ = on;
  viewport()->update();
}

void CMSFlexGrid::SetCellForeColorAt(int row, int col, const QColor& c) {
  if (QTableWidgetItem* it = ItemAt(row, col, true)) it->setForeground(c);
}

QColor CMSFlexGrid::CellForeColorAt(int row, int col) const {
  const QTableWidgetItem* it = ItemAt(row, col);
  return it ? it->foreground().color() : QColor();
}

void CMSFlexGrid::SetCellPictureAt(int row, int col, const QPixmap& p) {
  QTableWidgetItem* it = ItemAt(row, col, !p.isNull());
  if (!it) return;
  it->setData(kPictureRole, p.isNull() ? QVariant() : QVariant(p));
}

bool CMSFlexGrid::CellHasPicture(int row, int col) const {
  const QTableWidgetItem* it = ItemAt(row, col);
  return it && it->data(kPictureRole).isValid();
}

QRect CMSFlexGrid::CurrentCellRect() const {
  const int r = row_ - fixedRows_, c = col_ - fixedCols_;
  if (r < 0 || c < 0) return {};
  QRect rect = visualRect(model()->index(r, c));
  rect.translate(viewport()->geometry().topLeft());
  return rect;
}

int CMSFlexGrid::CellLeft() const { return CurrentCellRect().left() * kTwipsPerPixel; }
int CMSFlexGrid::CellTop() const { return CurrentCellRect().top() * kTwipsPerPixel; }
int CMSFlexGrid::CellWidth() const { return CurrentCellRect().width() * kTwipsPerPixel; }
int CMSFlexGrid::CellHeight() const { return CurrentCellRect().height() * kTwipsPerPixel; }

QString CMSFlexGrid::Clip() const {
  const int r0 = std::min(row_, RowSel()), r1 = std::max(row_, RowSel());
  const int c0 = std::min(col_, ColSel()), c1 = std::max(col_, ColSel());
  QString out;
  for (int r = r0; r <= r1; ++r) {
    if (r > r0) out += QLatin1Char('\r');
    for (int c = c0; c <= c1; ++c) {
      if (c > c0) out += QLatin1Char('\t');
      out += TextMatrix(r, c);
    }
  }
  return out;
}

void CMSFlexGrid::keyPressEvent(QKeyEvent* event) {
  // A typed character is the owner's to act on (KeyPress); the grid itself does nothing with it:
  // no search for a cell that begins with it, no change of the selection by Space.
  const QString t = event->text();
  const bool command = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
  if (!command && !t.isEmpty() && t.at(0).isPrint()) {
    emit KeyPress(t.at(0).unicode());
    event->accept();
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
  const int r = rowAt(event->position().toPoint().y());
  mouseRow_ = r < 0 ? 0 : r + fixedRows_;
  QTableWidget::mousePressEvent(event);
}

void CMSFlexGrid::changeEvent(QEvent* event) {
  QTableWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    rowHeight_ = fontMetrics().height() + 4;
    verticalHeader()->setDefaultSectionSize(rowHeight_);
    for (int r = 0; r < rowCount(); ++r) verticalHeader()->resizeSection(r, rowHeight_);
    header_->updateGeometry();
    updateGeometries();
  }
}
