// A day of game time with campsim's random player riding in and out of the camp, talking,
// remarking and driving the wagon, with the camp counted every simulated hour and at the
// end, and every hold of the main loop measured.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "reliability/fault_fixture.h"
#include "tools/campsim/run/scenario_runner.h"
#include "tools/campsim/run/soak.h"
#include "tools/campsim/timeline/timeline.h"

namespace reliability_test {
namespace {

constexpr std::int64_t kHourMs = 3'600'000;
constexpr std::int64_t kDayMs = 24 * kHourMs;
// The sanitizer build soaks for a few hours: a memory fault shows there as in a day, and
// what a whole day must hold is counted by the other builds.
#ifndef CAMPFIRE_SOAK_HOURS
#define CAMPFIRE_SOAK_HOURS 24
#endif
constexpr std::int64_t kSoakMs = CAMPFIRE_SOAK_HOURS * kHourMs;
constexpr std::int32_t kSpeechMs = 2500;
// Karen's "Talk" is the longest exchange: fifteen lines, each waited out to the frame
// after it ends. Creations may come before it in the same frame.
constexpr std::int64_t kLongestExchangeMs = 15 * (kSpeechMs + kFrameMs);
constexpr std::int64_t kCreationsInOneFrameMs = 2000;
// The ride remarks' two pauses, which may follow an exchange in the same pass when the
// player boards the wagon while the exchange plays.
constexpr std::int64_t kRideRemarksMs = 5000 + 4000 + 2 * kFrameMs;

// Every simulated hour, and after every reload or restart of the script, at the first frame
// the script is at rest, the camp is counted.
class HourlyCensus final : public campsim::FrameObserver, public sim::TraceSink {
 public:
  void AfterFrame(sim::Simulation& sim) override {
    if (restarted_ && Count(sim)) {
      restarted_ = false;
      ++countsAfterRestarts_;
    }
    if (sim.world().ElapsedMs() < nextMs_) return;
    if (Count(sim)) nextMs_ += kHourMs;
  }
  void OnCall(const sim::CallEvent&) override {}
  void OnWait(std::uint64_t, std::int32_t, std::uint32_t) override {}
  void OnScriptRestart(std::uint64_t, std::int32_t, bool reload) override {
    restarted_ = true;
    (reload ? reloads_ : restarts_)++;
  }
  int Reloads() const { return reloads_; }
  int Restarts() const { return restarts_; }
  int CountsAfterRestarts() const { return countsAfterRestarts_; }
  bool Count(sim::Simulation& sim) {
    const campsim::CampCensus census = campsim::TakeCensus(sim);
    if (!census.atRest) return false;
    ++counts_;
    for (const std::string& broken : campsim::CheckCensus(census)) {
      broken_.try_emplace(broken, sim.world().ElapsedMs());
    }
    return true;
  }
  int Counts() const { return counts_; }
  // What broke, with when it first did.
  const std::map<std::string, std::int64_t>& Broken() const { return broken_; }

 private:
  std::int64_t nextMs_ = kHourMs;
  bool restarted_ = false;
  int reloads_ = 0;
  int restarts_ = 0;
  int countsAfterRestarts_ = 0;
  int counts_ = 0;
  std::map<std::string, std::int64_t> broken_;
};

// The longest the main loop spent in one pass: from one frame's own yield to the next,
// less the frame between them.
class LoopHolds final : public sim::TraceSink {
 public:
  explicit LoopHolds(const sim::Host& host) : host_(host) {}
  void OnCall(const sim::CallEvent&) override {}
  void OnWait(std::uint64_t, std::int32_t clock, std::uint32_t ms) override {
    if (ms != 0 || (host_.LastNative() != NativeId::IsPedInVehicle &&
                    host_.LastNative() != NativeId::ObjectiveCueC)) {
      return;
    }
    if (seen_) longest_ = std::max<std::int64_t>(longest_, ClockGap(clock, last_) - kFrameMs);
    seen_ = true;
    last_ = clock;
  }
  // The dropped script's pass never ends; the new start's first pass is measured from its
  // first rest.
  void OnScriptRestart(std::uint64_t, std::int32_t, bool) override { seen_ = false; }
  std::int64_t Longest() const { return longest_; }

 private:
  const sim::Host& host_;
  bool seen_ = false;
  std::int32_t last_ = 0;
  std::int64_t longest_ = 0;
};

TEST(Soak, ADayOfRandomVisitsKeepsTheCampInBoundsAndTheLoopMoving) {
  sim::SimulationOptions options;
  options.world.seed = 24;
  options.world.speechMs = kSpeechMs;
  options.record = false;
  options.world = campsim::SharedWorld(options.world);
  sim::Simulation sim(options);
  ASSERT_TRUE(sim.Loaded()) << sim.Error();
  campsim::Timeline timeline(sim.world());
  LoopHolds holds(sim.host());
  sim.host().AddSink(&timeline);
  sim.host().AddSink(&holds);
  campsim::ScenarioRunner runner(sim, &timeline);
  HourlyCensus census;
  runner.AddObserver(&census);
  sim.host().AddSink(&census);
  campsim::VisitPlanner player(options.world.seed);

  while (sim.world().ElapsedMs() < kSoakMs && !runner.Stopped()) {
    for (const campsim::Step& step : player.Next(sim)) {
      if (!runner.Apply(step)) break;
    }
  }
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  // The last count is made at rest, once whatever is under way has ended.
  while (!campsim::TakeCensus(sim).atRest && sim.world().ElapsedMs() < kSoakMs + 120'000) {
    runner.Frame();
  }
  ASSERT_TRUE(census.Count(sim)) << "the script never came to rest at the end";
  timeline.Finish();
  sim.host().RemoveSink(&timeline);
  sim.host().RemoveSink(&holds);
  sim.host().RemoveSink(&census);

  EXPECT_GE(census.Counts(), CAMPFIRE_SOAK_HOURS + 1);
  for (const auto& [what, firstMs] : census.Broken()) {
    ADD_FAILURE() << what << " (first " << firstMs / 1000 << " s into the soak)";
  }
  const campsim::RunStats& stats = timeline.Stats();
  ASSERT_TRUE(stats.Longest().has_value());
  EXPECT_LE(stats.Longest()->lengthMs, kLoadBoundMs + kFrameMs)
      << "waiting for " << stats.Longest()->cause;
  EXPECT_LE(holds.Longest(), kLongestExchangeMs + kRideRemarksMs + kCreationsInOneFrameMs);
  EXPECT_GE(census.CountsAfterRestarts() + 1, census.Reloads() + census.Restarts());
  RecordProperty("visits", static_cast<int>(player.Visits()));
  RecordProperty("longest_loop_hold_ms", static_cast<int>(holds.Longest()));
  if (kSoakMs < kDayMs) return;
  // The day did what a day in camp does.
  EXPECT_GE(player.Visits(), 20u);
  EXPECT_GE(stats.events.exchanges, 10u);
  EXPECT_GE(stats.events.deliveries, 5u);
  // Reloads and restarts come at random moments, and the camp is counted after each.
  EXPECT_GE(census.Reloads(), 5);
  EXPECT_GE(census.Restarts(), 3);
}

}  // namespace
}  // namespace reliability_test
