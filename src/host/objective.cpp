#include "host/objective.h"

#include "delivery/remarks.h"
#include "delivery/supply_wagon.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"
#include "host/script_main.h"

namespace campfire {

bool objectiveShown;

namespace {

bool PlayerIsInWagon() {
  return Invoke<bool>(natives::IsPedInVehicle, PlayerPedId(), supplyWagon, 0);
}

}  // namespace

void ResetRideRemarks() {
  if (!PlayerIsInWagon()) rideRemarksDone = false;
}

void UpdateObjective() {
  if (!objectiveShown) {
    if (!PlayerIsInWagon()) return;
    objectiveShown = true;
    Invoke(natives::ShowObjectiveText, "Deliver the wagon to the Emerald Ranch Fence");
    Invoke(natives::ObjectiveCueA);
    Invoke(natives::ObjectiveCueB, 512, 0);
    Invoke(natives::ObjectiveCueC, 1, 10, 10);
  } else if (!PlayerIsInWagon()) {
    objectiveShown = false;
  }
}

}  // namespace campfire
