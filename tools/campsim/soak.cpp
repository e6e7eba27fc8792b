#include "tools/campsim/soak.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "sim/host/json_trace.h"
#include "sim/scenario/camp_places.h"
#include "tools/campsim/camp_tables.h"
#include "tools/campsim/census.h"
#include "tools/campsim/clock_text.h"
#include "tools/campsim/plugin_check.h"
#include "tools/campsim/scenario_runner.h"
#include "tools/campsim/summary.h"
#include "tools/campsim/timeline.h"

namespace campsim {

namespace {

constexpr std::int64_t kHourMs = 3'600'000;
constexpr std::int32_t kSettleMs = 120'000;  // at most, to let the script come to rest at the end
constexpr int kBarWidth = 30;
constexpr sim::Vec3 kCampCentre{-1625.0f, -1390.0f, 82.0f};

// Every simulated hour, once the script sits in its own yield, the camp is counted.
class HourlyChecks final : public FrameObserver {
 public:
  void AfterFrame(sim::Simulation& sim) override {
    if (sim.world().ElapsedMs() < nextMs_) return;
    if (!Check(sim, false)) return;
    nextMs_ += kHourMs;
  }

  // False if the script was busy and `force` is not set.
  bool Check(sim::Simulation& sim, bool force) {
    const CampCensus census = TakeCensus(sim);
    if (!census.atRest && !force) return false;
    ++checks_;
    for (const std::string& broken : CheckCensus(census)) {
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
  std::int64_t nextMs_ = kHourMs;
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

// --- the random player ---

sim::Vec3 VisitPlanner::Around(sim::Vec3 centre, double lo, double hi) {
  double dx = 0.0;
  double dy = 0.0;
  double length = 0.0;
  while (length < 0.1) {
    dx = random_.Range(-1.0, 1.0);
    dy = random_.Range(-1.0, 1.0);
    length = std::sqrt(dx * dx + dy * dy);
  }
  const double distance = random_.Range(lo, hi);
  return {static_cast<float>(centre.x + dx / length * distance),
          static_cast<float>(centre.y + dy / length * distance), centre.z};
}

std::vector<Step> VisitPlanner::RideIn() {
  ++visits_;
  inCamp_ = true;
  activitiesLeft_ = random_.Between(2, 7);
  const auto speed = static_cast<float>(random_.Range(5.0, 12.0));
  return {WaitStep{random_.Between(5'000, 1'200'000)},
          MoveStep{Around(kCampCentre, 5.0, 60.0), speed}};
}

std::vector<Step> VisitPlanner::RideOut() {
  inCamp_ = false;
  std::vector<Step> steps;
  if (random_.Chance(0.8)) steps.push_back(ReleaseTargetStep{});
  steps.push_back(
      MoveStep{Around(kCampCentre, 320.0, 900.0), static_cast<float>(random_.Range(6.0, 14.0))});
  return steps;
}

std::vector<Step> VisitPlanner::Talk(sim::Simulation& sim) {
  const CompanionInfo& who = kCompanions[random_.Below(kCompanions.size())];
  sim::Vec3 near = who.home;
  if (const sim::Entity* e = sim.world().Find(sim.world().FindPedNamed(who.name)))
    near = e->position;
  std::vector<Step> steps{
      MoveStep{Around(near, 1.5, 4.0), static_cast<float>(random_.Range(1.5, 4.0))},
      TargetStep{who.name}};
  if (random_.Chance(0.75)) {
    // Some holds fall short of the 700 ms the prompts need.
    steps.push_back(HoldStep{kPromptControls[random_.Below(kPromptControls.size())],
                             random_.Between(200, 1500)});
  }
  steps.push_back(WaitStep{random_.Between(0, 25'000)});
  if (random_.Chance(0.8)) steps.push_back(ReleaseTargetStep{});
  return steps;
}

std::vector<Step> VisitPlanner::Remark() {
  const RemarkSpot& spot = kRemarkSpots[random_.Below(kRemarkSpots.size())];
  return {MoveStep{spot.at, static_cast<float>(random_.Range(1.5, 4.0))},
          WaitStep{random_.Between(200, 5'000)}};
}

std::vector<Step> VisitPlanner::Drive() {
  const sim::Vec3 spot = sim::places::kWagonSpot;
  std::vector<Step> steps{MoveStep{{spot.x - 2.0f, spot.y - 3.0f, spot.z}, 3.0f}, BoardStep{},
                          WaitStep{random_.Between(0, 12'000)}};
  const double pick = random_.Unit();
  const auto speed = static_cast<float>(random_.Range(12.0, 25.0));
  if (pick < 0.4) {
    steps.push_back(MoveStep{Around(sim::places::kFence, 5.0, 40.0), speed});
    steps.push_back(LeaveStep{});
    steps.push_back(WaitStep{random_.Between(500, 5'000)});
    steps.push_back(MoveStep{Around(kCampCentre, 5.0, 60.0), speed});
  } else if (pick < 0.7) {
    steps.push_back(MoveStep{Around(spot, 20.0, 400.0), speed});
    steps.push_back(LeaveStep{});
  } else {
    steps.push_back(LeaveStep{});
  }
  return steps;
}

std::vector<Step> VisitPlanner::Next(sim::Simulation& sim) {
  if (!inCamp_) return RideIn();
  if (activitiesLeft_-- <= 0) return RideOut();
  const double pick = random_.Unit();
  if (pick < 0.30) return Talk(sim);
  if (pick < 0.55) return Remark();
  if (pick < 0.75) return {WaitStep{random_.Between(1'000, 120'000)}};
  return Drive();
}

// --- the run ---

int RunSoak(const SoakOptions& options, std::ostream& out, std::ostream& err) {
  sim::SimulationOptions simOptions = options.simulation;
  simOptions.record = false;  // days of calls would not fit in memory
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
  HourlyChecks checks;
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
  lines.push_back(
      {"checks", fmt::format("{} (every hour of game time and at the end)", checks.Checks())});
  const std::vector<std::string> broken = checks.Report();
  if (broken.empty()) lines.push_back({"violations", "none"});
  for (const std::string& b : broken) lines.push_back({"violation", b});
  PrintSummary(out, lines);
  sim.host().RemoveSink(&timeline);
  if (trace) sim.host().RemoveSink(trace.get());

  if (sim.Failed()) {
    err << "campsim: the host stopped the plugin: " << sim.Error() << '\n';
    return 1;
  }
  return broken.empty() ? 0 : 1;
}

}  // namespace campsim
