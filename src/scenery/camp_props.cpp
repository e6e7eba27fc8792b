#include "scenery/camp_props.h"

#include <array>
#include <cstddef>

#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"
#include "host/dispatcher.h"
#include "scenery/props_table.h"

namespace campfire {

namespace {

// Room for one handle per row, zero at load: nothing to construct or free, and placing
// in the frame loop never allocates.
std::array<EntityHandle, propsTable.size()> propHandles;
std::size_t propCount;
bool propsSpawned;

void PlaceProps() {
  for (const PropPlacement& prop : propsTable) {
    // Created outright, without a model request; a failed creation is skipped at removal.
    const auto handle = Invoke<EntityHandle>(natives::CreateObject, prop.model, prop.position.x,
                                             prop.position.y, prop.position.z, 1, 1, 1, 0, 1);
    SetEntityRotation(handle, prop.rotation.x, prop.rotation.y, prop.rotation.z);
    propHandles[propCount++] = handle;
    Invoke(natives::SetModelAsNoLongerNeeded, prop.model);
  }
  propsSpawned = true;
}

void RemoveProps() {
  // `handle` is a copy: the list is emptied whole afterwards, whatever the game writes back.
  for (std::size_t i = 0; i < propCount; ++i) {
    EntityHandle handle = propHandles[i];
    if (DoesEntityExist(handle)) Invoke(natives::DeleteEntity, &handle);
  }
  propCount = 0;  // the room stays for the next approach
  propsSpawned = false;
}

}  // namespace

void UpdateCampProps() {
  const float d = PlayerDistanceTo(PropsCentre);
  if (d < kNearDistance && !propsSpawned) {
    PlaceProps();
  } else if (d > kFarDistance && propsSpawned) {
    RemoveProps();
  }
}

}  // namespace campfire
