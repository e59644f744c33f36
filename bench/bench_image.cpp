// The image-wide operations and the data file: what every save, Download and parameter dialog
// pays (NormalizeImage), what every load and transfer pays (ReloadAreas), and a file load + save.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "image/data_file.h"
#include "image/radio_data.h"

namespace {

using namespace kp53;

class SilentPrompt : public UserPrompt {
 public:
  Answer Show(std::string_view, Icon, Buttons) override { return Answer::Ok; }
};

// A default image with every channel's frequencies, tones and tags set apart from the defaults.
void BusyImage(RadioData& d) {
  InitImage(d);
  ReloadAreas(d);
  for (int i = 0; i < kChannelCount; ++i) {
    ChannelEntry& e = d.channels.Entry(i);
    e.rxFreq = 146.0 + 0.0125 * i;
    e.txFreq = e.rxFreq + 0.6;
    e.txToneType = kToneCtcss;
    e.txCtcss = 885;
    e.rxToneType = kToneDcs;
    e.rxDcs = 23;
  }
  NormalizeImage(d);
}

void BM_NormalizeImage(benchmark::State& state) {
  RadioData d;
  BusyImage(d);
  for (auto _ : state) {
    NormalizeImage(d);
    benchmark::DoNotOptimize(d.image.data());
  }
}
BENCHMARK(BM_NormalizeImage);

void BM_ReloadAreas(benchmark::State& state) {
  RadioData d;
  BusyImage(d);
  for (auto _ : state) {
    ReloadAreas(d);
    benchmark::DoNotOptimize(&d.channels);
  }
}
BENCHMARK(BM_ReloadAreas);

// Open (size check, read, reload) and Save (normalise, atomic write) of one file in a temp folder.
void BM_DataFileLoadSave(benchmark::State& state) {
  std::string dir = (std::filesystem::temp_directory_path() / "kp53-bench-XXXXXX").string();
  if (::mkdtemp(dir.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string path = dir + "/bench.k53";
  SilentPrompt prompt;
  RadioData d;
  BusyImage(d);
  WriteDataFile(path, d.image, d.defaultSplit, prompt);
  for (auto _ : state) {
    if (CheckDataFile(path, static_cast<long long>(kDataFileSize)) != FileCheck::Usable ||
        !ReadDataFile(path, d.image, d.defaultSplit, prompt)) {
      state.SkipWithError("read failed");
      break;
    }
    ReloadAreas(d);
    NormalizeImage(d);
    if (!WriteDataFile(path, d.image, d.defaultSplit, prompt)) {
      state.SkipWithError("write failed");
      break;
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_DataFileLoadSave)->Unit(benchmark::kMicrosecond);

}  // namespace
