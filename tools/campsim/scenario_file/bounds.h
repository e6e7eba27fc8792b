// How long a scenario can run, known before its first frame: every step's game time, a
// move's measured from the furthest place the player can be when it starts. A scenario
// that would run too long, or a move too slow for the world's float positions to follow,
// is refused.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tools/campsim/scenario_file/scenario.h"

namespace campsim {

inline constexpr std::int64_t kDayMs = 86'400'000;

// A little over thirty days of the world's usual 33 ms frames: under three minutes of
// running (docs/performance.md).
inline constexpr std::int64_t kMostFrames = 80'000'000;

struct ScenarioLimits {
  std::int64_t maxLengthMs = 30 * kDayMs;  // longer runs are what the soak is for
  // Short frames make a run of the same game time take longer to run.
  std::int64_t maxFrames = kMostFrames;
};

// Gives each move the time it may take and the scenario its length; "" if it is fine,
// else "step N: what is wrong".
std::string BoundScenario(Scenario& scenario, const ScenarioLimits& limits);

class RunBounds;

// The same bounds, step after step, for steps that come one by one (the live run's): each
// step added is checked with every step before it, as it would be in a file.
class StepBounder {
 public:
  StepBounder(const sim::WorldSettings& world, const ScenarioLimits& limits);
  ~StepBounder();
  StepBounder(const StepBounder&) = delete;
  StepBounder& operator=(const StepBounder&) = delete;
  // Gives a move the time it may take; "" if the step is fine, else what is wrong with it.
  std::string Add(Step& step);

 private:
  std::unique_ptr<RunBounds> bounds_;
  std::int32_t frameMs_;
  ScenarioLimits limits_;
};

// The slowest speed, in units a second, at which the player still moves by whole steps of
// `frameMs` at coordinates up to `reach` from the origin.
double SlowestSpeed(double reach, std::int32_t frameMs);

}  // namespace campsim
