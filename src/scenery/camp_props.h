// The fourteen objects that furnish the camp.
#pragma once

namespace campfire {

void UpdateCampProps();
// After the script is started again: deletes each object an earlier start placed that is
// still there.
void RemoveLeftoverProps();

}  // namespace campfire
