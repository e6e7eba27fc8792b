// Abe's day: guitar at home, his notebook, a wander, reading on the ground by the fire.
#include "companions/abe_steps.h"
#include "companions/companion.h"
#include "companions/routine.h"
#include "companions/routines.h"
#include "host/camp_state.h"

namespace campfire {

namespace {

constexpr Routine kAbeRoutine{.steps = kAbeSteps, .goToTail = {0, 0, 0}};

}  // namespace

void UpdateAbeRoutine() { RunRoutine(camp.abe, kAbeRoutine); }

}  // namespace campfire
