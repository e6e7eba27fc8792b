// The soak: hours or days of game time of a player who rides in and out of the camp at
// random, locks on, holds prompts and drives the wagon, with the camp's counts checked
// every simulated hour and at the end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "sim/scenario/simulation.h"
#include "tools/campsim/run/visit_planner.h"
#include "tools/campsim/scenario_file/scenario.h"
#include "tools/campsim/timeline/census.h"

namespace campsim {

struct SoakOptions {
  std::int64_t durationMs = 0;
  sim::SimulationOptions simulation;
  std::FILE* trace = nullptr;  // the JSON-lines trace, if asked for
  bool progressBar = false;    // drawn on standard error, which should be a terminal
  bool everySetting = false;   // EverySetting's world rather than SharedWorld's
  CensusRules rules;
};

// The world the soak plays in: shared with another script that makes and removes things
// near the camp every few seconds, freed handle numbers given out again at once, and
// releases that zero the caller's variable (the other way from a scenario's default).
sim::WorldSettings SharedWorld(sim::WorldSettings world);
// The shared world with every other setting at its harshest too: a DeleteEntity of what the
// plugin does not own releases it, a blip goes with its entity, the game drops one of the
// plugin's prompts every few minutes, prop set requests count among those never released,
// and the player's ped keeps its number through a reload.
sim::WorldSettings EverySetting(sim::WorldSettings world);

// Prints the summary to `out` and the progress bar, if asked for, to `err`; 0 if every
// check held, 1 if one did not or the host stopped the plugin, 2 if the plugin cannot be
// loaded.
int RunSoak(const SoakOptions& options, std::ostream& out, std::ostream& err);

}  // namespace campsim
