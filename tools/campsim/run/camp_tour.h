// The built-in scenario: a ride through everything the camp does, from arrival to departure.
#pragma once

#include "tools/campsim/scenario_file/scenario.h"

namespace campsim {

inline constexpr const char* kCampTourName = "camp tour";

Scenario CampTour();

}  // namespace campsim
