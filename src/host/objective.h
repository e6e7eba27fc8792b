// The delivery objective, shown at each boarding of the supply wagon.
#pragma once

namespace campfire {

// Lets the ride remarks be heard again at the next boarding.
void ResetRideRemarks();
void UpdateObjective();

}  // namespace campfire
