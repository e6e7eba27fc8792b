// What the plugin made, and whether a number it kept still names it: the game hands
// numbers out again, other scripts share the world, and a wait hands the frame to both.
//
// What a script creates is its mission entity; the game's `DeleteEntity` removes only a
// mission entity of the calling script. Ownership is asked with
// `DoesEntityBelongToThisScript`, not `IsEntityAMissionEntity`: the latter also answers yes
// for another script's mission entity, which may hold a freed number and be of the same
// model, while the former answers for this script alone.
#pragma once

#include <cstdint>

#include "game/invoke.h"
#include "game/natives.h"
#include "game/player_watch.h"
#include "game/wrappers.h"

namespace campfire {

inline NameHash GetEntityModel(EntityHandle entity) {
  return Invoke<NameHash>(natives::GetEntityModel, entity);
}
inline bool BelongsToThisScript(EntityHandle entity) {
  return Invoke<bool>(natives::DoesEntityBelongToThisScript, entity, true);
}
inline bool IsAnyScriptsMissionEntity(EntityHandle entity) {
  return Invoke<bool>(natives::IsEntityAMissionEntity, entity);
}
inline void ClaimAsMissionEntity(EntityHandle entity) {
  Invoke(natives::SetEntityAsMissionEntity, entity, true, true);
}

// Whether the entity still exists, is of the model the plugin made it with, and is still
// the plugin's own. The first answer no ends the questions.
inline bool IsStillOurs(EntityHandle entity, NameHash model) {
  return entity != 0 && DoesEntityExist(entity) && GetEntityModel(entity) == model &&
         BelongsToThisScript(entity);
}

// A number proved ours at some count of waits; asked again only once a wait has come
// since. A number found not ours is forgotten (0), so nothing acts on it later.
inline bool StillOursSince(EntityHandle& entity, NameHash model, std::uint32_t& provedAt) {
  if (entity == 0) return false;
  if (provedAt == WaitsSoFar()) return true;
  if (!IsStillOurs(entity, model)) {
    entity = 0;
    return false;
  }
  provedAt = WaitsSoFar();
  return true;
}

// Deletes the entity only if it is still ours; forgets the handle either way. Costs no call
// for a handle of 0.
inline void RemoveIfStillOurs(EntityHandle& entity, NameHash model) {
  if (entity == 0) return;
  if (IsStillOurs(entity, model)) {
    // The native is given a copy: whatever it writes back, the number is forgotten below.
    EntityHandle copy = entity;
    Invoke(natives::DeleteEntity, &copy);
  }
  entity = 0;
}

namespace detail {
inline void DeleteClaimed(EntityHandle entity, bool claim) {
  if (claim) ClaimAsMissionEntity(entity);
  // The native is given a copy: the number is forgotten by the caller.
  EntityHandle copy = entity;
  Invoke(natives::DeleteEntity, &copy);
}
}  // namespace detail

// A ped the plugin released: the game no longer counts it as the plugin's, so it is deleted
// only if it is there, of its model and nobody's mission entity, and claimed first.
// Another script's mission entity holding the number is left alone. Forgotten either way.
inline void RemoveReleased(EntityHandle& entity, NameHash model) {
  if (entity == 0) return;
  if (DoesEntityExist(entity) && GetEntityModel(entity) == model &&
      !IsAnyScriptsMissionEntity(entity)) {
    detail::DeleteClaimed(entity, true);
  }
  entity = 0;
}

// Whether a thing an earlier start left is still there as it left it: of its model and
// either still the plugin's or claimed by no script since. Costs no call for 0.
inline bool IsLeftover(EntityHandle entity, NameHash model) {
  return entity != 0 && DoesEntityExist(entity) && GetEntityModel(entity) == model &&
         (BelongsToThisScript(entity) || !IsAnyScriptsMissionEntity(entity));
}

// Deletes such a leftover, claiming it first if the game no longer counts it as the
// plugin's. Forgotten either way.
inline void RemoveLeftover(EntityHandle& entity, NameHash model) {
  if (entity == 0) return;
  if (DoesEntityExist(entity) && GetEntityModel(entity) == model) {
    const bool ours = BelongsToThisScript(entity);
    if (ours || !IsAnyScriptsMissionEntity(entity)) detail::DeleteClaimed(entity, !ours);
  }
  entity = 0;
}

// The same removal for a prop set, with the prop sets' own natives: the entity natives do
// not know their handles. A prop set is removed by value.
inline void RemovePropSetIfStillOurs(EntityHandle& propSet, NameHash model) {
  if (propSet == 0) return;
  if (Invoke<bool>(natives::DoesPropSetExist, propSet) &&
      Invoke<NameHash>(natives::GetPropSetModel, propSet) == model) {
    Invoke(natives::DeletePropSet, propSet, true, true);
  }
  propSet = 0;
}

}  // namespace campfire
