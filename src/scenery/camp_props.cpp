#include "scenery/camp_props.h"

#include "game/invoke.h"
#include "game/leftovers.h"
#include "game/natives.h"
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

void RemoveProps() {
  // `handle` is a copy: the list is emptied whole afterwards, whatever the game writes back.
  PropHandles& placed = camp.propHandles;
  for (std::size_t i = 0; i < placed.count; ++i) {
    EntityHandle handle = placed.handles[i];
    if (DoesEntityExist(handle)) Invoke(natives::DeleteEntity, &handle);
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

// Handles are kept one per row, so each is checked against its own row's model.
void RemoveLeftoverProps() {
  PropHandles& placed = camp.propHandles;
  for (std::size_t i = 0; i < placed.count; ++i) {
    RemoveIfStillOurs(placed.handles[i], propsTable[i].model);
  }
}

}  // namespace campfire
