// The functions of the programmable keys (bytes 129-140) and the rotary switch mode (byte 6 bit 6).
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "image/radio_image.h"

namespace kp53 {

class KeyFunctionArea {
 public:
  static constexpr int kSlotCount = 12;
  static constexpr int kCodeCount = 31;  // codes 0 ("None") to 30 ("Lone Worker")
  static constexpr int kFirstHoldSlot = 6;

  // Slots: 0 SIDE1, 1 SIDE2, 2-5 A-D (press); 6 SIDE1, 7 SIDE2, 8-11 A-D (press and hold).
  std::array<int, kSlotCount> slots{};
  int rotaryMode = 0;  // 0 "Channel", 1 "Group  "
  // marks[c]: some slot holds function code c (1 to 30). Not stored; rebuilt when loading.
  std::array<bool, kCodeCount> marks{};

  KeyFunctionArea() { SetDefaults(); }
  void SetDefaults();
  void LoadFromImage(const RadioImage& img);
  void StoreToImage(RadioImage& img) const;

  // Rebuilds the marks from the slots.
  void RebuildMarks();
  // Removes what the "HT-610 Series" lacks (model 0): every slot holding a function of the
  // "HT-620 Series" only becomes "None" and loses its mark.
  void FilterForModel(int model);
  // Clears the A, B, C and D keys, press and press-and-hold (slots 2-5 and 8-11).
  void ClearAbcdKeys();

  // The function codes slot `slot` may offer, in code order: 0 always; another code only when the
  // model has it, no other slot holds it, and (for press slots) it is not a hold-only function.
  std::vector<int> OfferedCodes(int slot, int model) const;
  // Gives `code` to `slot`: the old code's mark is cleared, the new one marked.
  void SelectFunction(int slot, int code);
  // The code whose list text is `text`, or -1.
  static int CodeOfText(std::string_view text);

  static bool IsHt620Only(int code);
  static bool IsHoldOnly(int code) { return code == 22 || code == 30; }
  static bool IsAbcdSlot(int slot) { return (slot >= 2 && slot <= 5) || slot >= 8; }
};

}  // namespace kp53
