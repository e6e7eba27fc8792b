#include "scenery/camp_props.h"

#include <vector>

#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"
#include "host/dispatcher.h"
#include "scenery/props_table.h"

namespace campfire {

namespace {

// Room for every row is taken at load, so placing in the frame loop never allocates.
std::vector<EntityHandle> MakeHandleList() {
  std::vector<EntityHandle> handles;
  handles.reserve(propsTable.size());
  return handles;
}

std::vector<EntityHandle> propHandles = MakeHandleList();
bool propsSpawned;

void PlaceProps() {
  for (const PropPlacement& prop : propsTable) {
    // Created outright, without a model request; a failed creation is skipped at removal.
    const auto handle = Invoke<EntityHandle>(natives::CreateObject, prop.model, prop.position.x,
                                             prop.position.y, prop.position.z, 1, 1, 1, 0, 1);
    SetEntityRotation(handle, prop.rotation.x, prop.rotation.y, prop.rotation.z);
    propHandles.push_back(handle);
    Invoke(natives::SetModelAsNoLongerNeeded, prop.model);
  }
  propsSpawned = true;
}

void RemoveProps() {
  // `handle` is a copy: the list is emptied whole afterwards, whatever the game writes back.
  for (EntityHandle handle : propHandles) {
    if (DoesEntityExist(handle)) Invoke(natives::DeleteEntity, &handle);
  }
  propHandles.clear();  // keeps its capacity for the next approach
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
