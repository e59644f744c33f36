#include "image/paging_area.h"

#include "image/codecs.h"
#include "image/field_table.h"

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
  page.programmed = true;
  return page.code;
}

}  // namespace kp53
