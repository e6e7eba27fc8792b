// When the companions come and go as the player moves around the camp.
#include <gtest/gtest.h>

#include <cstddef>

#include "companions/companion_fixture.h"

namespace campfire_test {
namespace {

std::size_t Creations(const CampRun& run, const CompanionFacts& c) {
  return CallsWithFirstArg(run.log, NativeId::CreatePed, c.model).size();
}

// Charles, Karen and Abe keep a band: created below 200, deleted only beyond 250.
TEST(CompanionProximity, TheBandCompanionsAreNotCreatedAt200NorDeletedAt250) {
  for (const CompanionFacts& c : {kCharles, kKaren, kAbe}) {
    SCOPED_TRACE(std::string(c.name) + kHomesNote);
    CampRun run({.playerStart = kFarAway});
    run.sim.RunFrames(30);  // Karen and Abe, made at setup, are deleted again
    const std::size_t atSetup = Creations(run, c);
    ASSERT_EQ(run.world().FindPedNamed(c.name), 0);

    run.sim.Teleport(East(c.home, 200.0f));
    ASSERT_EQ(run.sim.PlayerDistanceTo(c.home), 200.0f);
    run.sim.RunFrames(30);
    EXPECT_EQ(Creations(run, c), atSetup);
    EXPECT_EQ(run.world().FindPedNamed(c.name), 0);

    run.sim.Teleport(East(c.home, 199.0f));
    run.sim.RunFrames(60);  // others near this spot may be made first
    ASSERT_EQ(Creations(run, c), atSetup + 1);
    const sim::Handle ped = run.world().FindPedNamed(c.name);
    ASSERT_NE(ped, 0);

    run.sim.Teleport(East(c.home, 250.0f));
    ASSERT_EQ(run.sim.PlayerDistanceTo(c.home), 250.0f);
    run.sim.RunFrames(30);
    EXPECT_NE(run.world().Find(ped), nullptr);
    EXPECT_TRUE(CallsWithFirstArg(run.log, NativeId::DeleteEntity, ped).empty());

    run.sim.Teleport(East(c.home, 251.0f));
    run.sim.RunFrames(2);
    EXPECT_EQ(CallsWithFirstArg(run.log, NativeId::DeleteEntity, ped).size(), 1u);
    EXPECT_EQ(run.world().Find(ped), nullptr);
    ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
  }
}

TEST(CompanionProximity, SadieIsNotCreatedAt200AndIsDismissedThere) {
  CampRun run({.playerStart = East(kSadie.home, 200.0f)});
  ASSERT_EQ(run.sim.PlayerDistanceTo(kSadie.home), 200.0f);
  run.sim.RunFrames(30);
  EXPECT_EQ(Creations(run, kSadie), 0u);

  run.sim.Teleport(East(kSadie.home, 199.0f));
  run.sim.RunFrames(30);
  const sim::Handle sadie = run.world().FindPedNamed("Sadie");
  ASSERT_NE(sadie, 0);

  run.sim.Teleport(East(kSadie.home, 200.0f));
  run.sim.RunFrames(2);
  EXPECT_EQ(CallsWithFirstArg(run.log, NativeId::DismissPed, sadie).size(), 1u);
  EXPECT_TRUE(CallsWithFirstArg(run.log, NativeId::DeleteEntity, sadie).empty());
  // Released, not removed: she stays until the game clears her.
  ASSERT_NE(run.world().Find(sadie), nullptr);
  EXPECT_TRUE(run.world().Find(sadie)->released);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
}

TEST(CompanionProximity, CharlesStaysAsHeWasWhileThePlayerMovesBetween210And240) {
  CampRun run({.playerStart = East(kCharles.home, 240.0f)});
  auto wander = [&] {
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(run.sim.MoveTo(East(kCharles.home, 210.0f), 8.0f));
      ASSERT_TRUE(run.sim.MoveTo(East(kCharles.home, 240.0f), 8.0f));
    }
  };
  wander();
  EXPECT_EQ(Creations(run, kCharles), 0u) << "absent stays absent";

  ASSERT_TRUE(run.sim.MoveTo(East(kCharles.home, 195.0f), 8.0f));
  run.sim.RunFrames(30);
  const sim::Handle charles = run.world().FindPedNamed("Charles");
  ASSERT_NE(charles, 0);
  wander();
  EXPECT_EQ(Creations(run, kCharles), 1u) << "present stays present";
  EXPECT_TRUE(CallsWithFirstArg(run.log, NativeId::DeleteEntity, charles).empty());
  EXPECT_NE(run.world().Find(charles), nullptr);

