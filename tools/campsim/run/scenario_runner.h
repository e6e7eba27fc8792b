// Plays a scenario's steps on a simulation, frame by frame, so that every frame can be
// watched (the map's trails, the soak's checks, its progress bar).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/scenario/simulation.h"
#include "tools/campsim/scenario_file/scenario.h"

namespace campsim {

class Timeline;

class FrameObserver {
 public:
  virtual ~FrameObserver() = default;
  virtual void AfterFrame(sim::Simulation& sim) = 0;
};

class ScenarioRunner {
 public:
  // The timeline, if any, gets a line for each step and for a step that finds nothing to act on.
  explicit ScenarioRunner(sim::Simulation& sim, Timeline* timeline = nullptr);

  void AddObserver(FrameObserver* observer) { observers_.push_back(observer); }

  // Runs the steps in order; false if the host stopped the plugin on the way.
  bool Run(std::span<const Step> steps);
  bool Apply(const Step& step);
  bool Stopped() const { return sim_.Failed(); }

  // A frame, the player first stepped on the way of a go step, if one is under way.
  void Frame();
  void RunFor(std::int32_t ms);
  // False if the player is not there after `maxMs`, where they then stay.
  bool MoveTo(sim::Vec3 to, float unitsPerSecond, std::int64_t maxMs = kMoveBoundMs);
  // The control is down for `ms` of game time, to the millisecond: a prompt that completes
  // within the last frame is seen by the script in the next one.
  void Hold(const std::string& control, std::int32_t ms);

 private:
  void Note(const std::string& text);
  // The live thing a fault names, 0 if there is none.
  sim::Handle Victim(const std::string& name);

  sim::Simulation& sim_;
  Timeline* timeline_;
  std::optional<GoStep> going_;  // its place is always set
  std::vector<FrameObserver*> observers_;
};

}  // namespace campsim
