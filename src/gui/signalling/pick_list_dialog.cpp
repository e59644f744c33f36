#include "signalling/pick_list_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>

#include "image/codecs.h"

namespace kp53::gui {

namespace {

ListRequest PickRequest(text::PickList list, const std::vector<std::string>& items, int selected, int rowNumber) {
  ListRequest r;
  r.title = text::PickListCaption(list, rowNumber);
  r.items = items;
  r.selected = selected;
  return r;
}

ListRequest ToneRequest(int pairNumber, bool secondTone, int currentTenths) {
  ListRequest r;
  r.title = text::TonePickerTitle(pairNumber, secondTone);
  r.items = text::TonePickerLines();
  // The line whose tone is the current one ("-" and the tone in "%6.1f").
  const std::string tone = Format("%6.1f", currentTenths / 10.0);
  r.selected = -1;
  for (std::size_t i = 0; i < r.items.size(); ++i) {
    const std::string& line = r.items[i];
    if (line.size() >= tone.size() && line.compare(line.size() - tone.size(), tone.size(), tone) == 0 &&
        line.find('[') == std::string::npos) {
      r.selected = static_cast<int>(i);
      break;
    }
  }
  return r;
}

}  // namespace

CPickListDlg::CPickListDlg(text::PickList list, int selected, int rowNumber, QWidget* parent)
    : CPickListDlg(list, text::PickListItems(list), selected, rowNumber, parent) {}

CPickListDlg::CPickListDlg(text::PickList list, const std::vector<std::string>& items, int selected, int rowNumber,
                           QWidget* parent)
    : CListDialog(PickRequest(list, items, selected, rowNumber), parent) {
  setObjectName(QStringLiteral("PickList193"));
}

CTonePickDlg::CTonePickDlg(int pairNumber, bool secondTone, int currentTenths, QWidget* parent)
    : CListDialog(ToneRequest(pairNumber, secondTone, currentTenths), parent) {
  setObjectName(QStringLiteral("TonePick189"));
  if (auto* box = findChild<QDialogButtonBox*>())
    if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel)) cancel->setText(QStringLiteral("Chancel"));
}

std::string CTonePickDlg::chosenLine() const {
  const QListWidgetItem* item = list()->currentItem();
  return item ? item->text().toStdString() : std::string();
}

}  // namespace kp53::gui
