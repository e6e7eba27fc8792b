// The supply wagon near the camp and its delivery to the ranch fence.
#pragma once

#include "game/types.h"

namespace campfire {

void UpdateSupplyWagon();
// After the script is started again: deletes the wagon and removes the blip an earlier
// start made, if they are still there.
void RemoveLeftoverWagon();
// Whether the wagon an earlier start made is still there, as it left it.
bool WagonLeft();
void SpawnSupplyWagon(NameHash model, const Vector3& position);

}  // namespace campfire
