// One run of the real plugin in the simulated host and world, driven frame by frame.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sim/host/host.h"
#include "sim/host/plugin_loader.h"
#include "sim/scenario/other_script.h"
#include "sim/scenario/recorder.h"
#include "sim/world/world.h"

namespace sim {

struct SimulationOptions {
  WorldSettings world;
  std::string pluginPath = CAMPFIRE_PLUGIN_PATH;
  bool record = true;  // keep every call and wait in memory for queries
};

class Simulation {
 public:
  explicit Simulation(SimulationOptions options = {});
  ~Simulation();
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;

  // The plugin loaded and registered its script.
  bool Loaded() const { return library_.Loaded() && host_.Registered(); }
  bool Failed() const { return !loadError_.empty() || host_.Failed(); }
  std::string Error() const { return loadError_.empty() ? host_.Error() : loadError_; }

  // --- time ---
  void Frame();
  void RunFrames(int count);
  // Frames until at least `ms` of game clock have passed (stops early on a host error).
  void RunFor(std::int32_t ms);

  // --- the player ---
  void Teleport(Vec3 to);
  // Moves frame by frame in a straight line; false if not there within `maxMs`.
  bool MoveTo(Vec3 to, float unitsPerSecond, std::int32_t maxMs = 3'600'000);
  // Locks on to the living ped the plugin gave this name; false if there is none.
  bool Target(std::string_view pedName);
  void ReleaseTarget();
  // Holds a control (by name, e.g. "INPUT_CONTEXT_A") for `ms` of game clock, then lets go.
  void Hold(std::string_view control, std::int32_t ms);
  // Gets into the supply wagon; false if there is none.
  bool BoardWagon();
  void Leave();

  // Detaches the plugin as the loader does at unload; the world is left as it is.
  void Unload();

  // The game reloads before the next frame: the world drops everything scripts made and
  // gives the player a new ped (at `playerAt`, by default where the old one stood); the host
  // drops the script where it stands and calls it again in the next frame.
  void Reload(std::optional<Vec3> playerAt = std::nullopt);
  // The host restarts its scripts with the world as it is.
  void Restart();

  // Another script sharing the world makes its next thing (and may remove an old one). With
  // the world's `otherScriptEveryMs` set it also acts on its own, after the plugin's turn in
  // a frame.
  void OtherScriptActs();
  const OtherScript& otherScript() const { return otherScript_; }

  PluginLibrary& library() { return library_; }
  World& world() { return *world_; }
  Host& host() { return host_; }
  Recorder& recorder() { return recorder_; }
  std::uint64_t FrameNumber() const { return frame_; }
  std::int32_t Clock() const { return world_->Clock(); }
  float PlayerDistanceTo(Vec3 point) const;
  Handle Wagon() const;  // the plugin's supply wagon, or one it left; 0 if none

 private:
  SimulationOptions options_;
  std::unique_ptr<World> world_;
  Host host_;
  Recorder recorder_;
  PluginLibrary library_;
  std::string loadError_;
  std::uint64_t frame_ = 0;
  OtherScript otherScript_;
  std::int64_t otherScriptDueMs_ = 0;
};

// Straight-line distance, as the world measures it.
float Distance(Vec3 a, Vec3 b);

}  // namespace sim
