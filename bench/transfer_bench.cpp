// Transfer benchmark: Upload and Download with the real serial port against the radio simulator
// on a pseudo-terminal, the simulator pacing every byte at the line speed (11 bits per byte).
//
// For each run it reports the wall time, the protocol's floor (the bytes on the line at 11 bits
// per byte plus the pauses the protocol mandates: 2 ms after each read request, 100 ms before and
// 30 ms after each written block, 30 ms per skipped block), their ratio, and the PC side's CPU
// time as a share of the wall time. A transfer ends when the PC's routine has returned and the
// radio has received the last byte.
//
// Every wait of the PC is a wait for the simulator's next byte, so on a busy machine the figures
// measure the other load: each echo and each reply needs both threads to be woken in time. When
// allowed (root, CAP_SYS_NICE) the benchmark therefore runs itself, and the simulator's thread
// it starts, at real-time priority, and says so; otherwise it says that the figures include the
// machine's load.
#include <benchmark/benchmark.h>
#include <sched.h>

#include <time.h>

#include <chrono>
#include <cstdio>

#include "image/radio_data.h"
#include "link/clone_worker.h"
#include "link/serial_port.h"
#include "sim/radio_sim.h"

namespace {

using namespace kp53;
using Clock = std::chrono::steady_clock;

class NullPrompt : public UserPrompt {
 public:
  // Failures are worth seeing; the completion messages are not.
  Answer Show(std::string_view text, Icon icon, Buttons) override {
    if (icon == Icon::Stop)
      std::fprintf(stderr, "transfer_bench: %.*s\n", static_cast<int>(text.size()), text.data());
    return Answer::Ok;
  }
};

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Bytes on the line and mandated pauses of one read of the whole memory from a radio in clone
// mode: the probe (request and reply) and 61 blocks, each a 4-byte request echoed and a 131-byte
// reply, with 2 ms after each request.
constexpr double kReadRequestBytes = 4, kReadReplyBytes = 131, kWriteFrameBytes = 132;

double ReadFloor(double byteSeconds) {
  return (kBlockCount + 1) * (kReadRequestBytes + kReadReplyBytes) * byteSeconds + kBlockCount * 0.002;
}

double WriteFloor(double byteSeconds, int written) {
  const int skipped = kBlockCount - written;
  return written * (0.100 + kWriteFrameBytes * byteSeconds + 0.030) + skipped * 0.030;
}

enum class Kind { Upload, DownloadUnchanged, DownloadAllBlocks };

void Transfer(benchmark::State& state, Kind kind) {
  const unsigned baud = state.range(0) == 1 ? 19200u : 9600u;
  const double byteSeconds = 11.0 / baud;
  double wallTotal = 0, floorTotal = 0, cpuTotal = 0;
  for (auto _ : state) {
    sim::SimOptions o;
    o.memory = sim::DefaultRadioMemory();
    o.startInCloneMode = true;
    o.cloneBaud = baud;
    o.wireTime = true;
    RadioData data;
    InitImage(data);
    data.image = o.memory;
    ReloadAreas(data);
    NormalizeImage(data);
    if (kind == Kind::DownloadAllBlocks) {
      // The radio holds other contents in every block but the hardware configuration.
      for (std::size_t i = 2; i < kImageBufferSize; ++i)
        if (i < off::kHardwareConfig || i >= off::kHardwareConfig + off::kHardwareConfigSize)
          o.memory[i] = static_cast<std::uint8_t>(o.memory[i] ^ 0x5A);
    }
    sim::RadioSimulator radio(o);
    if (!radio.Start()) {
      state.SkipWithError("cannot start the simulator");
      return;
    }
    LinkContext ctx;
    ctx.speedIndex = baud == 19200 ? 1 : 0;
    LinkSlot slot([dev = radio.DevicePath()](LinkFlags& f) { return std::make_unique<CSerialPort>(dev, f); });
    NullProgressSink sink;
    NullPrompt prompt;
    CancelToken cancel;
    const double cpu0 = ThreadCpuSeconds();
    const auto t0 = Clock::now();
    const TransferResult r = kind == Kind::Upload ? RunUploadWorker({data, slot, ctx, sink, prompt, cancel})
                                                  : RunDownloadWorker({data, slot, ctx, sink, prompt, cancel});
    const auto pcEnd = Clock::now();
    const double cpu = ThreadCpuSeconds() - cpu0;
    radio.WaitIdle(std::chrono::seconds(30));
    const auto end = std::max(pcEnd, radio.LastActivity());
    if (r != TransferResult::Completed) {
      std::fprintf(stderr, "transfer_bench: result %d\n", static_cast<int>(r));
      state.SkipWithError("transfer failed");
      return;
    }
    const int written = static_cast<int>(radio.Log().blocksWritten.size());
    const double wall = std::chrono::duration<double>(end - t0).count();
    const double floor = ReadFloor(byteSeconds) + (kind == Kind::Upload ? 0.0 : WriteFloor(byteSeconds, written));
    state.SetIterationTime(wall);
    wallTotal += wall;
    floorTotal += floor;
    cpuTotal += cpu;
    state.counters["blocks_written"] = written;
  }
  state.counters["wall_s"] = wallTotal;
  state.counters["floor_s"] = floorTotal;
  state.counters["ratio"] = wallTotal / floorTotal;
  state.counters["cpu_pct"] = 100.0 * cpuTotal / wallTotal;
}

void BM_Upload(benchmark::State& s) { Transfer(s, Kind::Upload); }
void BM_DownloadUnchanged(benchmark::State& s) { Transfer(s, Kind::DownloadUnchanged); }
void BM_DownloadAllBlocks(benchmark::State& s) { Transfer(s, Kind::DownloadAllBlocks); }

// Argument: 0 = 9600 bit/s, 1 = 19200 bit/s.
BENCHMARK(BM_Upload)->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadUnchanged)->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadAllBlocks)->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Threads started later (the simulator's) inherit the policy.
  sched_param param{};
  param.sched_priority = 10;
  if (::sched_setscheduler(0, SCHED_FIFO, &param) == 0)
    std::fprintf(stderr, "transfer_bench: running at real-time priority (SCHED_FIFO %d)\n", param.sched_priority);
  else
    std::fprintf(stderr, "transfer_bench: real-time priority not allowed: the figures include the machine's other load\n");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
