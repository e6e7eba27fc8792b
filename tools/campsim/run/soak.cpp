#include "tools/campsim/run/soak.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "sim/host/json_trace.h"
#include "sim/scenario/camp_places.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/camp/clock_text.h"
#include "tools/campsim/camp/plugin_check.h"
#include "tools/campsim/run/scenario_runner.h"
#include "tools/campsim/timeline/census.h"
#include "tools/campsim/timeline/summary.h"
#include "tools/campsim/timeline/timeline.h"

namespace campsim {

namespace {

constexpr std::int32_t kSettleMs = 120'000;  // at most, to let the script come to rest at the end
constexpr int kBarWidth = 30;

// Every simulated hour, and after every reload or restart of the script, once the script
// sits in its own yield, the camp is counted.
class CampChecks final : public FrameObserver, public sim::TraceSink {
 public:
  explicit CampChecks(const CensusRules& rules) : rules_(rules) {}
  void AfterFrame(sim::Simulation& sim) override {
    if (restarted_ && Check(sim, false)) restarted_ = false;
    if (sim.world().ElapsedMs() < nextMs_) return;
    if (!Check(sim, false)) return;
    nextMs_ += kHourMs;
  }
  void OnCall(const sim::CallEvent&) override {}
  void OnWait(std::uint64_t, std::int32_t, std::uint32_t) override {}
  void OnScriptRestart(std::uint64_t, std::int32_t, bool) override {
    restarted_ = true;
    ++restarts_;
  }
  std::uint64_t Restarts() const { return restarts_; }

  // False if the script was busy and `force` is not set.
  bool Check(sim::Simulation& sim, bool force) {
    const CampCensus census = TakeCensus(sim);
    if (!census.atRest && !force) return false;
    ++checks_;
    for (const std::string& broken : CheckCensus(census, rules_)) {
      auto [it, added] = broken_.try_emplace(broken, Broken{0, sim.world().ElapsedMs()});
      ++it->second.times;
    }
    return true;
  }

  std::uint64_t Checks() const { return checks_; }
  std::vector<std::string> Report() const {
    std::vector<std::string> lines;
    for (const auto& [what, b] : broken_) {
      lines.push_back(fmt::format("{}: {} check{}, first at {}", what, b.times,
                                  b.times == 1 ? "" : "s", FormatLong(b.firstMs)));
    }
    return lines;
  }

 private:
  struct Broken {
    std::uint64_t times;
    std::int64_t firstMs;
  };
  CensusRules rules_;
  std::int64_t nextMs_ = kHourMs;
  bool restarted_ = false;
  std::uint64_t restarts_ = 0;
  std::uint64_t checks_ = 0;
  std::map<std::string, Broken> broken_;
};

class ProgressBar final : public FrameObserver {
 public:
  ProgressBar(std::ostream& err, std::int64_t totalMs) : err_(err), totalMs_(totalMs) {}

  void AfterFrame(sim::Simulation& sim) override { Draw(sim.world().ElapsedMs()); }

  void Draw(std::int64_t elapsedMs) {
    const std::int64_t percent = std::min<std::int64_t>(100, elapsedMs * 100 / totalMs_);
    if (percent == shown_) return;
    shown_ = percent;
    const auto filled = static_cast<int>(percent * kBarWidth / 100);
    err_ << fmt::format("\r[{}{}] {:3}%  {} of {} simulated", std::string(filled, '#'),
                        std::string(kBarWidth - filled, '.'), percent,
                        FormatLong(std::min(elapsedMs, totalMs_)), FormatLong(totalMs_))
         << std::flush;
  }
  void End() { err_ << '\n'; }

