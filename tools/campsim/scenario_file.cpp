#include "tools/campsim/scenario_file.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tools/campsim/camp_tables.h"

namespace campsim {

namespace {

using nlohmann::json;

// Thrown inside the reader and turned into the one-line error at its edge.
struct Invalid {
  std::string what;
};

constexpr auto kActions = std::to_array<std::string_view>(
    {"wait", "teleport", "move", "target", "hold", "board", "leave", "vanish", "kill",
     "never_loads", "silent_line", "new_player_ped"});
constexpr auto kTopKeys =
    std::to_array<std::string_view>({"seed", "frame_ms", "clock", "start", "world", "steps"});
constexpr float kDefaultSpeed = 8.0f;
constexpr double kWorldLimit = 100000.0;  // far beyond any place in the game

template <std::size_t N>
bool OneOf(std::string_view key, const std::array<std::string_view, N>& keys) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::string KindOf(const json& v) {
  if (v.is_null()) return "null";
  if (v.is_boolean()) return "a boolean";
  if (v.is_number_integer()) return "a whole number";
  if (v.is_number()) return "a number with a fraction";
  if (v.is_string()) return "a string";
  if (v.is_array()) return "an array";
  return "an object";
}

std::int64_t WholeNumber(const json& v, std::string_view what, std::int64_t lo, std::int64_t hi) {
  const std::string range = fmt::format("a whole number from {} to {}", lo, hi);
  if (!v.is_number_integer()) {
    throw Invalid{fmt::format("{} must be {}, not {}", what, range, KindOf(v))};
  }
  if (v.is_number_unsigned() && v.get<std::uint64_t>() > static_cast<std::uint64_t>(hi)) {
    throw Invalid{fmt::format("{} must be {}", what, range)};
  }
  const auto n = v.get<std::int64_t>();
  if (n < lo || n > hi) throw Invalid{fmt::format("{} must be {}, not {}", what, range, n)};
  return n;
}

std::int32_t Milliseconds(const json& v, std::string_view what) {
  return static_cast<std::int32_t>(WholeNumber(v, what, 0, 86'400'000));
}

sim::Vec3 Point(const json& v, std::string_view what) {
  if (!v.is_array()) {
    throw Invalid{fmt::format("{} must be [x, y, z], three numbers, not {}", what, KindOf(v))};
  }
  if (v.size() != 3) {
    throw Invalid{
        fmt::format("{} must be [x, y, z], three numbers, not {} of them", what, v.size())};
  }
  std::array<float, 3> xyz{};
  for (std::size_t i = 0; i < 3; ++i) {
    if (!v[i].is_number()) {
      throw Invalid{fmt::format("{} must be [x, y, z], three numbers; item {} is {}", what, i + 1,
                                KindOf(v[i]))};
    }
    const double d = v[i].get<double>();
    if (!(std::fabs(d) <= kWorldLimit)) {
      throw Invalid{fmt::format("{}: {} is outside the world", what, d)};
    }
    xyz[i] = static_cast<float>(d);
  }
  return {xyz[0], xyz[1], xyz[2]};
}

std::string Text(const json& v, std::string_view what) {
  if (!v.is_string()) throw Invalid{fmt::format("{} must be a string, not {}", what, KindOf(v))};
  std::string s = v.get<std::string>();
  if (s.empty()) throw Invalid{fmt::format("{} must not be empty", what)};
  return s;
}

void MustBe(const json& v, bool expected, std::string_view what) {
  if (!v.is_boolean() || v.get<bool>() != expected) {
    throw Invalid{fmt::format("{} must be {}", what, expected)};
  }
}

std::string CompanionName(const json& v, std::string_view what) {
  std::string name = Text(v, what);
  if (CompanionByName(name) == nullptr) {
    throw Invalid{
        fmt::format("{}: no companion is named \"{}\" (Charles, Sadie, Karen or Abe)", what, name)};
  }
  return name;
}

std::string VictimName(const json& v, std::string_view what) {
  std::string name = Text(v, what);
  if (CompanionByName(name) == nullptr && name != "wagon" && name != "tent") {
    throw Invalid{fmt::format("{}: \"{}\" is not Charles, Sadie, Karen, Abe, \"wagon\" or \"tent\"",
                              what, name)};
  }
  return name;
}

NeverLoadsStep AssetHash(const json& v) {
  constexpr std::string_view what = "\"never_loads\"";
  if (v.is_number_integer()) {
    const auto hash = static_cast<std::uint32_t>(WholeNumber(v, what, 0, 0xFFFFFFFF));
    return {hash, HexHash(hash)};
  }
  std::string text = Text(v, fmt::format("{} (a name, a hash or \"0x...\")", what));
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint32_t hash = 0;
    const char* first = text.data() + 2;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, hash, 16);
    if (ec != std::errc() || end != last) {
      throw Invalid{fmt::format("{}: \"{}\" is not a 32-bit hex hash", what, text)};
    }
    return {hash, text};
  }
  return {sim::JoaatHash(text), text};
}

