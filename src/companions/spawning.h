// Bringing companions into the world and taking them out again.
#pragma once

#include "companions/companion.h"

namespace campfire {

// Each may wait across frames for the model and outfit to load.
void SpawnCharles();
void SpawnSadie();
void SpawnKaren();
void SpawnAbe();

// Charles, Karen and Abe: deleted if the ped still exists and is still of the companion's
// model; absent afterwards either way.
void DeleteCompanion(Companion& companion);
// Sadie: dismissed if her ped still exists. The game only releases a dismissed ped: she
// goes on with her last task until the player is far from her. Either way the companion
// no longer has a ped of her own; the released one is kept in `released`.
void DismissCompanion(Companion& companion);
// Forgets the released ped once the game has cleared it, before its number can come to
// name someone else.
void ForgetReleasedIfGone(Companion& companion);

// After the script is started again: deletes each companion's ped (Sadie's dismissed one
// too) that an earlier start left, if it is still there and still a companion.
void RemoveLeftoverCompanions();
// Whether a companion's ped an earlier start made is still there, as it left it.
bool AnyCompanionLeft();

}  // namespace campfire
