// What of the plugin's making is alive in the world at one moment, and the soak's rules
// for it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/scenario/simulation.h"
#include "tools/campsim/camp/camp_tables.h"

namespace campsim {

struct CampCensus {
  // Living peds of each companion's model, released ones included.
  std::array<int, kCompanions.size()> companions{};
  int props = 0;
  int tents = 0;
  int wagons = 0;  // near the camp
  int blips = 0;
  int blipsWithoutWagon = 0;  // their entity is gone
  int prompts = 0;
  std::vector<std::uint32_t> unreleased;  // model and outfit requests
  // Since the run began: handles the plugin gave natives that do not take their kind, and
  // things of another script it changed or removed.
  int kindMismatches = 0;
  int foreignTouched = 0;
  // Whether the script sat in its frame's own yield, outside any loading, when counted.
  bool atRest = false;
};

CampCensus TakeCensus(sim::Simulation& sim);
// "Charles, Karen", "props 14", ... as the summary prints them.
std::string DescribeAlive(const CampCensus& census);
std::string DescribeUnreleased(const std::vector<std::uint32_t>& hashes);
// The handle findings as the summary prints them: "none", or each kind of finding counted.
std::string DescribeKindMismatches(const sim::World& world);
std::string DescribeForeignTouched(const sim::World& world);

// The soak's rules: at most one ped per companion, fourteen props, one tent, one wagon,
// one blip, twelve prompts, no blip without its wagon, no handle of a kind its native does
// not take, nothing of another script touched and, at rest, no request left unreleased.
// One line per rule broken.
std::vector<std::string> CheckCensus(const CampCensus& census);

}  // namespace campsim
