#include <cstdio>

#include "cli_common.h"
#include "image/codecs.h"
#include "image/common_options_area.h"
#include "text/choice_texts.h"

namespace kp53::cli {

namespace {

// A list text without its trailing blanks, or the number when no list item has it.
std::string ListName(text::TextList list, int value) {
  std::string name(text::Choice(list, value));
  if (name.empty()) return Format("%d (unknown)", value);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

int PrintInfo(const std::string& path) {
  TerminalPrompt prompt;
  RadioData data;
  if (!LoadDataFile(path, data, prompt)) return kExitFailure;
  const auto& hw = data.hardware;
  const auto& ch = data.channels;
  std::printf("File               : %s\n", path.c_str());
  std::printf("Firmware version   : %s\n", data.identity.FirmwareText().c_str());
  std::printf("Serial number      : %s\n", data.identity.serialNumber.c_str());
  std::printf("Market application : %s\n", data.identity.marketApplication.c_str());
  std::printf("Band               : %s (band index %d, %.1f-%.1f MHz)\n", hw.IsUhf() ? "UHF" : "VHF", hw.bandIndex,
              hw.MinMHz(), hw.MaxMHz());
  std::printf("Product type       : %s\n", hw.model ? "HT-620 Series" : "HT-610 Series");
  CommonOptionsArea options;
  options.LoadFromImage(data.image);
  std::printf("Signaling system   : %s\n", ListName(text::kSignalingTypes, data.signaling.system).c_str());
  std::printf("Option board       : %s\n", ListName(text::kOptionBoards, options.optionBoard).c_str());
  std::printf("Default split      : %s\n", FormatDefaultSplit(data.defaultSplit).c_str());
  std::printf("Channels allocated : %d of 256\n", ch.totalAllocated);
  for (int g = 0; g < kGroupCount; ++g)
    std::printf("  Group %2d: %3d channels  tag \"%s\"\n", g + 1, ch.groupSize[static_cast<std::size_t>(g)],
                ch.groupTag[static_cast<std::size_t>(g)].c_str());
  const unsigned stored = GetU16(data.image, off::kChecksum);
  const unsigned computed = ImageChecksum(data.image);
  std::printf("Checksum           : stored %04X, computed %04X%s\n", stored, computed,
              stored == computed ? "" : " (differs)");
  return kExitOk;
}

}  // namespace

void AddInfoCommand(CLI::App& app, CommandList& commands) {
  auto* sub = app.add_subcommand("info", "Show the identity, band, signalling and groups of a data file");
  auto file = std::make_shared<std::string>();
  sub->add_option("FILE", *file, "Data file (.k53)")->required();
  commands.push_back({sub, [file]() { return PrintInfo(*file); }});
}

}  // namespace kp53::cli
