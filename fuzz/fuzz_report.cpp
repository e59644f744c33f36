// Any bytes as the image of a data file, printed: every page of the report is built as text.
// Nothing may crash or read outside a table, every page keeps to its lines, and the channel pages
// hold every allocated channel exactly once.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz_check.h"
#include "image/radio_data.h"
#include "report/report.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kp53;
  RadioData radio;
  InitImage(radio);
  std::copy_n(data, std::min(size, kImageSize), radio.image.begin());
  ReloadAreas(radio);

  const ReportContext report(radio, "fuzz.k53", "1/2/2026");
  CHECK(report.PageCount() == ReportPageCount(radio));
  int channels = 0;
  int expected = report.FirstChannelPage();
  for (const auto& page : report.ChannelPages()) {
    CHECK(page.firstGroup <= page.lastGroup);
    CHECK(page.lastChannel >= page.firstChannel - 1);
    channels += page.lastChannel - page.firstChannel + 1;
    ++expected;
  }
  CHECK(expected == report.PageCount() + 1);
  CHECK(channels == radio.channels.totalAllocated);
  for (int p = 1; p <= report.PageCount(); ++p) {
    const ReportPage page = report.Page(p);
    CHECK(!page.empty());
    CHECK(page.size() <= 64);
  }
  CHECK(!ReportText(report).empty());
  return 0;
}
