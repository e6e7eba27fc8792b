#include "delivery/location_remarks_table.h"
#include "delivery/remarks.h"
#include "game/speech.h"

namespace campfire {

// No state: a ped lingering on a spot is asked to speak again every frame, and one
// standing where two spots overlap speaks both.
void UpdateLocationRemarks(EntityHandle ped) {
  for (const LocationRemark& remark : locationRemarks) {
    PlayAmbientLineAtPoint(remark.position, ped, remark.line, remark.count);
  }
}

}  // namespace campfire
