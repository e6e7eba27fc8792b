#include "companions/spawning.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "game/ownership.h"
#include "game/wrappers.h"

namespace campfire {

void DeleteCompanion(Companion& companion) {
  RemoveIfStillOurs(companion.ped, companion.model);
  companion.spawned = false;
}

// A ped that vanished on its own must not leave her marked present: she would never be
// created again.
void DismissCompanion(Companion& companion) {
  if (companion.ped != 0 && IsStillOurs(companion.ped, companion.model)) {
    // The game may zero the variable it is given, so it is given a copy of the handle.
    EntityHandle copy = companion.ped;
    Invoke(natives::DismissPed, &copy);
    companion.released = companion.ped;
  }
  companion.ped = 0;
  companion.spawned = false;
}

void ForgetReleasedIfGone(Companion& companion) {
  if (companion.released != 0 && !DoesEntityExist(companion.released)) companion.released = 0;
}

}  // namespace campfire
