// A scenario written out as a scenario file, which the reader takes back to the very same
// steps and settings: what the playground saves.
#pragma once

#include <span>
#include <string>

#include "tools/campsim/scenario_file/json_values.h"
#include "tools/campsim/scenario_file/scenario.h"

namespace campsim {

// One step as a scenario file writes it.
json StepJson(const Step& step);
// The whole file: every world setting, then the steps, one a line.
std::string ScenarioFileText(const sim::WorldSettings& world, std::span<const Step> steps);

}  // namespace campsim
