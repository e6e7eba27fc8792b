// What one idle frame of the plugin costs, against a game whose natives do nothing.
//
// IdleFrame runs the real plugin's frame (72 natives) through the simulated host.
// HostOnly makes the very same invocations, recorded from that frame, from a script that
// does nothing else: the host's share. The plugin's own work is the difference.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "sim/host/trace.h"
#include "sim/scenario/null_game.h"

extern "C" {
void scriptWait(std::uint32_t ms);
void nativeInit(std::uint64_t hash);
void nativePush64(std::uint64_t value);
std::uint64_t* nativeCall();
}

namespace {

struct RecordedCall {
  std::uint64_t hash;
  int argc;
  std::uint64_t slot[sim::kMaxArgs];
};

class FrameRecorder final : public sim::TraceSink {
 public:
  void OnCall(const sim::CallEvent& e) override {
    RecordedCall& c = calls.emplace_back();
    c.hash = e.call.sig->hash;
    c.argc = e.call.argc;
    for (int i = 0; i < e.call.argc; ++i) c.slot[i] = e.call.slot[i];
  }
  void OnWait(std::uint64_t, std::int32_t, std::uint32_t) override {}
  std::vector<RecordedCall> calls;
};

void ReportPerFrame(benchmark::State& state, std::uint64_t natives) {
  const auto frames = static_cast<double>(state.iterations());
  state.counters["natives_per_frame"] = static_cast<double>(natives) / frames;
  // Seconds per native, shown with an SI prefix ("25n" is 25 ns).
  state.counters["time_per_native"] = benchmark::Counter(
      static_cast<double>(natives), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void IdleFrame(benchmark::State& state) {
  sim::NullRun run;
  if (!run.Ok()) return state.SkipWithError(run.Error().c_str());
  const std::uint64_t before = run.host().CallCount();
  for (auto _ : state) run.Frame();
  if (!run.Ok()) return state.SkipWithError(run.Error().c_str());
  ReportPerFrame(state, run.host().CallCount() - before);
}
BENCHMARK(IdleFrame);

std::vector<RecordedCall> replayed;

[[noreturn]] void ReplayScript() {
  for (;;) {
    for (const RecordedCall& c : replayed) {
      nativeInit(c.hash);
      for (int i = 0; i < c.argc; ++i) nativePush64(c.slot[i]);
      benchmark::DoNotOptimize(nativeCall());
    }
    scriptWait(0);
  }
}

void HostOnly(benchmark::State& state) {
  {
    sim::NullRun run;
    if (!run.Ok()) return state.SkipWithError(run.Error().c_str());
    FrameRecorder recorder;
    run.host().AddSink(&recorder);
    run.Frame();
    run.host().RemoveSink(&recorder);
    replayed = recorder.calls;
  }
  sim::NullGame game;
  sim::Host host(game);
  sim::SetActiveHost(&host);
  host.Register(nullptr, &ReplayScript);
  std::uint64_t frame = 0;
  host.RunFrame(++frame);
  const std::uint64_t before = host.CallCount();
  for (auto _ : state) host.RunFrame(++frame);
  const bool failed = host.Failed();
  ReportPerFrame(state, host.CallCount() - before);
  host.Unregister(nullptr);
  sim::SetActiveHost(nullptr);
  if (failed) state.SkipWithError(host.Error().c_str());
}
BENCHMARK(HostOnly);

}  // namespace

BENCHMARK_MAIN();
