#include "tools/campsim/campsim.h"

#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>

#include "sim/host/json_trace.h"
#include "tools/campsim/camp/plugin_check.h"
#include "tools/campsim/map/map_svg.h"
#include "tools/campsim/report/replay.h"
#include "tools/campsim/report/report_html.h"
#include "tools/campsim/run/camp_tour.h"
#include "tools/campsim/run/run_outputs.h"
#include "tools/campsim/run/scenario_runner.h"
#include "tools/campsim/run/soak.h"
#include "tools/campsim/scenario_file/bounds.h"
#include "tools/campsim/scenario_file/json_values.h"
#include "tools/campsim/scenario_file/reader.h"
#include "tools/campsim/timeline/census.h"
#include "tools/campsim/timeline/summary.h"
#include "tools/campsim/timeline/timeline.h"
#ifdef CAMPSIM_PLAY
#include "tools/campsim/play/command.h"
#endif

namespace campsim {

namespace {

constexpr std::int64_t kLongestSoakMs = 366 * kDayMs;

struct Options {
  std::string scenario;
  OutputPaths paths;
  std::string seed;
  std::string plugin = CAMPFIRE_PLUGIN_PATH;
  bool quiet = false;
  std::string soak;
  bool everySetting = false;
  bool tolerateHeld = false;
  bool play = false;
  int port = kDefaultPlayPort;
};

// What the command line's text means, or the one line that says why it cannot be used.
struct Parsed {
  std::optional<std::uint64_t> seed;
  std::int64_t soakMs = 0;
  std::string problem;
};

template <class T>
bool WholeText(std::string_view text, T& value) {
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(text.data(), last, value);
  return !text.empty() && ec == std::errc() && end == last;
}

// "90s", "30m", "6h", "7d", "500ms".
std::optional<std::int64_t> DurationMs(std::string_view text) {
  static constexpr std::pair<std::string_view, std::int64_t> kUnits[] = {
      {"ms", 1}, {"s", 1000}, {"m", 60'000}, {"h", 3'600'000}, {"d", kDayMs}};
  for (const auto& [unit, ms] : kUnits) {
    if (text.size() <= unit.size() || !text.ends_with(unit)) continue;
    std::int64_t n = 0;
    if (!WholeText(text.substr(0, text.size() - unit.size()), n)) return std::nullopt;
    if (n > kLongestSoakMs / ms) return kLongestSoakMs + 1;
    return n * ms;
  }
  return std::nullopt;
}

Parsed ParseValues(const Options& o) {
  Parsed p;
  if (!o.seed.empty()) {
    std::uint64_t seed = 0;
    if (o.seed[0] == '-' || !WholeText(o.seed, seed)) {
      p.problem = fmt::format("campsim: --seed must be a whole number from 0 to {}, not {}",
                              std::numeric_limits<std::uint64_t>::max(), Quoted(o.seed));
      return p;
    }
    p.seed = seed;
  }
  if (!o.soak.empty()) {
    const std::optional<std::int64_t> ms = DurationMs(o.soak);
    if (!ms || *ms < 1000 || *ms > kLongestSoakMs) {
      p.problem = fmt::format(
          "campsim: --soak must be a whole number of ms, s, m, h or d from 1s to 366d, not {}",
          Quoted(o.soak));
      return p;
    }
    p.soakMs = *ms;
  }
  return p;
}

int RunScenario(const Scenario& scenario, const Options& o, Outputs& outputs, std::ostream& out,
                std::ostream& err, std::int64_t* elapsedMs) {
  sim::SimulationOptions simOptions;
  simOptions.world = scenario.world;
  simOptions.pluginPath = o.plugin;
  simOptions.record = false;  // the timeline and the trace see every call as it happens
  sim::Simulation sim(simOptions);
  if (int code = CheckPlugin(sim, err); code != 0) return code;

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
  if (elapsedMs != nullptr) *elapsedMs = sim.world().ElapsedMs();
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

int RunCampsim(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
               const CampsimSetup& setup) {
  CLI::App app{
      "campsim: runs the Campfire plugin in the simulated game and tells what it did.\n"
      "Without a scenario file it plays the built-in camp tour."};
  app.name("campsim");
  app.set_version_flag("--version", "campsim " CAMPFIRE_VERSION);
  Options o;
  app.add_option("scenario", o.scenario, "A scenario file (JSON), see README.md");
  app.add_option("--trace", o.paths.trace,
                 "Write every native call and wait to FILE, as JSON lines")
      ->type_name("FILE");
  app.add_option("--map", o.paths.map, "Draw the run as an SVG map in FILE")->type_name("FILE.svg");
  app.add_option("--timeline", o.paths.timeline,
                 "Also write the timeline, without the summary, to FILE")
      ->type_name("FILE");
  app.add_option("--report", o.paths.report,
                 "Write the run as a page to FILE: the map at any moment, a slider, the timeline")
      ->type_name("FILE.html");
  app.add_option("--seed", o.seed, "The world's seed, in place of the scenario's")->type_name("N");
  app.add_option("--plugin", o.plugin, "The plugin to load")
      ->type_name("PATH")
      ->capture_default_str();
  app.add_flag("-q,--quiet", o.quiet, "Print only the summary");
  auto* soak = app.add_option("--soak", o.soak,
                              "Ride in and out at random for DURATION of game time (90s, 30m, "
                              "6h, 7d; at most 366d), checking the camp every hour")
                   ->type_name("DURATION");
  soak->excludes("scenario");
  soak->excludes("--map");
  soak->excludes("--timeline");
  soak->excludes("--report");
  app.add_flag("--every-setting", o.everySetting,
               "Soak in the harshest world: also unowned deletes that release, blips that go "
               "with their entity, prompts the game drops, prop set requests counted, the "
               "player's number kept through a reload")
      ->needs(soak);
  app.add_flag("--tolerate-held-across-wait", o.tolerateHeld,
               "Soak without failing on calls through numbers held across a wait (still "
               "counted in the summary)")
      ->needs(soak);
  auto* play = app.add_flag("--play", o.play,
                            "Play the camp by hand in a browser: the scenario's world and start, "
                            "a local web server, until Ctrl-C");
  app.add_option("--port", o.port, "The playground's port on 127.0.0.1 (0: any free one)")
      ->type_name("N")
      ->check(CLI::Range(0, 65535))
      ->capture_default_str()
      ->needs(play);
  for (const char* other : {"--soak", "--map", "--timeline", "--report", "--trace", "--quiet"})
    play->excludes(other);
  // One line, as every other refusal: what CLI11 found, with any line break in the
  // arguments it quotes written as "\n".
  app.failure_message([](const CLI::App*, const CLI::Error& e) {
    std::string what;
    for (const char c : std::string_view(e.what())) {
      if (c == '\n')
        what += "\\n";
      else if (c == '\r')
        what += "\\r";
      else
        what += c;
    }
    return "campsim: " + what + " (campsim --help lists the options)\n";
  });
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, out, err);
    return code == 0 ? 0 : kUnusable;
  }

  // An empty name would otherwise be skipped as if the option had not been given.
  for (const auto& [option, name] : {std::pair{"--trace", &o.paths.trace},
                                     {"--map", &o.paths.map},
                                     {"--timeline", &o.paths.timeline},
                                     {"--report", &o.paths.report}}) {
    if (app.count(option) > 0 && name->empty()) {
      err << "campsim: " << option << " needs a file name, not an empty one\n";
      return kUnusable;
    }
  }

  const Parsed values = ParseValues(o);
  if (!values.problem.empty()) {
    err << values.problem << '\n';
    return kUnusable;
  }

  Scenario scenario;
  if (app.count("scenario") > 0) {
    ScenarioLoad load = LoadScenarioFile(o.scenario, setup.limits);
    if (!load.scenario) {
      err << load.error << '\n';
      return kUnusable;
    }
    scenario = std::move(*load.scenario);
  } else {
    scenario = CampTour();
  }
  if (values.seed) scenario.world.seed = *values.seed;
  if (o.play) {
#ifdef CAMPSIM_PLAY
    return RunPlay(scenario, o.plugin, o.port, out, err);
#else
    err << "campsim: --play is not built into this campsim (the Windows build leaves the "
           "playground out)\n";
    return kUnusable;
#endif
  }

  Outputs outputs;
  if (std::string problem = OpenOutputs(o.paths, outputs); !problem.empty()) {
    err << problem << '\n';
    return kUnusable;
  }
  int code = 0;
  if (values.soakMs > 0) {
    SoakOptions soakOptions;
    soakOptions.durationMs = values.soakMs;
    soakOptions.simulation.world = scenario.world;
    soakOptions.everySetting = o.everySetting;
    soakOptions.rules.heldAcrossWait = !o.tolerateHeld;
    soakOptions.simulation.pluginPath = o.plugin;
    soakOptions.trace = outputs.trace.get();
    soakOptions.progressBar = setup.errIsTerminal;
    code = RunSoak(soakOptions, out, err);
  } else {
    code = RunScenario(scenario, o, outputs, out, err, setup.elapsedMs);
  }
  if (std::string problem = CloseOutputs(o.paths, outputs, out); !problem.empty()) {
    err << problem << '\n';
    return code != 0 ? code : kNotWritten;
  }
  return code;
}

}  // namespace campsim
