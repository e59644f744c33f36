// Importing 16 MB of hostile configuration text or channel list, the most either may hold: each
// must be refused (or read) within 2 s and 200 MB of peak memory. The peak resident size of the
// whole process is reported as max_rss_MB (it includes the text itself and never goes down, so
// run one benchmark at a time, with --benchmark_filter, for the figure of one shape):
//   build/release/bin/kp53_bench --benchmark_filter=Hostile
// The same through the program, with the figures of /usr/bin/time:
//   /usr/bin/time -f '%e s %M KB' build/release/bin/kp53 import flow.yaml -o out.k53
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <functional>
#include <string>

#include "config/config_text.h"
#include "csv/channel_csv.h"
#include "image/radio_data.h"
#include "io/input_file.h"

namespace {

using namespace kp53;

// Repeats `unit` to fill the text limit.
std::string Fill(const std::string& head, const std::string& unit, const std::string& tail = {}) {
  std::string s = head;
  while (s.size() + unit.size() + tail.size() <= kTextFileLimit) s += unit;
  return s + tail;
}

double MaxRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Run(benchmark::State& state, const std::string& text, bool csv) {
  RadioData data;
  InitImage(data);
  for (auto _ : state) {
    if (csv) {
      RadioData copy = data;
      benchmark::DoNotOptimize(ImportChannelsCsv(copy, text, kAllGroups));
    } else {
      benchmark::DoNotOptimize(config::ImportText(text, data.image, data.defaultSplit));
    }
  }
  state.counters["max_rss_MB"] = MaxRssMegabytes();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_HostileYamlFlowSequence(benchmark::State& s) { Run(s, Fill("a: [", "a,", "a]\n"), false); }
void BM_HostileYamlManyKeys(benchmark::State& s) {
  std::string text;
  for (int i = 0; text.size() + 20 < kTextFileLimit; ++i) text += "k" + std::to_string(i) + ": 1\n";
  Run(s, text, false);
}
void BM_HostileYamlLongScalar(benchmark::State& s) { Run(s, Fill("identity: {firmware: ", "x", "}\n"), false); }
void BM_HostileYamlComments(benchmark::State& s) { Run(s, Fill("", "# comment\n"), false); }
void BM_HostileYamlDeepNesting(benchmark::State& s) { Run(s, Fill("a:\n", " - "), false); }
void BM_HostileYamlAliases(benchmark::State& s) { Run(s, Fill("a: &a [x]\nb: [", "*a,", "*a]\n"), false); }
void BM_HostileCsvCommas(benchmark::State& s) { Run(s, Fill("", ","), true); }
void BM_HostileCsvRows(benchmark::State& s) { Run(s, Fill("Location,Frequency\n", "1,146.52\n"), true); }
void BM_HostileCsvLongField(benchmark::State& s) { Run(s, Fill("Location,Name\n1,\"", "x", "\"\n"), true); }

}  // namespace

BENCHMARK(BM_HostileYamlFlowSequence)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HostileYamlManyKeys)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HostileYamlLongScalar)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HostileYamlComments)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HostileYamlDeepNesting)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HostileYamlAliases)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HostileCsvCommas)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HostileCsvRows)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HostileCsvLongField)->Unit(benchmark::kMillisecond)->Iterations(1);
