#include "tools/campsim/camp/camp_tables.h"

#include <fmt/format.h>

#include <algorithm>
#include <span>

#include "companions/abe_steps.h"
#include "companions/charles_steps.h"
#include "companions/karen_steps.h"
#include "companions/sadie_steps.h"
#include "sim/world/world.h"

namespace campsim {

namespace {

bool SamePoint(sim::Vec3 a, sim::Vec3 b) {
  constexpr float kSlack = 0.01f;  // the plugin passes the table's own floats
  auto near = [](float u, float v) { return u - v < kSlack && v - u < kSlack; };
  return near(a.x, b.x) && near(a.y, b.y) && near(a.z, b.z);
}

}  // namespace

const CompanionInfo* CompanionByModel(std::uint32_t model) {
  for (const CompanionInfo& c : kCompanions) {
    if (c.model == model) return &c;
  }
  return nullptr;
}

const CompanionInfo* CompanionByName(std::string_view name) {
  for (const CompanionInfo& c : kCompanions) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

namespace {

struct RoutineOf {
  const char* companion;
  std::span<const campfire::RoutineStep> steps;
};

constexpr RoutineOf kRoutines[] = {
    {"Charles", campfire::kCharlesSteps},
    {"Sadie", campfire::kSadieSteps},
    {"Karen", campfire::kKarenSteps},
    {"Abe", campfire::kAbeSteps},
};

std::span<const campfire::RoutineStep> StepsOf(std::string_view companion) {
  for (const RoutineOf& r : kRoutines) {
    if (companion == r.companion) return r.steps;
  }
  return {};
}

// The tasks that send a companion to the step's point; the walk home takes the home.
bool HasPoint(const campfire::RoutineStep& step) {
  return step.task != campfire::RoutineTask::GoStraightHome;
}

std::vector<RoutineSpot> LetterSpots() {
  std::vector<RoutineSpot> spots;
  for (const SpotLetters& who : kSpotLetters) {
    const CompanionInfo* c = CompanionByName(who.companion);
    spots.push_back({who.companion, "home", c->home});
    const std::string_view letters = who.letters;
    std::size_t next = 0;
    for (const campfire::RoutineStep& step : StepsOf(who.companion)) {
      const sim::Vec3 at = ToVec3(step.point);
      if (!HasPoint(step)) continue;
      const bool known = std::any_of(spots.begin(), spots.end(), [&](const RoutineSpot& s) {
        return who.companion == std::string_view(s.companion) && SamePoint(s.at, at);
      });
      if (known) continue;
      spots.push_back({who.companion,
                       next < letters.size() ? std::string(1, letters[next]) : std::string("?"),
                       at});
      ++next;
    }
  }
  return spots;
}

}  // namespace

const std::vector<RoutineSpot>& RoutineSpots() {
  static const std::vector<RoutineSpot> spots = LetterSpots();
  return spots;
}

bool RoutineHasLine(std::string_view companion, std::string_view line) {
  for (const campfire::RoutineStep& step : StepsOf(companion)) {
    if (line == step.line) return true;
  }
  return false;
}

const RoutineSpot* RoutineSpotAt(std::string_view companion, sim::Vec3 at) {
  for (const RoutineSpot& spot : RoutineSpots()) {
    if (companion == spot.companion && SamePoint(spot.at, at)) return &spot;
  }
  return nullptr;
}

std::string HexHash(std::uint32_t hash) { return fmt::format("0x{:08X}", hash); }

std::string ScenarioName(std::uint32_t hash) {
  for (const RoutineOf& r : kRoutines) {
    for (const campfire::RoutineStep& step : r.steps) {
      if (step.scenario != nullptr && sim::JoaatHash(step.scenario) == hash) return step.scenario;
    }
  }
  return "scenario " + HexHash(hash);
}

std::string AssetName(std::uint32_t hash) {
  for (const CompanionInfo& c : kCompanions) {
    if (c.model == hash) return fmt::format("{}'s model", c.name);
    if (c.outfit == hash) return fmt::format("{}'s outfit", c.name);
  }
  if (hash == sim::JoaatHash(sim::places::kWagonModel)) return "the wagon's model";
  if (hash == sim::JoaatHash(sim::places::kWagonCargo)) return "the wagon's cargo prop set";
  if (hash == sim::JoaatHash(sim::places::kTentPropset)) return "the campfire tent's prop set";
  return HexHash(hash);
}

}  // namespace campsim
