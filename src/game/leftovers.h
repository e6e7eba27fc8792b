// Removing what the plugin made before, when the number it kept may since have been given
// to something else.
#pragma once

#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"

namespace campfire {

// Deletes the entity, but only if it still exists and is of the model the plugin made it
// with; forgets the handle either way. Costs no call for a handle of 0.
inline void RemoveIfStillOurs(EntityHandle& entity, NameHash model) {
  if (entity == 0) return;
  if (DoesEntityExist(entity) && Invoke<NameHash>(natives::GetEntityModel, entity) == model) {
    Invoke(natives::DeleteEntity, &entity);
  }
  entity = 0;
}

}  // namespace campfire
