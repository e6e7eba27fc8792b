// Sadie's day: between the campfire and the tents, feeding the chickens, wandering.
#include "companions/companion.h"
#include "companions/routine.h"
#include "companions/routines.h"
#include "companions/sadie_steps.h"
#include "host/camp_state.h"

namespace campfire {

namespace {

constexpr Routine kSadieRoutine{.steps = kSadieSteps, .goToTail = {0, 1, 0}};

}  // namespace

void UpdateSadieRoutine() { RunRoutine(camp.sadie, kSadieRoutine); }

}  // namespace campfire
