// Setting up a ped: name, weapons, flags, relationship groups.
#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim {
namespace natives {

void SetPedPromptName(WorldState& s, NativeCall& call) {
  Entity* e = FindPed(s, call.Handle(0));
  const char* name = call.String(1);
  if (e != nullptr) e->name = name != nullptr ? name : "";
}

void RemoveAllPedWeapons(WorldState& s, NativeCall& call) {
  Entity* e = FindPed(s, call.Handle(0));
  if (e == nullptr) return;
  e->ped.weapons.clear();
  ++e->ped.weaponStrips;
}

void GiveWeaponToPed(WorldState& s, NativeCall& call) {
  Entity* e = FindPed(s, call.Handle(0));
  if (e == nullptr) return;
  WeaponGift gift{.weapon = call.Hash(1), .ammo = call.Int(2), .ammoType = call.Hash(9)};
  for (WeaponGift& held : e->ped.weapons) {
    if (held.weapon == gift.weapon) {
      held = gift;
      return;
    }
  }
  e->ped.weapons.push_back(gift);
}

void SetPedConfigFlag(WorldState& s, NativeCall& call) {
  Entity* e = FindPed(s, call.Handle(0));
  if (e == nullptr) return;
  std::int32_t flag = call.Int(1);
  std::int32_t value = call.Int(2);
  for (auto& [f, v] : e->ped.configFlags) {
    if (f == flag) {
      v = value;
      return;
    }
  }
  e->ped.configFlags.emplace_back(flag, value);
}

void SetPedKeepTask(WorldState& s, NativeCall& call) {
  Entity* e = FindPed(s, call.Handle(0));
  if (e != nullptr) e->ped.keepTask = call.Bool(1);
}

void SetPedRelationshipGroupHash(WorldState& s, NativeCall& call) {
  Entity* e = FindPed(s, call.Handle(0));
  if (e != nullptr) e->ped.relationshipGroup = call.Hash(1);
}

void GetPedRelationshipGroupHash(WorldState& s, NativeCall& call) {
  const Entity* e = FindPed(s, call.Handle(0));
  call.ReturnHash(e != nullptr ? e->ped.relationshipGroup : 0u);
}

void SetRelationshipBetweenGroups(WorldState& s, NativeCall& call) {
  Relation set{.from = call.Hash(1), .to = call.Hash(2), .value = call.Int(0)};
  for (Relation& r : s.relations) {
    if (r.from == set.from && r.to == set.to) {
      r.value = set.value;
      return;
    }
  }
  s.relations.push_back(set);
}

void SetBlockingOfNonTemporaryEvents(WorldState& s, NativeCall& call) {
  Entity* e = FindPed(s, call.Handle(0));
  if (e != nullptr) e->ped.blockingEvents = call.Bool(1);
}

}  // namespace natives

std::optional<std::int32_t> World::Relationship(std::uint32_t from, std::uint32_t to) const {
  for (const Relation& r : state_->relations) {
    if (r.from == from && r.to == to) return r.value;
  }
  return std::nullopt;
}

}  // namespace sim
