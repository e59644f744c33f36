// Any bytes as a configuration text entered onto a new image. Nothing may crash or invoke
// undefined behaviour; a text that enters without errors gives a settled image whose own text
// enters back to the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz_check.h"
#include "config/config_text.h"
#include "image/radio_data.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kp53;
  static RadioData base = [] {
    RadioData d;
    InitImage(d);
    NormalizeImage(d);
    return d;
  }();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto r = config::ImportText(text, base.image, base.defaultSplit);
  for (const auto& n : r.errors) CHECK(!config::NoteText(n).empty());
  if (!r.errors.empty()) return 0;
  CHECK(GetU16(r.image, off::kChecksum) == ImageChecksum(r.image));
  const auto again = config::ImportText(config::ExportText(r.image, r.split), base.image, base.defaultSplit);
  CHECK(again.errors.empty() && again.changes.empty());
  CHECK(again.image == r.image);
  return 0;
}
