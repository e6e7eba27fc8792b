// The supply wagon near the camp and its delivery to the ranch fence.
#pragma once

#include "game/types.h"

namespace campfire {

extern EntityHandle supplyWagon;
extern bool supplyWagonSpawned;
extern EntityHandle supplyWagonBlip;

void UpdateSupplyWagon();
void SpawnSupplyWagon(NameHash model, const Vector3& position);

}  // namespace campfire
