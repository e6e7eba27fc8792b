#include "tools/campsim/timeline/summary.h"

#include <fmt/format.h>

#include "tools/campsim/camp/clock_text.h"

namespace campsim {

namespace {}  // namespace

std::vector<SummaryLine> RunSummary(sim::Simulation& sim, const RunStats& stats,
                                    const CampCensus& end) {
  std::vector<SummaryLine> lines;
  const sim::WorldSettings& settings = sim.world().Settings();
  const std::int64_t elapsed = sim.world().ElapsedMs();
  const std::string length = elapsed >= kHourMs
                                 ? fmt::format("{} ({})", FormatLong(elapsed), FormatClock(elapsed))
                                 : FormatClock(elapsed);
  lines.push_back({"game time", fmt::format("{} in {} frames of {} ms", length,
                                            Grouped(sim.FrameNumber()), settings.frameMs)});
  const CallsPerFrame per = stats.PerFrame();
  lines.push_back(
      {"native calls",
       fmt::format("{} in all; per frame the script ran ({} frames): min {}, median {}, "
                   "max {}",
                   Grouped(stats.Calls()), Grouped(stats.FramesRun()), per.min, per.median,
                   per.max)});
  if (const auto& longest = stats.Longest()) {
    lines.push_back({"longest stall",
                     fmt::format("{} {} {}, waiting for {} ({} stalls in all)",
                                 FormatSeconds(longest->lengthMs),
                                 longest->ongoing ? "and still going at" : "ending at",
                                 FormatClock(longest->endMs), longest->cause, stats.StallCount())});
  } else {
    lines.push_back({"longest stall", "none longer than a frame"});
  }
  lines.push_back({"alive at the end", DescribeAlive(end)});
  lines.push_back({"never released", DescribeUnreleased(end.unreleased)});
  lines.push_back({"kind mismatches", DescribeKindMismatches(sim.world())});
  lines.push_back({"others touched", DescribeForeignTouched(sim.world())});
  lines.push_back({"unowned deletes", DescribeUnownedDeletions(sim.world())});
  lines.push_back({"held across a wait", DescribeHeldAcrossWait(sim.world())});
  return lines;
}

void PrintSummary(std::ostream& out, const std::vector<SummaryLine>& lines) {
  out << "Summary\n";
  for (const SummaryLine& line : lines) out << fmt::format("  {:<18} {}\n", line.label, line.text);
}

}  // namespace campsim
