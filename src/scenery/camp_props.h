// The fourteen objects that furnish the camp.
#pragma once

namespace campfire {

void UpdateCampProps();

}  // namespace campfire
