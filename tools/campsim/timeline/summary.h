// The few lines that close every run: how long, how busy, the worst stall, what is left.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "sim/scenario/simulation.h"
#include "tools/campsim/timeline/census.h"
#include "tools/campsim/timeline/run_stats.h"

namespace campsim {

struct SummaryLine {
  std::string label;
  std::string text;
};

// The lines every run shares; the soak appends its own before printing.
std::vector<SummaryLine> RunSummary(sim::Simulation& sim, const RunStats& stats,
                                    const CampCensus& end);
void PrintSummary(std::ostream& out, const std::vector<SummaryLine>& lines);

}  // namespace campsim
