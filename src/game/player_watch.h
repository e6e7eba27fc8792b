// The player's ped as the script last saw it, and the count of waits. A later start of the
// script compares the player's ped with it to tell a restart with the world kept (the same
// ped) from a reload (always a new one), so it outlives a start of the script, and it is
// noted again after every wait, since the game may give the player a new ped at any time.
#pragma once

#include <cstdint>

#include "game/types.h"

namespace campfire {

EntityHandle LastSeenPlayerPed();
void NotePlayerPed(EntityHandle ped);

// Hands the frame back to the game for `ms` of game time, then reads and notes the
// player's ped.
void WaitAndWatchPlayer(std::uint32_t ms);
// The main loop's own yield at the end of a frame: nothing is read after it.
void YieldFrame();

// How many waits the script has made. A number kept from before a wait may since name
// nothing, or something else: a proof made at the same count still holds.
std::uint32_t WaitsSoFar();

}  // namespace campfire
