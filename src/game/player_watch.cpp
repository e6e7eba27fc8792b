#include "game/player_watch.h"

#include "game/host_interface.h"
#include "game/wrappers.h"

namespace campfire {

namespace {
EntityHandle lastSeenPlayerPed = 0;
}  // namespace

EntityHandle LastSeenPlayerPed() { return lastSeenPlayerPed; }

void NotePlayerPed(EntityHandle ped) { lastSeenPlayerPed = ped; }

void WaitAndWatchPlayer(std::uint32_t ms) {
  scriptWait(ms);
  NotePlayerPed(PlayerPedId());
}

}  // namespace campfire
