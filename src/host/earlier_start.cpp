#include "host/earlier_start.h"

#include "companions/spawning.h"
#include "delivery/supply_wagon.h"
#include "host/camp_state.h"
#include "scenery/camp_props.h"
#include "scenery/campfire_tent.h"
#include "talk/conversation.h"

namespace campfire {

bool EarlierStartMayHaveLeftThings(EntityHandle playerPed) {
  return playerPed != 0 && (playerPed == camp.startPlayerPed || playerPed == camp.lastPlayerPed);
}

void RemoveWhatAnEarlierStartLeft() {
  RemoveLeftoverCompanions();
  RemoveLeftoverTent();
  RemoveLeftoverProps();
  RemoveLeftoverWagon();
  DeleteLeftoverPrompts(camp.charlesPrompts);
  DeleteLeftoverPrompts(camp.sadiePrompts);
  DeleteLeftoverPrompts(camp.karenPrompts);
}

}  // namespace campfire
