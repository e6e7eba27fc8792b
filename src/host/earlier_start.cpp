#include "host/earlier_start.h"

#include "companions/spawning.h"
#include "delivery/supply_wagon.h"
#include "game/player_watch.h"
#include "host/camp_state.h"
#include "scenery/camp_props.h"
#include "scenery/campfire_tent.h"
#include "talk/conversation.h"

namespace campfire {

bool PlayerPedIsOneAnEarlierStartSaw(EntityHandle playerPed) {
  return playerPed != 0 && (playerPed == camp.startPlayerPed || playerPed == LastSeenPlayerPed());
}

// Entities only: a prop-set number asked after would be a question of the wrong kind if the
// number had since gone to an entity.
bool AnEarlierStartLeftSomething() { return AnyCompanionLeft() || WagonLeft(); }

// Prompts carry no model: the world shown to be the one the earlier start left vouches for
// them, even for a companion that has since vanished.
void RemoveWhatAnEarlierStartLeft() {
  DeleteLeftoverPrompts(camp.charlesPrompts);
  DeleteLeftoverPrompts(camp.sadiePrompts);
  DeleteLeftoverPrompts(camp.karenPrompts);
  RemoveLeftoverCompanions();
  RemoveLeftoverTent();
  RemoveLeftoverProps();
  RemoveLeftoverWagon();
}

}  // namespace campfire
