// The camp tour with a game clock that passes 2^31 while the companions follow their
// routines: the plugin sees the clock jump from its largest value to its most negative one,
// and every companion must still act each step once its delay has run out, neither early
// nor late.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <numeric>
#include <span>
#include <string>
#include <vector>

#include "reliability/fault_fixture.h"
#include "tools/campsim/run/camp_tour.h"
#include "tools/campsim/run/scenario_runner.h"

namespace reliability_test {
namespace {

// The delay after each routine step, in table order; every step leads to the next and the
// last to the first.
constexpr std::array<std::int32_t, 18> kCharlesDelays{60000,  10000, 60000,  20000, 90000,  20000,
                                                      60000,  70000, 120000, 25000, 120000, 25000,
                                                      130000, 20000, 120000, 60000, 70000,  160000};
constexpr std::array<std::int32_t, 13> kSadieDelays{120000, 10000,  160000, 30000, 160000,
                                                    60000,  120000, 160000, 10000, 140000,
                                                    10000,  120000, 10000};
constexpr std::array<std::int32_t, 21> kKarenDelays{
    10000,  60000, 15000, 160000, 10000, 60000, 20000, 120000, 85000, 120000, 20000,
    120000, 65000, 60000, 20000,  60000, 20000, 60000, 70000,  90000, 60000};
constexpr std::array<std::int32_t, 13> kAbeDelays{
    120000, 20000, 130000, 10000, 90000, 180000, 20000, 135000, 60000, 80000, 80000, 160000, 30000};
// Charles's steps 8 and 10 go again after this long while he is not using a scenario.
constexpr std::int32_t kScenarioRetryMs = 5000;

constexpr std::int32_t Cycle(std::span<const std::int32_t> delays) {
  return std::accumulate(delays.begin(), delays.end(), 0);
}
static_assert(Cycle(kCharlesDelays) == 1'240'000);
static_assert(Cycle(kSadieDelays) == 1'110'000);
static_assert(Cycle(kKarenDelays) == 1'305'000);
static_assert(Cycle(kAbeDelays) == 1'115'000);

struct RoutineFacts {
  const char* name;
  std::span<const std::int32_t> delays;
  std::int32_t firstStepDelayMs;
};

const std::array<RoutineFacts, 4> kRoutines{{
    {"Charles", kCharlesDelays, 1000},
    {"Sadie", kSadieDelays, 1000},
    {"Karen", kKarenDelays, 1000},
    {"Abe", kAbeDelays, 2000},
}};

// One life of a companion: when its creation made it ready, and each routine step after.
struct Life {
  std::size_t companion;
  sim::Handle ped = 0;
  std::int64_t readyAt = -1;
  struct Step {
    std::int64_t at;
    bool retried = false;  // a step that waits for a scenario, which went again
  };
  std::vector<Step> steps;
};

// Follows the trace on a timeline that does not wrap (milliseconds since the first frame),
// while the plugin sees the wrapping clock: the companions' lives and routine lines, and
// when the main loop was held inside a frame.
class RoutineClock final : public sim::TraceSink {
 public:
  RoutineClock(const sim::Host& host, std::int32_t startClock)
      : host_(host), start_(static_cast<std::uint32_t>(startClock)) {}

  void OnCall(const sim::CallEvent& e) override {
    const std::int64_t at = Since(e.clock);
    const sim::NativeCall& c = e.call;
    switch (c.sig->id) {
      case NativeId::CreatePed:
        for (std::size_t i = 0; i < kRoutines.size(); ++i) {
          if (Facts(kRoutines[i].name).model == c.Hash(0)) {
            lives_.push_back(Life{.companion = i, .ped = Result(c), .readyAt = -1, .steps = {}});
          }
        }
        break;
      case NativeId::SetModelAsNoLongerNeeded:
        if (Life* life = Current(c.Hash(0)); life != nullptr && life->readyAt < 0) {
          life->readyAt = at;
        }
        break;
      case NativeId::PlayPedAmbientSpeechNative:
        // Exchanges carry speech parameters; routine lines carry none.
        if (c.Speech(1).paramsHash != 0) break;
        if (Life* life = Speaker(c.Handle(0))) life->steps.push_back({at});
        break;
      case NativeId::IsPedUsingAnyScenario:
        if (Life* life = Speaker(c.Handle(0)); life != nullptr && !life->steps.empty()) {
          life->steps.back().retried = static_cast<std::uint32_t>(c.result[0]) == 0;
        }
        break;
      default:
        break;
    }
  }

