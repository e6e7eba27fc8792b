#include "host/earlier_start.h"

#include "companions/spawning.h"
#include "delivery/supply_wagon.h"
#include "game/player_watch.h"
#include "host/camp_state.h"
#include "scenery/camp_props.h"
#include "scenery/campfire_tent.h"
#include "talk/conversation.h"

namespace campfire {

bool EarlierStartMayHaveLeftThings(EntityHandle playerPed) {
  return playerPed != 0 && (playerPed == camp.startPlayerPed || playerPed == LastSeenPlayerPed());
}

// The prompts go first, while the companions that vouch for them are still there.
void RemoveWhatAnEarlierStartLeft() {
  DeleteLeftoverPrompts(camp.charlesPrompts, camp.charles);
  DeleteLeftoverPrompts(camp.sadiePrompts, camp.sadie);
  DeleteLeftoverPrompts(camp.karenPrompts, camp.karen);
  RemoveLeftoverCompanions();
  RemoveLeftoverTent();
  RemoveLeftoverProps();
  RemoveLeftoverWagon();
}

}  // namespace campfire
