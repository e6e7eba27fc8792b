// Typed wrappers for the natives whose constant arguments are the same at every call.
#pragma once

#include "game/invoke.h"
#include "game/natives.h"

namespace campfire {

inline Vector3 GetEntityCoords(EntityHandle entity) {
  return Invoke<Vector3>(natives::GetEntityCoords, entity, 1, 0);
}

// True when the entity is within 2.0 of the point on each axis.
inline bool IsEntityAtCoord(EntityHandle entity, float x, float y, float z) {
  return Invoke<bool>(natives::IsEntityAtCoord, entity, x, y, z, 2.0f, 2.0f, 2.0f, 0, 1, 0);
}

inline void SetEntityRotation(EntityHandle entity, float rotX, float rotY, float rotZ) {
  Invoke(natives::SetEntityRotation, entity, rotX, rotY, rotZ, 2, 1);
}

// Creates a ped or a vehicle, depending on the creating native's hash.
inline EntityHandle CreateEntityAt(NativeHash creator, NameHash model, float x, float y, float z,
                                   float heading) {
  return Invoke<EntityHandle>(creator, model, x, y, z, heading, 1, 1, 0, 0);
}

inline EntityHandle CreatePropset(NameHash propset, float x, float y, float z) {
  return Invoke<EntityHandle>(natives::CreatePropset, propset, x, y, z, 1, 0.0f, 0.0f, 1, 1);
}

inline void ApplyPedMetaPedOutfit(std::int32_t request, EntityHandle ped) {
  Invoke(natives::ApplyPedMetaPedOutfit, request, ped, 1, 1);
}

inline void SetRelationshipBetweenGroups(NameHash groupA, NameHash groupB) {
  Invoke(natives::SetRelationshipBetweenGroups, 1, groupA, groupB);
}

inline void GiveWeaponToPed(EntityHandle ped, NameHash weapon, std::int32_t ammoCount,
                            NameHash ammoType) {
  Invoke(natives::GiveWeaponToPed, ped, weapon, ammoCount, 1, 1, 1, 1, 1.0f, 1.0f, ammoType, 0, 0,
         1);
}

inline void TaskGoToCoord(EntityHandle ped, float x, float y, float z, float speed,
                          std::int32_t timeoutMs, std::int32_t a, std::int32_t b, std::int32_t c) {
  Invoke(natives::TaskGoToCoord, ped, x, y, z, speed, timeoutMs, 1, a, b, c);
}

// The game's straight walk always takes speed 1.0 and no time-out here. The game reads
// three slots more than the walk needs; each is pushed as zero (no entity), so it never
// reads what an earlier call left in the host's argument area.
inline void TaskGoStraightToCoord(EntityHandle ped, float x, float y, float z, float f) {
  constexpr EntityHandle kNoEntity = 0;
  Invoke(natives::TaskGoStraightToCoord, ped, x, y, z, 1.0f, -1, f, 0, 0, 0, 0.0f, kNoEntity, 0.0f);
}

// The last four slots are pushed as zero for the same reason; the text among them is an
// address, read as "none" only when it is null.
inline void TaskStartScenarioAtPosition(EntityHandle ped, NameHash scenario, float x, float y,
                                        float z, float heading, std::int32_t durationMs) {
  constexpr const char* kNoText = nullptr;
  Invoke(natives::TaskStartScenarioAtPosition, ped, scenario, x, y, z, heading, durationMs, 1,
         false, kNoText, 0.0f, false);
}

inline void TaskWanderInArea(EntityHandle ped, float x, float y, float z) {
  Invoke(natives::TaskWanderInArea, ped, x, y, z, 50.0f, 1.0f, 2.0f, 0);
}

// Frequently used reads that have no constants of their own.
inline EntityHandle PlayerPedId() { return Invoke<EntityHandle>(natives::PlayerPedId); }
inline std::int32_t GetGameTimer() { return Invoke<std::int32_t>(natives::GetGameTimer); }
inline NameHash GetHashKey(const char* name) { return Invoke<NameHash>(natives::GetHashKey, name); }
inline bool DoesEntityExist(EntityHandle entity) {
  return Invoke<bool>(natives::DoesEntityExist, entity);
}
inline float GetDistanceBetweenCoords(const Vector3& a, const Vector3& b) {
  return Invoke<float>(natives::GetDistanceBetweenCoords, a.x, a.y, a.z, b.x, b.y, b.z, 1);
}

}  // namespace campfire
