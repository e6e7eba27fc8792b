// Places of the camp a scenario refers to, known to the simulator on its own.
#pragma once

#include "sim/host/native_call.h"

namespace sim::places {

inline constexpr Vec3 kCharlesHome{-1589.915f, -1438.418f, 81.434f};
inline constexpr Vec3 kSadieHome{-1647.547f, -1369.594f, 84.469f};
inline constexpr Vec3 kKarenHome{-1660.454f, -1341.292f, 83.997f};
inline constexpr Vec3 kAbeHome{-1625.389f, -1330.339f, 82.981f};
inline constexpr Vec3 kPropsCentre{-1652.328f, -1347.401f, 83.069f};
inline constexpr Vec3 kTentCentre{-1631.554f, -1448.788f, 83.039f};
inline constexpr Vec3 kTentPlacement{-2434.583f, -999.039f, 168.503f};
inline constexpr Vec3 kWagonSpot{-1617.198f, -1375.179f, 82.837f};
inline constexpr Vec3 kFence{1411.352f, 266.98f, 89.61f};

inline constexpr const char* kWagonModel = "wagon02x";
inline constexpr const char* kWagonCargo = "pg_re_supplydelivery01x";
inline constexpr const char* kTentPropset = "pg_ambient_campfire05x_tent";

}  // namespace sim::places
