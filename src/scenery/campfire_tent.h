// The ambient campfire-and-tent prop set.
#pragma once

#include "game/types.h"

namespace campfire {

// The point the player's distance is measured from; the tent itself stands elsewhere.
inline constexpr Vector3 TentCentre{-1631.554f, -1448.788f, 83.039f};
inline constexpr const char* kTentPropset = "pg_ambient_campfire05x_tent";
inline constexpr Vector3 kTentPlacement{-2434.583f, -999.039f, 168.503f};

// Waits frame by frame for the prop set to load, then places it.
void CreateCampfireTent();
// Removes the tent if it is still there and still the campfire tent.
void RemoveCampfireTent();
// After the script is started again: deletes the tent an earlier start placed, if it is
// still there.
void RemoveLeftoverTent();

}  // namespace campfire
