// The parts of a field-table rule that a dialog's edit field takes: its label and the character
// map that follows the filter. A dialog makes the field with
//   AddEdit(form, rule.id, RuleLabel(rule), rule.filterMode, rule.length)
//       ->setCharacterMap(RuleCharacterMap(rule));
// and stores a finished edit with rule.enter().
#pragma once

#include <QString>

#include "image/field_table.h"
#include "params/filtered_edit.h"

namespace kp53::gui {

template <typename Rule>
QString RuleLabel(const Rule& rule) {
  return QString::fromLatin1(rule.label);
}

inline CFilteredEdit::CharacterMap RuleCharacterMap(const TextFieldRule& rule) {
  return [&rule](char c) -> std::optional<char> {
    const char mapped = MapTypedCharacter(rule, c);
    return mapped ? std::optional<char>(mapped) : std::nullopt;
  };
}

}  // namespace kp53::gui
