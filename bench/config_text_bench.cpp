// The configuration text of a full image: export, and import onto the built-in defaults (every
// channel differs from them, so every channel field goes through the grid's rules).
#include <benchmark/benchmark.h>

#include "config/config_text.h"
#include "image/radio_data.h"

namespace {

using namespace kp53;

RadioData FullImage() {
  RadioData d;
  InitImage(d);
  ReloadAreas(d);
  for (int i = 0; i < kChannelCount; ++i) {
    ChannelEntry& e = d.channels.Entry(i);
    e.rxFreq = 146.0 + 0.0125 * i;
    e.rxStep = 1;
    e.txFreq = e.rxFreq + 0.6;
    e.txStep = 1;
    e.txToneType = kToneCtcss;
    e.txCtcss = 885;
    e.rxToneType = kToneDcs;
    e.rxDcs = 23;
    e.tag = Format("CH %03d  ", i);
  }
  NormalizeImage(d);
  return d;
}

void BM_ExportText(benchmark::State& state) {
  const RadioData d = FullImage();
  for (auto _ : state) benchmark::DoNotOptimize(config::ExportText(d.image, d.defaultSplit));
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond);

void BM_ImportText(benchmark::State& state) {
  const RadioData d = FullImage();
  const std::string text = config::ExportText(d.image, d.defaultSplit);
  RadioData base;
  InitImage(base);
  for (auto _ : state) {
    const auto r = config::ImportText(text, base.image, base.defaultSplit);
    if (!r.errors.empty() || !r.changes.empty() || r.image != d.image) state.SkipWithError("round trip failed");
    benchmark::DoNotOptimize(r.image.data());
  }
}
BENCHMARK(BM_ImportText)->Unit(benchmark::kMillisecond);

}  // namespace
