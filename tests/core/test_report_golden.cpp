// Whole reports compared line by line with stored copies, so that any change to a text of the
// report shows up. Run with KP53_UPDATE_GOLDEN=1 to rewrite the stored copies after a deliberate
// change, then review the difference.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "image/radio_data.h"
#include "report/report.h"

namespace kp53 {
namespace {

std::filesystem::path GoldenPath(const char* name) {
  return std::filesystem::path(KP53_GOLDEN_DIR) / name;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void CompareWithGolden(const std::string& text, const char* name) {
  const auto path = GoldenPath(name);
  const char* update = std::getenv("KP53_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << text;
    GTEST_SKIP() << "rewrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << path;
  std::stringstream stored;
  stored << in.rdbuf();
  const auto want = SplitLines(stored.str());
  const auto got = SplitLines(text);
  for (std::size_t i = 0; i < std::min(want.size(), got.size()); ++i)
    EXPECT_EQ(got[i], want[i]) << name << " line " << i + 1;
  EXPECT_EQ(got.size(), want.size()) << name;
}

// A new document's image, ready for printing as the window prints it.
RadioData NewDocument() {
  RadioData data;
  InitImage(data);
  NormalizeImage(data);
  ReloadAreas(data);
  return data;
}

TEST(ReportGolden, NewDefaultImage) {
  const RadioData data = NewDocument();
  const ReportContext report(data, "/radios/NEW.K53", "1/2/2026");
  EXPECT_EQ(report.PageCount(), 12);
  CompareWithGolden(ReportText(report), "report_default.txt");
}

TEST(ReportGolden, TwoToneHt610WithScb31) {
  RadioData data = NewDocument();
  data.signaling.system = SignalingSystemArea::kTwoTone;
  data.hardware.model = 0;
  data.signaling.StoreToImage(data.image);
  data.hardware.StoreToImage(data.image);
  data.image[off::kCommonOptions] = static_cast<std::uint8_t>((data.image[off::kCommonOptions] & 0xF0) | 1);
  NormalizeImage(data);
  ReloadAreas(data);
  const ReportContext report(data, "two-tone.k53", "10/31/2026");
  EXPECT_EQ(report.FirstChannelPage(), 3);
  CompareWithGolden(ReportText(report), "report_two_tone_ht610.txt");
}

}  // namespace
}  // namespace kp53
