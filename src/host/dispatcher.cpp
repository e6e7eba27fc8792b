#include "host/dispatcher.h"

#include "companions/companion.h"
#include "companions/routines.h"
#include "companions/spawning.h"
#include "delivery/supply_wagon.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "game/player_watch.h"
#include "game/wrappers.h"
#include "host/camp_state.h"
#include "scenery/camp_props.h"
#include "scenery/campfire_tent.h"
#include "talk/conversations.h"

namespace campfire {

float PlayerDistanceTo(const Vector3& centre) {
  const EntityHandle playerPed = PlayerPedId();
  NotePlayerPed(playerPed);
  return GetDistanceBetweenCoords(GetEntityCoords(playerPed), centre);
}

namespace {

// Sadie has one threshold: created below 200, dismissed at 200 or more.
void ApplySadieRule() {
  ForgetReleasedIfGone(camp.sadie);
  const float d = PlayerDistanceTo(camp.sadie.home);
  if (!camp.sadie.spawned && d < kNearDistance) {
    SpawnSadie();
  } else if (camp.sadie.spawned && d >= kNearDistance) {
    DismissCompanion(camp.sadie);
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
  if (!camp.tentSpawned && d < kNearDistance) {
    CreateCampfireTent();
  } else if (camp.tentSpawned && d > kFarDistance) {
    RemoveCampfireTent();
  }
}

}  // namespace

void RunDispatcher() {
  UpdateSupplyWagon();

  ApplySadieRule();
  ApplyBandRule(camp.charles, SpawnCharles);
  ApplyBandRule(camp.karen, SpawnKaren);
  ApplyBandRule(camp.abe, SpawnAbe);

  if (camp.sadie.spawned) UpdateSadieRoutine();
  if (camp.charles.spawned) UpdateCharlesRoutine();
  if (camp.karen.spawned) UpdateKarenRoutine();
  if (camp.abe.spawned) UpdateAbeRoutine();

  ApplyTentRule();
  UpdateCampProps();

  UpdateKarenConversation();
  UpdateCharlesConversation();
  UpdateSadieConversation();
}

}  // namespace campfire
