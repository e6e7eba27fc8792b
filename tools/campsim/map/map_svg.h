// The run drawn from above: the camp's places, everyone's trail, and an inset with the
// wagon's road to the fence.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "sim/scenario/simulation.h"
#include "tools/campsim/run/scenario_runner.h"

namespace campsim {

// One actor's positions, split where it was not there or jumped (a new ped, a teleport).
struct Trail {
  std::string name;  // "player", a companion's name, "wagon"
  std::vector<std::vector<sim::Vec3>> segments;
};

class TrailRecorder final : public FrameObserver {
 public:
  explicit TrailRecorder(std::int64_t everyMs = 500);
  void AfterFrame(sim::Simulation& sim) override;
  const std::vector<Trail>& Trails() const { return trails_; }

 private:
  void Sample(std::size_t i, sim::Handle handle, sim::Vec3 at);

  std::int64_t everyMs_;
  std::int64_t nextMs_ = 0;
  std::vector<Trail> trails_;
  std::vector<sim::Handle> lastHandle_;
};

struct MapCaption {
  std::string title;      // the scenario's name
  std::int64_t lengthMs;  // game time the run covered
};

void WriteMapSvg(std::ostream& out, const std::vector<Trail>& trails, const MapCaption& caption);

struct MapLayers;
// The same picture as an <svg> element, for --map or for the report's page.
std::string DrawMap(const std::vector<Trail>& trails, const MapCaption& caption,
                    const MapLayers& layers);

}  // namespace campsim
