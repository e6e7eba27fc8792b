// Bringing companions into the world and taking them out again.
#pragma once

#include "companions/companion.h"

namespace campfire {

// Each may wait across frames for the model and outfit to load.
void SpawnCharles();
void SpawnSadie();
void SpawnKaren();
void SpawnAbe();

// Charles, Karen and Abe: deleted if the ped still exists; absent afterwards either way.
void DeleteCompanion(Companion& companion);
// Sadie: dismissed if her ped still exists. The game only releases a dismissed ped: she
// goes on with her last task until the player is far from her.
void DismissCompanion(Companion& companion);

// After the script is started again: deletes each companion's ped (Sadie's dismissed one
// too) that an earlier start left, if it is still there and still a companion.
void RemoveLeftoverCompanions();

}  // namespace campfire
