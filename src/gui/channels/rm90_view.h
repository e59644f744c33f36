// CRM90View: the main window's form view. A header strip with the radio's identity and the link
// settings, the group line (group selector, group tag, system type) and the channel grid with one
// row per channel of the current group.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "channels/flex_grid.h"
#include "document/document.h"

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

  CMSFlexGrid* Grid() { return grid_; }
  QComboBox* GroupSelector() { return groupCombo_; }
  QLineEdit* GroupTagEdit() { return tagEdit_; }
  QComboBox* SystemTypeList() { return systemCombo_; }
  QLabel* HeaderValue(int i) { return headerValues_[i]; }

  static QString IdlePromptText();

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
};
