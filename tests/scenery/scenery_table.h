// The camp's scenery as the tests expect it, kept apart from the plugin's tables on purpose:
// a change there fails the tests until this copy is changed too. The one copy in the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include "sim/host/native_call.h"

namespace scenery_test {

struct PropRow {
  std::uint32_t model;
  sim::Vec3 position;
  sim::Vec3 rotation;
};

// clang-format off
inline constexpr PropRow kProps[] = {
    {0xDDE64341, {-1652.328f, -1347.401f, 83.069f}, {0.0f, 0.0f, 62.549f}},
    {0x1F66FEBA, {-1652.296f, -1347.496f, 83.874f}, {0.0f, 0.0f, 56.0f}},
    {0x6721BA5C, {-1652.098f, -1346.817f, 83.073f}, {0.339f, -0.332f, 39.222f}},
    {0x733C9037, {-1650.285f, -1344.073f, 83.069f}, {0.0f, 0.0f, 148.0f}},
    {0x145B8EAF, {-1650.700f, -1344.619f, 83.102f}, {0.0f, 0.0f, 60.0f}},
    {0x74E151B3, {-1650.670f, -1344.501f, 83.702f}, {0.0f, 0.0f, 60.0f}},
    {0x20E07DD7, {-1650.758f, -1344.746f, 83.703f}, {0.0f, 0.0f, 60.0f}},
    {0xC40834F2, {-1648.098f, -1368.088f, 83.491f}, {0.0f, 0.0f, 18.0f}},
    {0x681EE298, {-1648.734f, -1345.760f, 83.078f}, {0.0f, 0.0f, -121.25f}},
    {0xCD805356, {-1603.347f, -1410.440f, 84.499f}, {0.0f, 0.0f, -26.0f}},
    {0x4D49B02E, {-1604.361f, -1409.296f, 84.477f}, {0.0f, 0.0f, -58.0f}},
    {0xFB2161A3, {-1644.147f, -1356.120f, 86.455f}, {0.0f, 0.0f, -30.0f}},
    {0x4D7F3EF8, {-1623.715f, -1330.447f, 81.957f}, {0.0f, 0.0f, 0.0f}},
    {0x59B07D25, {-1627.103f, -1329.232f, 81.987f}, {0.0f, 0.0f, 0.0f}},
};
// clang-format on
inline constexpr std::size_t kPropCount = std::size(kProps);
// The distance is measured to the first object.
inline constexpr sim::Vec3 kPropsCentre = kProps[0].position;

// What a test says when the camp has another number of props than this table.
inline std::string PropCountNote(std::size_t campHas) {
  return "the camp has " + std::to_string(campHas) +
         " props; tests/scenery/scenery_table.h lists " + std::to_string(kPropCount) +
         ": update it if the change is intended";
}

inline constexpr const char* kTentPropset = "pg_ambient_campfire05x_tent";
// Where the tent stands, and the point the player's distance to it is measured from.
inline constexpr sim::Vec3 kTentPlacement{-2434.583f, -999.039f, 168.503f};
inline constexpr sim::Vec3 kTentCentre{-1631.554f, -1448.788f, 83.039f};

}  // namespace scenery_test
