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
#include "tools/campsim/scenario.h"
#include "tools/campsim/seeded_random.h"

namespace campsim {

struct SoakOptions {
  std::int64_t durationMs = 0;
  sim::SimulationOptions simulation;
  std::FILE* trace = nullptr;  // the JSON-lines trace, if asked for
  bool progressBar = false;    // drawn on standard error, which should be a terminal
};

// Prints the summary to `out` and the progress bar, if asked for, to `err`; 0 if every
// check held, 1 if one did not or the host stopped the plugin, 2 if the plugin cannot be
// loaded.
int RunSoak(const SoakOptions& options, std::ostream& out, std::ostream& err);

// The random player: each call gives the steps of the next thing it does.
class VisitPlanner {
 public:
  explicit VisitPlanner(std::uint64_t seed) : random_(seed) {}
  std::vector<Step> Next(sim::Simulation& sim);
  std::uint64_t Visits() const { return visits_; }

 private:
  std::vector<Step> RideIn();
  std::vector<Step> RideOut();
  std::vector<Step> Talk(sim::Simulation& sim);
  std::vector<Step> Remark();
  std::vector<Step> Drive();
  sim::Vec3 Around(sim::Vec3 centre, double lo, double hi);

  SeededRandom random_;
  bool inCamp_ = false;
  int activitiesLeft_ = 0;
  std::uint64_t visits_ = 0;
};

}  // namespace campsim
