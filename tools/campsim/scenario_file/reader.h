// Reading a scenario file: JSON, checked whole before anything runs, so that a mistake
// ends with one line naming the file, the step and what is wrong.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tools/campsim/scenario_file/bounds.h"
#include "tools/campsim/scenario_file/scenario.h"

namespace campsim {

struct ScenarioLoad {
  std::optional<Scenario> scenario;
  std::string error;  // one line, "FILE: step N: what is wrong", when there is no scenario
};

ScenarioLoad LoadScenarioFile(const std::string& path, const ScenarioLimits& limits = {});
// `name` stands for the file in error messages.
ScenarioLoad ParseScenario(std::string_view text, const std::string& name,
                           const ScenarioLimits& limits = {});

// One step as the playground's page posts it, the JSON of one item of "steps", read by the
// same reader and refused with the same words: "NAME: unknown action \"fly\"".
struct StepRead {
  std::optional<Step> step;
  std::string error;
};
StepRead ParseStep(std::string_view text, const std::string& name);

}  // namespace campsim
