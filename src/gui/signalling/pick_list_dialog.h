// The pick lists of the signalling tables: CPickListDlg, the shared list of the 2-tone and 5-tone
// grids (tone format, repeater, call and ID codes, transpond, primary pair), and CTonePickDlg, the
// standard two-tone tables of the tone-table dialog. Both are the program's list dialog with the
// list, title and preselection of their caller.
#pragma once

#include "channels/list_dialogs.h"
#include "text/choice_texts.h"

namespace kp53::gui {

class CPickListDlg : public CListDialog {
  Q_OBJECT

 public:
  // Shows `list` titled with the list's title and "(No=%2d)" of `rowNumber`, `selected` chosen.
  CPickListDlg(text::PickList list, int selected, int rowNumber, QWidget* parent = nullptr);
  // The same with the list's items as `items` gives them (the list texts followed by what each
  // entry is).
  CPickListDlg(text::PickList list, const std::vector<std::string>& items, int selected, int rowNumber,
               QWidget* parent = nullptr);
};

class CTonePickDlg : public CListDialog {
  Q_OBJECT

 public:
  // The picker of pair `pairNumber` (1 to 10), first or second tone, with the line of the current
  // tone chosen when a standard table holds it.
  CTonePickDlg(int pairNumber, bool secondTone, int currentTenths, QWidget* parent = nullptr);
  // The chosen line; empty when none is chosen.
  std::string chosenLine() const;
};

}  // namespace kp53::gui
