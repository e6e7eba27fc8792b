// What campsim knows of the camp on its own, to name what the plugin does and to draw it:
// the companions, their routine spots, the props, the remark spots and the names behind
// the hashes the plugin passes. Kept apart from the plugin's tables on purpose.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "sim/host/native_call.h"
#include "sim/scenario/camp_places.h"

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
    {.name = "Charles", .model = 0x53DD98DF, .outfit = 0x1BB5E76A, .home = sim::places::kCharlesHome, .possessive = "his"},
    {.name = "Sadie",   .model = 0x155E51DB, .outfit = 0xEDB7FA06, .home = sim::places::kSadieHome,   .possessive = "her"},
    {.name = "Karen",   .model = 0x9A3E29FB, .outfit = 0xA6070639, .home = sim::places::kKarenHome,   .possessive = "her"},
    {.name = "Abe",     .model = 0xA8B1C9F7, .outfit = 0x027DA60F, .home = sim::places::kAbeHome,     .possessive = "his"},
});
// clang-format on

// A point a companion's routine sends it to, lettered as in the routine's own table.
struct RoutineSpot {
  const char* companion;
  const char* label;
  sim::Vec3 at;
};

// clang-format off
inline constexpr auto kRoutineSpots = std::to_array<RoutineSpot>({
    {.companion = "Charles", .label = "home", .at = {-1589.915f, -1438.418f, 81.434f}},
    {.companion = "Charles", .label = "B",    .at = {-1563.785f, -1416.354f, 82.115f}},
    {.companion = "Charles", .label = "C",    .at = {-1584.704f, -1405.335f, 81.252f}},
    {.companion = "Charles", .label = "D",    .at = {-1604.970f, -1406.474f, 81.935f}},
    {.companion = "Charles", .label = "E",    .at = {-1624.147f, -1331.240f, 82.970f}},
    {.companion = "Charles", .label = "F",    .at = {-1647.476f, -1368.414f, 84.471f}},
    {.companion = "Charles", .label = "G",    .at = {-1628.707f, -1333.827f, 82.987f}},
    {.companion = "Charles", .label = "H",    .at = {-1662.335f, -1334.892f, 83.988f}},
    {.companion = "Charles", .label = "W",    .at = {-1660.773f, -1333.058f, 83.998f}},
    {.companion = "Sadie",   .label = "home", .at = {-1647.547f, -1369.594f, 84.469f}},
    {.companion = "Sadie",   .label = "B",    .at = {-1638.337f, -1363.413f, 84.416f}},
    {.companion = "Sadie",   .label = "C",    .at = {-1625.937f, -1332.653f, 82.987f}},
    {.companion = "Sadie",   .label = "D",    .at = {-1586.893f, -1400.336f, 81.317f}},
    {.companion = "Sadie",   .label = "E",    .at = {-1662.104f, -1333.556f, 83.989f}},
    {.companion = "Karen",   .label = "home", .at = {-1660.454f, -1341.292f, 83.997f}},
    {.companion = "Karen",   .label = "A",    .at = {-1652.365f, -1359.928f, 84.464f}},
    {.companion = "Karen",   .label = "B",    .at = {-1639.188f, -1362.536f, 84.416f}},
    {.companion = "Karen",   .label = "C",    .at = {-1641.403f, -1372.524f, 84.469f}},
    {.companion = "Karen",   .label = "D",    .at = {-1641.301f, -1361.929f, 84.416f}},
    {.companion = "Karen",   .label = "E",    .at = {-1605.571f, -1419.890f, 81.867f}},
    {.companion = "Karen",   .label = "F",    .at = {-1606.370f, -1407.861f, 81.936f}},
    {.companion = "Karen",   .label = "G",    .at = {-1629.085f, -1332.626f, 82.987f}},
    {.companion = "Karen",   .label = "H",    .at = {-1647.128f, -1347.008f, 84.064f}},
    {.companion = "Karen",   .label = "I",    .at = {-1581.871f, -1420.165f, 81.449f}},
    {.companion = "Abe",     .label = "home", .at = {-1625.389f, -1330.339f, 82.981f}},
    {.companion = "Abe",     .label = "B",    .at = {-1665.364f, -1337.209f, 83.979f}},
    {.companion = "Abe",     .label = "C",    .at = {-1653.067f, -1361.263f, 84.464f}},
    {.companion = "Abe",     .label = "D",    .at = {-1625.220f, -1330.060f, 82.980f}},
    {.companion = "Abe",     .label = "E",    .at = {-1597.163f, -1410.449f, 82.038f}},
    {.companion = "Abe",     .label = "F",    .at = {-1660.777f, -1335.343f, 83.988f}},
});

// The fourteen objects of the camp, by model hash and place.
struct PropSpot {
  std::uint32_t model;
  sim::Vec3 at;
};

