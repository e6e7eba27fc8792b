// Tasks: a new one replaces the old, and each frame moves the peds that have somewhere to go.
#include "sim/world/geometry.h"
#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim {

namespace {

// The plugin's speeds are the game's move ratios (1 walks, 2 jogs, 3 and more run); this
// scales them to paces that cross the camp in plausible times.
constexpr float kWalkUnitsPerSecond = 1.2f;
constexpr float kRunUnitsPerSecond = 6.0f;
constexpr int kWanderTries = 8;

float PaceOf(float speed) {
  float pace = kWalkUnitsPerSecond * speed;
  if (!(pace > kWalkUnitsPerSecond)) return kWalkUnitsPerSecond;  // also NaN
  return pace < kRunUnitsPerSecond ? pace : kRunUnitsPerSecond;
}

std::int64_t DeadlineAfter(const WorldState& s, std::int32_t ms) {
  return ms > 0 ? s.elapsedMs + ms : -1;
}

bool Expired(const WorldState& s, const PedTask& t) {
  return t.endsAt >= 0 && s.elapsedMs >= t.endsAt;
}

// Dead peds take no tasks, and a ped the game no longer has takes none either.
PedTask* NewTask(WorldState& s, Handle handle, TaskKind kind) {
  Entity* e = FindPed(s, handle);
  if (e == nullptr || e->dead) return nullptr;
  e->ped.task = PedTask{.kind = kind};
  return &e->ped.task;
}

Vec3 WanderPoint(WorldState& s, Vec3 centre, float radius) {
  for (int i = 0; i < kWanderTries; ++i) {
    float x = (2.0f * s.worldRandom.Unit() - 1.0f) * radius;
    float y = (2.0f * s.worldRandom.Unit() - 1.0f) * radius;
    if (x * x + y * y <= radius * radius) return Vec3{centre.x + x, centre.y + y, centre.z};
  }
  return centre;
}

// One frame of walking; the ped faces where it goes. True on arrival.
bool Step(const WorldState& s, Entity& e, Vec3 to, float unitsPerSecond) {
  float dx = to.x - e.position.x;
  float dy = to.y - e.position.y;
  if (dx != 0.0f || dy != 0.0f) e.heading = HeadingOf(dx, dy);
  return MoveToward(e.position, to,
                    unitsPerSecond * static_cast<float>(s.settings.frameMs) / 1000.0f);
}

void UseScenarioPointAt(const WorldState& s, const Entity& e, PedTask& t) {
  for (const ScenarioPoint& p : s.scenarioPoints) {
    if (DistanceBetween(e.position, p.at) <= p.radius) {
      t.usingScenario = true;
      t.scenario = p.scenario;
      return;
    }
  }
}

void AdvanceWalk(WorldState& s, Entity& e, PedTask& t) {
  if (Expired(s, t)) {
    t.done = true;
  } else if (Step(s, e, t.target, t.unitsPerSecond)) {
    t.done = true;
    UseScenarioPointAt(s, e, t);
  }
}

void AdvanceScenario(WorldState& s, Entity& e, PedTask& t) {
  if (!t.usingScenario) {
    if (!Step(s, e, t.target, t.unitsPerSecond)) return;
    t.usingScenario = true;
    e.heading = NormalisedHeading(t.heading);
    t.endsAt = DeadlineAfter(s, t.scenarioMs);
  } else if (Expired(s, t)) {
    StopTask(e.ped);
  }
}

void AdvanceWander(WorldState& s, Entity& e, PedTask& t) {
  if (s.elapsedMs < t.pauseUntil) return;
  if (!Step(s, e, t.target, t.unitsPerSecond)) return;
  t.pauseUntil = s.elapsedMs + t.pauseMs;
  t.target = WanderPoint(s, t.centre, t.radius);
}

void Face(const WorldState& s, Entity& e, Handle other) {
  const Entity* target = FindEntity(s, other);
  if (target == nullptr) return;
  float dx = target->position.x - e.position.x;
  float dy = target->position.y - e.position.y;
  if (dx != 0.0f || dy != 0.0f) e.heading = HeadingOf(dx, dy);
}

void AdvanceTurn(WorldState& s, Entity& e, PedTask& t) {
  if (Expired(s, t)) {
    t.done = true;
    return;
  }
  Face(s, e, t.faced);
}

}  // namespace

