// The list fields (drop-down lists) and flag fields (check boxes, and two-item lists that mean off
// and on) of the parameter and signalling dialogs, each described once: control id, label, the name
// the configuration text gives it, its list texts and the rule that says which items it offers.
// The dialogs build their lists from this table and the configuration text enters and refuses
// values through it, so the two cannot drift apart.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "image/image_rules.h"
#include "text/choice_texts.h"

namespace kp53 {

class ChannelTable;
class KeyFunctionArea;

// Which items a field offers beyond its plain list.
enum class ListOffer {
  All,          // every item, always
  Ht620,        // every item, editable with the "HT-620 Series" only
  Recorder,     // every item, editable with the VRU-8 board only
  Paging,       // every item, editable with the SCB-31 board only
  SquelchTail,  // "Rev. Burst" only while it is stored
  KeySlot,      // the functions the key may take (KeyFunctionArea::OfferedCodes); A-D keys HT-620 only
  ChannelStep,  // the steps of the stored band family; the stored value is the band index
  EmergencyChannel,  // the fixed items and the allocated channels
};

struct ListFieldRule {
  int id;             // control id: also the prompt's string id and the help context
  const char* label;  // the dialog's label, with its access key
  const char* area;   // section of the configuration text
  const char* name;   // field name in the configuration text
  // The dialog's list; item i stores i unless the offer rule says otherwise. A flag's two items
  // are its off and on texts; a flag shown as a check box has none.
  text::TextList items;
  bool flag;          // the configuration text writes true or false
  const char* help;   // one line for the text's reference
  ListOffer offer = ListOffer::All;
  int slot = 0;       // the key of a KeySlot field
};

// What the offered items depend on; the pointers are needed only by the fields that use them.
struct ListContext {
  int model = 1;  // 0 "HT-610 Series", 1 "HT-620 Series"
  int optionBoard = 0;
  int stored = 0;  // the field's stored value
  bool uhf = false;
  const KeyFunctionArea* keys = nullptr;
  const ChannelTable* channels = nullptr;
};

// Whether the field can be changed at all (a dialog shows it disabled otherwise).
bool ListEditable(const ListFieldRule& f, const ListContext& c);
// The items the dialog's list shows, in its order, each with the value it stores.
std::vector<ChoiceItem> OfferedItems(const ListFieldRule& f, const ListContext& c);
// The value that the item `text` stores (blanks around it do not count), or an error text: the
// list has no such item, or the field does not offer it here.
struct ListEntry {
  int value = -1;
  std::string error;
};
ListEntry EnterListText(const ListFieldRule& f, const ListContext& c, const std::string& text);

namespace fields {
// Lists and flags by control id; an id the table lacks throws std::logic_error.
const ListFieldRule& List(int id);
}  // namespace fields

// Every rule of the table, in the order of the dialogs.
std::span<const ListFieldRule> ListFieldRules();

}  // namespace kp53
