// Loading, running and unloading the real plugin in the simulated host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/scenario/simulation.h"

namespace {

using sim::NativeId;
using sim::Simulation;

TEST(PluginEntry, AttachRegistersTheScriptAndThreadNotificationsChangeNothing) {
  Simulation sim;
  ASSERT_TRUE(sim.Loaded()) << sim.Error();
  EXPECT_EQ(sim.library().NotifyThread(true), 1);
  EXPECT_EQ(sim.library().NotifyThread(false), 1);
  EXPECT_TRUE(sim.host().Registered());
  EXPECT_EQ(sim.recorder().Size(), 0u) << "nothing is called before the script runs";
}

TEST(PluginEntry, DetachUnregistersAndLeavesTheWorldAsItWas) {
  Simulation sim;
  sim.RunFor(5000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  const auto before = sim.world().Entities().size();
  const auto calls = sim.recorder().Size();
  sim.Unload();
  EXPECT_FALSE(sim.host().Registered());
  EXPECT_EQ(sim.world().Entities().size(), before);
  sim.RunFrames(10);
  EXPECT_EQ(sim.recorder().Size(), calls) << "an unregistered script is never resumed";
}

TEST(PluginEntry, DetachAtProcessExitLeavesTheHostAlone) {
  // The game's other threads are gone by then, and the host may wait on a lock one of them
  // held: the plugin must not call it.
  Simulation sim;
  sim.RunFor(2000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  const auto calls = sim.recorder().Size();
  ASSERT_TRUE(sim.library().DetachAtProcessExit());
  EXPECT_TRUE(sim.host().Registered()) << "scriptUnregister was called at process exit";
  EXPECT_FALSE(sim.Failed()) << sim.Error();
  EXPECT_EQ(sim.recorder().Size(), calls);
}

TEST(MainLoop, SetupReadsThePlayerFirstAndEveryFrameEndsWithAZeroWait) {
  Simulation sim;
  sim.RunFrames(30);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  const auto& events = sim.recorder().Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().id, NativeId::PlayerPedId);
  // The last thing the script does in each frame it runs is yield with 0.
  for (std::size_t i = 0; i + 1 < events.size(); ++i) {
    if (events[i + 1].frame != events[i].frame) {
      EXPECT_TRUE(events[i].isWait) << "frame " << events[i].frame;
    }
  }
  EXPECT_TRUE(events.back().isWait);
  EXPECT_EQ(events.back().waitMs, 0u);
}

std::vector<std::string> TraceOfARun() {
  Simulation sim;
  sim.MoveTo({-1640.0f, -1380.0f, 84.0f}, 8.0f);
  sim.RunFor(10000);
  EXPECT_FALSE(sim.Failed()) << sim.Error();
  std::vector<std::string> lines;
  for (const auto& e : sim.recorder().Events()) {
    std::string line = std::to_string(e.frame) + " " + std::string(e.Name());
    for (const auto& a : e.args) {
      switch (a.kind) {
        case sim::ArgKind::String:
          line += " " + a.s;
          break;
        case sim::ArgKind::HandleRef:
          line += " &" + std::to_string(a.i);
          break;
        case sim::ArgKind::Speech:
          line += " " + a.lineName + "/" + std::to_string(a.speech.variation);
          break;
        default:
          line += " " + std::to_string(a.raw);
      }
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(PluginEntry, EveryRunStartsFromFreshGlobals) {
  // Anything the first run left in the plugin's globals would change the second run.
  const auto first = TraceOfARun();
  const auto second = TraceOfARun();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first, second);
}

}  // namespace
