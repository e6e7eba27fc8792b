// A reload of the game: everything scripts made is gone and the player has a new ped; the
// clock, the random streams and the world's furniture go on.
#include "sim/world/world_state.h"

namespace sim {

void World::Reload(std::optional<Vec3> playerAt) {
  WorldState& s = *state_;
  const Entity* old = FindEntity(s, s.playerPed);
  const Vec3 at = playerAt.value_or(old != nullptr ? old->position : s.settings.playerStart);
  const float heading = old != nullptr ? old->heading : 0.0f;

  s.entities.clear();
  s.prompts.clear();
  s.blips.clear();
  // Streaming starts over, so loads and outfit requests count from nothing again, as in a
  // world that has just started.
  s.models.clear();
  s.propsets.clear();
  s.outfits.clear();
  s.texts.clear();
  s.relations.clear();
  s.lockOn = 0;
  s.heldControls.clear();

  // Handles go on from the counter, so no number from before the reload is valid again.
  Entity& player = AddEntity(s, EntityKind::Ped, s.settings.playerModel, at, heading);
  player.ped.relationshipGroup = JoaatHash("PLAYER");
  s.playerPed = player.handle;
}

RandomStreams World::Streams() const {
  return {state_->scriptRandom.State(), state_->worldRandom.State()};
}

void World::SetStreams(const RandomStreams& streams) {
  state_->scriptRandom = Random(streams.script);
  state_->worldRandom = Random(streams.world);
}

}  // namespace sim
