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
// Sadie: dismissed if her ped still exists.
void DismissCompanion(Companion& companion);

}  // namespace campfire
