// What each handle names, and the game's view of a handle given to a native of another
// kind: answered as a handle that names nothing, and noted.
#include "sim/world/world_state.h"

namespace sim {

namespace {

std::uint8_t KindOf(const Entity& e) {
  switch (e.kind) {
    case EntityKind::Ped:
      return kPedHandle;
    case EntityKind::Vehicle:
      return kVehicleHandle;
    case EntityKind::Object:
      return kObjectHandle;
    case EntityKind::Propset:
      return kPropSetHandle;
  }
  return 0;
}

}  // namespace

std::uint8_t KindNamed(const WorldState& s, Handle handle, bool* foreign) {
  if (handle == 0) return 0;
  bool mine = false;
  std::uint8_t kind = 0;
  if (const Entity* e = FindByHandle(s.entities, handle)) {
    kind = KindOf(*e);
    mine = e->foreign;
  } else if (const PromptInfo* p = FindByHandle(s.prompts, handle)) {
    kind = kPromptHandle;
    mine = p->foreign;
  } else if (const BlipInfo* b = FindByHandle(s.blips, handle)) {
    kind = kBlipHandle;
    mine = b->foreign;
  }
  if (foreign != nullptr) *foreign = mine;
  return kind;
}

void CheckHandles(WorldState& s, NativeCall& call) {
  const NativeSignature* sig = call.sig;
  if (sig == nullptr) return;
  for (int i = 0; i < call.argc; ++i) {
    const HandleUse use = sig->handles[static_cast<std::size_t>(i)];
    if (use.kinds == 0) continue;
    Handle handle = 0;
    if (sig->args[static_cast<std::size_t>(i)] == ArgKind::HandleRef) {
      if (call.HandleRef(i) == nullptr) continue;
      handle = *call.HandleRef(i);
    } else {
      handle = call.Handle(i);
    }
    bool foreign = false;
    const std::uint8_t named = KindNamed(s, handle, &foreign);
    const bool mismatch = named != 0 && (named & use.kinds) == 0;
    const bool touched = named != 0 && !mismatch && foreign && use.changes;
    if (!mismatch && !touched) continue;
    if (call.finding.arg < 0) {
      call.finding = HandleFinding{static_cast<std::int8_t>(i), named, touched};
    }
    s.findings.push_back(HandleFindingRecord{static_cast<std::int32_t>(s.clock), sig->id, i, handle,
                                             named, touched});
  }
}

}  // namespace sim
