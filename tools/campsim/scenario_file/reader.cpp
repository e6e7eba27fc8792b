#include "tools/campsim/scenario_file/reader.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "tools/campsim/scenario_file/json_values.h"
#include "tools/campsim/scenario_file/step_readers.h"
#include "tools/campsim/scenario_file/strict_json.h"

namespace campsim {

namespace {

// Beyond any distance in the game's map.
constexpr double kReleaseRangeLimit = 100000.0;

// The file's settings and the world's, one row each: a new setting is a new row.
struct Setting {
  std::string_view key;
  void (*read)(const json& value, sim::WorldSettings& w);
};

constexpr auto kWorldSettings = std::to_array<Setting>({
    {"load_polls",
     [](const json& v, sim::WorldSettings& w) {
       w.loadPolls = static_cast<int>(WholeNumber(v, "\"world.load_polls\"", 0, 100000));
     }},
    {"speech_ms",
     [](const json& v, sim::WorldSettings& w) {
       w.speechMs = Milliseconds(v, "\"world.speech_ms\"");
     }},
    {"release_range",
     [](const json& v, sim::WorldSettings& w) {
       w.releaseRange =
           static_cast<float>(Number(v, "\"world.release_range\"", 0.0, kReleaseRangeLimit));
     }},
    {"reuse_handles",
     [](const json& v, sim::WorldSettings& w) {
       w.reuseHandles = Boolean(v, "\"world.reuse_handles\"");
     }},
    {"release_zeroes",
     [](const json& v, sim::WorldSettings& w) {
       w.releaseZeroes = Boolean(v, "\"world.release_zeroes\"");
     }},
    {"other_script_ms",
     [](const json& v, sim::WorldSettings& w) {
       w.otherScriptEveryMs = Milliseconds(v, "\"world.other_script_ms\"");
     }},
    {"camp_scenario_points",
     [](const json& v, sim::WorldSettings& w) {
       w.campScenarioPoints = Boolean(v, "\"world.camp_scenario_points\"");
     }},
    {"unowned_delete_releases",
     [](const json& v, sim::WorldSettings& w) {
       w.unownedDeleteReleases = Boolean(v, "\"world.unowned_delete_releases\"");
     }},
    {"blip_goes_with_entity",
     [](const json& v, sim::WorldSettings& w) {
       w.blipGoesWithEntity = Boolean(v, "\"world.blip_goes_with_entity\"");
     }},
    {"prompt_drop_ms",
     [](const json& v, sim::WorldSettings& w) {
       w.promptDropEveryMs = Milliseconds(v, "\"world.prompt_drop_ms\"");
     }},
    {"track_propset_requests",
     [](const json& v,
        sim::WorldSettings&
            w) { w.trackPropsetRequests = Boolean(v, "\"world.track_propset_requests\""); }},
    {"reload_keeps_player_number",
     [](const json& v,
        sim::WorldSettings&
            w) { w.reloadKeepsPlayerNumber = Boolean(v, "\"world.reload_keeps_player_number\""); }},
});

void ReadWorld(const json& v, sim::WorldSettings& w);

constexpr auto kFileSettings = std::to_array<Setting>({
    {"seed", [](const json& v, sim::WorldSettings& w) { w.seed = WholeUnsigned(v, "\"seed\""); }},
    {"frame_ms",
     [](const json& v, sim::WorldSettings& w) {
       w.frameMs = static_cast<std::int32_t>(WholeNumber(v, "\"frame_ms\"", 1, 1000));
     }},
    {"clock",
     [](const json& v, sim::WorldSettings& w) {
       w.startClock = static_cast<std::int32_t>(
           WholeNumber(v, "\"clock\"", std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max()));
     }},
    {"start", [](const json& v, sim::WorldSettings& w) { w.playerStart = Point(v, "\"start\""); }},
    {"world", ReadWorld},
});

template <std::size_t N>
std::string KeyList(const std::array<Setting, N>& settings, std::string_view last) {
  std::string list;
  for (const Setting& s : settings) list += fmt::format("{}{}", list.empty() ? "" : ", ", s.key);
  return last.empty() ? list : list + ", " + std::string(last);
}

template <std::size_t N>
const Setting* Find(const std::array<Setting, N>& settings, std::string_view key) {
  const auto it = std::find_if(settings.begin(), settings.end(),
                               [&](const Setting& s) { return s.key == key; });
  return it == settings.end() ? nullptr : &*it;
}

void ReadWorld(const json& v, sim::WorldSettings& w) {
  if (!v.is_object()) throw Invalid{fmt::format("\"world\" must be an object, not {}", KindOf(v))};
  for (const auto& [key, value] : v.items()) {
    const Setting* setting = Find(kWorldSettings, key);
    if (setting == nullptr) {
      throw Invalid{fmt::format("\"world\" has an unknown key {} ({})", Quoted(key),
                                KeyList(kWorldSettings, ""))};
    }
    setting->read(value, w);
  }
}

Scenario Read(const json& doc, const std::string& name) {
  if (!doc.is_object()) throw Invalid{fmt::format("must hold a JSON object, not {}", KindOf(doc))};
  Scenario scenario;
  scenario.name = name;
  for (const auto& [key, value] : doc.items()) {
    if (key != "steps" && Find(kFileSettings, key) == nullptr) {
      throw Invalid{
          fmt::format("unknown key {} ({})", Quoted(key), KeyList(kFileSettings, "steps"))};
    }
  }
  // In the table's order, so that the first fault found is the same whatever the file's.
  for (const Setting& setting : kFileSettings) {
    if (const auto it = doc.find(setting.key); it != doc.end()) setting.read(*it, scenario.world);
  }
  if (!doc.contains("steps")) throw Invalid{"has no \"steps\" array"};
  const json& steps = doc.at("steps");
  if (!steps.is_array())
    throw Invalid{fmt::format("\"steps\" must be an array, not {}", KindOf(steps))};
  for (std::size_t i = 0; i < steps.size(); ++i) {
    try {
      scenario.steps.push_back(ReadStep(steps[i]));
    } catch (const Invalid& e) {
      throw Invalid{fmt::format("step {}: {}", i + 1, e.what)};
    }
  }
  return scenario;
}

// nlohmann's message without its "[json.exception.parse_error.101] " tag.
std::string ParseMessage(const json::exception& e) {
  std::string_view message = e.what();
  if (const auto tag = message.find("] "); tag != std::string_view::npos)
    message.remove_prefix(tag + 2);
  return std::string(message);
}

// The text's JSON document, or the one line that says why it is none.
std::optional<json> ParseDocument(std::string_view text, const std::string& shown,
                                  std::string& error) {
  // The JSON reader takes a NUL byte for the end of its input and would not see what
  // follows it; no JSON text holds one.
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
    const auto line =
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(nul), '\n') + 1;
    error = fmt::format(
        "{}: not valid JSON: a NUL byte at line {}, byte {}; a scenario file is text, and "
        "nothing may follow its JSON document",
        shown, line, nul + 1);
    return std::nullopt;
  }
  try {
    return ParseStrictJson(text);
  } catch (const json::parse_error& e) {
    error = fmt::format("{}: not valid JSON: {}", shown, ParseMessage(e));
  } catch (const json::out_of_range& e) {
    // A number past a double's range, such as 1e400.
    error = fmt::format("{}: {}", shown, ParseMessage(e));
  }
  return std::nullopt;
}

}  // namespace

