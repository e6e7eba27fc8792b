#include "host/script_main.h"

#include "companions/companion.h"
#include "companions/spawning.h"
#include "delivery/remarks.h"
#include "game/host_interface.h"
#include "game/wrappers.h"
#include "host/camp_state.h"
#include "host/dispatcher.h"
#include "host/earlier_start.h"
#include "host/objective.h"
#include "scenery/campfire_tent.h"

namespace campfire {

namespace {

void PlaceHome(Companion& companion, Vector3 home, float heading) {
  companion.home = home;
  companion.heading = heading;
  companion.spawned = false;
}

}  // namespace

void SetUpWorld(EntityHandle playerPed) {
  camp.startPlayerPed = playerPed;

  PlaceHome(camp.karen, {-1660.454f, -1341.292f, 83.997f}, 0.0f);
  PlaceHome(camp.charles, {-1589.915f, -1438.418f, 81.434f}, 34.0f);
  PlaceHome(camp.sadie, {-1647.547f, -1369.594f, 84.469f}, 90.0f);
  camp.sadie.step = 0;
  PlaceHome(camp.abe, {-1625.389f, -1330.339f, 82.981f}, 123.477f);
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
  if (EarlierStartMayHaveLeftThings(playerPed)) RemoveWhatAnEarlierStartLeft();
  camp = CampState{};
  SetUpWorld(playerPed);
  for (;;) {
    RunFrame();
    scriptWait(0);
  }
}

}  // namespace campfire
