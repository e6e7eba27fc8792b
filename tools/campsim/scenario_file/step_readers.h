// The steps a scenario file can give, one row each: the action's key, the key it may take
// beside it, and how its value is read. A new kind of step is a new row.
#pragma once

#include "tools/campsim/scenario_file/json_values.h"
#include "tools/campsim/scenario_file/scenario.h"

namespace campsim {

// One step of the "steps" array; throws Invalid with what is wrong with it.
Step ReadStep(const json& item);

}  // namespace campsim
