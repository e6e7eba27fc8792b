#include "scenery/campfire_tent.h"

#include "game/invoke.h"
#include "game/loading.h"
#include "game/natives.h"
#include "game/ownership.h"
#include "game/requests.h"
#include "game/wrappers.h"
#include "host/camp_state.h"

namespace campfire {

void CreateCampfireTent() {
  const NameHash propset = GetHashKey(kTentPropset);
  RequestPropset(propset);
  const bool loaded =
      WaitUntilLoaded([propset] { return Invoke<bool>(natives::HasPropsetLoaded, propset); });
  // A set that never loads is given up on but still counts as placed, so it is not
  // requested again every frame the player stays near.
  camp.tentHandle =
      loaded ? CreatePropset(propset, kTentPlacement.x, kTentPlacement.y, kTentPlacement.z) : 0;
  camp.tentSpawned = true;
  // Made or given up on, the set's request has served.
  ReleasePropset(propset);
}

void RemoveCampfireTent() {
  const EntityHandle tent = camp.tentHandle;
  if (Invoke<bool>(natives::DoesPropSetExist, tent) &&
      Invoke<NameHash>(natives::GetPropSetModel, tent) == GetHashKey(kTentPropset)) {
    Invoke(natives::DeletePropSet, tent, true, true);
    camp.tentSpawned = false;
  }
  // A tent gone behind the plugin's back keeps it counted as placed, so it is not placed
  // again while the script runs; its number is forgotten all the same, since it may come to
  // name something else.
  camp.tentHandle = 0;
}

void RemoveLeftoverTent() {
  if (camp.tentHandle != 0) RemovePropSetIfStillOurs(camp.tentHandle, GetHashKey(kTentPropset));
}

}  // namespace campfire
