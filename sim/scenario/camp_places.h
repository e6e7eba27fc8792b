// Places and asset names of the camp a scenario refers to. They are the plugin's own tables',
// so that a home or the wagon moved there moves here too; the world itself knows no camp.
#pragma once

#include "companions/charles_steps.h"
#include "companions/homes.h"
#include "delivery/supply_wagon_table.h"
#include "scenery/campfire_tent.h"
#include "scenery/props_table.h"
#include "sim/host/native_call.h"

namespace sim::places {

constexpr Vec3 FromPlugin(campfire::Vector3 v) { return {v.x, v.y, v.z}; }

inline constexpr Vec3 kCharlesHome = FromPlugin(campfire::kCharlesHome.place);
inline constexpr Vec3 kSadieHome = FromPlugin(campfire::kSadieHome.place);
inline constexpr Vec3 kKarenHome = FromPlugin(campfire::kKarenHome.place);
inline constexpr Vec3 kAbeHome = FromPlugin(campfire::kAbeHome.place);
inline constexpr Vec3 kPropsCentre = FromPlugin(campfire::PropsCentre);
inline constexpr Vec3 kTentCentre = FromPlugin(campfire::TentCentre);
inline constexpr Vec3 kTentPlacement = FromPlugin(campfire::kTentPlacement);
inline constexpr Vec3 kWagonSpot = FromPlugin(campfire::WagonSpawnPoint);
inline constexpr Vec3 kFence = FromPlugin(campfire::FencePoint);

// Where Charles waits for the game to set him to work: the wood pile and his seat.
inline constexpr Vec3 kCharlesWoodPile =
    FromPlugin(campfire::charles_table::kCharlesSteps[8].point);
inline constexpr Vec3 kCharlesSeat = FromPlugin(campfire::charles_table::kCharlesSteps[10].point);
inline constexpr float kWorkSpotRadius = 1.0f;

inline constexpr const char* kWagonModel = campfire::kWagonModel;
inline constexpr const char* kWagonCargo = campfire::kCargoPropset;
inline constexpr const char* kTentPropset = campfire::kTentPropset;

}  // namespace sim::places
