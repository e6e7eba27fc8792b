#include "game/player_watch.h"

#include "game/host_interface.h"
#include "game/wrappers.h"

namespace campfire {

namespace {
EntityHandle lastSeenPlayerPed = 0;
std::uint32_t waits = 0;

void Wait(std::uint32_t ms) {
  ++waits;
  scriptWait(ms);
}
}  // namespace

EntityHandle LastSeenPlayerPed() { return lastSeenPlayerPed; }

void NotePlayerPed(EntityHandle ped) { lastSeenPlayerPed = ped; }

void WaitAndWatchPlayer(std::uint32_t ms) {
  Wait(ms);
  NotePlayerPed(PlayerPedId());
}

void YieldFrame() { Wait(0); }

std::uint32_t WaitsSoFar() { return waits; }

}  // namespace campfire
