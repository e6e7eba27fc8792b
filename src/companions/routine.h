// Companion routines as data: each routine is a table of steps walked by one engine.
#pragma once

#include <cstdint>
#include <span>

#include "companions/companion.h"
#include "game/types.h"

namespace campfire {

enum class RoutineTask : std::uint8_t {
  GoTo,            // walk to `point` at `speed`, giving up after `timeoutMs`
  GoStraight,      // straight to `point`, passing `heading`
  Scenario,        // play `scenario` at `point` facing `heading` for `durationMs`
  Wander,          // wander around `point`
  GoStraightHome,  // straight to the companion's home as it is now, passing `heading`
  UntilScenario,   // stay on this step, walking as GoTo does, until the ped uses a scenario
};

struct RoutineStep {
  const char* line;
  std::int32_t lo;  // variation drawn from [lo, hi)
  std::int32_t hi;
  RoutineTask task;
  // Each task reads only the fields its comment names; rows leave the rest out.
  const char* scenario = nullptr;
  Vector3 point = {};
  float speed = 0.0f;
  std::int32_t timeoutMs = 0;
  float heading = 0.0f;
  std::int32_t durationMs = 0;
  std::int32_t next;
  std::int32_t delayMs;
};

// The last three integers of every walk, fixed per companion.
struct GoToTail {
  std::int32_t a;
  std::int32_t b;
  std::int32_t c;
};

struct Routine {
  std::span<const RoutineStep> steps;
  GoToTail goToTail;
};

// Every step leads to a step of the table and draws from a non-empty range.
constexpr bool IsClosedCycle(std::span<const RoutineStep> steps) {
  const auto count = static_cast<std::int32_t>(steps.size());
  for (const RoutineStep& s : steps) {
    if (s.next < 0 || s.next >= count || s.lo >= s.hi || s.line == nullptr) return false;
    if (s.task == RoutineTask::Scenario && s.scenario == nullptr) return false;
  }
  return count > 0;
}

// Sum of the delays of one pass through the table, for checking a transcription.
constexpr std::int32_t CycleDelayMs(std::span<const RoutineStep> steps) {
  std::int32_t total = 0;
  for (const RoutineStep& s : steps) total += s.delayMs;
  return total;
}

// Acts at most one step, and only once the clock is strictly past `nextStepTime`.
void RunRoutine(Companion& companion, const Routine& routine);

}  // namespace campfire
