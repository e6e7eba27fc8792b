// Each frame: what exists around the camp, and what it does.
#pragma once

#include "game/types.h"

namespace campfire {

inline constexpr float kNearDistance = 200.0f;
inline constexpr float kFarDistance = 250.0f;

// The player's distance to a point, reading the player's ped and position afresh.
float PlayerDistanceTo(const Vector3& centre);

void RunDispatcher();

}  // namespace campfire