void StopTask(PedState& ped) {
  ped.task.done = true;
  ped.task.usingScenario = false;
}

void AdvanceTasks(WorldState& s) {
  for (Entity& e : s.entities) {
    PedTask& t = e.ped.task;
    if (e.kind != EntityKind::Ped || e.dead || t.done) continue;
    switch (t.kind) {
      case TaskKind::None:
        break;
      case TaskKind::GoToCoord:
      case TaskKind::GoStraightToCoord:
        AdvanceWalk(s, e, t);
        break;
      case TaskKind::Scenario:
        AdvanceScenario(s, e, t);
        break;
      case TaskKind::Wander:
        AdvanceWander(s, e, t);
        break;
      case TaskKind::TurnToFace:
        AdvanceTurn(s, e, t);
        break;
    }
  }
}

namespace natives {

void TaskGoToCoord(WorldState& s, NativeCall& call) {
  PedTask* t = NewTask(s, call.Handle(0), TaskKind::GoToCoord);
  if (t == nullptr) return;
  t->target = Vec3{call.Float(1), call.Float(2), call.Float(3)};
  t->unitsPerSecond = PaceOf(call.Float(4));
  t->timeoutMs = call.Int(5);
  t->endsAt = DeadlineAfter(s, t->timeoutMs);
}

void TaskGoStraightToCoord(WorldState& s, NativeCall& call) {
  PedTask* t = NewTask(s, call.Handle(0), TaskKind::GoStraightToCoord);
  if (t == nullptr) return;
  t->target = Vec3{call.Float(1), call.Float(2), call.Float(3)};
  t->unitsPerSecond = PaceOf(call.Float(4));
  t->timeoutMs = call.Int(5);
  t->endsAt = DeadlineAfter(s, t->timeoutMs);
  t->heading = call.Float(6);
}

void TaskStartScenarioAtPosition(WorldState& s, NativeCall& call) {
  PedTask* t = NewTask(s, call.Handle(0), TaskKind::Scenario);
  if (t == nullptr) return;
  t->scenario = call.Hash(1);
  t->target = Vec3{call.Float(2), call.Float(3), call.Float(4)};
  t->heading = call.Float(5);
  t->scenarioMs = call.Int(6);
  t->unitsPerSecond = kWalkUnitsPerSecond;
}

// ped, centre, radius, shortest leg, seconds between legs
void TaskWanderInArea(WorldState& s, NativeCall& call) {
  PedTask* t = NewTask(s, call.Handle(0), TaskKind::Wander);
  if (t == nullptr) return;
  t->centre = Vec3{call.Float(1), call.Float(2), call.Float(3)};
  float radius = call.Float(4);
  t->radius = radius > 0.0f ? radius : 0.0f;
  float pauseSeconds = call.Float(6);
  t->pauseMs = pauseSeconds > 0.0f && pauseSeconds < 3600.0f
                   ? static_cast<std::int32_t>(pauseSeconds * 1000.0f)
                   : 0;
  t->unitsPerSecond = kWalkUnitsPerSecond;
  t->target = WanderPoint(s, t->centre, t->radius);
}

void TaskTurnPedToFaceEntity(WorldState& s, NativeCall& call) {
  Handle ped = call.Handle(0);
  PedTask* t = NewTask(s, ped, TaskKind::TurnToFace);
  if (t == nullptr) return;
  t->faced = call.Handle(1);
  t->endsAt = DeadlineAfter(s, call.Int(2));
  Face(s, *FindPed(s, ped), t->faced);
}

void IsPedUsingAnyScenario(WorldState& s, NativeCall& call) {
  const Entity* e = FindPed(s, call.Handle(0));
  call.ReturnBool(e != nullptr && !e->dead && e->ped.task.usingScenario);
}

}  // namespace natives

void World::AddScenarioPoint(Vec3 at, float radius, std::uint32_t scenario) {
  state_->scenarioPoints.push_back(ScenarioPoint{at, radius, scenario});
}

}  // namespace sim
