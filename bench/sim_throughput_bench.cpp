// How fast the simulator runs the real plugin: frames per wall second and game time per
// wall second, with nothing recorded and no timeline, as long runs use it.
//
//   IdleCamp  the player standing in the camp, everything created
//   CampTour  campsim's built-in tour, from loading the plugin to the end
//   Soak      campsim's random rider, in and out of the camp, talking, driving the wagon
//   SoakDay   the same for a whole day of game time, once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>

#include "sim/scenario/simulation.h"
#include "tools/campsim/run/camp_tour.h"
#include "tools/campsim/run/scenario_runner.h"
#include "tools/campsim/run/soak.h"

namespace {

constexpr std::int64_t kHourMs = 3'600'000;

void ReportRates(benchmark::State& state, std::uint64_t frames, std::int64_t gameMs) {
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
  state.counters["game_s_per_s"] =
      benchmark::Counter(static_cast<double>(gameMs) / 1000.0, benchmark::Counter::kIsRate);
}

sim::SimulationOptions Unrecorded() {
  sim::SimulationOptions options;
  options.record = false;
  return options;
}

void IdleCamp(benchmark::State& state) {
  sim::SimulationOptions options = Unrecorded();
  options.world.playerStart = {-1625.0f, -1390.0f, 82.0f};
  sim::Simulation sim(options);
  sim.RunFor(5000);
  if (sim.Failed()) return state.SkipWithError(sim.Error().c_str());
  const std::uint64_t frames = sim.FrameNumber();
  const std::int64_t gameMs = sim.world().ElapsedMs();
  for (auto _ : state) sim.Frame();
  if (sim.Failed()) return state.SkipWithError(sim.Error().c_str());
  ReportRates(state, sim.FrameNumber() - frames, sim.world().ElapsedMs() - gameMs);
}
BENCHMARK(IdleCamp);

void CampTour(benchmark::State& state) {
  const campsim::Scenario tour = campsim::CampTour();
  std::uint64_t frames = 0;
  std::int64_t gameMs = 0;
  for (auto _ : state) {
    sim::SimulationOptions options = Unrecorded();
    options.world = tour.world;
    sim::Simulation sim(options);
    campsim::ScenarioRunner runner(sim);
    if (!runner.Run(tour.steps)) return state.SkipWithError(sim.Error().c_str());
    frames += sim.FrameNumber();
    gameMs += sim.world().ElapsedMs();
  }
  ReportRates(state, frames, gameMs);
}
BENCHMARK(CampTour)->Unit(benchmark::kMillisecond);

// Plays the random rider's visits until `ms` of game time have passed.
bool RideFor(sim::Simulation& sim, campsim::ScenarioRunner& runner, campsim::VisitPlanner& rider,
             std::int64_t ms) {
  const std::int64_t end = sim.world().ElapsedMs() + ms;
  while (sim.world().ElapsedMs() < end) {
    for (campsim::Step step : rider.Next(sim)) {
      const std::int64_t left = end - sim.world().ElapsedMs();
      if (left <= 0) break;
      if (auto* wait = std::get_if<campsim::WaitStep>(&step)) {
        wait->ms = static_cast<std::int32_t>(std::min<std::int64_t>(wait->ms, left));
      }
      if (!runner.Apply(step)) return false;
    }
  }
  return true;
}

// Each iteration is one more hour of the same soak.
void Soak(benchmark::State& state) {
  sim::Simulation sim(Unrecorded());
  campsim::ScenarioRunner runner(sim);
  campsim::VisitPlanner rider(1);
  for (auto _ : state) {
    if (!RideFor(sim, runner, rider, kHourMs)) return state.SkipWithError(sim.Error().c_str());
  }
  ReportRates(state, sim.FrameNumber(), sim.world().ElapsedMs());
}
BENCHMARK(Soak)->Unit(benchmark::kMillisecond);

void SoakDay(benchmark::State& state) {
  for (auto _ : state) {
    sim::Simulation sim(Unrecorded());
    campsim::ScenarioRunner runner(sim);
    campsim::VisitPlanner rider(1);
    if (!RideFor(sim, runner, rider, 24 * kHourMs)) {
      return state.SkipWithError(sim.Error().c_str());
    }
    ReportRates(state, sim.FrameNumber(), sim.world().ElapsedMs());
  }
}
BENCHMARK(SoakDay)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
