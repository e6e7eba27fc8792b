// The entity table, and the natives that create, place, question and remove entities.
#include "sim/world/geometry.h"
#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim {

Entity* FindPlaced(WorldState& s, Handle handle) {
  return handle == 0 ? nullptr : FindByHandle(s.entities, handle);
}

const Entity* FindPlaced(const WorldState& s, Handle handle) {
  return handle == 0 ? nullptr : FindByHandle(s.entities, handle);
}

Entity* FindEntity(WorldState& s, Handle handle) {
  Entity* e = FindPlaced(s, handle);
  return e != nullptr && e->kind != EntityKind::Propset ? e : nullptr;
}

const Entity* FindEntity(const WorldState& s, Handle handle) {
  const Entity* e = FindPlaced(s, handle);
  return e != nullptr && e->kind != EntityKind::Propset ? e : nullptr;
}

Entity* FindPropSet(WorldState& s, Handle handle) {
  Entity* e = FindPlaced(s, handle);
  return e != nullptr && e->kind == EntityKind::Propset ? e : nullptr;
}

Entity* FindPed(WorldState& s, Handle handle) {
  Entity* e = FindEntity(s, handle);
  return e != nullptr && e->kind == EntityKind::Ped ? e : nullptr;
}

Entity& AddEntity(WorldState& s, EntityKind kind, std::uint32_t model, Vec3 at, float heading) {
  Entity& e = InsertWithNewHandle(s, s.entities);
  e.kind = kind;
  e.model = model;
  e.position = at;
  e.heading = NormalisedHeading(heading);
  return e;
}

void RemoveEntity(WorldState& s, Handle handle) {
  Entity* e = FindPlaced(s, handle);
  if (e == nullptr) return;
  if (e->kind == EntityKind::Vehicle) {
    // Whoever sat in it is left standing where it was.
    for (Entity& other : s.entities) {
      if (other.kind == EntityKind::Ped && other.ped.vehicle == handle) other.ped.vehicle = 0;
    }
  }
  EraseByHandle(s, s.entities, handle);
  if (s.settings.blipGoesWithEntity) {
    std::vector<Handle> blips;
    for (const BlipInfo& b : s.blips) {
      if (b.entity == handle) blips.push_back(b.handle);
    }
    for (Handle b : blips) EraseByHandle(s, s.blips, b);
  }
}

// The failure fault applies first: it stands for the game refusing, whatever was loaded.
bool CreationRefused(WorldState& s, EntityKind kind) {
  int& fails = s.failNext[static_cast<int>(kind)];
  if (fails <= 0) return false;
  --fails;
  return true;
}

namespace {

// Model, x, y, z, heading: the shape of both CreatePed and CreateVehicle.
void CreateFromModel(WorldState& s, NativeCall& call, EntityKind kind) {
  std::uint32_t model = call.Hash(0);
  if (CreationRefused(s, kind) || !ModelLoaded(s, model)) {
    call.ReturnHandle(0);
    return;
  }
  Vec3 at{call.Float(1), call.Float(2), call.Float(3)};
  call.ReturnHandle(AddEntity(s, kind, model, at, call.Float(4)).handle);
}

void Release(WorldState& s, NativeCall& call, EntityKind kind) {
  Handle* ref = call.HandleRef(0);
  if (ref == nullptr) return;
  Entity* e = FindEntity(s, *ref);
  if (e == nullptr || e->kind != kind || e->handle == s.playerPed) return;
  e->released = true;
  e->owner = Owner::Nobody;
  if (s.settings.releaseZeroes) *ref = 0;
}

}  // namespace

// The game clears what no script needs once the player is far from it, but never the
// vehicle the player sits in.
void ClearReleased(WorldState& s) {
  const Entity* player = FindEntity(s, s.playerPed);
  if (player == nullptr) return;
  const Handle riding = player->ped.vehicle;
  std::vector<Handle> gone;
  for (const Entity& e : s.entities) {
    if (e.released && e.handle != riding &&
        DistanceBetween(e.position, player->position) > s.settings.releaseRange) {
      gone.push_back(e.handle);
    }
  }
  for (Handle h : gone) RemoveEntity(s, h);
}