StepRead ParseStep(std::string_view text, const std::string& name) {
  const std::string shown = OneLineName(name);
  try {
    std::string error;
    const std::optional<json> doc = ParseDocument(text, shown, error);
    if (!doc) return {std::nullopt, error};
    return {ReadStep(*doc), {}};
  } catch (const Invalid& e) {
    return {std::nullopt, fmt::format("{}: {}", shown, e.what)};
  }
}

ScenarioLoad ParseScenario(std::string_view text, const std::string& name,
                           const ScenarioLimits& limits) {
  const std::string shown = OneLineName(name);
  try {
    std::string error;
    const std::optional<json> doc = ParseDocument(text, shown, error);
    if (!doc) return {std::nullopt, error};
    Scenario scenario = Read(*doc, name);
    if (std::string e = BoundScenario(scenario, limits); !e.empty()) throw Invalid{e};
    return {std::move(scenario), {}};
  } catch (const Invalid& e) {
    return {std::nullopt, fmt::format("{}: {}", shown, e.what)};
  }
}

ScenarioLoad LoadScenarioFile(const std::string& path, const ScenarioLimits& limits) {
  if (path.empty()) return {std::nullopt, "campsim: the scenario file's name is empty"};
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    return {std::nullopt, fmt::format("{}: cannot be read: it is a directory", OneLineName(path))};
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return {std::nullopt,
            fmt::format("{}: cannot be read: {}", OneLineName(path), std::strerror(errno))};
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return {std::nullopt, fmt::format("{}: cannot be read", OneLineName(path))};
  return ParseScenario(text.str(), path, limits);
}

}  // namespace campsim
