#include "companions/routine.h"

#include "game/game_clock.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "game/ownership.h"
#include "game/speech.h"
#include "game/wrappers.h"

namespace campfire {

namespace {

constexpr std::int32_t kScenarioRetryMs = 5000;

void GoTo(EntityHandle ped, const RoutineStep& step, const GoToTail& tail) {
  TaskGoToCoord(ped, step.point.x, step.point.y, step.point.z, step.speed, step.timeoutMs, tail.a,
                tail.b, tail.c);
}

void GiveTask(Companion& companion, const Routine& routine, const RoutineStep& step) {
  const EntityHandle ped = companion.ped;
  switch (step.task) {
    case RoutineTask::GoTo:
      GoTo(ped, step, routine.goToTail);
      break;
    case RoutineTask::GoStraight:
      TaskGoStraightToCoord(ped, step.point.x, step.point.y, step.point.z, step.heading);
      break;
    case RoutineTask::Scenario: {
      const NameHash scenario = GetHashKey(step.scenario);
      TaskStartScenarioAtPosition(ped, scenario, step.point.x, step.point.y, step.point.z,
                                  step.heading, step.durationMs);
      break;
    }
    case RoutineTask::Wander:
      TaskWanderInArea(ped, step.point.x, step.point.y, step.point.z);
      break;
    case RoutineTask::GoStraightHome:
      TaskGoStraightToCoord(ped, companion.home.x, companion.home.y, companion.home.z,
                            step.heading);
      break;
    case RoutineTask::UntilScenario:
      break;  // handled by the caller, which also decides the step
  }
}

// The walk is repeated until the game puts the ped in a scenario at the spot. A ped not ours
// is neither asked nor sent, and the step is tried again later.
void WaitForScenario(Companion& companion, const Routine& routine, const RoutineStep& step,
                     bool ours) {
  if (ours && Invoke<bool>(natives::IsPedUsingAnyScenario, companion.ped)) {
    companion.step = step.next;
    companion.nextStepTime = ClockAfter(GetGameTimer(), step.delayMs);
    return;
  }
  if (ours) GoTo(companion.ped, step, routine.goToTail);
  companion.nextStepTime = ClockAfter(GetGameTimer(), kScenarioRetryMs);
}

}  // namespace

void RunRoutine(Companion& companion, const Routine& routine) {
  if (!companion.spawned) return;
  if (companion.step < 0 || static_cast<std::size_t>(companion.step) >= routine.steps.size()) {
    return;
  }
  const std::int32_t now = GetGameTimer();
  if (!ClockIsPast(now, companion.nextStepTime)) return;

  const RoutineStep& step = routine.steps[static_cast<std::size_t>(companion.step)];
  // Every step comes after a wait: the ped is proved before it is spoken to. One found not
  // ours is forgotten; the cycle goes on without it.
  const bool ours = IsStillOurs(companion.ped, companion.model);
  if (!ours) companion.ped = 0;
  if (ours) PlayAmbientLine(companion.ped, step.line, step.lo, step.hi);
  if (step.task == RoutineTask::UntilScenario) {
    WaitForScenario(companion, routine, step, ours);
    return;
  }
  if (ours) GiveTask(companion, routine, step);
  companion.step = step.next;
  // Read afresh: the due time counts from when the task was given.
  companion.nextStepTime = ClockAfter(GetGameTimer(), step.delayMs);
}

}  // namespace campfire
