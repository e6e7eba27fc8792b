// The companions' routines: every step of the four tables, Charles's waits for a scenario,
// and due times that hold through a stalled frame loop and a wrapping game clock.
#include <gtest/gtest.h>

#include <climits>
#include <numeric>
#include <string>
#include <vector>

#include "companions/companion_fixture.h"

namespace campfire_test {
namespace {

constexpr std::int32_t kFrameMs = 33;
constexpr float kScenarioRadius = 1.0f;

struct Follow {
  const CompanionFacts* companion;
  const ExpectedRoutine* routine;
};

constexpr Follow kFollows[] = {
    {&kCharles, &kCharlesRoutine},
    {&kSadie, &kSadieRoutine},
    {&kKaren, &kKarenRoutine},
    {&kAbe, &kAbeRoutine},
};

sim::Handle FirstPedOf(const CampRun& run, const CompanionFacts& c) {
  const auto created = CallsWithFirstArg(run.log, NativeId::CreatePed, c.model);
  return created.empty() ? 0 : created.front()->ResultInt();
}

void AddScenarioPoints(sim::World& world) {
  world.AddScenarioPoint(charles_points::E, kScenarioRadius, sim::JoaatHash("PROP_CHOPPING"));
  world.AddScenarioPoint(charles_points::F, kScenarioRadius, sim::JoaatHash("PROP_SEATED"));
}

// Which companions spoke, in order, in the frame of this ped's first line.
std::vector<std::string> SpeakersInFrameOf(CampRun& run, sim::Handle ped) {
  const auto lines = SpeechOf(run.log, ped);
  if (lines.empty()) return {};
  std::vector<std::string> speakers;
  for (const sim::Event* e : run.log.Calls(NativeId::PlayPedAmbientSpeechNative)) {
    if (e->frame != lines.front()->frame) continue;
    const sim::Entity* speaker = run.world().Find(static_cast<sim::Handle>(e->args[0].i));
    if (speaker != nullptr) speakers.push_back(speaker->name);
  }
  return speakers;
}

// One long stay in the camp: each companion goes once round its table and starts it again.
TEST(CompanionRoutines, EveryStepOfEachTableActsInOrderAfterItsDelay) {
  CampRun run({.playerStart = kInCamp}, RoutineLog());
  AddScenarioPoints(run.world());
  run.sim.RunFor(1'340'000);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  for (const Follow& f : kFollows) {
    SCOPED_TRACE(f.companion->name);
    const sim::Handle ped = FirstPedOf(run, *f.companion);
    ASSERT_NE(ped, 0);
    const auto steps = StepsActed(FollowRoutine(run.log, ped, *f.routine, kFrameMs));
    // Every step once, in table order, then round again to step 0.
    std::vector<std::int32_t> cycle(f.routine->steps.size());
    std::iota(cycle.begin(), cycle.end(), 0);
    cycle.push_back(0);
    ASSERT_GE(steps.size(), cycle.size());
    EXPECT_EQ(std::vector<std::int32_t>(steps.begin(), steps.begin() + cycle.size()), cycle);
  }
}

// Steps 8 and 10 speak their line again and resend Charles every 5000 ms until he uses a
// scenario; then the step moves on with no new task.
TEST(CharlesRoutine, StepsEightAndTenRetryUntilHeUsesAScenario) {
  CampRun run({.playerStart = kInCamp}, RoutineLog());
  run.sim.RunFrames(40);
  const sim::Handle charles = FirstPedOf(run, kCharles);
  ASSERT_NE(charles, 0);
  auto spoken = [&](const char* line) {
    int count = 0;
    for (const sim::Event* e : SpeechOf(run.log, charles)) count += e->args[1].lineName == line;
    return count;
  };
  constexpr int kTries = 4;  // tests made before the scenario point exists

  ASSERT_TRUE(
      run.RunUntil([&] { return spoken("GREET_PLAYER_CHOPPING_WOOD") == kTries; }, 600'000));
  run.world().AddScenarioPoint(charles_points::E, kScenarioRadius, sim::JoaatHash("PROP_A"));
  ASSERT_TRUE(run.RunUntil([&] { return spoken("CAMP_GOODBYE_DOWN") == kTries; }, 300'000));
  run.world().AddScenarioPoint(charles_points::F, kScenarioRadius, sim::JoaatHash("PROP_B"));
  ASSERT_TRUE(run.RunUntil([&] { return spoken("GREET_ABIGAIL") == 1; }, 300'000));
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  const auto seen = FollowRoutine(run.log, charles, kCharlesRoutine, kFrameMs);
  std::vector<std::int32_t> retried;
  for (const StepSeen& s : seen) {
    if (s.retry) retried.push_back(s.step);
  }
  // Four failed tests before the point was there, and one more whose walk then found it.
  EXPECT_EQ(retried, (std::vector<std::int32_t>{8, 8, 8, 8, 8, 10, 10, 10, 10, 10}));
  EXPECT_EQ(StepsActed(seen), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

// A creation that waits for a model that never loads holds the whole frame loop for ten
// seconds; two of them hold it for twenty. Karen's and Abe's first steps are overdue by
// then, yet each acts once and the next comes only after its own delay.
TEST(CompanionRoutines, AfterALongStallOnlyOneStepActsPerCall) {
  CampRun run({.playerStart = kInCamp}, RoutineLog());
  run.world().NeverLoads(kSadie.model);
  run.world().NeverLoads(kCharles.model);
  run.sim.RunFor(150'000);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  for (const Follow& f : {kFollows[2], kFollows[3]}) {
    SCOPED_TRACE(f.companion->name);
    const auto creation = CreationOf(run.log, f.companion->model);
    ASSERT_FALSE(creation.empty());
    const sim::Handle ped = CreatedPed(creation);
    const auto seen = FollowRoutine(run.log, ped, *f.routine, kFrameMs);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_GE(ClockGap(seen[0].clock, creation.back()->clock), 20'000u) << "acted after the stall";
    int inThatFrame = 0;
    for (const sim::Event* e : SpeechOf(run.log, ped)) {
      inThatFrame += e->clock == seen[0].clock;
    }
    EXPECT_EQ(inThatFrame, 1);
  }
  // Both act in the frame after the stall, Karen first.
  EXPECT_EQ(SpeakersInFrameOf(run, FirstPedOf(run, kKaren)),
            (std::vector<std::string>{"Karen", "Abe"}));
}

// Sadie, Charles and Karen are made in one pass; Abe's model then holds the frame for ten
// seconds, after which the three others are all due in the same call of the dispatcher.
TEST(CompanionRoutines, TheRoutinesOfOneFrameRunSadieCharlesKarenAbe) {
  CampRun run({.playerStart = kFarAway}, RoutineLog());
  run.world().NeverLoads(kAbe.model);
  run.sim.RunFor(12'000);
  run.sim.Teleport(kInCamp);
  run.sim.RunFor(12'000);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
  EXPECT_EQ(SpeakersInFrameOf(run, FirstPedOf(run, kSadie)),
            (std::vector<std::string>{"Sadie", "Charles", "Karen"}));
}

// The game clock is a signed 32-bit count that wraps; due times set just before the wrap
// must still lie their full delay ahead.
TEST(CompanionRoutines, DueTimesHoldWhileTheGameClockWraps) {
  CampRun run({.playerStart = kInCamp, .startClock = INT32_MAX - 3000}, RoutineLog());
  run.sim.RunFor(135'000);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  for (const Follow& f : kFollows) {
    SCOPED_TRACE(f.companion->name);
    const auto seen = FollowRoutine(run.log, FirstPedOf(run, *f.companion), *f.routine, kFrameMs);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_GT(seen[0].clock, 0) << "step 0 before the wrap";
    EXPECT_LT(seen[1].clock, 0) << "step 1 after it";
    EXPECT_EQ(seen[1].step, 1);
  }
}

}  // namespace
}  // namespace campfire_test
