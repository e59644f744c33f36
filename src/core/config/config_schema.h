// The configuration's text form as one table: every area is a section, every stored field a
// descriptor with its name, its text form read from the areas and its entry through the same
// rules the dialogs and the grid apply. Export, import, diff, verify and the generated reference
// all walk this table, so a field cannot be left out of one of them.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "config/config_model.h"

namespace kp53::config {

// How two texts of a field are compared: as texts (blanks around them ignored), as numbers, or as
// frequencies in whole hertz.
// A hint is compared as text but not checked when the image is read back: the rules may pass it by.
enum class Compare { Text, Number, Hertz, Hint };

struct Field {
  std::string name;
  std::string help;                  // one line for the reference and the exported comments
  std::vector<std::string> choices;  // the texts a list field takes; empty for free values
  // The field's text for item `i` of its section.
  std::function<std::string(ConfigModel&, int i)> get;
  // Enters a text through the field's rule; answers an error text when the value is impossible.
  std::function<std::optional<std::string>(ConfigModel&, int i, const std::string& text)> set;
  Compare compare = Compare::Text;
  // Exported only when this answers true (a field that records a rarely needed detail).
  std::function<bool(ConfigModel&, int i)> shown;
};

// The fields of one section present in a text, by name, with their texts.
using Present = std::map<std::string, std::string>;

struct Section {
  std::string name;    // the key in the text
  std::string title;   // heading comment
  int count = 0;       // 0: one mapping of fields; N: N items keyed 1..N (or by itemNames)
  std::vector<std::string> itemNames;  // item keys instead of numbers
  std::vector<Field> fields;
  int applyRank = 10;  // sections are entered in this order: what others depend on comes first
  // Whether the section belongs to the configuration (the unselected signalling system does not).
  std::function<bool(ConfigModel&)> present;
  // Called once before the items are entered, with every item present in the text.
  std::function<void(ConfigModel&, const std::vector<std::pair<int, Present>>&)> prepare;
  // Called before the fields of item `i` are entered, and after them with those entered.
  std::function<void(ConfigModel&, int i, const Present&)> before;
  std::function<void(ConfigModel&, int i, const Present&)> after;
  // A comment for item `i` (the group a channel belongs to and the like).
  std::function<std::string(ConfigModel&, int i)> itemComment;
  // The image bytes item `i` lives in: (offset, size) runs. An item whose values lie outside what
  // the rules enter is exported with these bytes under the key "stored", entered as they are.
  std::function<std::vector<std::pair<std::size_t, std::size_t>>(int i)> bytes;
  bool storesSplit = false;  // the stored bytes end with DefaultSplit's 8 bytes

  std::string ItemKey(int i) const { return itemNames.empty() ? std::to_string(i + 1) : itemNames[static_cast<std::size_t>(i)]; }
  // The item index of a key, or -1.
  int ItemIndex(const std::string& key) const;
};

// The schema, in the order of the text.
const std::vector<Section>& Schema();

// Texts shared by the field forms.
std::string FrequencyText(double mhz);        // whole hertz, 5 or 6 decimals: "150.00000"
std::optional<long long> ParseHertz(const std::string& text);  // plain decimal MHz to hertz
bool SameText(Compare how, const std::string& a, const std::string& b);

}  // namespace kp53::config
