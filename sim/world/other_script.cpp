// Another script that shares the world: it makes and removes things of its own, drawing
// handles from the same numbers as the plugin.
#include "sim/world/world_state.h"

namespace sim {

Handle World::OtherScriptMakes(ForeignKind kind, std::uint32_t model, Vec3 at, Handle on) {
  WorldState& s = *state_;
  switch (kind) {
    case ForeignKind::Ped:
    case ForeignKind::Vehicle:
    case ForeignKind::Object: {
      const EntityKind entity = kind == ForeignKind::Ped       ? EntityKind::Ped
                                : kind == ForeignKind::Vehicle ? EntityKind::Vehicle
                                                               : EntityKind::Object;
      Entity& e = AddEntity(s, entity, model, at, 0.0f);
      e.foreign = true;
      e.owner = Owner::OtherScript;
      return e.handle;
    }
    case ForeignKind::Prompt: {
      PromptInfo& p = InsertWithNewHandle(s, s.prompts);
      p.foreign = true;
      p.registered = true;
      return p.handle;
    }
    case ForeignKind::Blip: {
      if (FindEntity(s, on) == nullptr) return 0;
      BlipInfo& b = InsertWithNewHandle(s, s.blips);
      b.foreign = true;
      b.entity = on;
      return b.handle;
    }
  }
  return 0;
}

bool World::OtherScriptRemoves(Handle handle) {
  WorldState& s = *state_;
  bool foreign = false;
  const std::uint8_t kind = KindNamed(s, handle, &foreign);
  if (kind == 0 || !foreign) return false;
  if (kind == kPromptHandle) return EraseByHandle(s, s.prompts, handle);
  if (kind == kBlipHandle) return EraseByHandle(s, s.blips, handle);
  RemoveEntity(s, handle);
  return true;
}

std::vector<Handle> World::OtherScriptThings() const {
  std::vector<Handle> things;
  for (const Entity& e : state_->entities) {
    if (e.foreign) things.push_back(e.handle);
  }
  for (const PromptInfo& p : state_->prompts) {
    if (p.foreign) things.push_back(p.handle);
  }
  for (const BlipInfo& b : state_->blips) {
    if (b.foreign) things.push_back(b.handle);
  }
  std::sort(things.begin(), things.end());
  return things;
}

}  // namespace sim
