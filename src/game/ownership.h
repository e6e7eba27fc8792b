// Removing what the plugin made, when the number it kept may since have been given to
// something else: the game hands numbers out again, and other scripts share the world.
#pragma once

#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"

namespace campfire {

// Whether the entity still exists and is of the model the plugin made it with.
inline bool IsStillOurs(EntityHandle entity, NameHash model) {
  return DoesEntityExist(entity) && Invoke<NameHash>(natives::GetEntityModel, entity) == model;
}

// Deletes the entity, but only if it is still ours; forgets the handle either way. Costs no
// call for a handle of 0.
inline void RemoveIfStillOurs(EntityHandle& entity, NameHash model) {
  if (entity == 0) return;
  if (IsStillOurs(entity, model)) {
    // The native is given a copy: whatever it writes back, the number is forgotten below.
    EntityHandle copy = entity;
    Invoke(natives::DeleteEntity, &copy);
  }
  entity = 0;
}

// The same for a prop set, with the prop sets' own natives: the entity natives do not know
// their handles. A prop set is removed by value.
inline void RemovePropSetIfStillOurs(EntityHandle& propSet, NameHash model) {
  if (propSet == 0) return;
  if (Invoke<bool>(natives::DoesPropSetExist, propSet) &&
      Invoke<NameHash>(natives::GetPropSetModel, propSet) == model) {
    Invoke(natives::DeletePropSet, propSet, true, true);
  }
  propSet = 0;
}

}  // namespace campfire
