#include "image/key_function_area.h"

#include "text/choice_texts.h"

namespace kp53 {

void KeyFunctionArea::SetDefaults() {
  slots.fill(0);
  slots[0] = 1;  // Monitor
  slots[1] = 5;  // Lamp
  slots[6] = 2;  // Squelch Off
  rotaryMode = 0;
  RebuildMarks();
}

void KeyFunctionArea::LoadFromImage(const RadioImage& img) {
  for (std::size_t s = 0; s < kSlotCount; ++s) slots[s] = img[off::kKeyFunctions + s];
  rotaryMode = GetBit(img, 6, 6);
  RebuildMarks();
}

void KeyFunctionArea::StoreToImage(RadioImage& img) const {
  for (std::size_t s = 0; s < kSlotCount; ++s) img[off::kKeyFunctions + s] = static_cast<std::uint8_t>(slots[s]);
  PutBit(img, 6, 6, rotaryMode != 0);
}

void KeyFunctionArea::RebuildMarks() {
  marks.fill(false);
  for (int code : slots)
    if (code > 0 && code < kCodeCount) marks[static_cast<std::size_t>(code)] = true;
}

bool KeyFunctionArea::IsHt620Only(int code) {
  switch (code) {
    case 4: case 5: case 6: case 7: case 12: case 19: case 20: case 21: return true;
    default: return false;
  }
}

void KeyFunctionArea::FilterForModel(int model) {
  if (model != 0) return;
  for (int& code : slots) {
    if (!IsHt620Only(code)) continue;
    marks[static_cast<std::size_t>(code)] = false;
    code = 0;
  }
}

void KeyFunctionArea::ClearAbcdKeys() {
  for (int s = 0; s < kSlotCount; ++s)
    if (IsAbcdSlot(s)) slots[static_cast<std::size_t>(s)] = 0;
  RebuildMarks();
}

std::vector<int> KeyFunctionArea::OfferedCodes(int slot, int model) const {
  std::vector<int> codes{0};
  if (slot < 0 || slot >= kSlotCount) return codes;
  const int own = slots[static_cast<std::size_t>(slot)];
  for (int c = 1; c < kCodeCount; ++c) {
    if (model == 0 && IsHt620Only(c)) continue;
    if (marks[static_cast<std::size_t>(c)] && own != c) continue;
    if (slot < kFirstHoldSlot && IsHoldOnly(c)) continue;
    codes.push_back(c);
  }
  return codes;
}

void KeyFunctionArea::SelectFunction(int slot, int code) {
  if (slot < 0 || slot >= kSlotCount || code < 0 || code >= kCodeCount) return;
  int& current = slots[static_cast<std::size_t>(slot)];
  if (current > 0 && current < kCodeCount) marks[static_cast<std::size_t>(current)] = false;
  current = code;
  if (code > 0) marks[static_cast<std::size_t>(code)] = true;
}

int KeyFunctionArea::CodeOfText(std::string_view textItem) { return text::IndexOf(text::kKeyFunctions, textItem); }

}  // namespace kp53
