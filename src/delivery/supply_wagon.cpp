#include "delivery/supply_wagon.h"

#include "delivery/supply_wagon_table.h"
#include "game/invoke.h"
#include "game/leftovers.h"
#include "game/loading.h"
#include "game/natives.h"
#include "game/wrappers.h"
#include "host/camp_state.h"
#include "host/dispatcher.h"

namespace campfire {

namespace {

bool PlayerIsInWagon() {
  return Invoke<bool>(natives::IsPedInVehicle, PlayerPedId(), camp.supplyWagon, 0);
}

// The marker goes with the wagon, or one would be left on the map every round. `removal` is
// DeleteEntity, which takes the wagon away at once, or DeleteVehicle, which only releases it
// to the game: it stays where it stands until the player is far from it.
void RemoveWagon(NativeHash removal) {
  Invoke(removal, &camp.supplyWagon);
  camp.supplyWagon = 0;
  camp.supplyWagonSpawned = false;
  if (Invoke<bool>(natives::DoesBlipExist, camp.supplyWagonBlip)) {
    Invoke(natives::RemoveBlip, &camp.supplyWagonBlip);
    camp.supplyWagonBlip = 0;
  }
}

// The wagon is worth having without its cargo, so a set that never loads is left off.
void LoadCargo() {
  const NameHash propset = GetHashKey(kCargoPropset);
  Invoke(natives::RequestPropset, propset);
  const auto hasLoaded = [propset] { return Invoke<bool>(natives::HasPropsetLoaded, propset); };
  if (WaitUntilLoaded(hasLoaded) && hasLoaded()) {
    Invoke(natives::AddPropsetToVehicle, camp.supplyWagon, propset);
  }
}

void AddWagonBlip() {
  camp.supplyWagonBlip =
      Invoke<EntityHandle>(natives::BlipAddForEntity, kBlipKind, camp.supplyWagon);
  Invoke(natives::SetBlipSprite, camp.supplyWagonBlip, kBlipSprite, 0);
  Invoke(natives::SetBlipName, camp.supplyWagonBlip, kBlipName);
}

// A wagon delivered to the fence is left to the game, which clears it once the player has
// gone; one that never got there (the player reached the fence some other way) must not
// stay behind at the camp.
NativeHash DeliveredWagonRemoval() {
  const float wagonToFence =
      GetDistanceBetweenCoords(GetEntityCoords(camp.supplyWagon), FencePoint);
  return wagonToFence < kDeliveryRadius ? natives::DeleteVehicle : natives::DeleteEntity;
}

}  // namespace

void SpawnSupplyWagon(NameHash model, const Vector3& position) {
  Invoke(natives::RequestModel, model, 1);
  const bool loaded =
      WaitUntilLoaded([model] { return Invoke<bool>(natives::HasModelLoaded, model); });
  if (loaded) {
    camp.supplyWagon = CreateEntityAt(natives::CreateVehicle, model, position.x, position.y,
                                      position.z, WagonHeading);
    if (DoesEntityExist(camp.supplyWagon)) {
      LoadCargo();
      AddWagonBlip();
    }
  }
  Invoke(natives::SetModelAsNoLongerNeeded, model);
}

void UpdateSupplyWagon() {
  // One reading of the player serves both distances.
  const Vector3 player = GetEntityCoords(PlayerPedId());
  const float toSpot = GetDistanceBetweenCoords(player, WagonSpawnPoint);
  const float toFence = GetDistanceBetweenCoords(player, FencePoint);

  // Nothing changes under a player who is driving, wherever the wagon has got to.
  if (PlayerIsInWagon()) return;

  if (toFence < kDeliveryRadius) {
    if (DoesEntityExist(camp.supplyWagon)) RemoveWagon(DeliveredWagonRemoval());
    return;
  }

  if (!camp.supplyWagonSpawned) {
    if (toSpot < kNearDistance) {
      SpawnSupplyWagon(GetHashKey(kWagonModel), WagonSpawnPoint);
      // Set even when no vehicle came of it, so a failed creation is not retried every frame.
      camp.supplyWagonSpawned = true;
    }
  } else if (toSpot > kFarDistance) {
    // Left behind, not delivered: taken away at once, or a released wagon would still stand
    // at the spot when the player comes back, and a second one would be made on top of it.
    // No existence test: a wagon that has vanished must still clear the state, or none would
    // be made again.
    RemoveWagon(natives::DeleteEntity);
  }
}

void RemoveLeftoverWagon() {
  if (camp.supplyWagon != 0) RemoveIfStillOurs(camp.supplyWagon, GetHashKey(kWagonModel));
  if (camp.supplyWagonBlip != 0 && Invoke<bool>(natives::DoesBlipExist, camp.supplyWagonBlip)) {
    Invoke(natives::RemoveBlip, &camp.supplyWagonBlip);
  }
}

}  // namespace campfire
