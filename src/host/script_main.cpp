#include "host/script_main.h"

#include "companions/companion.h"
#include "companions/spawning.h"
#include "delivery/remarks.h"
#include "game/host_interface.h"
#include "game/wrappers.h"
#include "host/dispatcher.h"
#include "host/objective.h"
#include "scenery/campfire_tent.h"

namespace campfire {

EntityHandle startPlayerPed;

namespace {

void PlaceHome(Companion& companion, Vector3 home, float heading) {
  companion.home = home;
  companion.heading = heading;
  companion.spawned = false;
}

}  // namespace

void SetUpWorld() {
  startPlayerPed = PlayerPedId();

  PlaceHome(karen, {-1660.454f, -1341.292f, 83.997f}, 0.0f);
  PlaceHome(charles, {-1589.915f, -1438.418f, 81.434f}, 34.0f);
  PlaceHome(sadie, {-1647.547f, -1369.594f, 84.469f}, 90.0f);
  sadie.step = 0;
  PlaceHome(abe, {-1625.389f, -1330.339f, 82.981f}, 123.477f);
  abe.step = 0;

  // Created wherever the player is; the dispatcher removes them if the player is far.
  SpawnKaren();
  SpawnAbe();
  CreateCampfireTent();
}

void RunFrame() {
  UpdateLocationRemarks(startPlayerPed);
  RunDispatcher();
  UpdateRideRemarks();
  ResetRideRemarks();
  UpdateObjective();
}

void ScriptMain() {
  SetUpWorld();
  for (;;) {
    RunFrame();
    scriptWait(0);
  }
}

}  // namespace campfire
