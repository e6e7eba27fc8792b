// The host may start the script again: after the game reloads (everything scripts made is
// gone and the player has a new ped) or on a restart of its own (the world as it was).
#pragma once

#include "game/types.h"

namespace campfire {

// Whether the world is the one an earlier start of the script left: the player's ped is one
// that start saw (after a reload the player always has a new ped), and, since the game
// might give a new ped an old number, a companion or the wagon that start kept is still
// there as it left it. Costs no call on the first start.
bool IsTheWorldAnEarlierStartLeft(EntityHandle playerPed);

// Removes what an earlier start made that is still there and still the plugin's.
void RemoveWhatAnEarlierStartLeft();

}  // namespace campfire
