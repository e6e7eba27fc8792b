// The supply wagon: where it waits and facing which way, where it is delivered, what it is
// made of and how its marker shows. The simulator's scenarios and campsim read them from here.
#pragma once

#include "game/types.h"

namespace campfire {

inline constexpr Vector3 WagonSpawnPoint{-1617.198f, -1375.179f, 82.837f};
inline constexpr float WagonHeading = 347.6f;
// The ranch fence; a wagon within the radius of it counts as delivered.
inline constexpr Vector3 FencePoint{1411.352f, 266.98f, 89.61f};
inline constexpr float kDeliveryRadius = 50.0f;

inline constexpr const char* kWagonModel = "wagon02x";
inline constexpr const char* kCargoPropset = "pg_re_supplydelivery01x";
inline constexpr NameHash kBlipKind = 0x1857A152;
inline constexpr NameHash kBlipSprite = 0x3C5469D5;
inline constexpr const char* kBlipName = "CR_BLIP_COACH";

}  // namespace campfire
