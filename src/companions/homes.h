// Where each companion lives: the point it is made at, which its distance is measured to and
// its routine's walks home go to, and the heading it is made facing. One row a companion;
// the simulator's scenarios and campsim read the homes from here too.
#pragma once

#include "game/types.h"

namespace campfire {

struct Home {
  Vector3 place;
  float heading;  // degrees
};

// clang-format off
inline constexpr Home kCharlesHome{.place = {-1589.915f, -1438.418f, 81.434f}, .heading = 34.0f};
inline constexpr Home kSadieHome{.place = {-1647.547f, -1369.594f, 84.469f}, .heading = 90.0f};
inline constexpr Home kKarenHome{.place = {-1660.454f, -1341.292f, 83.997f}, .heading = 0.0f};
inline constexpr Home kAbeHome{.place = {-1625.389f, -1330.339f, 82.981f}, .heading = 123.477f};
// clang-format on

}  // namespace campfire
