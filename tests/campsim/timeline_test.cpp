// The timeline's rules on a script of the test's own: what counts as a stall and what it
// waited for, and requests repeated every frame told once.
#include "tools/campsim/timeline/timeline.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>

#include "campsim/campsim_run.h"
#include "sim/host/host.h"
#include "support/script_harness.h"

namespace {

using sim::NativeId;

constexpr std::uint32_t kCharlesModel = 0x53DD98DF;

std::uint64_t Call(NativeId id, std::initializer_list<std::uint64_t> args = {}) {
  sim::Host& host = *sim::ActiveHost();
  host.Init(sim::SignatureOf(id).hash);
  for (std::uint64_t a : args) host.Push(a);
  return host.Call()[0];
}

void Wait(std::uint32_t ms) { sim::ActiveHost()->Wait(ms); }

// Loads Charles's model as the plugin does, reading the clock between poll and wait.
void LoadCharlesModel() {
  Call(NativeId::RequestModel, {kCharlesModel, 1});
  while (Call(NativeId::HasModelLoaded, {kCharlesModel}) == 0) {
    Call(NativeId::GetGameTimer);
    Wait(0);
  }
  Call(NativeId::SetModelAsNoLongerNeeded, {kCharlesModel});
}

struct Told {
  std::ostringstream text;
  std::vector<std::string> Lines() const { return campsim_test::CampsimRun::Lines(text.str()); }
};

// Runs `script` for `frames` frames with a timeline listening.
std::vector<std::string> TimelineOf(std::function<void()> script, int frames, int loadPolls = 5) {
  sim::WorldSettings settings;
  settings.loadPolls = loadPolls;
  campfire_test::ScriptHarness harness(std::move(script), settings);
  campsim::Timeline timeline(harness.world());
  Told told;
  timeline.AddOutput(&told.text);
  harness.host().AddSink(&timeline);
  harness.RunFrames(frames);
  timeline.Finish();
  harness.host().RemoveSink(&timeline);
  EXPECT_FALSE(harness.host().Failed()) << harness.host().Error();
  return told.Lines();
}

TEST(TimelineStalls, APollThatHoldsTheScriptIsToldWithItsCauseAndLength) {
  const auto lines = TimelineOf(LoadCharlesModel, 10);
  ASSERT_EQ(lines.size(), 1u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], " 0:00.132  stall of 0.132 s waiting for Charles's model to load");
}

TEST(TimelineStalls, AWaitOfOneFrameIsNoStall) {
  EXPECT_TRUE(TimelineOf(LoadCharlesModel, 10, 1).empty());
}

TEST(TimelineStalls, AFixedPauseIsAStallAndTheFramesOwnYieldIsNot) {
  const auto lines = TimelineOf(
      [] {
        Wait(0);
        Call(NativeId::PlayerPedId);
        Wait(100);
        Call(NativeId::PlayerPedId);
      },
      10);
  ASSERT_EQ(lines.size(), 1u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], " 0:00.165  stall of 0.132 s waiting for a fixed pause of 100 ms");
}

TEST(TimelineStalls, AStallStillGoingAtTheEndIsToldAsSuch) {
  const auto lines = TimelineOf([] { Wait(60000); }, 10);
  ASSERT_EQ(lines.size(), 1u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0],
            " 0:00.330  still stalled after 0.330 s, waiting for a fixed pause of 60000 ms");
}

TEST(TimelineRepeats, ALineAskedForEveryFrameIsToldOnceThenCounted) {
  static const char kLine[] = "SOOTH_HORSE";
  static const char kEmpty[] = "";
  const auto lines = TimelineOf(
      [] {
        const auto player = static_cast<std::uint32_t>(Call(NativeId::PlayerPedId));
        alignas(8) std::uint64_t request[8] = {reinterpret_cast<std::uintptr_t>(kLine),
                                               reinterpret_cast<std::uintptr_t>(kEmpty), 2};
        for (int frame = 0; frame < 6; ++frame) {
          Call(NativeId::PlayPedAmbientSpeechNative,
               {player, reinterpret_cast<std::uintptr_t>(request)});
          Wait(0);
        }
      },
      10);
  ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], " 0:00.000  player says \"SOOTH_HORSE\" (variation 2)");
  EXPECT_EQ(lines[1],
            " 0:00.198  player asked to say \"SOOTH_HORSE\" again in each of the next 5 frames");
}

}  // namespace
