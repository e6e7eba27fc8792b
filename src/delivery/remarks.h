// What the player's character says on the wagon and at fixed spots around the camp.
#pragma once

#include "game/types.h"

namespace campfire {

// Three lines, 5000 ms and 4000 ms apart, once per stay in the wagon.
void UpdateRideRemarks();
// Requests each spot's line, every frame, while the ped stands on that spot.
void UpdateLocationRemarks(EntityHandle ped);

}  // namespace campfire
