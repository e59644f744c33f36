// CMSFlexGrid: the grid control every table on screen uses, over a Qt table widget. Rows and
// columns count from 0 with the fixed (header) rows and columns included, sizes are in twips
// (15 twips a pixel). Fixed rows are drawn by the header strip, so they stay in place while the
// other rows scroll; adjacent fixed cells of a merge row with equal text show as one cell. One
// fixed column is supported (drawn by the row header). In a merge column, equal texts of adjacent
// fixed rows show as one cell too.
#pragma once

#include <QColor>
#include <QHeaderView>
#include <QPixmap>
#include <QTableWidget>
#include <QVector>

class CMSFlexGrid;

class FlexHeader : public QHeaderView {
  Q_OBJECT
 public:
  explicit FlexHeader(CMSFlexGrid* grid);
  QSize sizeHint() const override;

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

 private:
  CMSFlexGrid* grid_;
};

class CMSFlexGrid : public QTableWidget {
  Q_OBJECT
 public:
  static constexpr int kTwipsPerPixel = 15;
  static constexpr int kAlignLeftTop = 0;
  static constexpr int kAlignCenterTop = 3;
  static constexpr int kPictureCenter = 4;

  explicit CMSFlexGrid(QWidget* parent = nullptr);

  // The fixed-pitch font of the program's tables, and the check mark of their on/off cells.
  static QFont GridFont();
  static QPixmap CheckPicture(const QColor& colour);

  int Rows() const { return fixedRows_ + rowCount(); }
  void SetRows(int rows);
  int Cols() const { return cols_; }
  void SetCols(int cols);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int n);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int n);  // 0 or 1

  // The current cell; setting it moves the cursor (not the user's RowColChange).
  int Row() const { return row_; }
  int Col() const { return col_; }
  void SetRow(int row);
  void SetCol(int col);
  int RowSel() const;
  int ColSel() const;
  void SetRowSel(int row);
  void SetColSel(int col);

  QString Text() const { return TextMatrix(row_, col_); }
  void SetText(const QString& text) { SetTextMatrix(row_, col_, text); }
  QString TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, const QString& text);

  int ColWidth(int col) const;
  void SetColWidth(int col, int twips);  // 0 hides the column
  void SetColAlignment(int col, int alignment);
  void SetFixedAlignment(int col, int alignment);
  int FixedAlignment(int col) const;
  void SetMergeCells(int mode) { mergeCells_ = mode; header_->viewport()->update(); }
  int MergeCells() const { return mergeCells_; }
  void SetMergeRow(int row, bool merge);
  bool MergeRow(int row) const;
  void SetMergeCol(int col, bool merge);
  bool MergeCol(int col) const;
  void SetGridLinesFixed(int lines) { gridLinesFixed_ = lines; header_->viewport()->update(); }
  int GridLinesFixed() const { return gridLinesFixed_; }
  void SetRedraw(bool on);
  void SetFocusRect(bool on);
  bool FocusRectShown() const { return focusRect_; }

  // Cell formatting of the current cell (the FlexGrid way) and of any cell without moving the
  // cursor.
  void SetCellForeColor(const QColor& c) { SetCellForeColorAt(row_, col_, c); }
  void SetCellPicture(const QPixmap& p) { SetCellPictureAt(row_, col_, p); }
  void SetCellPictureAlignment(int a) { pictureAlignment_ = a; }
  void SetCellForeColorAt(int row, int col, const QColor& c);
  QColor CellForeColorAt(int row, int col) const;
  void SetCellPictureAt(int row, int col, const QPixmap& p);
  bool CellHasPicture(int row, int col) const;

  int MouseRow() const { return mouseRow_; }
  int CellLeft() const;
  int CellTop() const;
  int CellWidth() const;
  int CellHeight() const;
  // The selected range as text: a tab between cells, a carriage return between rows.
  QString Clip() const;

  int RowHeightPixels() const { return rowHeight_; }

 signals:
  void KeyPress(int character);
  void RowColChange();
  void Scroll();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The grid never moves to a cell by what is typed.
  void keyboardSearch(const QString&) override {}
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class FlexHeader;
  QTableWidgetItem* ItemAt(int row, int col, bool create);
  const QTableWidgetItem* ItemAt(int row, int col) const;
  void SyncFromView();
  QRect CurrentCellRect() const;
  void CollapseSelection();

  FlexHeader* header_;
  int cols_ = 0;
  int fixedRows_ = 0;
  int fixedCols_ = 0;
  int row_ = 0;
  int col_ = 0;
  int mergeCells_ = 0;
  int gridLinesFixed_ = 1;
  bool focusRect_ = true;
  int pictureAlignment_ = kPictureCenter;
  int mouseRow_ = 0;
  int rowHeight_ = 18;
  bool moving_ = false;
  QVector<QVector<QString>> fixedText_;  // [fixed row][column]
  QVector<QString> fixedColText_;        // text of fixed column 0 per non-fixed row
  QVector<bool> mergeRow_;
  QVector<bool> mergeCol_;
  QVector<int> colAlign_;
  QVector<int> fixedAlign_;
  QVector<int> colTwips_;
};