Step ReadStep(const json& item) {
  if (!item.is_object()) {
    throw Invalid{fmt::format("must be an object with one action, e.g. {{\"wait\": 1000}}, not {}",
                              KindOf(item))};
  }
  std::string action;
  for (const auto& [key, value] : item.items()) {
    if (key == "speed" || key == "ms") continue;
    if (!OneOf(key, kActions)) throw Invalid{fmt::format("unknown action \"{}\"", key)};
    if (!action.empty()) {
      throw Invalid{
          fmt::format("has two actions, \"{}\" and \"{}\"; give one per step", action, key)};
    }
    action = key;
  }
  if (action.empty()) {
    throw Invalid{"has no action (wait, teleport, move, target, hold, board, leave or a fault)"};
  }
  if (item.contains("speed") && action != "move")
    throw Invalid{"\"speed\" belongs to \"move\" only"};
  if (item.contains("ms") && action != "hold") throw Invalid{"\"ms\" belongs to \"hold\" only"};

  const json& v = item.at(action);
  const std::string what = fmt::format("\"{}\"", action);
  if (action == "wait") return WaitStep{Milliseconds(v, what)};
  if (action == "teleport") return TeleportStep{Point(v, what)};
  if (action == "move") {
    float speed = kDefaultSpeed;
    if (item.contains("speed")) {
      const json& s = item.at("speed");
      if (!s.is_number() || !(s.get<double>() > 0.0 && s.get<double>() <= 1000.0)) {
        throw Invalid{"\"speed\" must be a number of units per second above 0 and up to 1000"};
      }
      speed = s.get<float>();
    }
    return MoveStep{Point(v, what), speed};
  }
  if (action == "target") {
    if (v.is_null()) return ReleaseTargetStep{};
    return TargetStep{CompanionName(v, what)};
  }
  if (action == "hold") {
    if (!item.contains("ms")) throw Invalid{"\"hold\" needs \"ms\", how long to hold"};
    return HoldStep{Text(v, what), Milliseconds(item.at("ms"), "\"ms\"")};
  }
  if (action == "board") {
    if (!v.is_string() || v.get<std::string>() != "wagon") {
      throw Invalid{"\"board\" must be \"wagon\""};
    }
    return BoardStep{};
  }
  if (action == "leave") {
    MustBe(v, true, what);
    return LeaveStep{};
  }
  if (action == "vanish") return VanishStep{VictimName(v, what)};
  if (action == "kill") return KillStep{VictimName(v, what)};
  if (action == "never_loads") return AssetHash(v);
  if (action == "silent_line") return SilentLineStep{Text(v, what)};
  MustBe(v, true, what);
  return NewPlayerPedStep{};
}

void ReadWorld(const json& w, sim::WorldSettings& settings) {
  if (!w.is_object()) throw Invalid{fmt::format("\"world\" must be an object, not {}", KindOf(w))};
  for (const auto& [key, value] : w.items()) {
    if (key == "load_polls") {
      settings.loadPolls = static_cast<int>(WholeNumber(value, "\"world.load_polls\"", 0, 100000));
    } else if (key == "speech_ms") {
      settings.speechMs = Milliseconds(value, "\"world.speech_ms\"");
    } else {
      throw Invalid{
          fmt::format("\"world\" has an unknown key \"{}\" (load_polls, speech_ms)", key)};
    }
  }
}

Scenario Read(const json& doc, const std::string& name) {
  if (!doc.is_object()) throw Invalid{fmt::format("must hold a JSON object, not {}", KindOf(doc))};
  Scenario scenario;
  scenario.name = name;
  for (const auto& [key, value] : doc.items()) {
    if (!OneOf(key, kTopKeys)) {
      throw Invalid{
          fmt::format("unknown key \"{}\" (seed, frame_ms, clock, start, world, steps)", key)};
    }
  }
  sim::WorldSettings& w = scenario.world;
  if (doc.contains("seed")) {
    const json& s = doc.at("seed");
    if (!s.is_number_unsigned()) {
      throw Invalid{fmt::format("\"seed\" must be a whole number of 0 or more, not {}",
                                s.is_number_integer() ? s.dump() : KindOf(s))};
    }
    w.seed = s.get<std::uint64_t>();
  }
  if (doc.contains("frame_ms")) {
    w.frameMs = static_cast<std::int32_t>(WholeNumber(doc.at("frame_ms"), "\"frame_ms\"", 1, 1000));
  }
  if (doc.contains("clock")) {
    w.startClock = static_cast<std::int32_t>(WholeNumber(doc.at("clock"), "\"clock\"",
                                                         std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max()));
  }
  if (doc.contains("start")) w.playerStart = Point(doc.at("start"), "\"start\"");
  if (doc.contains("world")) ReadWorld(doc.at("world"), w);
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
std::string ParseMessage(const json::parse_error& e) {
  std::string_view message = e.what();
  if (const auto tag = message.find("] "); tag != std::string_view::npos)
    message.remove_prefix(tag + 2);
  return std::string(message);
}

}  // namespace

ScenarioLoad ParseScenario(std::string_view text, const std::string& name) {
  json doc;
  try {
    doc = json::parse(text);
  } catch (const json::parse_error& e) {
    return {std::nullopt, fmt::format("{}: not valid JSON: {}", name, ParseMessage(e))};
  }
  try {
    return {Read(doc, name), {}};
  } catch (const Invalid& e) {
    return {std::nullopt, fmt::format("{}: {}", name, e.what)};
  }
}

ScenarioLoad LoadScenarioFile(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    return {std::nullopt, fmt::format("{}: cannot be read: it is a directory", path)};
  }
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return {std::nullopt, fmt::format("{}: cannot be read: {}", path, std::strerror(errno))};
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return {std::nullopt, fmt::format("{}: cannot be read", path)};
  return ParseScenario(text.str(), path);
}

}  // namespace campsim
