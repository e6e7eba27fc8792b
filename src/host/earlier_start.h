// The host may start the script again: after the game reloads (everything scripts made is
// gone and the player has a new ped) or on a restart of its own (the world as it was).
#pragma once

#include "game/types.h"

namespace campfire {

// Whether the player's ped is one an earlier start of the script saw: after a reload the
// player always has a new ped. Costs no call.
bool PlayerPedIsOneAnEarlierStartSaw(EntityHandle playerPed);

// Whether a companion or the wagon an earlier start kept is still there as it left it. With
// the player's ped above, the evidence that the world is the one that start left: the game
// might give a new ped an old number, so the ped alone is not enough.
bool AnEarlierStartLeftSomething();

// Removes what an earlier start made that is still there and still the plugin's.
void RemoveWhatAnEarlierStartLeft();

}  // namespace campfire
