#include "sim/world/world.h"
#include "tools/campsim/map/map_svg.h"
#include "tools/campsim/map/view.h"

namespace campsim {

TrailRecorder::TrailRecorder(std::int64_t everyMs) : everyMs_(everyMs) {
  for (const Style& s : kStyles) trails_.push_back(Trail{s.name, {}});
  lastHandle_.assign(trails_.size(), 0);
}

void TrailRecorder::Sample(std::size_t i, sim::Handle handle, sim::Vec3 at) {
  if (handle == 0) {  // not there: the next sample starts a new segment
    lastHandle_[i] = 0;
    return;
  }
  auto& segments = trails_[i].segments;
  const bool jumped = !segments.empty() && !segments.back().empty() &&
                      sim::Distance(segments.back().back(), at) > kTeleportJump;
  if (handle != lastHandle_[i] || jumped) segments.emplace_back();
  lastHandle_[i] = handle;
  segments.back().push_back(at);
}

void TrailRecorder::AfterFrame(sim::Simulation& sim) {
  sim::World& world = sim.world();
  if (world.ElapsedMs() < nextMs_) return;
  nextMs_ = world.ElapsedMs() + everyMs_;
  for (std::size_t i = 0; i < trails_.size(); ++i) {
    const std::string& name = trails_[i].name;
    if (name == "player") {
      Sample(i, world.PlayerPed(), world.PlayerPosition());
      continue;
    }
    const sim::Handle handle = name == "wagon" ? sim.Wagon() : world.FindPedNamed(name);
    const sim::Entity* e = world.Find(handle);
    Sample(i, e != nullptr ? handle : 0, e != nullptr ? e->position : sim::Vec3{});
  }
}

}  // namespace campsim
