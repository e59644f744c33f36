// Fuzz target for channel lists: any bytes read as a comma-separated channel list into every
// allocated channel of the default image. Text that is no channel list changes nothing; after any
// import, exporting the channels and importing that export again changes nothing and skips no row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "csv/channel_csv.h"
#include "image/radio_data.h"

namespace {

using namespace kp53;

RadioImage Stored(RadioData data) {
  NormalizeImage(data);
  return data.image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const RadioData radio = [] {
    RadioData r;
    InitImage(r);
    return r;
  }();
  RadioData work = radio;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const CsvImportReport report = ImportChannelsCsv(work, text, kAllGroups);
  if (report.rows != report.programmed + report.unchanged + report.skipped) std::abort();
  if (!report.readable) {
    if (Stored(work) != Stored(radio)) std::abort();
    return 0;
  }
  const RadioImage imported = Stored(work);
  const CsvImportReport again = ImportChannelsCsv(work, ExportChannelsCsv(work, kAllGroups), kAllGroups);
  if (!again.readable || again.skipped != 0 || again.programmed != 0) std::abort();
  if (Stored(work) != imported) std::abort();
  return 0;
}
