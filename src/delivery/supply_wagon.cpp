#include "delivery/supply_wagon.h"

#include "delivery/supply_wagon_table.h"
#include "game/invoke.h"
#include "game/loading.h"
#include "game/natives.h"
#include "game/ownership.h"
#include "game/player_watch.h"
#include "game/requests.h"
#include "game/wrappers.h"
#include "host/camp_state.h"
#include "host/dispatcher.h"

namespace campfire {

namespace {

bool PlayerIsInWagon() {
  return Invoke<bool>(natives::IsPedInVehicle, PlayerPedId(), camp.supplyWagon, 0);
}

// The marker goes first, while the wagon it is on is still there, or one would be left on
// the map every round. Only a wagon still ours vouches for the blip's number: with a wagon
// gone, the game may have taken its blip too and given the number to another.
void RemoveWagonBlip() {
  if (camp.supplyWagonBlip != 0 && Invoke<bool>(natives::DoesBlipExist, camp.supplyWagonBlip)) {
    EntityHandle blip = camp.supplyWagonBlip;
    Invoke(natives::RemoveBlip, &blip);
  }
  camp.supplyWagonBlip = 0;
}

void ForgetWagon() {
  camp.supplyWagon = 0;
  camp.supplyWagonBlip = 0;
}

// Delivered or left behind, the wagon is deleted outright: one the game merely released
// could be boarded again and driven back to the spot, where a new wagon would stand beside
// it.
void RemoveWagon() {
  if (camp.supplyWagon != 0 && IsStillOurs(camp.supplyWagon, GetHashKey(kWagonModel))) {
    RemoveWagonBlip();
    EntityHandle copy = camp.supplyWagon;
    Invoke(natives::DeleteEntity, &copy);
  }
  ForgetWagon();
  camp.supplyWagonSpawned = false;
}

// The wagon is worth having without its cargo, so a set that never loads is left off. The
// load waits: the wagon is proved again before the cargo and the blip, and forgotten if it
// is not ours any more.
bool LoadCargo(NameHash wagonModel) {
  std::uint32_t provedAt = WaitsSoFar();
  const NameHash propset = GetHashKey(kCargoPropset);
  RequestPropset(propset);
  const auto hasLoaded = [propset] { return Invoke<bool>(natives::HasPropsetLoaded, propset); };
  const bool loaded = WaitUntilLoaded(hasLoaded) && hasLoaded();
  const bool ours = StillOursSince(camp.supplyWagon, wagonModel, provedAt);
  if (loaded && ours) Invoke(natives::AddPropsetToVehicle, camp.supplyWagon, propset);
  ReleasePropset(propset);
  return ours;
}

void AddWagonBlip() {
  camp.supplyWagonBlip =
      Invoke<EntityHandle>(natives::BlipAddForEntity, kBlipKind, camp.supplyWagon);
  Invoke(natives::SetBlipSprite, camp.supplyWagonBlip, kBlipSprite, 0);
  Invoke(natives::SetBlipName, camp.supplyWagonBlip, kBlipName);
}

}  // namespace

void SpawnSupplyWagon(NameHash model, const Vector3& position) {
  RequestModel(model);
  const bool loaded =
      WaitUntilLoaded([model] { return Invoke<bool>(natives::HasModelLoaded, model); });
  if (loaded) {
    camp.supplyWagon = CreateEntityAt(natives::CreateVehicle, model, position.x, position.y,
                                      position.z, WagonHeading);
    if (DoesEntityExist(camp.supplyWagon) && LoadCargo(model)) AddWagonBlip();
  }
  ReleaseModel(model);
}

void UpdateSupplyWagon() {
  // One reading of the player serves both distances.
  const Vector3 player = GetEntityCoords(PlayerPedId());
  const float toSpot = GetDistanceBetweenCoords(player, WagonSpawnPoint);
  const float toFence = GetDistanceBetweenCoords(player, FencePoint);

  // Nothing changes under a player who is driving, wherever the wagon has got to.
  if (PlayerIsInWagon()) return;

  if (toFence < kDeliveryRadius) {
    if (DoesEntityExist(camp.supplyWagon)) {
      RemoveWagon();
    } else {
      // Gone: nothing to deliver. The state clears on the way back, when the player is far
      // from the spot; the numbers are forgotten now, before they can name something else.
      ForgetWagon();
    }
    return;
  }

  if (!camp.supplyWagonSpawned) {
    if (toSpot < kNearDistance) {
      SpawnSupplyWagon(GetHashKey(kWagonModel), WagonSpawnPoint);
      // Set even when no vehicle came of it, so a failed creation is not retried every frame.
      camp.supplyWagonSpawned = true;
    }
  } else if (toSpot > kFarDistance) {
    // Left behind, not delivered. A wagon that has vanished must still clear the state, or
    // none would be made again.
    RemoveWagon();
  }
}

// The blip carries no model to check: it is removed only with a wagon that shows the world
// is the one the earlier start left.
void RemoveLeftoverWagon() {
  const NameHash model = GetHashKey(kWagonModel);
  if (IsLeftover(camp.supplyWagon, model)) {
    RemoveWagonBlip();
    RemoveLeftover(camp.supplyWagon, model);
  }
  ForgetWagon();
}

bool WagonLeft() { return IsLeftover(camp.supplyWagon, GetHashKey(kWagonModel)); }

}  // namespace campfire
