// Peds and vehicles the plugin releases to the game (a dismissed Sadie, a delivered wagon)
// stay in the world until the player is far from them. The camp must never hold two of
// either, however the player comes and goes.
#include <gtest/gtest.h>

#include <algorithm>

#include "reliability/fault_fixture.h"

namespace reliability_test {
namespace {

// Wagons standing within a few units of the wagon's spot.
int WagonsAtTheSpot(FaultRun& run) {
  int wagons = 0;
  for (sim::Handle h : run.world().EntitiesOfModel(sim::JoaatHash(sim::places::kWagonModel))) {
    const sim::Entity* e = run.world().Find(h);
    wagons += e != nullptr && sim::Distance(e->position, sim::places::kWagonSpot) < 5.0f;
  }
  return wagons;
}

int Sadies(FaultRun& run) { return run.LivingPedsOf(Facts("Sadie").model); }

// Frame by frame, the most of each seen at once.
struct Most {
  int wagons = 0;
  int sadies = 0;
};

void Watch(FaultRun& run, Most& most) {
  most.wagons = std::max(most.wagons, WagonsAtTheSpot(run));
  most.sadies = std::max(most.sadies, Sadies(run));
}

void RideWatching(FaultRun& run, sim::Vec3 to, float speed, Most& most) {
  while (!run.world().StepPlayerToward(to, speed) && !run.sim.Failed()) {
    run.sim.Frame();
    Watch(run, most);
  }
}

void WaitWatching(FaultRun& run, std::int32_t ms, Most& most) {
  const std::int32_t start = run.sim.Clock();
  while (ClockGap(run.sim.Clock(), start) < static_cast<std::uint32_t>(ms) && !run.sim.Failed()) {
    run.sim.Frame();
    Watch(run, most);
  }
}

// Just past 250 from the wagon's spot the wagon is left behind, but the player is still
// within the game's release range of it: a released wagon would still stand there.
TEST(FaultMatrix, RidingJustBeyondTheWagonsReachAndBackNeverGivesTwoWagonsOrTwoSadies) {
  FaultRun run;
  Most most;
  WaitWatching(run, 3000, most);
  ASSERT_EQ(WagonsAtTheSpot(run), 1);
  ASSERT_EQ(Sadies(run), 1);
  const sim::Vec3 justBeyond = East(sim::places::kWagonSpot, 260.0f);
  for (int round = 0; round < 3; ++round) {
    RideWatching(run, justBeyond, 20.0f, most);
    WaitWatching(run, 1000, most);
    EXPECT_EQ(WagonsAtTheSpot(run), 0) << "round " << round;
    RideWatching(run, kInCamp, 20.0f, most);
    WaitWatching(run, 3000, most);
    EXPECT_EQ(WagonsAtTheSpot(run), 1) << "round " << round;
    EXPECT_EQ(Sadies(run), 1) << "round " << round;
  }
  EXPECT_EQ(most.wagons, 1);
  EXPECT_EQ(most.sadies, 1);
  run.ExpectHealthy();
}

TEST(FaultMatrix, HoveringAtSadiesThresholdForAMinuteNeverGivesTwoSadies) {
  const sim::Vec3 home = Facts("Sadie").home;
  FaultRun run({.playerStart = East(home, 205.0f)});
  Most most;
  const std::int32_t start = run.sim.Clock();
  while (ClockGap(run.sim.Clock(), start) < 60000 && !run.sim.Failed()) {
    RideWatching(run, East(home, 198.0f), 3.0f, most);
    WaitWatching(run, 500, most);
    RideWatching(run, East(home, 202.0f), 3.0f, most);
    WaitWatching(run, 500, most);
  }
  EXPECT_GE(run.watch.CallsWith(NativeId::CreatePed, Facts("Sadie").model).size(), 5u);
  EXPECT_EQ(most.sadies, 1);
  run.ExpectHealthy();
}

// The player reaches the fence without the wagon (a fast travel): it still counts as
// delivered, but the wagon standing at the camp is taken away, not left there. In a game
// that keeps released vehicles even at the fence's distance, a released one would still
// stand at the spot when the player came back.
TEST(FaultMatrix, FastTravelToTheFenceLeavesNoWagonBehindAtTheCamp) {
  FaultRun run({.releaseRange = 10000.0f});
  run.RunFor(3000);
  const sim::Handle wagon = run.sim.Wagon();
  ASSERT_NE(wagon, 0);
  run.Visit(East(sim::places::kFence, 10.0f), 1000);
  EXPECT_EQ(run.world().Find(wagon), nullptr);
  EXPECT_TRUE(run.world().LiveBlips().empty());
  run.Visit(East(sim::places::kWagonSpot, 250.0f + 20.0f), 1000);
  run.Visit(kInCamp, 3000);
  EXPECT_EQ(WagonsAtTheSpot(run), 1);
  run.ExpectHealthy();
}

// Delivered at the fence, the wagon is removed there with its blip: a wagon left standing
// could be boarded again and driven back to the spot, where a fresh one would stand beside
// it.
TEST(FaultMatrix, ADeliveredWagonIsGoneSoItCannotBeDrivenBackBesideANewOne) {
  FaultRun run;
  run.RunFor(3000);
  const sim::Handle wagon = run.sim.Wagon();
  ASSERT_NE(wagon, 0);
  run.sim.Teleport(East(sim::places::kWagonSpot, 2.0f));
  ASSERT_TRUE(run.sim.BoardWagon());
  run.RunFor(10000);
  ASSERT_TRUE(run.sim.MoveTo(East(sim::places::kFence, 20.0f), 400.0f));
  run.sim.Leave();
  run.RunFor(1000);
  EXPECT_EQ(run.world().Find(wagon), nullptr);
  EXPECT_TRUE(run.world().LiveBlips().empty());
  Most most;
  if (run.sim.BoardWagon()) RideWatching(run, kInCamp, 400.0f, most);
  run.sim.Leave();
  run.Visit(kInCamp, 3000);
  WaitWatching(run, 3000, most);
  EXPECT_EQ(most.wagons, 1);
  EXPECT_EQ(run.world().EntitiesOfModel(sim::JoaatHash(sim::places::kWagonModel)).size(), 1u);
  run.ExpectHealthy();
}

}  // namespace
}  // namespace reliability_test
