// The configuration as YAML text: export, import onto a base image, the flat field list that the
// compare and the checks use, and the generated reference of the text form.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_model.h"

namespace kp53::config {

// One remark about a place in a text: 1-based line and column, 0 when there is no place.
struct Note {
  int line = 0;
  int column = 0;
  std::string message;
  std::string area;  // the section and item the remark is about, when there is one
  int item = -1;
};
std::string NoteText(const Note& note);  // "line 3, column 7: ..."

// Every field of every area of the configuration, as YAML with comments. An item holding a value
// that the rules would not enter as it is (a damaged or foreign file) carries its bytes under
// "stored", so that importing the text gives back the same image.
std::string ExportText(const RadioImage& image, double split);

struct ImportResult {
  std::vector<Note> errors;   // unknown keys, wrong types, impossible values: nothing is written
  std::vector<Note> changes;  // values the rules store differently, with the value stored
  RadioImage image{};         // the normalised result
  double split = 0.0;
};
// Enters the fields present in `text` onto the base through the rules of the dialogs and the
// grid, then normalises. The result is usable when there are no errors, and there are no changes
// or they are accepted.
ImportResult ImportText(std::string_view text, const RadioImage& baseImage, double baseSplit);

// One field with its text.
struct FlatField {
  std::string area;   // the section
  std::string item;   // the item key, empty for a section of one mapping
  std::string field;
  std::string value;
  std::string Place() const { return item.empty() ? area + "." + field : area + "." + item + "." + field; }
};
// Every field the configuration holds (the selected signalling system only), in text order.
std::vector<FlatField> Flatten(ConfigModel& model);

struct Difference {
  std::string area, item, field;
  std::string a, b;  // the two values; "(absent)" where one side has no such field
  bool inA = true, inB = true;
};
std::vector<Difference> Diff(ConfigModel& a, ConfigModel& b);
std::string DiffLine(const Difference& d);  // "channels.5.rx: 150.00000 -> 151.00000"
std::string DiffJson(const std::vector<Difference>& diffs);

// Loads a data file, or a configuration text (".yaml", ".yml") entered onto the built-in defaults
// with its changes accepted, for a compare. Answers the problem as text when the file is unusable.
std::optional<std::string> LoadForCompare(const std::string& path, ConfigModel& model);

// The reference of the text form in Markdown: every section and field with its values, and an
// example with the first item of every list, made from a new image.
std::string SchemaReference();

}  // namespace kp53::config
