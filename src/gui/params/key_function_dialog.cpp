#include "params/key_function_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>

#include "image/list_field_table.h"
#include "text/choice_texts.h"

namespace kp53::gui {

namespace {

const HelpTopic kTopics[] = {
    {2250, "[SIDE1] Key (Press)", "<p>The function of a short press of the SIDE1 key.</p>"},
    {2251, "[SIDE2] Key (Press)", "<p>The function of a short press of the SIDE2 key.</p>"},
    {2252, "[A] Key (Press)", "<p>The function of a short press of the A key (HT-620 Series).</p>"},
    {2253, "[B] Key (Press)", "<p>The function of a short press of the B key (HT-620 Series).</p>"},
    {2254, "[C] Key (Press)", "<p>The function of a short press of the C key (HT-620 Series).</p>"},
    {2255, "[D] Key (Press)", "<p>The function of a short press of the D key (HT-620 Series).</p>"},
    {2256, "[SIDE1] Key (Press & Hold)",
     "<p>The function of the SIDE1 key held down. Emergency and Lone Worker can only be given to a "
     "key that is held down.</p>"},
    {2257, "[SIDE2] Key (Press & Hold)", "<p>The function of the SIDE2 key held down.</p>"},
    {2258, "[A] Key (Press & Hold)", "<p>The function of the A key held down (HT-620 Series).</p>"},
    {2259, "[B] Key (Press & Hold)", "<p>The function of the B key held down (HT-620 Series).</p>"},
    {2260, "[C] Key (Press & Hold)", "<p>The function of the C key held down (HT-620 Series).</p>"},
    {2261, "[D] Key (Press & Hold)", "<p>The function of the D key held down (HT-620 Series).</p>"},
    {2262, "[Rotary] SW",
     "<p>What the rotary switch selects: the channel or the group (HT-620 Series).</p>"
     "<p>Each function can be given to one key only: a function in use by one key is not offered "
     "for the others until that key is given another function.</p>"},
};

constexpr int kWidestItem = 14;  // the function texts are 14 characters

}  // namespace

CKeyFunctionDlg::CKeyFunctionDlg(const ParamEnv& env, QWidget* parent)
    : CParamDialog(env, QStringLiteral("Key Function Parameters"), parent) {
  model_ = Data().hardware.model;
  area_.LoadFromImage(Data().image);
  area_.FilterForModel(model_);

  // The rotary switch on top; under it the press slots on the left and the press-and-hold slots
  // on the right, key by key in rows.
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->setColumnMinimumWidth(2, 12);
  Body()->addLayout(grid);
  AddList(nullptr, fields::List(kRotary));
  ShowIndex(kRotary, area_.rotaryMode);
  grid->addWidget(Label(kRotary), 0, 0);
  grid->addWidget(Field(kRotary), 0, 1, Qt::AlignLeft);
  constexpr int kRows = KeyFunctionArea::kFirstHoldSlot;
  for (int slot = 0; slot < KeyFunctionArea::kSlotCount; ++slot) {
    const int id = kFirstSlot + slot;
    QComboBox* combo = AddCombo(nullptr, id, QString::fromLatin1(fields::List(id).label), {});
    // The lists change as functions are given away: a fixed width keeps the dialog still.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(kWidestItem);
    const int column = slot < kRows ? 0 : 3;
    grid->addWidget(Label(id), 1 + slot % kRows, column);
    grid->addWidget(combo, 1 + slot % kRows, column + 1);
    SetFieldEnabled(id, ListEditable(fields::List(id), Context()));
  }
  SetFieldEnabled(kRotary, ListEditable(fields::List(kRotary), Context()));
  FillSlotLists();
}

std::span<const HelpTopic> CKeyFunctionDlg::HelpTopics() { return kTopics; }

ListContext CKeyFunctionDlg::Context() const { return ListContext{.model = model_, .keys = &area_}; }

void CKeyFunctionDlg::FillSlotLists() {
  for (int slot = 0; slot < KeyFunctionArea::kSlotCount; ++slot) {
    QStringList items;
    int current = -1;
    const int own = area_.functions[static_cast<std::size_t>(slot)];
    for (const ChoiceItem& item : OfferedItems(fields::List(kFirstSlot + slot), Context())) {
      if (item.code == own) current = static_cast<int>(items.size());
      items << QString::fromStdString(item.text);
    }
    SetItems(kFirstSlot + slot, items, current);
  }
}

void CKeyFunctionDlg::OnSelectionChanged(int id, int index) {
  if (id == kRotary) {
    area_.rotaryMode = index == 0 ? 0 : 1;
    return;
  }
  const int slot = id - kFirstSlot;
  if (slot < 0 || slot >= KeyFunctionArea::kSlotCount) return;
  QComboBox* combo = Combo(id);
  const int code = KeyFunctionArea::CodeOfText(combo->itemText(index).toStdString());
  if (code < 0) return;
  area_.SelectFunction(slot, code);
  // The other lists follow once the chosen list is closed.
  if (combo->view()->isVisible())
    QTimer::singleShot(0, this, [this] { FillSlotLists(); });
  else
    FillSlotLists();
}

void CKeyFunctionDlg::OnOk() {
  area_.StoreToImage(Data().image);
  CParamDialog::OnOk();
}

}  // namespace kp53::gui
