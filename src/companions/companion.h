// The four companions of the camp, each one program-lifetime record, zero at load.
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

extern Companion charles;
extern Companion sadie;
extern Companion karen;
extern Companion abe;

}  // namespace campfire
