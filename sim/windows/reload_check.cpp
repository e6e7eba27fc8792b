// Loads Campfire.asi with LoadLibrary, lets its script run, and unloads it with FreeLibrary,
// several times in one process: each load must register the script once, each unload must
// unregister it, and each new copy must start again from its world setup.
// Prints one line per cycle; exits with 1 at the first cycle that goes wrong.
#include <cstdio>
#include <string>

#include "sim/scenario/simulation.h"

namespace {

constexpr int kCycles = 3;
constexpr sim::Vec3 kInCamp{-1640.0f, -1380.0f, 84.0f};

int Fail(int cycle, const std::string& what) {
  std::printf("cycle %d: %s\n", cycle, what.c_str());
  return 1;
}

}  // namespace

int main() {
  sim::Simulation sim;
  sim.Teleport(kInCamp);
  for (int cycle = 1; cycle <= kCycles; ++cycle) {
    if (cycle > 1) {
      std::string error;
      if (!sim.library().Load(CAMPFIRE_PLUGIN_PATH, error)) return Fail(cycle, error);
    }
    // A second registration without an unregistration in between fails the host.
    if (sim.Failed()) return Fail(cycle, sim.Error());
    if (!sim.host().Registered()) return Fail(cycle, "the load registered no script");

    const std::size_t from = sim.recorder().Size();
    sim.RunFor(3000);
    if (sim.Failed()) return Fail(cycle, sim.Error());
    const auto& events = sim.recorder().Events();
    std::size_t first = from;
    while (first < events.size() && events[first].isWait) ++first;
    if (first == events.size()) return Fail(cycle, "the script never ran");
    if (events[first].id != sim::NativeId::PlayerPedId) {
      return Fail(cycle, "the script did not start from its world setup");
    }

    sim.Unload();
    if (sim.host().Registered()) return Fail(cycle, "the unload left the script registered");
    const std::size_t unloadedAt = sim.recorder().Size();
    sim.RunFrames(5);
    if (sim.recorder().Size() != unloadedAt) return Fail(cycle, "the script ran after unload");
    std::printf("cycle %d: registered, %zu calls from the world setup on, unregistered\n", cycle,
                unloadedAt - first);
  }
  return 0;
}
