// Where each of the camp's objects stands, placed in this order.
#pragma once

#include <array>

#include "game/types.h"

namespace campfire {

// Degrees about each axis, as the rotation native takes them.
struct PropRotation {
  float x;
  float y;
  float z;
};

struct PropPlacement {
  NameHash model;  // a known hash; the object names are not ours
  Vector3 position;
  PropRotation rotation;
};

// clang-format off
inline constexpr auto propsTable = std::to_array<PropPlacement>({
    {.model = 0xDDE64341, .position = {-1652.328f, -1347.401f, 83.069f}, .rotation = {0.0f, 0.0f, 62.549f}},
    {.model = 0x1F66FEBA, .position = {-1652.296f, -1347.496f, 83.874f}, .rotation = {0.0f, 0.0f, 56.0f}},
    {.model = 0x6721BA5C, .position = {-1652.098f, -1346.817f, 83.073f}, .rotation = {0.339f, -0.332f, 39.222f}},
    {.model = 0x733C9037, .position = {-1650.285f, -1344.073f, 83.069f}, .rotation = {0.0f, 0.0f, 148.0f}},
    {.model = 0x145B8EAF, .position = {-1650.700f, -1344.619f, 83.102f}, .rotation = {0.0f, 0.0f, 60.0f}},
    {.model = 0x74E151B3, .position = {-1650.670f, -1344.501f, 83.702f}, .rotation = {0.0f, 0.0f, 60.0f}},
    {.model = 0x20E07DD7, .position = {-1650.758f, -1344.746f, 83.703f}, .rotation = {0.0f, 0.0f, 60.0f}},
    {.model = 0xC40834F2, .position = {-1648.098f, -1368.088f, 83.491f}, .rotation = {0.0f, 0.0f, 18.0f}},
    {.model = 0x681EE298, .position = {-1648.734f, -1345.760f, 83.078f}, .rotation = {0.0f, 0.0f, -121.25f}},
    {.model = 0xCD805356, .position = {-1603.347f, -1410.440f, 84.499f}, .rotation = {0.0f, 0.0f, -26.0f}},
    {.model = 0x4D49B02E, .position = {-1604.361f, -1409.296f, 84.477f}, .rotation = {0.0f, 0.0f, -58.0f}},
    {.model = 0xFB2161A3, .position = {-1644.147f, -1356.120f, 86.455f}, .rotation = {0.0f, 0.0f, -30.0f}},
    {.model = 0x4D7F3EF8, .position = {-1623.715f, -1330.447f, 81.957f}, .rotation = {0.0f, 0.0f, 0.0f}},
    {.model = 0x59B07D25, .position = {-1627.103f, -1329.232f, 81.987f}, .rotation = {0.0f, 0.0f, 0.0f}},
});
// clang-format on
static_assert(propsTable.size() == 14, "the number of rows above: change it with the rows");

// The first object stands at the heart of the camp; the player's distance is measured to it.
inline constexpr Vector3 PropsCentre = propsTable.front().position;

}  // namespace campfire
