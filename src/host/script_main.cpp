#include "host/script_main.h"

#include "companions/companion.h"
#include "companions/homes.h"
#include "companions/spawning.h"
#include "delivery/remarks.h"
#include "game/player_watch.h"
#include "game/requests.h"
#include "game/wrappers.h"
#include "host/camp_state.h"
#include "host/dispatcher.h"
#include "host/earlier_start.h"
#include "host/objective.h"
#include "scenery/campfire_tent.h"

namespace campfire {

namespace {

void PlaceHome(Companion& companion, const Home& home) {
  companion.home = home.place;
  companion.heading = home.heading;
  companion.spawned = false;
}

}  // namespace

void SetUpWorld(EntityHandle playerPed) {
  camp.startPlayerPed = playerPed;

  PlaceHome(camp.karen, kKarenHome);
  PlaceHome(camp.charles, kCharlesHome);
  PlaceHome(camp.sadie, kSadieHome);
  camp.sadie.step = 0;
  PlaceHome(camp.abe, kAbeHome);
  camp.abe.step = 0;

  // Created wherever the player is; the dispatcher removes them if the player is far.
  SpawnKaren();
  SpawnAbe();
  CreateCampfireTent();
}

void RunFrame() {
  UpdateLocationRemarks(camp.startPlayerPed);
  RunDispatcher();
  UpdateRideRemarks();
  ResetRideRemarks();
  UpdateObjective();
}

// The host calls this again after the game reloads, or when it restarts its scripts; the
// earlier run was dropped where it stood. Each start begins from the state at load.
void ScriptMain() {
  const EntityHandle playerPed = PlayerPedId();
  const bool samePlayer = PlayerPedIsOneAnEarlierStartSaw(playerPed);
  const bool sameWorld = samePlayer && AnEarlierStartLeftSomething();
  ReleaseInterruptedRequests(samePlayer, sameWorld);
  if (sameWorld) RemoveWhatAnEarlierStartLeft();
  camp = CampState{};
  NotePlayerPed(playerPed);
  SetUpWorld(playerPed);
  for (;;) {
    RunFrame();
    YieldFrame();
  }
}

}  // namespace campfire
