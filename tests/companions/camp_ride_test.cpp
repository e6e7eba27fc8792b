// Ten minutes of play: the player rides into the camp, stays, and rides away again.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "companions/companion_fixture.h"

namespace campfire_test {
namespace {

// Far enough east of the camp that every home is more than 260 units away.
constexpr sim::Vec3 kRideStart{-1130.0f, -1380.0f, 83.0f};
constexpr float kRidePace = 8.0f;
constexpr std::int32_t kStayMs = 480'000;

TEST(CampRide, TheCompanionsLiveWhileThePlayerStaysAndLeaveNothingBehind) {
  for (const CompanionFacts& c : kCompanions) {
    ASSERT_GT(sim::Distance(kRideStart, c.home), 260.0f) << c.name;
  }
  CampRun run({.playerStart = kRideStart},
              CallLog{NativeId::CreatePed, NativeId::DeleteEntity, NativeId::DismissPed});
  ASSERT_TRUE(run.sim.MoveTo(kInCamp, kRidePace));
  run.sim.RunFrames(60);

  std::map<std::string, sim::Handle> peds;
  std::map<std::string, sim::Vec3> arrivedAt;
  std::map<std::string, float> farthest;
  for (const CompanionFacts& c : kCompanions) {
    peds[c.name] = run.world().FindPedNamed(c.name);
    ASSERT_NE(peds[c.name], 0) << c.name << " is in the camp";
    arrivedAt[c.name] = run.world().Find(peds[c.name])->position;
  }
  for (std::int32_t stayed = 0; stayed < kStayMs; stayed += 10'000) {
    run.sim.RunFor(10'000);
    for (const CompanionFacts& c : kCompanions) {
      const sim::Entity* e = run.world().Find(peds[c.name]);
      ASSERT_NE(e, nullptr) << c.name << " stays while the player does";
      farthest[c.name] = std::max(farthest[c.name], sim::Distance(arrivedAt[c.name], e->position));
    }
  }
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  for (const CompanionFacts& c : kCompanions) {
    SCOPED_TRACE(c.name);
    EXPECT_GT(farthest[c.name], 5.0f) << "walks the camp";
    int lines = 0;
    for (const sim::SpokenLine& line : run.world().Spoken()) lines += line.speaker == peds[c.name];
    EXPECT_GE(lines, 3) << "speaks";
  }

  ASSERT_TRUE(run.sim.MoveTo(kRideStart, kRidePace));
  run.sim.RunFrames(30);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  for (const sim::Entity* e : run.world().Entities()) {
    for (const CompanionFacts& c : kCompanions) EXPECT_NE(e->name, c.name) << "still in the world";
  }
  for (const CompanionFacts& c : kCompanions) {
    const NativeId removal =
        c.model == kSadie.model ? NativeId::DismissPed : NativeId::DeleteEntity;
    EXPECT_EQ(CallsWithFirstArg(run.log, removal, peds[c.name]).size(), 1u) << c.name;
  }
  EXPECT_TRUE(run.world().UnreleasedRequests().empty());
}

}  // namespace
}  // namespace campfire_test
