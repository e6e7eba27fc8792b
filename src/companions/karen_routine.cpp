// Karen's day: sweeping, her pocket mirror, the chickens, her notebook, and back home.
#include "companions/companion.h"
#include "companions/karen_steps.h"
#include "companions/routine.h"
#include "companions/routines.h"
#include "host/camp_state.h"

namespace campfire {

namespace {

constexpr Routine kKarenRoutine{.steps = kKarenSteps, .goToTail = {1, 1, 1}};

}  // namespace

void UpdateKarenRoutine() { RunRoutine(camp.karen, kKarenRoutine); }

}  // namespace campfire
