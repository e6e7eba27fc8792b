// The world's life: creation with the player's ped, and the frame that moves time on.
#include "sim/world/world.h"

#include "sim/world/world_state.h"

namespace sim {

namespace {
// Two streams from the one seed: the plugin's draws and the game's own choices.
constexpr std::uint64_t kWorldStream = 0xA5A5A5A5DEADBEEFull;
}  // namespace

WorldState::WorldState(const WorldSettings& s)
    : settings(s),
      clock(static_cast<std::uint32_t>(s.startClock)),
      scriptRandom(s.seed),
      worldRandom(s.seed ^ kWorldStream) {}

World::World(const WorldSettings& settings) : state_(new WorldState(settings)) {
  Entity& player =
      AddEntity(*state_, EntityKind::Ped, settings.playerModel, settings.playerStart, 0.0f);
  player.ped.relationshipGroup = JoaatHash("PLAYER");
  player.owner = Owner::Nobody;
  state_->playerPed = player.handle;
}

World::~World() { delete state_; }

void World::AdvanceFrame() {
  WorldState& s = *state_;
  // In unsigned arithmetic, so the clock wraps past 2^31 as the game's does.
  s.clock += static_cast<std::uint32_t>(s.settings.frameMs);
  s.elapsedMs += s.settings.frameMs;
  AdvanceTasks(s);
  AdvancePromptHolds(s);
  ExpireTimedPresses(s);
  ClearReleased(s);
  DropPromptsOnTime(s);
  // The script yields once a frame at least: whatever it proved is stale by its next turn.
  s.proved.clear();
}

std::int32_t World::Clock() const { return static_cast<std::int32_t>(state_->clock); }

std::int64_t World::ElapsedMs() const { return state_->elapsedMs; }

const WorldSettings& World::Settings() const { return state_->settings; }

}  // namespace sim