  void OnWait(std::uint64_t, std::int32_t clock, std::uint32_t ms) override {
    const std::int64_t at = Since(clock);
    const bool rest = ms == 0 && (host_.LastNative() == NativeId::IsPedInVehicle ||
                                  host_.LastNative() == NativeId::ObjectiveCueC);
    if (!rest) {
      if (holdStart_ < 0) holdStart_ = at;
      return;
    }
    if (holdStart_ < 0) return;
    // A hold that starts within a frame of the last one's end is the same hold.
    if (!holds_.empty() && holdStart_ - holds_.back().end <= kFrameMs) {
      holds_.back().end = at;
    } else {
      holds_.push_back({holdStart_, at});
    }
    holdStart_ = -1;
  }

  struct Hold {
    std::int64_t start;
    std::int64_t end;
  };
  const std::vector<Life>& Lives() const { return lives_; }
  const std::vector<Hold>& Holds() const { return holds_; }
  std::int64_t Since(std::int32_t clock) const {
    return static_cast<std::uint32_t>(clock) - start_;
  }

 private:
  static sim::Handle Result(const sim::NativeCall& c) {
    return static_cast<sim::Handle>(static_cast<std::uint32_t>(c.result[0]));
  }
  Life* Current(std::uint32_t model) {
    for (auto it = lives_.rbegin(); it != lives_.rend(); ++it) {
      if (Facts(kRoutines[it->companion].name).model == model) return &*it;
    }
    return nullptr;
  }
  Life* Speaker(sim::Handle ped) {
    for (auto it = lives_.rbegin(); it != lives_.rend(); ++it) {
      if (it->ped == ped) return &*it;
    }
    return nullptr;
  }

  const sim::Host& host_;
  std::uint32_t start_;
  std::vector<Life> lives_;
  std::vector<Hold> holds_;
  std::int64_t holdStart_ = -1;
};

TEST(ClockWrap, EveryCompanionStepsOnTimeWhileTheClockPassesTwoToTheThirtyOne) {
  campsim::Scenario tour = campsim::CampTour();
  // 2^31 comes 105 s into the tour, while Charles and Karen are between steps.
  constexpr std::int64_t kWrapAt = 105'000;
  tour.world.startClock = static_cast<std::int32_t>((std::int64_t{1} << 31) - kWrapAt);
  sim::SimulationOptions options;
  options.world = tour.world;
  options.record = false;
  sim::Simulation sim(options);
  ASSERT_TRUE(sim.Loaded()) << sim.Error();
  RoutineClock clock(sim.host(), tour.world.startClock);
  sim.host().AddSink(&clock);
  campsim::ScenarioRunner runner(sim);
  EXPECT_TRUE(runner.Run(tour.steps)) << sim.Error();
  sim.host().RemoveSink(&clock);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  EXPECT_LT(sim.Clock(), 0) << "the clock went past 2^31";

  const std::int64_t frame = tour.world.frameMs;
  int checked = 0;
  int acrossTheWrap = 0;
  std::array<int, 4> stepsAfterTheWrap{};
  for (const Life& life : clock.Lives()) {
    const RoutineFacts& routine = kRoutines[life.companion];
    SCOPED_TRACE(std::string(routine.name) + " created for the " +
                 std::to_string(&life - clock.Lives().data() + 1) + "th time");
    ASSERT_GE(life.readyAt, 0);
    std::int64_t previous = life.readyAt;
    std::int64_t delay = routine.firstStepDelayMs;
    std::size_t step = 0;
    for (const Life::Step& s : life.steps) {
      SCOPED_TRACE("step " + std::to_string(step) + " at " + std::to_string(s.at) +
                   " ms into the tour");
      const std::int64_t due = previous + delay;
      EXPECT_GT(s.at, due) << "a step acted before its delay ran out";
      if (s.at - due > frame) {
        // Late only by a hold of the main loop (a load, a pause, an exchange) that covered
        // the due time, and then in the first frame after it.
        bool excused = false;
        for (const RoutineClock::Hold& h : clock.Holds()) {
          excused = excused || (h.start <= due + frame && h.end >= due && s.at <= h.end + frame);
        }
        EXPECT_TRUE(excused) << "acted " << s.at - due << " ms after its due time";
      }
      ++checked;
      acrossTheWrap += previous < kWrapAt && s.at >= kWrapAt;
      stepsAfterTheWrap[life.companion] += s.at >= kWrapAt;
      delay = s.retried ? kScenarioRetryMs : routine.delays[step];
      if (!s.retried) step = (step + 1) % routine.delays.size();
      previous = s.at;
    }
  }
  EXPECT_GE(checked, 12);
  EXPECT_GE(acrossTheWrap, 2) << "due times set before 2^31 and reached after it";
  for (std::size_t i = 0; i < kRoutines.size(); ++i) {
    EXPECT_GT(stepsAfterTheWrap[i], 0) << kRoutines[i].name << " stepped after the wrap";
  }
}

}  // namespace
}  // namespace reliability_test
