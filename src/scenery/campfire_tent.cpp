#include "scenery/campfire_tent.h"

#include "game/invoke.h"
#include "game/leftovers.h"
#include "game/loading.h"
#include "game/natives.h"
#include "game/wrappers.h"
#include "host/camp_state.h"

namespace campfire {

void CreateCampfireTent() {
  const NameHash propset = GetHashKey(kTentPropset);
  Invoke(natives::RequestPropset, propset);
  const bool loaded =
      WaitUntilLoaded([propset] { return Invoke<bool>(natives::HasPropsetLoaded, propset); });
  // A set that never loads is given up on but still counts as placed, so it is not
  // requested again every frame the player stays near.
  camp.tentHandle =
      loaded ? CreatePropset(propset, kTentPlacement.x, kTentPlacement.y, kTentPlacement.z) : 0;
  camp.tentSpawned = true;
}

void RemoveLeftoverTent() {
  if (camp.tentHandle != 0) RemoveIfStillOurs(camp.tentHandle, GetHashKey(kTentPropset));
}

}  // namespace campfire
