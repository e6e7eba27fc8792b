// Natives that answer from numbers alone: the clock, random draws, name hashes, distances.
#include <cstring>
#include <string_view>

#include "sim/world/geometry.h"
#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim::natives {

void GetGameTimer(WorldState& s, NativeCall& call) {
  call.ReturnInt(static_cast<std::int32_t>(s.clock));
}

void GetRandomIntInRange(WorldState& s, NativeCall& call) {
  call.ReturnInt(s.scriptRandom.IntInRange(call.Int(0), call.Int(1)));
}

void GetHashKey(WorldState&, NativeCall& call) {
  const char* name = call.String(0);
  call.ReturnHash(name == nullptr ? 0u : JoaatHash(std::string_view(name, std::strlen(name))));
}

void GetDistanceBetweenCoords(WorldState&, NativeCall& call) {
  Vec3 a{call.Float(0), call.Float(1), call.Float(2)};
  Vec3 b{call.Float(3), call.Float(4), call.Float(5)};
  if (!call.Bool(6)) a.z = b.z;  // flat distance when the height is not wanted
  call.ReturnFloat(static_cast<float>(DistanceBetween(a, b)));
}

}  // namespace sim::natives