  ASSERT_TRUE(run.sim.MoveTo(East(kCharles.home, 260.0f), 8.0f));
  run.sim.RunFrames(2);
  EXPECT_EQ(run.world().Find(charles), nullptr);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
}

TEST(CompanionProximity, SadieComesAndGoesAsThePlayerMovesBetween195And205) {
  CampRun run({.playerStart = East(kSadie.home, 205.0f)});
  constexpr int kVisits = 3;
  for (int i = 0; i < kVisits; ++i) {
    ASSERT_TRUE(run.sim.MoveTo(East(kSadie.home, 195.0f), 8.0f));
    run.sim.RunFrames(15);
    ASSERT_NE(run.world().FindPedNamed("Sadie"), 0) << "visit " << i;
    EXPECT_EQ(run.world().EntitiesOfModel(kSadie.model).size(), 1u) << "visit " << i;
    ASSERT_TRUE(run.sim.MoveTo(East(kSadie.home, 205.0f), 8.0f));
    run.sim.RunFrames(2);
    const sim::Entity* left = run.world().Find(run.world().FindPedNamed("Sadie"));
    ASSERT_NE(left, nullptr) << "visit " << i;
    EXPECT_TRUE(left->released) << "visit " << i;
  }
  const auto created = CallsWithFirstArg(run.log, NativeId::CreatePed, kSadie.model);
  const auto dismissed = run.log.Calls(NativeId::DismissPed);
  const auto deleted = run.log.Calls(NativeId::DeleteEntity);
  ASSERT_EQ(created.size(), static_cast<std::size_t>(kVisits));
  ASSERT_EQ(dismissed.size(), static_cast<std::size_t>(kVisits));
  for (int i = 0; i < kVisits; ++i) {
    EXPECT_EQ(dismissed[i]->args[0].i, created[i]->ResultInt()) << "each Sadie is dismissed";
  }
  // The dismissed Sadie, still in the camp, is deleted before the next one is made.
  std::size_t deletedSadies = 0;
  for (const auto* d : deleted) {
    for (int i = 0; i + 1 < kVisits; ++i) deletedSadies += d->args[0].i == created[i]->ResultInt();
  }
  EXPECT_EQ(deletedSadies, static_cast<std::size_t>(kVisits - 1));
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
}

// A ped the game removed on its own: leaving clears the companion without a delete, and the
// next approach makes a new one.
TEST(CompanionProximity, AVanishedCompanionIsCreatedAnewOnTheNextApproach) {
  for (const CompanionFacts& c : {kCharles, kKaren, kAbe}) {
    SCOPED_TRACE(c.name);
    CampRun run({.playerStart = kInCamp});
    run.sim.RunFrames(60);
    const sim::Handle gone = run.world().FindPedNamed(c.name);
    ASSERT_NE(gone, 0);
    const std::size_t before = Creations(run, c);

    run.world().Vanish(gone);
    run.sim.Teleport(kFarAway);
    run.sim.RunFrames(5);
    EXPECT_TRUE(CallsWithFirstArg(run.log, NativeId::DeleteEntity, gone).empty());

    run.sim.Teleport(kInCamp);
    run.sim.RunFrames(60);
    EXPECT_EQ(Creations(run, c), before + 1);
    const sim::Handle back = run.world().FindPedNamed(c.name);
    EXPECT_NE(back, 0);
    EXPECT_NE(back, gone);
    ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
  }
}

// Sadie too: a ped that vanished must not leave her marked present for good.
TEST(CompanionProximity, SadieWhosePedVanishedComesBackOnTheNextApproach) {
  CampRun run({.playerStart = kInCamp});
  run.sim.RunFrames(60);
  const sim::Handle gone = run.world().FindPedNamed("Sadie");
  ASSERT_NE(gone, 0);

  run.world().Vanish(gone);
  run.sim.Teleport(East(kSadie.home, 200.0f));
  run.sim.RunFrames(5);
  EXPECT_TRUE(CallsWithFirstArg(run.log, NativeId::DismissPed, gone).empty());

  run.sim.Teleport(kInCamp);
  run.sim.RunFrames(30);
  EXPECT_EQ(Creations(run, kSadie), 2u);
  const sim::Handle back = run.world().FindPedNamed("Sadie");
  EXPECT_NE(back, 0);
  EXPECT_NE(back, gone);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();
}

TEST(CompanionProximity, ARemovedCompanionStartsItsRoutineAgainFromStepZero) {
  CampRun run({.playerStart = kInCamp}, RoutineLog());
  run.sim.RunFor(15000);  // Karen is past her first two steps
  run.sim.Teleport(kFarAway);
  run.sim.RunFrames(5);
  run.sim.Teleport(kInCamp);
  run.sim.RunFor(3000);
  ASSERT_FALSE(run.sim.Failed()) << run.sim.Error();

  const auto created = CallsWithFirstArg(run.log, NativeId::CreatePed, kKaren.model);
  ASSERT_EQ(created.size(), 2u);
  const auto second = FollowRoutine(run.log, created[1]->ResultInt(), kKarenRoutine, 33);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].step, 0);
}

}  // namespace
}  // namespace campfire_test
