// The soak's random player: rides in and out of the camp, locks on, holds prompts, drives
// the wagon, and now and then has the game reload or the host restart its scripts.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/scenario/simulation.h"
#include "tools/campsim/camp/seeded_random.h"
#include "tools/campsim/scenario_file/scenario.h"

namespace campsim {

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
  // Now and then the game reloads, here or elsewhere, or the host restarts its scripts.
  std::vector<Step> Interrupt();
  sim::Vec3 Around(sim::Vec3 centre, double lo, double hi);

  SeededRandom random_;
  bool inCamp_ = false;
  int activitiesLeft_ = 0;
  std::uint64_t visits_ = 0;
};

}  // namespace campsim
