// The game reloads (a saved game loaded, a checkpoint retried) wherever the script stands:
// the host drops it and calls it again, in a world where everything scripts made is gone.
// From then on the plugin must act exactly as if it had just been loaded there.
#include <gtest/gtest.h>

#include "reliability/reload_fixture.h"
#include "sim/scenario/camp_places.h"

namespace reliability_test {
namespace {

constexpr sim::Vec3 kCamp{-1630.0f, -1380.0f, 83.0f};
constexpr sim::Vec3 kFar{-1000.0f, -1000.0f, 80.0f};
constexpr sim::Vec3 kCharlesHome = sim::places::kCharlesHome;

sim::Vec3 East(sim::Vec3 p, float units) { return {p.x + units, p.y, p.z}; }

void BoardTheWagon(sim::Simulation& sim) {
  sim.RunFor(3000);
  sim.Teleport(East(sim::places::kWagonSpot, 2.0f));
  ASSERT_TRUE(sim.BoardWagon());
}

// After the reload the player stays a while, rides off and comes back.
void StayLeaveAndReturn(sim::Simulation& sim) {
  sim.RunFor(40000);
  sim.MoveTo(kFar, 40.0f);
  sim.RunFor(2000);
  sim.MoveTo(kCamp, 40.0f);
  sim.RunFor(20000);
}

TEST(Reload, AtTheCampActsAsAFreshLoad) {
  ExpectReloadActsAsAFreshLoad({
      .before = [](sim::Simulation& sim) { sim.RunFor(90000); },
      .after = StayLeaveAndReturn,
  });
}

TEST(Reload, FarAwayActsAsAFreshLoadAndTheCampComesBackOnTheWayIn) {
  ExpectReloadActsAsAFreshLoad({
      .before =
          [](sim::Simulation& sim) {
            sim.RunFor(30000);
            sim.MoveTo(kFar, 40.0f);
            sim.RunFor(5000);
          },
      .reloadAt = kFar,
      .after =
          [](sim::Simulation& sim) {
            sim.RunFor(3000);
            sim.MoveTo(kCamp, 20.0f);
            sim.RunFor(30000);
          },
  });
}

// Reloaded at the camp from far away: props, wagon and companions all come at once.
TEST(Reload, IntoTheCampFromFarAwayBringsEverythingBack) {
  ExpectReloadActsAsAFreshLoad({
      .start = kFar,
      .before = [](sim::Simulation& sim) { sim.RunFor(20000); },
      .reloadAt = kCamp,
      .after = StayLeaveAndReturn,
  });
}

// In the wagon, in the middle of the ride remarks' pause.
TEST(Reload, WhileDrivingTheWagonActsAsAFreshLoad) {
  ExpectReloadActsAsAFreshLoad({
      .before =
          [](sim::Simulation& sim) {
            BoardTheWagon(sim);
            sim.RunFor(2000);
            sim.MoveTo(East(sim::places::kWagonSpot, 150.0f), 10.0f);
          },
      .after = StayLeaveAndReturn,
  });
}

// Between two lines of an exchange with Charles, while the script waits for a line to end.
TEST(Reload, DuringAnExchangeActsAsAFreshLoad) {
  ExpectReloadActsAsAFreshLoad({
      .before =
          [](sim::Simulation& sim) {
            sim.Teleport(East(kCharlesHome, 3.0f));
            sim.RunFor(3000);
            ASSERT_TRUE(sim.Target("Charles"));
            sim.Hold("INPUT_CONTEXT_A", 800);
            sim.RunFor(3000);
            ASSERT_TRUE(sim.world().IsSpeaking(sim.world().FindPedNamed("Charles")) ||
                        sim.world().IsSpeaking(sim.world().PlayerPed()));
          },
      .after =
          [](sim::Simulation& sim) {
            sim.RunFor(5000);
            ASSERT_TRUE(sim.Target("Charles"));
            sim.Hold("INPUT_CONTEXT_A", 800);
            sim.RunFor(20000);
            sim.ReleaseTarget();
            StayLeaveAndReturn(sim);
          },
  });
}

// While a companion's model is still loading: the creation is cut off half-way.
TEST(Reload, DuringACreationsLoadingWaitActsAsAFreshLoad) {
  ExpectReloadActsAsAFreshLoad({
      .start = kFar,
      .loadPolls = 40,
      .before =
          [](sim::Simulation& sim) {
            sim.RunFor(30000);
            sim.Teleport(East(kCharlesHome, 5.0f));
            sim.RunFor(300);
            ASSERT_TRUE(sim.host().Waiting());
          },
      .after = StayLeaveAndReturn,
  });
}

TEST(Reload, RightAfterADeliveryActsAsAFreshLoad) {
  ExpectReloadActsAsAFreshLoad({
      .before =
          [](sim::Simulation& sim) {
            BoardTheWagon(sim);
            sim.RunFor(10000);
            ASSERT_TRUE(sim.MoveTo(East(sim::places::kFence, 20.0f), 400.0f));
            sim.Leave();
            sim.RunFor(500);
            ASSERT_EQ(sim.world().LiveBlips().size(), 0u);
          },
      .after =
          [](sim::Simulation& sim) {
            sim.RunFor(5000);
            sim.MoveTo(kCamp, 400.0f);
            sim.RunFor(30000);
          },
  });
}

}  // namespace
}  // namespace reliability_test
