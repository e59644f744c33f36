#include "image/paging_area.h"

#include "image/codecs.h"
#include "image/field_table.h"
#include "image/image_rules.h"
#include "text/choice_texts.h"

namespace kp53 {

namespace {
constexpr std::size_t kPageCodes = off::kPaging + 1;
std::size_t PageOffset(std::size_t n) { return kPageCodes + 2 * n; }
}  // namespace

void PagingParams::LoadFromImage(const RadioImage& img) {
  dtmfSpeed = GetBit(img, off::kPaging, 0);
  answerBack = GetBit(img, off::kPaging, 1);
  callTimes = static_cast<int>(GetField(img, off::kPaging, 2, 2));
  autoResetTime = static_cast<int>(GetField(img, off::kPaging, 4, 4));
  for (std::size_t n = 0; n < kPageCount; ++n) {
    const std::size_t o = PageOffset(n);
    PageEntry& p = pages[n];
    p.programmed = GetBit(img, o, 7);
    p.mode = GetBit(img, o, 6);
    p.code = {CodeToDigit(img[o] & 0x0F), CodeToDigit(img[o + 1] >> 4), CodeToDigit(img[o + 1] & 0x0F)};
  }
}

void PagingParams::StoreToImage(RadioImage& img) const {
  PutBit(img, off::kPaging, 0, dtmfSpeed != 0);
  PutBit(img, off::kPaging, 1, answerBack != 0);
  PutField(img, off::kPaging, 2, 2, static_cast<unsigned>(callTimes));
  PutField(img, off::kPaging, 4, 4, static_cast<unsigned>(autoResetTime));
  for (std::size_t n = 0; n < kPageCount; ++n) {
    const std::size_t o = PageOffset(n);
    const PageEntry& p = pages[n];
    if (p.code.empty()) {
      img[o] = img[o + 1] = 0;
      continue;
    }
    auto digit = [&p](std::size_t i) { return i < p.code.size() ? DigitToCode(p.code[i]) : 0; };
    PutBit(img, o, 7, p.programmed);
    PutBit(img, o, 6, p.mode != 0);
    PutField(img, o, 0, 4, static_cast<unsigned>(digit(0)));
    img[o + 1] = static_cast<std::uint8_t>(digit(1) << 4 | digit(2));
  }
}

std::string PagingParams::ShownCode(int n) const {
  if (n < 0 || n >= kPageCount) return {};
  const PageEntry& p = pages[static_cast<std::size_t>(n)];
  return p.programmed ? p.code : std::string{};
}

const std::string& PagingParams::EnterCode(int n, std::string_view typed) {
  PageEntry& page = pages[static_cast<std::size_t>(n)];
  page.code = fields::PageCode(n).enter(typed);
  page.programmed = !page.code.empty();
  return page.code;
}

bool PagingParams::ModeEditable(int n, int optionBoard) const {
  if (n < 0 || n >= kPageCount || !PagingEnabled(optionBoard)) return false;
  const PageEntry& page = pages[static_cast<std::size_t>(n)];
  return page.programmed && !page.code.empty();
}

bool PagingParams::EnterMode(int n, int optionBoard, int mode) {
  if (n < 0 || n >= kPageCount || mode < 0 || mode >= static_cast<int>(std::size(text::kPageModes))) return false;
  PageEntry& page = pages[static_cast<std::size_t>(n)];
  if (ModeEditable(n, optionBoard)) {
    page.mode = mode;
    return true;
  }
  return PagingEnabled(optionBoard) && mode == 0 && page.code.empty();
}

}  // namespace kp53
