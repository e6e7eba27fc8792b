// The natives of one idle frame in the camp, derived by hand from the behaviour, feature by
// feature: what every frame costs the game when nothing is happening. A read more, or a
// hash recomputed where the behaviour does not ask for one, changes the count and fails here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/scenario/null_game.h"
#include "sim/scenario/simulation.h"

namespace {

using sim::NativeId;

struct Feature {
  std::string name;
  std::vector<NativeId> natives;
};

std::vector<NativeId> Repeat(NativeId id, int times) {
  return std::vector<NativeId>(static_cast<std::size_t>(times), id);
}

// The player in the camp, within 200 of every centre and on no remark spot; everything
// created, no routine step due, no lock-on, no wagon ride.
std::vector<Feature> IdleFrame() {
  using enum NativeId;
  // The player's ped and position are read afresh for every distance.
  const std::vector<NativeId> measure{PlayerPedId, GetEntityCoords, GetDistanceBetweenCoords};
  // Not targeting: each of the four prompt handles is asked after, to delete it if valid.
  const std::vector<NativeId> noLockOn{PlayerId,      PlayerPedId,   IsPlayerTargetingAnything,
                                       PromptIsValid, PromptIsValid, PromptIsValid,
                                       PromptIsValid};
  // Each in-wagon test reads the player's ped afresh.
  const std::vector<NativeId> inWagon{PlayerPedId, IsPedInVehicle};
  return {
      // One point test per spot, seventeen spots; off every spot nothing else is asked.
      {"location remarks", Repeat(IsEntityAtCoord, 17)},
      // One reading of the player serves both distances; the in-wagon test reads it again.
      {"supply wagon",
       {PlayerPedId, GetEntityCoords, GetDistanceBetweenCoords, GetDistanceBetweenCoords,
        PlayerPedId, IsPedInVehicle}},
      {"Sadie's rule", measure},
      {"Charles's rule", measure},
      {"Karen's rule", measure},
      {"Abe's rule", measure},
      // Between steps a routine reads the clock once and stops.
      {"Sadie's routine", {GetGameTimer}},
      {"Charles's routine", {GetGameTimer}},
      {"Karen's routine", {GetGameTimer}},
      {"Abe's routine", {GetGameTimer}},
      {"tent's rule", measure},
      {"camp props", measure},
      {"Karen's conversation", noLockOn},
      {"Charles's conversation", noLockOn},
      {"Sadie's conversation", noLockOn},
      {"ride remarks", inWagon},
      {"ride reset", inWagon},
      {"objective", inWagon},
  };
}

// 17 + 6 + 4 x 3 + 4 x 1 + 3 + 3 + 3 x 7 + 3 x 2.
constexpr std::size_t kIdleFrameCalls = 72;

std::vector<std::string> Names(const std::vector<Feature>& features) {
  std::vector<std::string> names;
  for (const Feature& f : features) {
    for (NativeId id : f.natives) names.emplace_back(sim::SignatureOf(id).name);
  }
  names.emplace_back("wait 0");
  return names;
}

// Where the frame first departs from the expected one, named by feature.
std::string FirstDifference(const std::vector<std::string>& actual) {
  std::size_t at = 0;
  for (const Feature& f : IdleFrame()) {
    for (NativeId id : f.natives) {
      const std::string want = sim::SignatureOf(id).name;
      if (at >= actual.size()) return f.name + ": the frame ends before " + want;
      if (actual[at] != want) {
        return f.name + ": call " + std::to_string(at + 1) + " is " + actual[at] + ", expected " +
               want;
      }
      ++at;
    }
  }
  return at < actual.size() ? "after the objective: " + actual[at] : "no difference";
}

TEST(IdleFrame, TheHandDerivedCountAddsUp) {
  std::size_t total = 0;
  for (const Feature& f : IdleFrame()) total += f.natives.size();
  EXPECT_EQ(total, kIdleFrameCalls);
}

// Frames of the simulated world with the player standing in the camp, once every companion
// has taken its first step and before any second step is due (ten seconds at the least).
TEST(IdleFrame, InTheCampEveryIdleFrameMakesExactlyTheCallsTheBehaviourRequires) {
  sim::SimulationOptions options;
  options.world.playerStart = {-1625.0f, -1390.0f, 82.0f};
  sim::Simulation sim(options);
  ASSERT_TRUE(sim.Loaded()) << sim.Error();
  sim.RunFor(4000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  for (const char* name : {"Charles", "Sadie", "Karen", "Abe"}) {
    const sim::Handle ped = sim.world().FindPedNamed(name);
    ASSERT_NE(ped, 0) << name << " is not in the camp";
    bool spoke = false;
    for (const sim::SpokenLine& line : sim.world().Spoken()) spoke |= line.speaker == ped;
    ASSERT_TRUE(spoke) << name << " has not taken a first step yet";
  }
  ASSERT_EQ(sim.world().LivePrompts().size(), 0u);

  const std::size_t from = sim.recorder().Size();
  const std::uint64_t firstFrame = sim.FrameNumber() + 1;
  constexpr int kFrames = 90;  // three seconds
  sim.RunFrames(kFrames);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  std::vector<std::vector<std::string>> frames(kFrames);
  const auto& events = sim.recorder().Events();
  for (std::size_t i = from; i < events.size(); ++i) {
    const auto& e = events[i];
    frames[e.frame - firstFrame].push_back(e.isWait ? "wait " + std::to_string(e.waitMs)
                                                    : std::string(e.Name()));
  }
  const std::vector<std::string> expected = Names(IdleFrame());
  for (int f = 0; f < kFrames; ++f) {
    const auto& actual = frames[static_cast<std::size_t>(f)];
    EXPECT_EQ(actual.size(), kIdleFrameCalls + 1) << "frame " << firstFrame + f;
    ASSERT_EQ(actual, expected) << "frame " << firstFrame + f << ": " << FirstDifference(actual);
  }
}

// The benchmarks' null game must hold the plugin in that same frame, or they would time
// something else.
TEST(IdleFrame, TheNullGameHoldsThePluginInTheSameIdleFrame) {
  sim::NullRun run;
  ASSERT_TRUE(run.Ok()) << run.Error();
  sim::Recorder recorder;
  run.host().AddSink(&recorder);
  constexpr int kFrames = 50;
  const std::uint64_t callsBefore = run.host().CallCount();
  for (int i = 0; i < kFrames; ++i) run.Frame();
  run.host().RemoveSink(&recorder);
  ASSERT_TRUE(run.Ok()) << run.Error();
  EXPECT_EQ(run.host().CallCount() - callsBefore, kIdleFrameCalls * kFrames);

  const std::vector<std::string> expected = Names(IdleFrame());
  const std::vector<std::string> all = recorder.Sequence();
  ASSERT_EQ(all.size(), expected.size() * kFrames);
  for (int f = 0; f < kFrames; ++f) {
    const auto begin = all.begin() + static_cast<std::ptrdiff_t>(expected.size()) * f;
    const std::vector<std::string> frame(begin,
                                         begin + static_cast<std::ptrdiff_t>(expected.size()));
    ASSERT_EQ(frame, expected) << "frame " << f << ": " << FirstDifference(frame);
  }
}

}  // namespace
