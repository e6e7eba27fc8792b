#include "host/objective.h"

#include "delivery/remarks.h"
#include "delivery/supply_wagon.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "game/wrappers.h"
#include "host/camp_state.h"
#include "host/script_main.h"

namespace campfire {

namespace {

bool PlayerIsInWagon() {
  return Invoke<bool>(natives::IsPedInVehicle, PlayerPedId(), camp.supplyWagon, 0);
}

}  // namespace

void ResetRideRemarks() {
  if (!PlayerIsInWagon()) camp.rideRemarksDone = false;
}

void UpdateObjective() {
  if (!camp.objectiveShown) {
    if (!PlayerIsInWagon()) return;
    camp.objectiveShown = true;
    Invoke(natives::ShowObjectiveText, "Deliver the wagon to the Emerald Ranch Fence");
    Invoke(natives::ObjectiveCueA);
    Invoke(natives::ObjectiveCueB, 512, 0);
    Invoke(natives::ObjectiveCueC, 1, 10, 10);
  } else if (!PlayerIsInWagon()) {
    camp.objectiveShown = false;
  }
}

}  // namespace campfire
