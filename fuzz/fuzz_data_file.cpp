// Any bytes as a ".K53" data file: read, decode every area and channel, show every value in its
// text form, normalise and checksum. Nothing may crash or invoke undefined behaviour, and the
// normalised image must settle: loading and normalising it again changes nothing.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_check.h"
#include "image/data_file.h"
#include "image/file_data.h"
#include "image/radio_data.h"

namespace {

using namespace kp53;

class QuietPrompt : public UserPrompt {
 public:
  Answer Show(std::string_view, Icon, Buttons) override { return Answer::Ok; }
};

// One scratch file per process, rewritten for every input.
struct Scratch {
  std::string path;
  int fd = -1;
  Scratch() {
    const char* dir = std::getenv("TMPDIR");
    path = std::string(dir && *dir ? dir : "/tmp") + "/kp53-fuzz-XXXXXX";
    fd = ::mkstemp(path.data());
    if (fd < 0) std::abort();
  }
  ~Scratch() {
    ::close(fd);
    ::unlink(path.c_str());
  }
  void Put(const std::uint8_t* data, std::size_t size) {
    if (::ftruncate(fd, 0) != 0) std::abort();
    std::size_t done = 0;
    while (done < size) {
      const ssize_t w = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
      if (w <= 0) std::abort();
      done += static_cast<std::size_t>(w);
    }
  }
};

// A broken property stops the run with the property's text.

// Every text the program shows from the image, as the grid, the dialogs and the report would.
std::size_t ShowEverything(const RadioData& d) {
  std::size_t chars = d.identity.FirmwareText().size() + d.identity.serialNumber.size() +
                      d.identity.marketApplication.size() + FormatDefaultSplit(d.defaultSplit).size();
  for (int i = 0; i < kChannelCount; ++i) {
    const ChannelEntry& e = d.channels.Entry(i);
    chars += FormatFrequency(e.rxFreq).size() + FormatFrequency(e.txFreq).size();
    chars += FormatSubAudio(e.TxTone()).size() + FormatSubAudio(e.RxTone()).size();
    chars += FormatSubAudio(e.RxTone(), true).size() + e.tag.size();
    CHECK(e.tag.size() == 8);
    const auto [g, pos] = d.channels.SplitIndex(i);
    CHECK(g >= 0 && g <= kGroupCount && pos >= 0);
  }
  for (std::size_t k = 0; k < 10; ++k)
    chars += DecodePackedDigits(Bytes<8>(d.image, off::kDtmfSpeedDial + 8 * k)).size();
  chars += DecodePackedDigits(Bytes<8>(d.image, off::kDtmfAni)).size();
  chars += DecodeText6(Bytes<8>(d.image, off::kPowerOnTag)).size();
  for (std::size_t k = 0; k < 32; ++k)
    chars += DecodeToneNumber(Bytes<4>(d.image, off::kFiveToneEncode + 15 * k + 1)).size();
  for (int row = 0; row < kFileDataRows; row += 61) chars += FileDataCell(d.image, d.defaultSplit, row, 5).size();
  chars += FileDataCell(d.image, d.defaultSplit, kFileDataRows - 1, 8).size();
  return chars;
}

void LoadAndNormalize(RadioData& d) {
  ReloadAreas(d);
  NormalizeImage(d);
  CHECK(GetU16(d.image, off::kChecksum) == ImageChecksum(d.image));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Scratch scratch;
  static RadioData d;  // reused: a fresh one per input costs more than the work itself
  scratch.Put(data, size);

  QuietPrompt prompt;
  (void)CheckDataFile(scratch.path, static_cast<long long>(kDataFileSize));
  InitImage(d);
  if (!ReadDataFile(scratch.path, d.image, d.defaultSplit, prompt)) return 0;
  ReloadAreas(d);
  d.channels.LoadFromImage(d.image, d.hardware);
  for (int g = 0; g < kGroupCount + 2; ++g) {
    d.channels.SelectGroup(g);
    CHECK(d.channels.currentGroup >= 0 && d.channels.currentGroup < kGroupCount);
    CHECK(d.channels.groupFirst >= 1 && d.channels.groupLast <= kChannelCount);
  }
  if (ShowEverything(d) == 0) std::abort();

  NormalizeImage(d);
  CHECK(GetU16(d.image, off::kChecksum) == ImageChecksum(d.image));
  // A normalised image settles at once: loading and normalising it again changes nothing.
  const RadioImage settled = d.image;
  LoadAndNormalize(d);
  CHECK(d.image == settled);
  return 0;
}
