// A reload of the game: everything scripts made is gone and the player has a new ped; the
// clock, the random streams and the world's furniture go on.
#include "sim/world/world_state.h"

namespace sim {

void World::Reload(std::optional<Vec3> playerAt) {
  WorldState& s = *state_;
  const Entity* old = FindEntity(s, s.playerPed);
  const Vec3 at = playerAt.value_or(old != nullptr ? old->position : s.settings.playerStart);
  const float heading = old != nullptr ? old->heading : 0.0f;

  // The player's new ped is numbered before anything is freed, so it never takes the old
  // ped's number (a script can tell a reload by the player's ped), unless the world is set
  // to give it the old one.
  const bool samePlayerNumber = s.settings.reloadKeepsPlayerNumber && old != nullptr;
  Entity player;
  player.handle = samePlayerNumber ? old->handle : s.NewHandle();
  player.kind = EntityKind::Ped;
  player.model = s.settings.playerModel;
  player.position = at;
  player.heading = heading;
  player.ped.relationshipGroup = JoaatHash("PLAYER");
  player.owner = Owner::Nobody;

  for (const Entity& e : s.entities) {
    if (e.handle != player.handle) s.FreeHandle(e.handle);
  }
  for (const PromptInfo& p : s.prompts) s.FreeHandle(p.handle);
  for (const BlipInfo& b : s.blips) s.FreeHandle(b.handle);
  s.entities.assign(1, std::move(player));
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
  s.proved.clear();

  // Unless the world reuses numbers, handles go on from the counter, so no number from
  // before the reload is valid again.
  s.playerPed = s.entities.front().handle;
}

RandomStreams World::Streams() const {
  return {state_->scriptRandom.State(), state_->worldRandom.State()};
}

void World::SetStreams(const RandomStreams& streams) {
  state_->scriptRandom = Random(streams.script);
  state_->worldRandom = Random(streams.world);
}

}  // namespace sim
