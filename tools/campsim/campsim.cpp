#include "tools/campsim/campsim.h"

#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "sim/host/json_trace.h"
#include "tools/campsim/camp_tour.h"
#include "tools/campsim/census.h"
#include "tools/campsim/map_svg.h"
#include "tools/campsim/replay.h"
#include "tools/campsim/report_html.h"
#include "tools/campsim/scenario_file.h"
#include "tools/campsim/scenario_runner.h"
#include "tools/campsim/soak.h"
#include "tools/campsim/summary.h"
#include "tools/campsim/timeline.h"

namespace campsim {

namespace {

constexpr int kRunStopped = 1;
constexpr int kUnusable = 2;

struct Options {
  std::string scenario;
  std::string trace;
  std::string map;
  std::string timeline;
  std::string report;
  std::optional<std::uint64_t> seed;
  std::string plugin = CAMPFIRE_PLUGIN_PATH;
  bool quiet = false;
  std::int64_t soakMs = 0;
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Every output is opened before the run, so that a bad path costs no simulation.
struct Outputs {
  File trace;
  std::ofstream map;
  std::ofstream timeline;
  std::ofstream report;
};

std::string OpenOutputs(const Options& o, Outputs& outputs) {
  if (!o.trace.empty()) {
    // Binary, so that the trace has the same bytes on Windows as on Linux.
    outputs.trace.reset(std::fopen(o.trace.c_str(), "wb"));
    if (!outputs.trace)
      return fmt::format("{}: cannot be written: {}", o.trace, std::strerror(errno));
  }
  auto open = [](const std::string& path, std::ofstream& stream) {
    if (path.empty()) return std::string();
    stream.open(path);
    return stream ? std::string()
                  : fmt::format("{}: cannot be written: {}", path, std::strerror(errno));
  };
  if (std::string e = open(o.map, outputs.map); !e.empty()) return e;
  if (std::string e = open(o.timeline, outputs.timeline); !e.empty()) return e;
  return open(o.report, outputs.report);
}

int RunScenario(const Scenario& scenario, const Options& o, Outputs& outputs, std::ostream& out,
                std::ostream& err) {
  sim::SimulationOptions simOptions;
  simOptions.world = scenario.world;
  simOptions.pluginPath = o.plugin;
  simOptions.record = false;  // the timeline and the trace see every call as it happens
  sim::Simulation sim(simOptions);
  if (sim.Failed()) {
    err << "campsim: cannot run the plugin: " << sim.Error() << '\n';
    return kRunStopped;
  }

  Timeline timeline(sim.world());
  if (!o.quiet) timeline.AddOutput(&out);
  if (outputs.timeline.is_open()) timeline.AddOutput(&outputs.timeline);
  sim.host().AddSink(&timeline);
  std::unique_ptr<sim::JsonTraceWriter> trace;
  if (outputs.trace) {
    trace = std::make_unique<sim::JsonTraceWriter>(outputs.trace.get());
    sim.host().AddSink(trace.get());
  }

  ScenarioRunner runner(sim, &timeline);
  TrailRecorder trails;
  if (outputs.map.is_open()) runner.AddObserver(&trails);
  ReplayRecorder replay(&timeline);
  if (outputs.report.is_open()) {
    timeline.SetListener(&replay);
    runner.AddObserver(&replay);
  }
  runner.Run(scenario.steps);
  timeline.Finish();
  sim.host().RemoveSink(&timeline);
  if (trace) {
    sim.host().RemoveSink(trace.get());
    trace.reset();
  }

  if (!o.quiet) out << '\n';
  const auto summary = RunSummary(sim, timeline.Stats(), TakeCensus(sim));
  PrintSummary(out, summary);
  const std::string title = std::filesystem::path(scenario.name).filename().string();
  if (outputs.map.is_open()) {
    WriteMapSvg(outputs.map, trails.Trails(), MapCaption{title, sim.world().ElapsedMs()});
  }
  if (outputs.report.is_open()) {
    WriteReportHtml(outputs.report, replay.Finish(sim.world()),
                    MapCaption{title, sim.world().ElapsedMs()}, summary);
  }
  if (sim.Failed()) {
    err << "campsim: the host stopped the plugin: " << sim.Error() << '\n';
    return kRunStopped;
  }
  return 0;
}

}  // namespace

int RunCampsim(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app{
      "campsim: runs the Campfire plugin in the simulated game and tells what it did.\n"
      "Without a scenario file it plays the built-in camp tour."};
  app.name("campsim");
  app.set_version_flag("--version", "campsim " CAMPFIRE_VERSION);
  Options o;
  app.add_option("scenario", o.scenario, "A scenario file (JSON), see README.md");
  app.add_option("--trace", o.trace, "Write every native call and wait to FILE, as JSON lines")
      ->type_name("FILE");
  app.add_option("--map", o.map, "Draw the run as an SVG map in FILE")->type_name("FILE.svg");
  app.add_option("--timeline", o.timeline, "Also write the timeline, without the summary, to FILE")
      ->type_name("FILE");
  app.add_option("--report", o.report,
                 "Write the run as a page to FILE: the map at any moment, a slider, the timeline")
      ->type_name("FILE.html");
  app.add_option("--seed", o.seed, "The world's seed, in place of the scenario's");
  app.add_option("--plugin", o.plugin, "The plugin to load")
      ->type_name("PATH")
      ->capture_default_str();
  app.add_flag("-q,--quiet", o.quiet, "Print only the summary");
  auto* soak =
      app.add_option("--soak", o.soakMs,
                     "Ride in and out at random for DURATION of game time (90s, 30m, 6h, "
                     "7d), checking the camp every hour")
          ->type_name("DURATION")
          ->transform(CLI::AsNumberWithUnit(
              std::map<std::string, std::int64_t>{
                  {"ms", 1}, {"s", 1000}, {"m", 60'000}, {"h", 3'600'000}, {"d", 86'400'000}},
              CLI::AsNumberWithUnit::UNIT_REQUIRED))
          ->check(CLI::PositiveNumber);
  soak->excludes("scenario");
  soak->excludes("--map");
  soak->excludes("--timeline");
  soak->excludes("--report");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, out, err);
    return code == 0 ? 0 : kUnusable;
  }

  Scenario scenario;
  if (!o.scenario.empty()) {
    ScenarioLoad load = LoadScenarioFile(o.scenario);
    if (!load.scenario) {
      err << load.error << '\n';
      return kUnusable;
    }
    scenario = std::move(*load.scenario);
  } else {
    scenario = CampTour();
  }
  if (o.seed) scenario.world.seed = *o.seed;

  Outputs outputs;
  if (std::string problem = OpenOutputs(o, outputs); !problem.empty()) {
    err << problem << '\n';
    return kUnusable;
  }
  if (o.soakMs > 0) {
    SoakOptions soakOptions;
    soakOptions.durationMs = o.soakMs;
    soakOptions.simulation.world = scenario.world;
    soakOptions.simulation.pluginPath = o.plugin;
    soakOptions.trace = outputs.trace.get();
    return RunSoak(soakOptions, out, err);
  }
  return RunScenario(scenario, o, outputs, out, err);
}

}  // namespace campsim
