// What the plugin keeps of each of the camp's four companions (held in the camp's state).
#pragma once

#include <cstdint>

#include "game/types.h"

namespace campfire {

struct Companion {
  EntityHandle ped;
  NameHash model;  // the model the ped was made with
  // A ped released to the game (Sadie, dismissed): no longer driven, but it may still
  // stand in the camp. Kept apart from `ped`, and forgotten once it is gone.
  EntityHandle released;
  Vector3 home;               // creation point and proximity centre
  float heading;              // degrees, given to the ped at creation
  bool spawned;               // the companion currently exists
  std::int32_t step;          // current routine step
  std::int32_t nextStepTime;  // game clock before which the routine does nothing
};

}  // namespace campfire
