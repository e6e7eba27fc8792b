// A game whose natives do nothing but answer fixed values, and a run of the real plugin
// against it. The plugin sees a player standing in the camp, near everything and on no
// remark spot, targeting nothing, out of the wagon, with every load ready and every entity
// present. Once the camp is set up and the clock is held still, nothing ever falls due: each
// frame is the plugin's idle round of checks and nothing else, with no world behind the
// natives, so a run measures the plugin's own cost and the host's.
#pragma once

#include <cstdint>
#include <string>

#include "sim/host/game.h"
#include "sim/host/host.h"
#include "sim/host/plugin_loader.h"

namespace sim {

class NullGame final : public Game {
 public:
  // The one ped, vehicle, object, prop set, blip and prompt handle every creation returns.
  static constexpr std::int32_t kHandle = 7;
  static constexpr std::int32_t kPlayerPed = 1;
  // Every distance the plugin asks for: within 200 of every centre, beyond 50 of the fence.
  static constexpr float kDistance = 100.0f;

  void Invoke(NativeId id, NativeCall& call) override;
  std::int32_t Clock() const override { return clock_; }
  void Advance(std::int32_t ms) { clock_ += ms; }

 private:
  std::int32_t clock_ = 100000;
};

// The plugin loaded against a NullGame and brought to its idle state: companions created
// and their first step not yet due, props placed, the tent and the wagon standing.
class NullRun {
 public:
  explicit NullRun(const std::string& pluginPath = CAMPFIRE_PLUGIN_PATH);
  ~NullRun();
  NullRun(const NullRun&) = delete;
  NullRun& operator=(const NullRun&) = delete;

  bool Ok() const { return error_.empty() && !host_.Failed(); }
  std::string Error() const { return error_.empty() ? host_.Error() : error_; }

  // One idle frame, the clock held still.
  void Frame() { host_.RunFrame(++frame_); }

  Host& host() { return host_; }
  NullGame& game() { return game_; }
  PluginLibrary& library() { return library_; }

 private:
  NullGame game_;
  Host host_;
  PluginLibrary library_;
  std::string error_;
  std::uint64_t frame_ = 0;
};

}  // namespace sim
