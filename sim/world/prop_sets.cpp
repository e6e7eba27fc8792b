// Prop sets: placed groups of props with natives of their own. They stand in the entity
// table for their place and model, but no entity native knows their handles.
#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim {

namespace natives {

void CreatePropset(WorldState& s, NativeCall& call) {
  std::uint32_t propset = call.Hash(0);
  bool loaded = false;
  for (const LoadRecord& r : s.propsets) {
    if (r.hash == propset) loaded = r.loaded;
  }
  if (CreationRefused(s, EntityKind::Propset) || !loaded) {
    call.ReturnHandle(0);
    return;
  }
  Vec3 at{call.Float(1), call.Float(2), call.Float(3)};
  call.ReturnHandle(AddEntity(s, EntityKind::Propset, propset, at, call.Float(5)).handle);
}

void DoesPropSetExist(WorldState& s, NativeCall& call) {
  call.ReturnBool(FindPropSet(s, call.Handle(0)) != nullptr);
}

void GetPropSetModel(WorldState& s, NativeCall& call) {
  const Entity* set = FindPropSet(s, call.Handle(0));
  call.ReturnHash(set != nullptr ? set->model : 0u);
}

// Takes the handle's value: the caller's variable is left as it is.
void DeletePropSet(WorldState& s, NativeCall& call) {
  if (FindPropSet(s, call.Handle(0)) != nullptr) RemoveEntity(s, call.Handle(0));
}

}  // namespace natives

}  // namespace sim
