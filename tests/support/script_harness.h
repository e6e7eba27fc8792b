// Runs a script function of the test's own in the simulated host, without a plugin, so
// that the host's checks and the plugin's invocation helpers can be seen on the wire.
#pragma once

#include <functional>
#include <utility>

#include "sim/host/host.h"
#include "sim/scenario/recorder.h"
#include "sim/world/world.h"

namespace campfire_test {

class ScriptHarness {
 public:
  explicit ScriptHarness(std::function<void()> script, sim::WorldSettings settings = {})
      : world_(settings), host_(world_) {
    body() = std::move(script);
    host_.AddSink(&recorder_);
    sim::SetActiveHost(&host_);
    host_.Register(nullptr, &Trampoline);
  }
  ~ScriptHarness() {
    host_.Unregister(nullptr);
    sim::SetActiveHost(nullptr);
  }

  void RunFrames(int count) {
    for (int i = 0; i < count && !host_.Failed(); ++i) {
      host_.RunFrame(++frame_);
      world_.AdvanceFrame();
    }
  }

  sim::World& world() { return world_; }
  sim::Host& host() { return host_; }
  sim::Recorder& recorder() { return recorder_; }

 private:
  static std::function<void()>& body() {
    static std::function<void()> script;
    return script;
  }
  static void Trampoline() {
    body()();
    // A script never returns; park it like the plugin's endless loop would.
    for (;;) scriptWaitForever();
  }
  static void scriptWaitForever() { sim::ActiveHost()->Wait(0); }

  sim::World world_;
  sim::Host host_;
  sim::Recorder recorder_;
  std::uint64_t frame_ = 0;
};

}  // namespace campfire_test
