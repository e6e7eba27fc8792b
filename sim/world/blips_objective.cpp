// Map blips and the on-screen objective.
#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim {

namespace {

BlipInfo* FindBlip(WorldState& s, Handle handle) { return FindByHandle(s.blips, handle); }

ObjectiveEvent& NewObjectiveEvent(WorldState& s, ObjectiveEventKind kind) {
  ObjectiveEvent& e = s.objectiveEvents.emplace_back();
  e.kind = kind;
  e.clock = static_cast<std::int32_t>(s.clock);
  return e;
}

}  // namespace

namespace natives {

void BlipAddForEntity(WorldState& s, NativeCall& call) {
  Handle entity = call.Handle(1);
  if (FindEntity(s, entity) == nullptr) {
    call.ReturnHandle(0);
    return;
  }
  BlipInfo& b = InsertWithNewHandle(s, s.blips);
  b.kind = call.Hash(0);
  b.entity = entity;
  call.ReturnHandle(b.handle);
}

void SetBlipSprite(WorldState& s, NativeCall& call) {
  if (BlipInfo* b = FindBlip(s, call.Handle(0))) b->sprite = call.Hash(1);
}

void SetBlipName(WorldState& s, NativeCall& call) {
  BlipInfo* b = FindBlip(s, call.Handle(0));
  const char* name = call.String(1);
  if (b != nullptr) b->name = name != nullptr ? name : "";
}

void DoesBlipExist(WorldState& s, NativeCall& call) {
  call.ReturnBool(FindBlip(s, call.Handle(0)) != nullptr);
}

void RemoveBlip(WorldState& s, NativeCall& call) {
  Handle* ref = call.HandleRef(0);
  if (ref == nullptr) return;
  if (KindNamed(s, *ref) & ~kBlipHandle) return;  // no blip: nothing is done
  EraseByHandle(s, s.blips, *ref);
  *ref = 0;
}

void ShowObjectiveText(WorldState& s, NativeCall& call) {
  const char* text = call.String(0);
  std::string shown = text != nullptr ? text : "";
  s.objectivesShown.push_back(shown);
  NewObjectiveEvent(s, ObjectiveEventKind::Text).text = std::move(shown);
}

void ObjectiveCueA(WorldState& s, NativeCall&) { NewObjectiveEvent(s, ObjectiveEventKind::CueA); }

void ObjectiveCueB(WorldState& s, NativeCall& call) {
  ObjectiveEvent& e = NewObjectiveEvent(s, ObjectiveEventKind::CueB);
  e.args[0] = call.Int(0);
  e.args[1] = call.Int(1);
}

void ObjectiveCueC(WorldState& s, NativeCall& call) {
  ObjectiveEvent& e = NewObjectiveEvent(s, ObjectiveEventKind::CueC);
  e.args[0] = call.Int(0);
  e.args[1] = call.Int(1);
  e.args[2] = call.Int(2);
}

}  // namespace natives

std::vector<Handle> World::LiveBlips() const {
  std::vector<Handle> live;
  for (const BlipInfo& b : state_->blips) live.push_back(b.handle);
  return live;
}

const BlipInfo* World::Blip(Handle blip) const { return FindByHandle(state_->blips, blip); }

const std::vector<std::string>& World::ObjectivesShown() const { return state_->objectivesShown; }

const std::vector<ObjectiveEvent>& World::ObjectiveEvents() const {
  return state_->objectiveEvents;
}

}  // namespace sim
