// What the plugin keeps of each of the camp's four companions (held in the camp's state).
#pragma once

#include <cstdint>

#include "game/types.h"

namespace campfire {

struct Companion {
  EntityHandle ped;
  Vector3 home;               // creation point and proximity centre
  float heading;              // degrees, given to the ped at creation
  bool spawned;               // the companion currently exists
  std::int32_t step;          // current routine step
  std::int32_t nextStepTime;  // game clock before which the routine does nothing
};

}  // namespace campfire
