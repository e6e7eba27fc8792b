// Routes each native to its handler; the switch has no default, so a native added to the
// game's list without a handler fails to compile.
#include "sim/world/natives.h"
#include "sim/world/world.h"
#include "sim/world/world_state.h"

namespace sim {

#define CAMPFIRE_COUNT_NATIVE(name) +1
static_assert(0 CAMPFIRE_WORLD_NATIVES(CAMPFIRE_COUNT_NATIVE) == kNativeCount,
              "one handler per native");
#undef CAMPFIRE_COUNT_NATIVE

void World::Invoke(NativeId id, NativeCall& call) {
  CheckHandles(*state_, call);
  CheckHeld(*state_, call);
  switch (id) {
#define CAMPFIRE_ROUTE_NATIVE(name) \
  case NativeId::name:              \
    natives::name(*state_, call);   \
    break;
    CAMPFIRE_WORLD_NATIVES(CAMPFIRE_ROUTE_NATIVE)
#undef CAMPFIRE_ROUTE_NATIVE
    case NativeId::Count:
      return;
  }
  NoteProofs(*state_, call);
}

}  // namespace sim
