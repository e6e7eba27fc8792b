// The host may start the script again: after the game reloads (everything scripts made is
// gone and the player has a new ped) or on a restart of its own (the world as it was).
#pragma once

#include "game/types.h"

namespace campfire {

// Whether an earlier start of the script may have left things in the world: the player's
// ped is one that start saw. After a reload the player always has a new ped.
bool EarlierStartMayHaveLeftThings(EntityHandle playerPed);

// Removes what an earlier start made that is still there and still the plugin's.
void RemoveWhatAnEarlierStartLeft();

}  // namespace campfire