namespace natives {

void DoesEntityExist(WorldState& s, NativeCall& call) {
  call.ReturnBool(FindEntity(s, call.Handle(0)) != nullptr);
}

void GetEntityCoords(WorldState& s, NativeCall& call) {
  const Entity* e = FindEntity(s, call.Handle(0));
  call.ReturnVector(e != nullptr ? e->position : Vec3{0.0f, 0.0f, 0.0f});
}

void GetEntityModel(WorldState& s, NativeCall& call) {
  const Entity* e = FindEntity(s, call.Handle(0));
  call.ReturnHash(e != nullptr ? e->model : 0u);
}

void IsEntityAtCoord(WorldState& s, NativeCall& call) {
  const Entity* e = FindEntity(s, call.Handle(0));
  if (e == nullptr) {
    call.ReturnBool(false);
    return;
  }
  auto within = [](float value, float centre, float tolerance) {
    float d = value - centre;
    return (d < 0.0f ? -d : d) <= tolerance;
  };
  call.ReturnBool(within(e->position.x, call.Float(1), call.Float(4)) &&
                  within(e->position.y, call.Float(2), call.Float(5)) &&
                  within(e->position.z, call.Float(3), call.Float(6)));
}

void IsEntityDead(WorldState& s, NativeCall& call) {
  const Entity* e = FindEntity(s, call.Handle(0));
  call.ReturnBool(e != nullptr && e->dead);
}

void IsPedDeadOrDying(WorldState& s, NativeCall& call) {
  const Entity* e = FindPed(s, call.Handle(0));
  call.ReturnBool(e != nullptr && e->dead);
}

void CreatePed(WorldState& s, NativeCall& call) { CreateFromModel(s, call, EntityKind::Ped); }

void CreateVehicle(WorldState& s, NativeCall& call) {
  CreateFromModel(s, call, EntityKind::Vehicle);
}

// Objects need no request; a model that never loads stands for one the game does not have.
void CreateObject(WorldState& s, NativeCall& call) {
  std::uint32_t model = call.Hash(0);
  if (CreationRefused(s, EntityKind::Object) || NeverLoading(s, model)) {
    call.ReturnHandle(0);
    return;
  }
  Vec3 at{call.Float(1), call.Float(2), call.Float(3)};
  call.ReturnHandle(AddEntity(s, EntityKind::Object, model, at, 0.0f).handle);
}

void AddPropsetToVehicle(WorldState& s, NativeCall& call) {
  Entity* vehicle = FindEntity(s, call.Handle(0));
  std::uint32_t propset = call.Hash(1);
  if (vehicle == nullptr || vehicle->kind != EntityKind::Vehicle) return;
  for (const LoadRecord& r : s.propsets) {
    if (r.hash == propset && r.loaded) {
      vehicle->propsets.push_back(propset);
      return;
    }
  }
}

void SetEntityRotation(WorldState& s, NativeCall& call) {
  Entity* e = FindEntity(s, call.Handle(0));
  if (e == nullptr) return;
  e->rotation = Vec3{call.Float(1), call.Float(2), call.Float(3)};
  e->heading = NormalisedHeading(e->rotation.z);
}

// Removes only the caller's own mission entity; anything else stays (released, if the world
// is set so) and is noted. The game writes 0 into the caller's variable whether or not
// anything was removed, unless the number names something that is no entity at all: then
// nothing is done.
void DeleteEntity(WorldState& s, NativeCall& call) {
  Handle* ref = call.HandleRef(0);
  if (ref == nullptr) return;
  if (KindNamed(s, *ref) & ~kEntityHandle) return;
  if (Entity* e = FindEntity(s, *ref); e != nullptr && e->owner == Owner::Plugin) {
    RemoveEntity(s, e->handle);
  } else if (e != nullptr) {
    call.finding.unowned = e->owner == Owner::OtherScript ? 1 : 2;
    s.unownedDeletions.push_back(
        UnownedDeletion{static_cast<std::int32_t>(s.clock), e->handle, e->owner});
    if (s.settings.unownedDeleteReleases && e->handle != s.playerPed) {
      e->released = true;
      e->owner = Owner::Nobody;
    }
  }
  *ref = 0;
}

// Claims the entity for the plugin, whoever had it: the game no longer clears it when far.
void SetEntityAsMissionEntity(WorldState& s, NativeCall& call) {
  Entity* e = FindEntity(s, call.Handle(0));
  if (e == nullptr || e->handle == s.playerPed) return;
  e->owner = Owner::Plugin;
  e->released = false;
}

void IsEntityAMissionEntity(WorldState& s, NativeCall& call) {
  const Entity* e = FindEntity(s, call.Handle(0));
  call.ReturnBool(e != nullptr && e->owner != Owner::Nobody);
}

void DoesEntityBelongToThisScript(WorldState& s, NativeCall& call) {
  const Entity* e = FindEntity(s, call.Handle(0));
  call.ReturnBool(e != nullptr && e->owner == Owner::Plugin);
}

// Releasing removes nothing: the vehicle stays where it is until the game clears it. The
// caller's variable keeps its value unless the world is set to zero it.
void DeleteVehicle(WorldState& s, NativeCall& call) { Release(s, call, EntityKind::Vehicle); }

// A dismissed ped goes on with its last task until the game clears it.
void DismissPed(WorldState& s, NativeCall& call) { Release(s, call, EntityKind::Ped); }

}  // namespace natives

// --- the world's own entity questions and faults ---

const Entity* World::Find(Handle handle) const { return FindPlaced(*state_, handle); }

std::vector<const Entity*> World::Entities() const {
  std::vector<const Entity*> all;
  all.reserve(state_->entities.size());
  for (const Entity& e : state_->entities) all.push_back(&e);
  return all;
}

Handle World::FindPedNamed(std::string_view name) const {
  for (const Entity& e : state_->entities) {
    if (e.kind == EntityKind::Ped && !e.dead && e.name == name) return e.handle;
  }
  return 0;
}

std::vector<Handle> World::EntitiesOfModel(std::uint32_t model) const {
  std::vector<Handle> found;
  for (const Entity& e : state_->entities) {
    if (e.model == model) found.push_back(e.handle);
  }
  return found;
}

const PedState* World::Ped(Handle ped) const {
  const Entity* e = FindEntity(*state_, ped);
  return e != nullptr && e->kind == EntityKind::Ped ? &e->ped : nullptr;
}

void World::FailNextCreations(EntityKind kind, int count) {
  state_->failNext[static_cast<int>(kind)] = count;
}

void World::Vanish(Handle entity) { RemoveEntity(*state_, entity); }

const std::vector<HandleFindingRecord>& World::HandleFindings() const { return state_->findings; }

const std::vector<UnownedDeletion>& World::UnownedDeletions() const {
  return state_->unownedDeletions;
}

void World::Kill(Handle ped) {
  Entity* e = FindPed(*state_, ped);
  if (e == nullptr) return;
  e->dead = true;
  StopTask(e->ped);
  e->ped.speechEndsAt = 0;
}

}  // namespace sim
