#include "scenery/camp_props.h"

#include "game/invoke.h"
#include "game/natives.h"
#include "game/ownership.h"
#include "game/wrappers.h"
#include "host/camp_state.h"
#include "host/dispatcher.h"
#include "scenery/props_table.h"

namespace campfire {

namespace {

void PlaceProps() {
  for (const PropPlacement& prop : propsTable) {
    // Created outright, without a model request; a failed creation is skipped at removal.
    const auto handle = Invoke<EntityHandle>(natives::CreateObject, prop.model, prop.position.x,
                                             prop.position.y, prop.position.z, 1, 1, 1, 0, 1);
    SetEntityRotation(handle, prop.rotation.x, prop.rotation.y, prop.rotation.z);
    PropHandles& placed = camp.propHandles;
    placed.handles[placed.count++] = handle;
    Invoke(natives::SetModelAsNoLongerNeeded, prop.model);
  }
  camp.propsSpawned = true;
}

// Handles are kept one per row, so each is checked against its own row's model; a failed
// creation (0) costs nothing.
void RemoveProps() {
  PropHandles& placed = camp.propHandles;
  for (std::size_t i = 0; i < placed.count; ++i) {
    RemoveIfStillOurs(placed.handles[i], propsTable[i].model);
  }
  placed.count = 0;
  camp.propsSpawned = false;
}

}  // namespace

void UpdateCampProps() {
  const float d = PlayerDistanceTo(PropsCentre);
  if (d < kNearDistance && !camp.propsSpawned) {
    PlaceProps();
  } else if (d > kFarDistance && camp.propsSpawned) {
    RemoveProps();
  }
}

// The game may no longer count an earlier start's objects as the plugin's: each is claimed
// before it is deleted, unless another script has claimed it since.
void RemoveLeftoverProps() {
  PropHandles& placed = camp.propHandles;
  for (std::size_t i = 0; i < placed.count; ++i) {
    RemoveLeftover(placed.handles[i], propsTable[i].model);
  }
  placed.count = 0;
  camp.propsSpawned = false;
}

}  // namespace campfire
