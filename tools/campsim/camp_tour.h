// The built-in scenario: a ride through everything the camp does, from arrival to departure.
#pragma once

#include "tools/campsim/scenario.h"

namespace campsim {

Scenario CampTour();

}  // namespace campsim
