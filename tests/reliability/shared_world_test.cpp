// The plugin shares the world with the game and other scripts: handles come in kinds, a
// freed number is given out again at once, and another script makes things near the camp.
// The plugin must touch only what is its own, with natives of its kind. Every case ends in
// the census, which counts handles given to natives of another kind and things of the other
// script changed or removed: both must stay at none.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "reliability/fault_fixture.h"

namespace reliability_test {
namespace {

FaultSettings Shared(FaultSettings s = {}) {
  s.reuseHandles = true;
  return s;
}

// The other script's thing made now takes the number the world freed last.
sim::Handle OtherScriptMakes(FaultRun& run, sim::ForeignKind kind, std::uint32_t model = 0,
                             sim::Vec3 at = kInCamp) {
  return run.world().OtherScriptMakes(kind, model, at);
}

void ExpectStillThere(FaultRun& run, sim::Handle theirs) {
  const std::vector<sim::Handle> things = run.world().OtherScriptThings();
  EXPECT_NE(std::find(things.begin(), things.end(), theirs), things.end())
      << "the other script's thing was removed";
  EXPECT_TRUE(run.world().HandleFindings().empty());
}

// The tent is a prop set: removed with the prop sets' own natives when the player leaves,
// and after a restart with the world kept only the new one stands.
TEST(SharedWorld, TheTentIsRemovedAsAPropSetAndARestartLeavesOne) {
  FaultRun run(Shared());
  run.RunFor(3000);
  ASSERT_EQ(run.Tents(), 1);
  run.Visit(kFarAway, 1000);
  EXPECT_EQ(run.Tents(), 0) << "the tent stands after the player left";
  run.Visit(kInCamp, 3000);
  run.sim.Restart();
  run.RunFor(5000);
  EXPECT_EQ(run.Tents(), 1);
  run.ExpectHealthy();
}

// Prompts are deleted and forgotten when the lock-on ends; the number the game gives to
// another script's prompt next is never deleted or taken for the plugin's own.
TEST(SharedWorld, AnotherScriptsPromptWithAnOldPromptNumberIsLeftAlone) {
  FaultRun run(Shared());
  run.RunFor(3000);
  ASSERT_TRUE(run.sim.Target("Charles"));
  run.RunFor(1000);
  ASSERT_EQ(run.world().LivePrompts().size(), 4u);
  run.sim.ReleaseTarget();
  run.RunFor(500);
  const sim::Handle theirs = OtherScriptMakes(run, sim::ForeignKind::Prompt);
  run.RunFor(1000);
  ASSERT_TRUE(run.sim.Target("Charles"));
  run.RunFor(1000);
  EXPECT_EQ(run.watch.Calls(NativeId::PromptRegisterBegin).size(), 8u)
      << "the plugin took a prompt of another script for its own";
  run.sim.ReleaseTarget();
  run.RunFor(1000);
  ExpectStillThere(run, theirs);
  run.ExpectHealthy();
}

// Something of the plugin's taken away behind its back while the player stays; its number
// goes to another script's thing of another model. When the player leaves, the plugin
// removes only what is still its own.
struct GoneWhileThere {
  const char* what;
  sim::Handle (*victim)(FaultRun&);
  sim::ForeignKind theirs;
};

class RemovalsByNumber : public testing::TestWithParam<GoneWhileThere> {};

TEST_P(RemovalsByNumber, WhatNowNamesAnotherScriptsThingIsLeftAlone) {
  FaultRun run(Shared());
  run.RunFor(3000);
  const sim::Handle victim = GetParam().victim(run);
  ASSERT_NE(victim, 0);
  run.world().Vanish(victim);
  const sim::Handle theirs =
      OtherScriptMakes(run, GetParam().theirs, sim::JoaatHash("p_barrel01x"), kInCamp);
  ASSERT_EQ(theirs, victim) << "the world gives the freed number out again";
  run.Visit(kFarAway, 1000);
  ExpectStillThere(run, theirs);
  run.ExpectHealthy();
}

INSTANTIATE_TEST_SUITE_P(
    SharedWorld, RemovalsByNumber,
    testing::Values(GoneWhileThere{"Karen", [](FaultRun& r) { return r.Ped("Karen"); },
                                   sim::ForeignKind::Ped},
                    GoneWhileThere{"a prop",
                                   [](FaultRun& r) {
                                     for (const sim::Entity* e : r.world().Entities()) {
                                       if (e->kind == sim::EntityKind::Object) return e->handle;
                                     }
                                     return sim::Handle{0};
                                   },
                                   sim::ForeignKind::Object},
                    GoneWhileThere{"the wagon", [](FaultRun& r) { return r.sim.Wagon(); },
                                   sim::ForeignKind::Vehicle}),
    [](const auto& p) {
      std::string name = p.param.what;
      std::erase(name, ' ');
      return name;
    });

// Sadie, dismissed, is released to the game and kept apart, whether or not the game zeroes
// the variable it is given: back in the camp there is one Sadie; once the game has cleared
// her, the number another script's Sadie gets next is never taken for her.
class SadiesRelease : public testing::TestWithParam<bool> {};

TEST_P(SadiesRelease, NeverTwoSadiesAndNeverAnotherScriptsSadie) {
  const sim::Vec3 home = Facts("Sadie").home;
  const std::uint32_t model = Facts("Sadie").model;
  FaultRun run(Shared({.playerStart = East(home, 10.0f), .releaseZeroes = GetParam()}));
  run.RunFor(5000);
  ASSERT_EQ(run.LivingPedsOf(model), 1);
  // Dismissed, she stays: the player is within the game's release range of her.
  run.Visit(East(home, 210.0f), 1000);
  ASSERT_EQ(run.LivingPedsOf(model), 1);
  run.Visit(East(home, 10.0f), 5000);
  EXPECT_EQ(run.LivingPedsOf(model), 1) << "a second Sadie beside the released one";
  // Dismissed again and, the player far off, cleared by the game.
  run.Visit(East(home, 1000.0f), 2000);
  ASSERT_EQ(run.LivingPedsOf(model), 0);
  const sim::Handle theirs = OtherScriptMakes(run, sim::ForeignKind::Ped, model, East(home, 5.0f));
  run.Visit(East(home, 10.0f), 5000);
  ExpectStillThere(run, theirs);
  EXPECT_EQ(run.LivingPedsOf(model), 2);  // hers and the other script's
}

INSTANTIATE_TEST_SUITE_P(SharedWorld, SadiesRelease, testing::Bool(), [](const auto& p) {
  return std::string(p.param ? "ReleaseZeroes" : "ReleaseKeeps");
});

// The player gets a new ped in the middle of an exchange, then the host restarts its
// scripts: the plugin still knows the world for the one it left, and clears it first.
TEST(SharedWorld, ANewPlayerPedMidExchangeThenARestartLeavesOneOfEverything) {
  FaultRun run(Shared());
  run.HoldTalk("Charles");
  run.RunFor(3000);
  run.world().ReplacePlayerPed();
  run.RunFor(3000);
  run.sim.Restart();
  run.RunFor(8000);
  run.ExpectHealthy();
}

// Another script busy around the camp all along: the camp tour's moves, a visit to each
// companion and a restart, and nothing of the other script's is touched.
TEST(SharedWorld, AnotherScriptAtWorkAroundTheCampIsNeverTouched) {
  FaultRun run(Shared());
  for (int i = 0; i < 12; ++i) {
    run.sim.OtherScriptActs();
    run.RunFor(2000);
  }
  run.HoldTalk("Karen");
  run.RunFor(20000);
  run.sim.ReleaseTarget();
  run.sim.OtherScriptActs();
  run.sim.Restart();
  run.sim.OtherScriptActs();
  run.RunFor(5000);
  run.Visit(kFarAway, 2000);
  run.sim.OtherScriptActs();
  run.Visit(kInCamp, 5000);
  EXPECT_GE(run.sim.otherScript().Made(), 15);
  run.ExpectHealthy();
}

}  // namespace
}  // namespace reliability_test
