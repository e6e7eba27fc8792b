// Charles's day: errands around the camp, two spots where he waits until he settles
// into a scenario, a seat at the campfire, and guard duty wandering near it.
#include "companions/charles_steps.h"
#include "companions/companion.h"
#include "companions/routine.h"
#include "companions/routines.h"
#include "host/camp_state.h"

namespace campfire {

namespace {

constexpr Routine kCharlesRoutine{.steps = kCharlesSteps, .goToTail = {1, 1, 1}};

}  // namespace

void UpdateCharlesRoutine() { RunRoutine(camp.charles, kCharlesRoutine); }

}  // namespace campfire
