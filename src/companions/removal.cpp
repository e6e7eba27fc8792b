#include "companions/spawning.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"

namespace campfire {

void DeleteCompanion(Companion& companion) {
  if (DoesEntityExist(companion.ped)) Invoke(natives::DeleteEntity, &companion.ped);
  companion.spawned = false;
}

void DismissCompanion(Companion& companion) {
  if (DoesEntityExist(companion.ped)) Invoke(natives::DismissPed, &companion.ped);
  // A ped that vanished on its own must not leave her marked present: she would
  // never be created again.
  companion.spawned = false;
}

}  // namespace campfire