inline constexpr auto kProps = std::to_array<PropSpot>({
    {0xDDE64341, {-1652.328f, -1347.401f, 83.069f}}, {0x1F66FEBA, {-1652.296f, -1347.496f, 83.874f}},
    {0x6721BA5C, {-1652.098f, -1346.817f, 83.073f}}, {0x733C9037, {-1650.285f, -1344.073f, 83.069f}},
    {0x145B8EAF, {-1650.700f, -1344.619f, 83.102f}}, {0x74E151B3, {-1650.670f, -1344.501f, 83.702f}},
    {0x20E07DD7, {-1650.758f, -1344.746f, 83.703f}}, {0xC40834F2, {-1648.098f, -1368.088f, 83.491f}},
    {0x681EE298, {-1648.734f, -1345.760f, 83.078f}}, {0xCD805356, {-1603.347f, -1410.440f, 84.499f}},
    {0x4D49B02E, {-1604.361f, -1409.296f, 84.477f}}, {0xFB2161A3, {-1644.147f, -1356.120f, 86.455f}},
    {0x4D7F3EF8, {-1623.715f, -1330.447f, 81.957f}}, {0x59B07D25, {-1627.103f, -1329.232f, 81.987f}},
});

// Where the player's character remarks when standing within 2 units on each axis.
struct RemarkSpot {
  sim::Vec3 at;
  const char* line;
};

inline constexpr auto kRemarkSpots = std::to_array<RemarkSpot>({
    {{-1653.702f, -1497.494f, 83.551f}, "GREET_SECOND_WILDERNESS_CONV"},
    {{-1622.347f, -1247.003f, 77.809f}, "GREET_SECOND_WILDERNESS_CONV"},
    {{-1626.852f, -1415.863f, 82.315f}, "MINIGAME_PLAYER_AMB_VOCALFX_FILLER"},
    {{-1608.532f, -1412.372f, 81.939f}, "MINIGAME_PLAYER_AMB_REACTION_NEUTRAL_LVL1"},
    {{-1603.690f, -1408.874f, 81.945f}, "MINIGAME_PLAYER_AMB_MONO_BAD_GAME"},
    {{-1585.874f, -1419.503f, 81.336f}, "GREET_WILD_HORSE_EXOTIC"},
    {{-1637.012f, -1383.266f, 83.686f}, "MINIGAME_PLAYER_AMB_FOCUSED_COMMENT_MED_WAGER"},
    {{-1651.200f, -1366.988f, 83.965f}, "MINIGAME_PLAYER_AMB_CURSE_MED"},
    {{-1656.014f, -1339.082f, 83.972f}, "MINIGAME_PLAYER_AMB_REACTION_FRUSTRATED_LVL1"},
    {{-1620.607f, -1389.146f, 82.888f}, "MINIGAME_PLAYER_AMB_VOCALFX_COMMENT_INTERESTING"},
    {{-1603.802f, -1415.832f, 81.927f}, "MINIGAME_PLAYER_AMB_REVEAL_GOOD"},
    {{-1585.584f, -1388.984f, 81.224f}, "MINIGAME_PLAYER_AMB_REACTION_NEUTRAL_LVL1"},
    {{-1645.265f, -1347.881f, 84.064f}, "MINIGAME_PLAYER_AMB_VOCALFX_FILLER"},
    {{-1592.600f, -1416.575f, 81.670f}, "SOOTH_HORSE"},
    {{-1590.568f, -1431.456f, 81.313f}, "SOOTH_HORSE_LOW_FEMALE"},
    {{-1635.756f, -1355.886f, 84.419f}, "MINIGAME_PLAYER_AMB_VOCALFX_FILLER"},
    {{-1647.475f, -1363.551f, 84.403f}, "MINIGAME_PLAYER_AMB_VOCALFX_COMMENT_INTERESTING"},
});
// clang-format on

// The scenarios the routines start, so that a hash can be named again.
inline constexpr auto kScenarioNames = std::to_array<const char*>({
    "WORLD_CAMP_FIRE_SEATED_GROUND",
    "WORLD_HUMAN_BROOM_WORKING",
    "WORLD_HUMAN_FEED_CHICKEN",
    "WORLD_HUMAN_POCKET_MIRROR",
    "WORLD_HUMAN_SIT_GROUND_READING",
    "WORLD_HUMAN_SIT_GUITAR",
    "WORLD_HUMAN_WRITE_NOTEBOOK",
});

// The controls of the four conversation prompts.
inline constexpr auto kPromptControls = std::to_array<const char*>({
    "INPUT_CONTEXT_A",
    "INPUT_CONTEXT_Y",
    "INPUT_INTERACT_LOCKON_STUDY_BINOCULARS",
    "INPUT_CONTEXT_RT",
});

inline constexpr std::size_t kPropCount = kProps.size();
inline constexpr std::size_t kPromptsPerCompanion = kPromptControls.size();
inline constexpr float kDeliveryRadius = 50.0f;

const CompanionInfo* CompanionByModel(std::uint32_t model);
const CompanionInfo* CompanionByName(std::string_view name);
// The routine spot of that companion at exactly that point, if any.
const RoutineSpot* RoutineSpotAt(std::string_view companion, sim::Vec3 at);
// The scenario's name, or its hash in hex when it is not one the routines use.
std::string ScenarioName(std::uint32_t hash);
// What a model, outfit or prop set hash stands for in the camp ("Charles's model", ...), or
// the hash in hex.
std::string AssetName(std::uint32_t hash);
std::string HexHash(std::uint32_t hash);

}  // namespace campsim
