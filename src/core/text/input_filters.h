// Which typed characters the dialogs' filtered edit fields accept, by filter mode.
#pragma once

#include <string_view>

namespace kp53 {

// The leading decimal number of a text (blanks, a sign, digits and one point), 0 when there is
// none. Only plain decimal notation: no hexadecimal, exponents, infinities or NaN.
double LeadingNumber(std::string_view text);
// The leading integer of a text: leading blanks and a sign allowed, reading stops at the first
// other character. `digits` tells whether any digit was read.
int LeadingInteger(std::string_view text, bool* digits = nullptr);

// Modes 1..9 of the parameter dialogs' fields; `position` is where the character would go
// (mode 9 takes a letter "C" to "N" at the second position). Backspace always passes; mode 0
// accepts every printable character.
bool FieldFilterAccepts(int mode, int position, char c);

}  // namespace kp53
