#include "tools/campsim/camp_tables.h"

#include <fmt/format.h>

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

const RoutineSpot* RoutineSpotAt(std::string_view companion, sim::Vec3 at) {
  for (const RoutineSpot& spot : kRoutineSpots) {
    if (companion == spot.companion && SamePoint(spot.at, at)) return &spot;
  }
  return nullptr;
}

std::string HexHash(std::uint32_t hash) { return fmt::format("0x{:08X}", hash); }

std::string ScenarioName(std::uint32_t hash) {
  for (const char* name : kScenarioNames) {
    if (sim::JoaatHash(name) == hash) return name;
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
