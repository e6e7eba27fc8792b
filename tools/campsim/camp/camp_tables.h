// What campsim knows of the camp, to name what the plugin does and to draw it: the
// companions, their routine spots, the props, the remark spots and the names behind the
// hashes the plugin passes. The places, models and asset names come from the plugin's own
// tables, so that a home or a spot moved there moves on the map and in the timeline too;
// names and letters are campsim's.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "companions/companion_models.h"
#include "companions/homes.h"
#include "delivery/location_remarks_table.h"
#include "delivery/supply_wagon_table.h"
#include "scenery/props_table.h"
#include "sim/host/native_call.h"
#include "sim/scenario/camp_places.h"
#include "talk/conversation.h"

namespace campsim {

struct CompanionInfo {
  const char* name;
  std::uint32_t model;
  std::uint32_t outfit;
  sim::Vec3 home;
  const char* possessive;  // "his" or "her", for the timeline's sentences
};

// clang-format off
inline constexpr auto kCompanions = std::to_array<CompanionInfo>({
    {.name = "Charles", .model = campfire::kCharlesModel.model, .outfit = campfire::kCharlesModel.outfit, .home = sim::places::kCharlesHome, .possessive = "his"},
    {.name = "Sadie",   .model = campfire::kSadieModel.model,   .outfit = campfire::kSadieModel.outfit,   .home = sim::places::kSadieHome,   .possessive = "her"},
    {.name = "Karen",   .model = campfire::kKarenModel.model,   .outfit = campfire::kKarenModel.outfit,   .home = sim::places::kKarenHome,   .possessive = "her"},
    {.name = "Abe",     .model = campfire::kAbeModel.model,     .outfit = campfire::kAbeModel.outfit,     .home = sim::places::kAbeHome,     .possessive = "his"},
});
// clang-format on

// A point a companion's routine sends it to, lettered in the order the routine first goes
// there ("home" for the companion's home). The points are the plugin's own table's.
struct RoutineSpot {
  const char* companion;
  std::string label;
  sim::Vec3 at;
};

// The letters of each companion's spots, in the order its routine first visits them.
struct SpotLetters {
  const char* companion;
  const char* letters;
};

inline constexpr auto kSpotLetters = std::to_array<SpotLetters>({
    {.companion = "Charles", .letters = "BCDEFGHW"},
    {.companion = "Sadie", .letters = "BCDE"},
    {.companion = "Karen", .letters = "ABCDEFGHI"},
    {.companion = "Abe", .letters = "BCDEF"},
});

// Every companion's home and spots; a spot beyond its companion's letters is lettered "?".
const std::vector<RoutineSpot>& RoutineSpots();
// The routine of that companion speaks that line at one of its steps.
bool RoutineHasLine(std::string_view companion, std::string_view line);

constexpr sim::Vec3 ToVec3(campfire::Vector3 v) { return {v.x, v.y, v.z}; }

// The camp's objects, by model hash and place, from the plugin's table.
struct PropSpot {
  std::uint32_t model;
  sim::Vec3 at;
};

inline constexpr auto kProps = [] {
  std::array<PropSpot, campfire::propsTable.size()> props{};
  for (std::size_t i = 0; i < props.size(); ++i) {
    props[i] = {campfire::propsTable[i].model, ToVec3(campfire::propsTable[i].position)};
  }
  return props;
}();

// Where the player's character remarks when standing within 2 units on each axis.
struct RemarkSpot {
  sim::Vec3 at;
  const char* line;
};

inline constexpr auto kRemarkSpots = [] {
  std::array<RemarkSpot, campfire::locationRemarks.size()> spots{};
  for (std::size_t i = 0; i < spots.size(); ++i) {
    spots[i] = {ToVec3(campfire::locationRemarks[i].position), campfire::locationRemarks[i].line};
  }
  return spots;
}();

// The controls of the four conversation prompts, from the plugin's prompt kinds.
inline constexpr auto kPromptControls = std::to_array<const char*>({
    campfire::kTalkPrompt.controlName,
    campfire::kGuardPrompt.controlName,
    campfire::kGoodbyePrompt.controlName,
    campfire::kHelloPrompt.controlName,
});

inline constexpr std::size_t kPropCount = kProps.size();
inline constexpr std::size_t kPromptsPerCompanion = kPromptControls.size();
inline constexpr float kDeliveryRadius = campfire::kDeliveryRadius;

const CompanionInfo* CompanionByModel(std::uint32_t model);
const CompanionInfo* CompanionByName(std::string_view name);
// The routine spot of that companion at exactly that point, if any.
const RoutineSpot* RoutineSpotAt(std::string_view companion, sim::Vec3 at);
// The scenario's name (one a routine starts), or its hash in hex when no routine starts it.
std::string ScenarioName(std::uint32_t hash);
// What a model, outfit or prop set hash stands for in the camp ("Charles's model", ...), or
// the hash in hex.
std::string AssetName(std::uint32_t hash);
std::string HexHash(std::uint32_t hash);

}  // namespace campsim
