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
  // Since the run began: DeleteEntity given what was not the plugin's mission entity, and
  // calls that acted through a number not proved since the script's last wait.
  int unownedDeletions = 0;
  std::uint64_t heldAcrossWait = 0;
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
// "none", or "2, the first at 1:02.500: 1005 (nobody's) deleted without owning it".
std::string DescribeUnownedDeletions(const sim::World& world);
// "none", or "120, the first at 0:01.033: SetPedKeepTask through 1004 (argument 1), not
// proved since a wait; most by TaskGoToCoord 60, SetPedKeepTask 40, RemoveBlip 20".
std::string DescribeHeldAcrossWait(const sim::World& world);

// Which of the soak's rules a run holds the plugin to. Every rule by default; a run may leave
// numbers held across a wait out of its pass or fail while the plugin still holds them.
struct CensusRules {
  bool heldAcrossWait = true;
};
// Every rule but held across a wait, for runs of a plugin that still keeps numbers across
// waits: the count is shown, not failed.
inline constexpr CensusRules kToleratingHeldAcrossWait{.heldAcrossWait = false};

// The soak's rules: at most one ped per companion, fourteen props, one tent, one wagon,
// one blip, twelve prompts, no blip without its wagon, no handle of a kind its native does
// not take, nothing of another script touched, nothing deleted without owning it, no number
// acted through after a wait without a proof and, at rest, no request left unreleased.
// One line per rule broken.
std::vector<std::string> CheckCensus(const CampCensus& census, const CensusRules& rules = {});

}  // namespace campsim
