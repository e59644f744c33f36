// The DTMF paging block: the settings byte 7646 and ten page codes of two bytes (7647-7666).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "image/radio_image.h"

namespace kp53 {

struct PageEntry {
  bool programmed = false;  // byte 0 bit 7
  int mode = 0;             // byte 0 bit 6: "Off", "DEC"
  std::string code;         // up to 3 DTMF digits: byte 0 bits 3-0, byte 1 bits 7-4 and 3-0
};

class PagingParams {
 public:
  static constexpr int kPageCount = 10;

  int dtmfSpeed = 0;      // bit 0: "50 ms", "100 ms"
  int answerBack = 0;     // bit 1
  int callTimes = 0;      // bits 3-2
  int autoResetTime = 0;  // bits 7-4
  std::array<PageEntry, kPageCount> pages;

  void SetDefaults() { *this = PagingParams{}; }
  // Reads the three code digits of every page, programmed or not, so that a load and a store give
  // back the same bytes; ShownCode gives what the paging-code dialog shows.
  void LoadFromImage(const RadioImage& img);
  // A page with a code writes its flags, the first digit and byte 1 (a missing digit stores 0);
  // a page without a code is two zero bytes.
  void StoreToImage(RadioImage& img) const;

  // The code of page `n` (0-based) as the dialog shows it: empty when the page is not programmed.
  std::string ShownCode(int n) const;
  // A finished edit of page `n`'s code: the code as its field enters it; the page is programmed
  // while it has a code (an empty code clears it: two zero bytes). Answers the stored code.
  const std::string& EnterCode(int n, std::string_view typed);
  // Whether page `n`'s mode list is used: with the SCB-31 board, on a page programmed with a code.
  bool ModeEditable(int n, int optionBoard) const;
  // A mode chosen for page `n`; false (nothing changed) where the list is not used. Off is taken
  // on a page without a code, which stores Off.
  bool EnterMode(int n, int optionBoard, int mode);
};

}  // namespace kp53
