// Values exchanged with the game through the host.
#pragma once

#include <cstdint>

namespace campfire {

using NativeHash = std::uint64_t;

// Script handle of a ped, vehicle, object, prop set, blip or prompt; 0 means none.
using EntityHandle = std::int32_t;

// Hash of a game identifier (model, weapon, scenario, group, control...).
using NameHash = std::uint32_t;

// Positions come back from the game as three floats, each in its own 8-byte slot.
struct Vector3 {
  alignas(8) float x;
  alignas(8) float y;
  alignas(8) float z;
};
static_assert(sizeof(Vector3) == 24);

// Game text returned by one native and handed unchanged to another.
struct TextValue {
  std::uint64_t bits;
};

}  // namespace campfire
