// The spots around the camp where the player's character remarks, tested in this order.
#pragma once

#include <array>
#include <cstdint>

#include "game/types.h"

namespace campfire {

struct LocationRemark {
  Vector3 position;
  const char* line;
  std::int32_t count;  // variations 1 to count
};

// A line may recur on several rows, each with its own count; rows are kept apart.
// clang-format off
inline constexpr auto locationRemarks = std::to_array<LocationRemark>({
    {.position = {-1653.702f, -1497.494f, 83.551f}, .line = "GREET_SECOND_WILDERNESS_CONV", .count = 5},
    {.position = {-1622.347f, -1247.003f, 77.809f}, .line = "GREET_SECOND_WILDERNESS_CONV", .count = 5},
    {.position = {-1626.852f, -1415.863f, 82.315f}, .line = "MINIGAME_PLAYER_AMB_VOCALFX_FILLER", .count = 5},
    {.position = {-1608.532f, -1412.372f, 81.939f}, .line = "MINIGAME_PLAYER_AMB_REACTION_NEUTRAL_LVL1", .count = 5},
    {.position = {-1603.690f, -1408.874f, 81.945f}, .line = "MINIGAME_PLAYER_AMB_MONO_BAD_GAME", .count = 6},
    {.position = {-1585.874f, -1419.503f, 81.336f}, .line = "GREET_WILD_HORSE_EXOTIC", .count = 6},
    {.position = {-1637.012f, -1383.266f, 83.686f}, .line = "MINIGAME_PLAYER_AMB_FOCUSED_COMMENT_MED_WAGER", .count = 3},
    {.position = {-1651.200f, -1366.988f, 83.965f}, .line = "MINIGAME_PLAYER_AMB_CURSE_MED", .count = 5},
    {.position = {-1656.014f, -1339.082f, 83.972f}, .line = "MINIGAME_PLAYER_AMB_REACTION_FRUSTRATED_LVL1", .count = 4},
    {.position = {-1620.607f, -1389.146f, 82.888f}, .line = "MINIGAME_PLAYER_AMB_VOCALFX_COMMENT_INTERESTING", .count = 2},
    {.position = {-1603.802f, -1415.832f, 81.927f}, .line = "MINIGAME_PLAYER_AMB_REVEAL_GOOD", .count = 3},
    {.position = {-1585.584f, -1388.984f, 81.224f}, .line = "MINIGAME_PLAYER_AMB_REACTION_NEUTRAL_LVL1", .count = 5},
    {.position = {-1645.265f, -1347.881f, 84.064f}, .line = "MINIGAME_PLAYER_AMB_VOCALFX_FILLER", .count = 5},
    {.position = {-1592.600f, -1416.575f, 81.670f}, .line = "SOOTH_HORSE", .count = 8},
    {.position = {-1590.568f, -1431.456f, 81.313f}, .line = "SOOTH_HORSE_LOW_FEMALE", .count = 10},
    {.position = {-1635.756f, -1355.886f, 84.419f}, .line = "MINIGAME_PLAYER_AMB_VOCALFX_FILLER", .count = 5},
    {.position = {-1647.475f, -1363.551f, 84.403f}, .line = "MINIGAME_PLAYER_AMB_VOCALFX_COMMENT_INTERESTING", .count = 2},
});
// clang-format on
static_assert(locationRemarks.size() == 17);

}  // namespace campfire
