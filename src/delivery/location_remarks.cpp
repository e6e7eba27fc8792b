#include "delivery/location_remarks_table.h"
#include "delivery/remarks.h"
#include "game/player_watch.h"
#include "game/speech.h"
#include "game/wrappers.h"

namespace campfire {

// No state: a ped lingering on a spot is asked to speak again every frame, and one
// standing where two spots overlap speaks both. Once the player has a new ped, the number
// read at setup may come to name someone else: the remarks are skipped. The frame began
// with a wait, so the ped is read again before it is spoken through.
void UpdateLocationRemarks(EntityHandle ped) {
  if (LastSeenPlayerPed() != ped) return;
  bool proved = false;
  for (const LocationRemark& remark : locationRemarks) {
    const Vector3& at = remark.position;
    if (!IsEntityAtCoord(ped, at.x, at.y, at.z)) continue;
    if (!proved) {
      const EntityHandle now = PlayerPedId();
      NotePlayerPed(now);
      if (now != ped) return;
      proved = true;
    }
    PlayAmbientLine(ped, remark.line, 1, remark.count + 1);
  }
}

}  // namespace campfire
