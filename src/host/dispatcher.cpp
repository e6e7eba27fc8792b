#include "host/dispatcher.h"

#include "companions/companion.h"
#include "companions/routines.h"
#include "companions/spawning.h"
#include "delivery/supply_wagon.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"
#include "scenery/camp_props.h"
#include "scenery/campfire_tent.h"
#include "talk/conversations.h"

namespace campfire {

float PlayerDistanceTo(const Vector3& centre) {
  return GetDistanceBetweenCoords(GetEntityCoords(PlayerPedId()), centre);
}

namespace {

// Sadie has one threshold: created below 200, dismissed at 200 or more.
void ApplySadieRule() {
  const float d = PlayerDistanceTo(sadie.home);
  if (!sadie.spawned && d < kNearDistance) {
    SpawnSadie();
  } else if (sadie.spawned && d >= kNearDistance) {
    DismissCompanion(sadie);
  }
}

// The others keep a band between 200 and 250 in which nothing changes.
void ApplyBandRule(Companion& companion, void (*spawn)()) {
  const float d = PlayerDistanceTo(companion.home);
  if (!companion.spawned && d < kNearDistance) {
    spawn();
  } else if (companion.spawned && d > kFarDistance) {
    DeleteCompanion(companion);
  }
}

void ApplyTentRule() {
  const float d = PlayerDistanceTo(TentCentre);
  if (!tentSpawned && d < kNearDistance) {
    CreateCampfireTent();
  } else if (tentSpawned && d > kFarDistance) {
    if (DoesEntityExist(tentHandle)) {
      Invoke(natives::DeleteEntity, &tentHandle);
      tentSpawned = false;
    }
  }
}

}  // namespace

void RunDispatcher() {
  UpdateSupplyWagon();

  ApplySadieRule();
  ApplyBandRule(charles, SpawnCharles);
  ApplyBandRule(karen, SpawnKaren);
  ApplyBandRule(abe, SpawnAbe);

  if (sadie.spawned) UpdateSadieRoutine();
  if (charles.spawned) UpdateCharlesRoutine();
  if (karen.spawned) UpdateKarenRoutine();
  if (abe.spawned) UpdateAbeRoutine();

  ApplyTentRule();
  UpdateCampProps();

  UpdateKarenConversation();
  UpdateCharlesConversation();
  UpdateSadieConversation();
}

}  // namespace campfire
