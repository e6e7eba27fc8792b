#include "sim/scenario/other_script.h"

#include <array>

#include "sim/scenario/camp_places.h"

namespace sim {

namespace {

// Few enough that its numbers are freed and taken again often.
constexpr std::size_t kThingsKept = 4;

struct Making {
  ForeignKind kind;
  const char* model;  // hashed as the game does; empty where the kind has none
  Vec3 near;
};

// Beside the companions' homes, the props and the wagon's spot, so that a plugin that
// mistook one of these for its own would find it where it looks.
constexpr Vec3 Beside(Vec3 p) { return Vec3{p.x + 3.0f, p.y + 3.0f, p.z}; }

const std::array<Making, 8> kRound{{
    {ForeignKind::Ped, "cs_mrsadler", Beside(places::kSadieHome)},
    {ForeignKind::Object, "p_chair05x", Beside(places::kPropsCentre)},
    {ForeignKind::Prompt, "", {}},
    {ForeignKind::Ped, "cs_charlessmith", Beside(places::kCharlesHome)},
    {ForeignKind::Blip, "", {}},
    {ForeignKind::Vehicle, places::kWagonModel, Beside(places::kWagonSpot)},
    {ForeignKind::Ped, "cs_karen", Beside(places::kKarenHome)},
    {ForeignKind::Prompt, "", {}},
}};

}  // namespace

void OtherScript::Act() {
  // Things the game took away (a reload) are forgotten; the oldest is removed when full.
  while (!things_.empty() && things_.size() >= kThingsKept) {
    world_.OtherScriptRemoves(things_.front());
    things_.pop_front();
  }
  const Making& m = kRound[static_cast<std::size_t>(turn_) % kRound.size()];
  ++turn_;
  const std::uint32_t model = m.model[0] != '\0' ? JoaatHash(m.model) : 0u;
  // A blip goes on the newest of its own entities, if it has one.
  Handle on = 0;
  for (auto it = things_.rbegin(); it != things_.rend() && on == 0; ++it) {
    const Entity* e = world_.Find(*it);
    if (e != nullptr && e->kind != EntityKind::Propset) on = *it;
  }
  const Handle made = world_.OtherScriptMakes(m.kind, model, m.near, on);
  if (made != 0) {
    things_.push_back(made);
    ++made_;
  }
}

}  // namespace sim
