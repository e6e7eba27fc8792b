// The host may restart its scripts without a reload: the script is dropped where it stands
// and called again, with everything the earlier start made still in the world. The camp
// must never hold two of anything, and riding away must leave nothing behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "reliability/fault_fixture.h"
#include "reliability/reload_fixture.h"

namespace reliability_test {
namespace {

// Everything in the world but the player's ped, and every prompt and blip.
std::string Leftovers(FaultRun& run) {
  std::string left;
  for (const sim::Entity* e : run.world().Entities()) {
    if (e->handle != run.world().PlayerPed()) left += " entity " + std::to_string(e->handle);
  }
  for (sim::Handle p : run.world().LivePrompts()) left += " prompt " + std::to_string(p);
  for (sim::Handle b : run.world().LiveBlips()) left += " blip " + std::to_string(b);
  return left;
}

void ExpectNothingTwiceAndNothingOrphaned(const std::function<void(FaultRun&)>& before) {
  FaultRun run;
  Furnish(run.world());
  before(run);
  run.sim.Restart();
  run.RunFor(3000);
  run.ExpectHealthy();
  run.RunFor(60000);
  run.ExpectHealthy();
  EXPECT_EQ(run.Tents(), 1);
  EXPECT_EQ(run.Props(), static_cast<int>(campsim::kPropCount));
  for (const campsim::CompanionInfo& c : campsim::kCompanions) {
    EXPECT_LE(run.LivingPedsOf(c.model), 1) << c.name;
  }

  run.Visit(kFarAway, 5000);
  EXPECT_EQ(Leftovers(run), "");
  run.Visit(kInCamp, 5000);
  run.ExpectHealthy();
}

TEST(FaultMatrix, RestartAtTheCampLeavesOneOfEverything) {
  ExpectNothingTwiceAndNothingOrphaned([](FaultRun& run) {
    run.RunFor(60000);
    ASSERT_EQ(run.Tents(), 1);
  });
}

TEST(FaultMatrix, RestartDuringAnExchangeLeavesOneOfEverything) {
  ExpectNothingTwiceAndNothingOrphaned([](FaultRun& run) {
    run.Visit(East(Facts("Charles").home, 3.0f), 3000);
    ASSERT_TRUE(run.sim.Target("Charles"));
    run.sim.Hold("INPUT_CONTEXT_A", 800);
    run.RunFor(2000);
    ASSERT_FALSE(run.world().LivePrompts().empty());
  });
}

TEST(FaultMatrix, RestartDuringACreationLeavesOneOfEverything) {
  ExpectNothingTwiceAndNothingOrphaned([](FaultRun& run) {
    run.Visit(kFarAway, 3000);
    run.Visit(East(Facts("Charles").home, 5.0f), 50);
  });
}

TEST(FaultMatrix, RestartWhileDrivingTheWagonLeavesOneOfEverything) {
  ExpectNothingTwiceAndNothingOrphaned([](FaultRun& run) {
    run.RunFor(3000);
    run.sim.Teleport(East(sim::places::kWagonSpot, 2.0f));
    ASSERT_TRUE(run.sim.BoardWagon());
    run.RunFor(3000);
    run.sim.Leave();
  });
}

// A reload and a restart one after the other, then another of each.
TEST(FaultMatrix, ReloadsAndRestartsInTurnLeaveOneOfEverything) {
  FaultRun run;
  for (int i = 0; i < 2; ++i) {
    run.RunFor(20000);
    run.sim.Reload();
    run.RunFor(20000);
    run.sim.Restart();
    run.RunFor(5000);
    run.ExpectHealthy();
  }
  run.Visit(kFarAway, 5000);
  EXPECT_EQ(Leftovers(run), "");
}

}  // namespace
}  // namespace reliability_test
