// What every change in the window pays for undo (a bracket: two captures of the normalised image,
// one recorded snapshot), and an export plus import of all 256 channels as a channel list.
#include <benchmark/benchmark.h>

#include "csv/channel_csv.h"
#include "document/document.h"

namespace {

using namespace kp53;

class Quiet : public UserPrompt {
 public:
  Answer Show(std::string_view, Icon, Buttons) override { return Answer::Ok; }
};
class NoFiles : public FileChooser {
 public:
  std::optional<std::string> ChooseOpen() override { return std::nullopt; }
  std::optional<std::string> ChooseSave() override { return std::nullopt; }
};

void BM_UndoBracket(benchmark::State& state) {
  AppContext ctx;
  Quiet prompt;
  NoFiles chooser;
  CRM90Doc doc(ctx, prompt, chooser);
  int squelch = 0;
  for (auto _ : state) {
    doc.BeginChange();
    doc.Data().channels.Entry(0).squelch = (squelch++ % 15) + 1;
    doc.EndChange();
  }
}
BENCHMARK(BM_UndoBracket)->Unit(benchmark::kMicrosecond);

void BM_ChannelListRoundTrip(benchmark::State& state) {
  RadioData d;
  InitImage(d);
  for (int i = 0; i < kChannelCount; ++i) d.channels.Entry(i).rxFreq = 146.0 + 0.0125 * i;
  for (auto _ : state) {
    const std::string text = ExportChannelsCsv(d, kAllGroups);
    benchmark::DoNotOptimize(ImportChannelsCsv(d, text, kAllGroups).rows);
  }
}
BENCHMARK(BM_ChannelListRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
