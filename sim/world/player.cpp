// The player: its ped, its vehicle, where it goes, what it locks on to and holds down.
#include <algorithm>

#include "sim/world/geometry.h"
#include "sim/world/natives.h"
#include "sim/world/world_state.h"

namespace sim {

namespace {

constexpr std::int32_t kPlayerIndex = 0;
// Where a player stepping out of a vehicle stands, beside it.
constexpr float kStepOutOffset = 2.0f;

Entity* PlayerEntity(WorldState& s) { return FindPed(s, s.playerPed); }

Entity* PlayerVehicleEntity(WorldState& s) {
  Entity* player = PlayerEntity(s);
  return player != nullptr ? FindEntity(s, player->ped.vehicle) : nullptr;
}

}  // namespace

Handle LockOnTarget(const WorldState& s) {
  return FindEntity(s, s.lockOn) != nullptr ? s.lockOn : 0;
}

bool ControlHeld(const WorldState& s, std::uint32_t control) {
  return std::find(s.heldControls.begin(), s.heldControls.end(), control) != s.heldControls.end() ||
         std::any_of(s.timedPresses.begin(), s.timedPresses.end(),
                     [&](const WorldState::TimedPress& p) { return p.control == control; });
}

std::int32_t HeldThisFrameMs(const WorldState& s, std::uint32_t control) {
  const std::int32_t frame = s.settings.frameMs;
  if (std::find(s.heldControls.begin(), s.heldControls.end(), control) != s.heldControls.end()) {
    return frame;
  }
  std::int32_t held = 0;
  for (const WorldState::TimedPress& p : s.timedPresses) {
    if (p.control == control) held = std::max(held, std::min(frame, p.leftMs));
  }
  return held;
}

// A press that runs out lets its control up without clearing the prompts' holds: they
// clear in the next frame's advance, after the script has seen them.
void ExpireTimedPresses(WorldState& s) {
  for (WorldState::TimedPress& p : s.timedPresses) p.leftMs -= s.settings.frameMs;
  std::erase_if(s.timedPresses, [](const WorldState::TimedPress& p) { return p.leftMs <= 0; });
}

void MovePlayer(WorldState& s, Vec3 to) {
  Entity* player = PlayerEntity(s);
  if (player == nullptr) return;
  player->position = to;
  if (Entity* vehicle = PlayerVehicleEntity(s)) vehicle->position = to;
}

namespace natives {

void PlayerPedId(WorldState& s, NativeCall& call) { call.ReturnHandle(s.playerPed); }

void PlayerId(WorldState&, NativeCall& call) { call.ReturnInt(kPlayerIndex); }

void IsPedInVehicle(WorldState& s, NativeCall& call) {
  const Entity* ped = FindPed(s, call.Handle(0));
  Handle vehicle = call.Handle(1);
  call.ReturnBool(ped != nullptr && vehicle != 0 && ped->ped.vehicle == vehicle &&
                  FindEntity(s, vehicle) != nullptr);
}

void IsPlayerTargetingAnything(WorldState& s, NativeCall& call) {
  call.ReturnBool(call.Int(0) == kPlayerIndex && LockOnTarget(s) != 0);
}

void GetPlayerTargetEntity(WorldState& s, NativeCall& call) {
  Handle* target = call.HandleRef(1);
  if (target != nullptr) *target = call.Int(0) == kPlayerIndex ? LockOnTarget(s) : 0;
}

}  // namespace natives

Handle World::PlayerPed() const { return state_->playerPed; }

Vec3 World::PlayerPosition() const {
  const Entity* player = FindEntity(*state_, state_->playerPed);
  return player != nullptr ? player->position : Vec3{0.0f, 0.0f, 0.0f};
}

void World::TeleportPlayer(Vec3 to) { MovePlayer(*state_, to); }

bool World::StepPlayerToward(Vec3 to, float unitsPerSecond) {
  Entity* player = PlayerEntity(*state_);
  if (player == nullptr) return false;
  float dx = to.x - player->position.x;
  float dy = to.y - player->position.y;
  if (dx != 0.0f || dy != 0.0f) player->heading = HeadingOf(dx, dy);
  Vec3 at = player->position;
  float step = unitsPerSecond * static_cast<float>(state_->settings.frameMs) / 1000.0f;
  bool arrived = MoveToward(at, to, step);
  MovePlayer(*state_, at);
  return arrived;
}

bool World::BoardVehicle(Handle vehicle) {
  Entity* player = PlayerEntity(*state_);
  const Entity* v = FindEntity(*state_, vehicle);
  if (player == nullptr || v == nullptr || v->kind != EntityKind::Vehicle) return false;
  player->ped.vehicle = vehicle;
  player->position = v->position;
  return true;
}

void World::LeaveVehicle() {
  Entity* player = PlayerEntity(*state_);
  Entity* vehicle = PlayerVehicleEntity(*state_);
  if (player == nullptr) return;
  player->ped.vehicle = 0;
  if (vehicle != nullptr) {
    player->position = vehicle->position;
    player->position.x += kStepOutOffset;
  }
}

Handle World::PlayerVehicle() const {
  const Entity* player = FindEntity(*state_, state_->playerPed);
  if (player == nullptr || FindEntity(*state_, player->ped.vehicle) == nullptr) return 0;
  return player->ped.vehicle;
}

void World::LockOn(Handle entity) { state_->lockOn = entity; }

Handle World::LockOnTarget() const { return sim::LockOnTarget(*state_); }

void World::HoldControl(std::uint32_t controlHash) {
  if (!ControlHeld(*state_, controlHash)) state_->heldControls.push_back(controlHash);
}

void World::ReleaseControl(std::uint32_t controlHash) {
  auto& held = state_->heldControls;
  held.erase(std::remove(held.begin(), held.end(), controlHash), held.end());
  std::erase_if(state_->timedPresses,
                [&](const WorldState::TimedPress& p) { return p.control == controlHash; });
  ClearHolds(*state_, controlHash);
}

void World::PressControl(std::uint32_t controlHash, std::int32_t ms) {
  if (ms > 0) state_->timedPresses.push_back({controlHash, ms});
}

// The new ped takes the old one's place and seat; the old one stays behind as a plain ped.
Handle World::ReplacePlayerPed() {
  WorldState& s = *state_;
  const Entity* old = FindEntity(s, s.playerPed);
  Vec3 at = old != nullptr ? old->position : s.settings.playerStart;
  float heading = old != nullptr ? old->heading : 0.0f;
  Handle seat = old != nullptr ? old->ped.vehicle : 0;
  Entity& fresh = AddEntity(s, EntityKind::Ped, s.settings.playerModel, at, heading);
  fresh.ped.relationshipGroup = JoaatHash("PLAYER");
  fresh.ped.vehicle = seat;
  Handle freshHandle = fresh.handle;  // AddEntity may have moved the old entity
  if (Entity* previous = FindPed(s, s.playerPed)) previous->ped.vehicle = 0;
  s.playerPed = freshHandle;
  return freshHandle;
}

}  // namespace sim
