// Loading, unloading and loading the plugin again within one process, as a player does
// when the host reloads its scripts.
#include <gtest/gtest.h>

#include <string>

#include "sim/scenario/simulation.h"

namespace {

using sim::NativeId;
using sim::Simulation;

constexpr sim::Vec3 kInCamp{-1640.0f, -1380.0f, 84.0f};

// Index of the first event at or after `from` that is not a wait.
std::size_t FirstCallFrom(const sim::Recorder& recorder, std::size_t from) {
  const auto& events = recorder.Events();
  while (from < events.size() && events[from].isWait) ++from;
  return from;
}

std::size_t CountCalls(const sim::Recorder& recorder, std::size_t from, NativeId id) {
  std::size_t count = 0;
  const auto& events = recorder.Events();
  for (std::size_t i = from; i < events.size(); ++i) {
    if (!events[i].isWait && events[i].id == id) ++count;
  }
  return count;
}

TEST(PluginReload, EachLoadRegistersOnceAndEachUnloadUnregisters) {
  Simulation sim;
  ASSERT_TRUE(sim.Loaded()) << sim.Error();
  sim.Teleport(kInCamp);
  sim.RunFor(3000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  for (int cycle = 0; cycle < 3; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    sim.Unload();
    EXPECT_FALSE(sim.host().Registered());
    const std::size_t unloadedAt = sim.recorder().Size();
    sim.RunFrames(5);
    EXPECT_EQ(sim.recorder().Size(), unloadedAt) << "nothing runs between unload and load";

    std::string error;
    // A second registration without an unregistration in between fails the host.
    ASSERT_TRUE(sim.library().Load(CAMPFIRE_PLUGIN_PATH, error)) << error;
    EXPECT_TRUE(sim.host().Registered());
    EXPECT_FALSE(sim.Failed()) << sim.Error();

    sim.RunFor(3000);
    ASSERT_FALSE(sim.Failed()) << sim.Error();
    const std::size_t first = FirstCallFrom(sim.recorder(), unloadedAt);
    ASSERT_LT(first, sim.recorder().Size()) << "the reloaded script never ran";
    EXPECT_EQ(sim.recorder().Events()[first].id, NativeId::PlayerPedId)
        << "the reloaded script starts with the world setup";
  }
  sim.Unload();
  EXPECT_FALSE(sim.host().Registered());
}

TEST(PluginReload, AReloadedPluginStartsFromZeroedState) {
  Simulation sim;
  sim.Teleport(kInCamp);
  sim.RunFor(5000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  const std::size_t firstRun = CountCalls(sim.recorder(), 0, NativeId::CreatePed);
  ASSERT_GT(firstRun, 0u);

  sim.Unload();
  const std::size_t from = sim.recorder().Size();
  std::string error;
  ASSERT_TRUE(sim.library().Load(CAMPFIRE_PLUGIN_PATH, error)) << error;
  sim.RunFor(5000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  // Companions left from the first load stay in the world, but the new copy of the plugin
  // knows nothing of them and creates its own, as many as the first copy did.
  EXPECT_EQ(CountCalls(sim.recorder(), from, NativeId::CreatePed), firstRun);
}

}  // namespace