 private:
  std::ostream& err_;
  std::int64_t totalMs_;
  std::int64_t shown_ = -1;
};

}  // namespace

// --- the run ---

namespace {
constexpr std::int32_t kOtherScriptEveryMs = 4000;
// Often enough to fall in the middle of a visit now and then, seldom enough that the
// companions' prompts are mostly there.
constexpr std::int32_t kPromptDropEveryMs = 7 * 60'000;
}  // namespace

sim::WorldSettings SharedWorld(sim::WorldSettings world) {
  world.reuseHandles = true;
  world.releaseZeroes = true;
  world.otherScriptEveryMs = kOtherScriptEveryMs;
  return world;
}

sim::WorldSettings EverySetting(sim::WorldSettings world) {
  world = SharedWorld(world);
  world.unownedDeleteReleases = true;
  world.blipGoesWithEntity = true;
  world.promptDropEveryMs = kPromptDropEveryMs;
  world.trackPropsetRequests = true;
  world.reloadKeepsPlayerNumber = true;
  return world;
}

int RunSoak(const SoakOptions& options, std::ostream& out, std::ostream& err) {
  sim::SimulationOptions simOptions = options.simulation;
  simOptions.record = false;  // days of calls would not fit in memory
  simOptions.world =
      options.everySetting ? EverySetting(simOptions.world) : SharedWorld(simOptions.world);
  sim::Simulation sim(simOptions);
  if (int code = CheckPlugin(sim, err); code != 0) return code;
  Timeline timeline(sim.world());
  sim.host().AddSink(&timeline);
  std::unique_ptr<sim::JsonTraceWriter> trace;
  if (options.trace != nullptr) {
    trace = std::make_unique<sim::JsonTraceWriter>(options.trace);
    sim.host().AddSink(trace.get());
  }

  ScenarioRunner runner(sim, &timeline);
  CampChecks checks(options.rules);
  sim.host().AddSink(&checks);
  ProgressBar bar(err, options.durationMs);
  runner.AddObserver(&checks);
  if (options.progressBar) runner.AddObserver(&bar);
  VisitPlanner planner(simOptions.world.seed);

  auto remaining = [&] { return options.durationMs - sim.world().ElapsedMs(); };
  while (remaining() > 0 && !runner.Stopped()) {
    for (Step step : planner.Next(sim)) {
      if (remaining() <= 0) break;
      if (auto* wait = std::get_if<WaitStep>(&step)) {
        wait->ms = static_cast<std::int32_t>(std::min<std::int64_t>(wait->ms, remaining()));
      }
      if (!runner.Apply(step)) break;
    }
  }
  // The last count is made at rest if the script gets there soon.
  const std::int64_t settleStart = sim.world().ElapsedMs();
  while (!runner.Stopped() && !TakeCensus(sim).atRest &&
         sim.world().ElapsedMs() - settleStart < kSettleMs) {
    sim.Frame();
  }
  if (options.progressBar) {
    bar.Draw(sim.world().ElapsedMs());
    bar.End();
  }
  timeline.Finish();
  const CampCensus end = TakeCensus(sim);
  if (!runner.Stopped()) checks.Check(sim, true);
  if (trace) trace->Flush();

  std::vector<SummaryLine> lines = RunSummary(sim, timeline.Stats(), end);
  const EventCounts& events = timeline.Stats().events;
  lines.push_back(
      {"visits", fmt::format("{} rides into the camp; {} companions created, {} exchanges, "
                             "{} deliveries",
                             planner.Visits(), events.companionsCreated, events.exchanges,
                             events.deliveries)});
  lines.push_back({"reloads", fmt::format("{} (the game reloaded or the host restarted the script)",
                                          checks.Restarts())});
  lines.push_back({"checks", fmt::format("{} (every hour of game time, after every reload or "
                                         "restart, and at the end)",
                                         checks.Checks())});
  const std::vector<std::string> broken = checks.Report();
  if (broken.empty()) lines.push_back({"violations", "none"});
  for (const std::string& b : broken) lines.push_back({"violation", b});
  PrintSummary(out, lines);
  sim.host().RemoveSink(&timeline);
  sim.host().RemoveSink(&checks);
  if (trace) sim.host().RemoveSink(trace.get());

  if (sim.Failed()) {
    err << "campsim: the host stopped the plugin: " << sim.Error() << '\n';
    return 1;
  }
  return broken.empty() ? 0 : 1;
}

}  // namespace campsim
