#include "sim/scenario/simulation.h"

#include <cmath>

#include "sim/scenario/camp_places.h"

namespace sim {

float Distance(Vec3 a, Vec3 b) {
  const double dx = static_cast<double>(a.x) - b.x;
  const double dy = static_cast<double>(a.y) - b.y;
  const double dz = static_cast<double>(a.z) - b.z;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

Simulation::Simulation(SimulationOptions options)
    : options_(std::move(options)),
      world_(std::make_unique<World>(options_.world)),
      host_(*world_),
      otherScript_(*world_) {
  if (options_.world.campScenarioPoints) {
    world_->AddScenarioPoint(places::kCharlesWoodPile, places::kWorkSpotRadius,
                             JoaatHash("PROP_HUMAN_WOOD_CHOP"));
    world_->AddScenarioPoint(places::kCharlesSeat, places::kWorkSpotRadius,
                             JoaatHash("PROP_HUMAN_SEAT_CHAIR"));
  }
  if (options_.record) host_.AddSink(&recorder_);
  SetActiveHost(&host_);
  if (!library_.Load(options_.pluginPath, loadError_)) return;
  if (!host_.Registered() && !host_.Failed()) loadError_ = "the plugin registered no script";
}

Simulation::~Simulation() {
  Unload();
  SetActiveHost(nullptr);
}

void Simulation::Unload() {
  if (library_.Loaded()) library_.Unload();
}

void Simulation::Reload(std::optional<Vec3> playerAt) {
  world_->Reload(playerAt);
  host_.RestartScript(true);
}

void Simulation::Restart() { host_.RestartScript(false); }

void Simulation::OtherScriptActs() { otherScript_.Act(); }

// The other script takes its turn after the plugin's, before the game's own upkeep.
void Simulation::Frame() {
  ++frame_;
  host_.RunFrame(frame_);
  const std::int32_t every = world_->Settings().otherScriptEveryMs;
  if (every > 0 && world_->ElapsedMs() >= otherScriptDueMs_) {
    otherScript_.Act();
    otherScriptDueMs_ = world_->ElapsedMs() + every;
  }
  world_->AdvanceFrame();
}

void Simulation::RunFrames(int count) {
  for (int i = 0; i < count && !Failed(); ++i) Frame();
}

void Simulation::RunFor(std::int32_t ms) {
  const std::uint32_t start = static_cast<std::uint32_t>(Clock());
  while (!Failed() &&
         static_cast<std::uint32_t>(Clock()) - start < static_cast<std::uint32_t>(ms)) {
    Frame();
  }
}

void Simulation::Teleport(Vec3 to) { world_->TeleportPlayer(to); }

bool Simulation::MoveTo(Vec3 to, float unitsPerSecond, std::int32_t maxMs) {
  const std::uint32_t start = static_cast<std::uint32_t>(Clock());
  while (!Failed()) {
    if (world_->StepPlayerToward(to, unitsPerSecond)) return true;
    Frame();
    if (static_cast<std::uint32_t>(Clock()) - start >= static_cast<std::uint32_t>(maxMs)) {
      return false;
    }
  }
  return false;
}

bool Simulation::Target(std::string_view pedName) {
  const Handle ped = world_->FindPedNamed(pedName);
  if (ped == 0) return false;
  world_->LockOn(ped);
  return true;
}

void Simulation::ReleaseTarget() { world_->LockOn(0); }

void Simulation::Hold(std::string_view control, std::int32_t ms) {
  const std::uint32_t hash = JoaatHash(control);
  world_->HoldControl(hash);
  RunFor(ms);
  world_->ReleaseControl(hash);
}

Handle Simulation::Wagon() const {
  for (Handle h : world_->EntitiesOfModel(JoaatHash(places::kWagonModel))) {
    const Entity* e = world_->Find(h);
    if (e != nullptr && e->kind == EntityKind::Vehicle && !e->foreign) return h;
  }
  return 0;
}

bool Simulation::BoardWagon() {
  const Handle wagon = Wagon();
  return wagon != 0 && world_->BoardVehicle(wagon);
}

void Simulation::Leave() { world_->LeaveVehicle(); }

float Simulation::PlayerDistanceTo(Vec3 point) const {
  return Distance(world_->PlayerPosition(), point);
}

}  // namespace sim
