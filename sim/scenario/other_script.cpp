#include "sim/scenario/other_script.h"

#include <array>

#include "companions/companion_models.h"
#include "sim/scenario/camp_places.h"

namespace sim {

namespace {

// Few enough that its numbers are freed and taken again often.
constexpr std::size_t kThingsKept = 4;

struct Making {
  ForeignKind kind;
  std::uint32_t model;  // 0 where the kind has none
  Vec3 near;
};

// Beside the companions' homes, the props and the wagon's spot, so that a plugin that
// mistook one of these for its own would find it where it looks.
constexpr Vec3 Beside(Vec3 p) { return Vec3{p.x + 3.0f, p.y + 3.0f, p.z}; }

const std::array<Making, 8> kRound{{
    {ForeignKind::Ped, campfire::kSadieModel.model, Beside(places::kSadieHome)},
    {ForeignKind::Object, JoaatHash("p_chair05x"), Beside(places::kPropsCentre)},
    {ForeignKind::Prompt, 0, {}},
    {ForeignKind::Ped, campfire::kCharlesModel.model, Beside(places::kCharlesHome)},
    {ForeignKind::Blip, 0, {}},
    {ForeignKind::Vehicle, JoaatHash(places::kWagonModel), Beside(places::kWagonSpot)},
    {ForeignKind::Ped, campfire::kKarenModel.model, Beside(places::kKarenHome)},
    {ForeignKind::Prompt, 0, {}},
}};

}  // namespace

void OtherScript::Act() {
  // The oldest goes when it holds as many as it keeps; one a reload already took is only
  // forgotten (OtherScriptRemoves leaves a number that is no longer its own alone).
  if (things_.size() >= kThingsKept) {
    world_.OtherScriptRemoves(things_.front());
    things_.pop_front();
  }
  const Making& m = kRound[static_cast<std::size_t>(turn_) % kRound.size()];
  ++turn_;
  // A blip goes on the newest of its own entities, if it has one; after a reload an old
  // number may name someone else's.
  Handle on = 0;
  for (auto it = things_.rbegin(); it != things_.rend() && on == 0; ++it) {
    const Entity* e = world_.Find(*it);
    if (e != nullptr && e->foreign && e->kind != EntityKind::Propset) on = *it;
  }
  const Handle made = world_.OtherScriptMakes(m.kind, m.model, m.near, on);
  if (made != 0) {
    things_.push_back(made);
    ++made_;
  }
}

}  // namespace sim
