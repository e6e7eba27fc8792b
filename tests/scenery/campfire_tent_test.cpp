// The campfire tent: placed at setup, removed and placed again with the player's distance
// from its centre, which is not where it stands.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scenery/scenery_run.h"
#include "scenery/scenery_table.h"
#include "sim/scenario/simulation.h"

namespace scenery_test {
namespace {

using sim::EntityKind;
using sim::Event;
using sim::Handle;
using sim::NativeId;
using sim::Simulation;
using sim::SimulationOptions;

std::uint32_t TentHash() { return sim::JoaatHash(kTentPropset); }

SimulationOptions StartingAt(sim::Vec3 where) {
  SimulationOptions options;
  options.world.playerStart = where;
  return options;
}

std::vector<const Event*> TentCreations(Simulation& sim, std::size_t from = 0) {
  std::vector<const Event*> found;
  for (const Event* e : CallsSince(sim.recorder(), NativeId::CreatePropset, from)) {
    if (e->args[0].i == TentHash()) found.push_back(e);
  }
  return found;
}

std::size_t TentRequests(Simulation& sim) {
  std::size_t count = 0;
  for (const Event* e : CallsSince(sim.recorder(), NativeId::RequestPropset, 0)) {
    if (e->args[0].i == TentHash()) ++count;
  }
  return count;
}

std::size_t LiveTents(const sim::World& world) {
  std::size_t count = 0;
  for (const sim::Entity* e : world.Entities()) {
    if (e->kind == EntityKind::Propset && e->model == TentHash()) ++count;
  }
  return count;
}

void ExpectPlacedAtItsPoint(const Event& create) {
  EXPECT_EQ(create.args[1].f, kTentPlacement.x);
  EXPECT_EQ(create.args[2].f, kTentPlacement.y);
  EXPECT_EQ(create.args[3].f, kTentPlacement.z);
  EXPECT_EQ(create.args[4].i, 1);
  EXPECT_EQ(create.args[5].f, 0.0f);
  EXPECT_EQ(create.args[6].f, 0.0f);
  EXPECT_EQ(create.args[7].i, 1);
  EXPECT_EQ(create.args[8].i, 1);
}

TEST(CampfireTent, SetupRequestsAndPlacesItAtItsPlacementPoint) {
  Simulation sim(StartingAt(kTentCentre));
  sim.RunFor(2000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const auto& events = sim.recorder().Events();
  const std::size_t hashed = [&] {
    for (std::size_t i = 0; i < events.size(); ++i) {
      if (events[i].id == NativeId::GetHashKey && events[i].args[0].s == kTentPropset) return i;
    }
    return events.size();
  }();
  ASSERT_LT(hashed, events.size());
  EXPECT_EQ(static_cast<std::uint32_t>(events[hashed].ResultInt()), TentHash());
  ASSERT_LT(hashed + 1, events.size());
  ASSERT_EQ(sim.recorder().Sequence(hashed + 1).at(0), "RequestPropset");
  EXPECT_EQ(events[hashed + 1].args[0].i, TentHash());

  const auto created = TentCreations(sim);
  ASSERT_EQ(created.size(), 1u);
  ExpectPlacedAtItsPoint(*created[0]);
  // It was loaded before it was placed: the poll just before said yes.
  const std::size_t at = static_cast<std::size_t>(created[0] - events.data());
  ASSERT_EQ(sim.recorder().Sequence(at - 1).at(0), "HasPropsetLoaded");
  EXPECT_TRUE(events[at - 1].ResultBool());
  // Setup measures nothing; the first distance comes with the first frame of the loop.
  EXPECT_LT(at, FirstCallSince(sim.recorder(), NativeId::GetDistanceBetweenCoords, 0));

  const sim::Entity* tent = sim.world().Find(created[0]->ResultInt());
  ASSERT_NE(tent, nullptr);
  EXPECT_EQ(tent->kind, EntityKind::Propset);
  EXPECT_EQ(tent->model, TentHash());
  EXPECT_EQ(tent->position.x, kTentPlacement.x);
  EXPECT_EQ(tent->position.y, kTentPlacement.y);
  EXPECT_EQ(tent->position.z, kTentPlacement.z);
  EXPECT_EQ(TentRequests(sim), 1u);
}

TEST(CampfireTent, APlayerFarAtStartHasItRemovedInTheFirstFrameOfTheLoop) {
  // The default start is about 276 units from the tent's centre.
  Simulation sim;
  sim.RunFor(1000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  const auto created = TentCreations(sim);
  ASSERT_EQ(created.size(), 1u);
  const Handle tent = created[0]->ResultInt();
  const auto removed = CallsOn(sim.recorder(), NativeId::DeletePropSet, tent);
  ASSERT_EQ(removed.size(), 1u);
  const std::size_t firstMeasure =
      FirstCallSince(sim.recorder(), NativeId::GetDistanceBetweenCoords, 0);
  EXPECT_EQ(removed[0]->frame, sim.recorder().Events()[firstMeasure].frame);
  EXPECT_EQ(LiveTents(sim.world()), 0u);
}

TEST(CampfireTent, RemovedBeyondTwoHundredFiftyFromItsCentreAndPlacedAgainOnReturn) {
  Simulation sim(StartingAt(kTentCentre));
  sim.RunFor(2000);
  ASSERT_EQ(TentCreations(sim).size(), 1u);
  const Handle first = TentCreations(sim)[0]->ResultInt();

  std::size_t mark = sim.recorder().Size();
  sim.Teleport(EastOf(kTentCentre, 250.0f));
  sim.RunFor(2000);
  ASSERT_FALSE(DistancesTo(sim.recorder(), kTentCentre, mark).empty());
  EXPECT_EQ(DistancesTo(sim.recorder(), kTentCentre, mark).back(), 250.0f);
  EXPECT_TRUE(CallsOn(sim.recorder(), NativeId::DeletePropSet, first, mark).empty());
  EXPECT_NE(sim.world().Find(first), nullptr) << "exactly 250 removes nothing";

  mark = sim.recorder().Size();
  sim.Teleport(EastOf(kTentCentre, 250.5f));
  sim.RunFor(1000);
  // A prop set, asked after and removed with the prop sets' own natives, by its value.
  const std::size_t test = IndexOfCallOn(sim.recorder(), NativeId::DoesPropSetExist, first, mark);
  ASSERT_LT(test + 3, sim.recorder().Size());
  const auto sequence = sim.recorder().Sequence(test);
  EXPECT_EQ(std::vector<std::string>(sequence.begin(), sequence.begin() + 4),
            (std::vector<std::string>{"DoesPropSetExist", "GetPropSetModel", "GetHashKey",
                                      "DeletePropSet"}));
  const Event& removal = sim.recorder().Events()[test + 3];
  EXPECT_EQ(removal.args[0].i, first);
  EXPECT_EQ(removal.args[1].i, 1);
  EXPECT_EQ(removal.args[2].i, 1);
  EXPECT_EQ(sim.world().Find(first), nullptr);

  mark = sim.recorder().Size();
  sim.Teleport(EastOf(kTentCentre, 200.0f));
  sim.RunFor(2000);
  EXPECT_TRUE(TentCreations(sim, mark).empty()) << "exactly 200 places nothing";
  EXPECT_EQ(TentRequests(sim), 1u);

  // Every placement asks for the prop set again, and puts it at the same point.
  for (int round = 2; round <= 3; ++round) {
    SCOPED_TRACE("return " + std::to_string(round - 1));
    mark = sim.recorder().Size();
    sim.Teleport(kTentCentre);
    sim.RunFor(2000);
    const auto again = TentCreations(sim, mark);
    ASSERT_EQ(again.size(), 1u);
    ExpectPlacedAtItsPoint(*again[0]);
    EXPECT_NE(again[0]->ResultInt(), first);
    EXPECT_NE(sim.world().Find(again[0]->ResultInt()), nullptr);
    EXPECT_EQ(TentRequests(sim), static_cast<std::size_t>(round));
    EXPECT_EQ(LiveTents(sim.world()), 1u);
    sim.Teleport(EastOf(kTentCentre, 300.0f));
    sim.RunFor(1000);
    EXPECT_EQ(LiveTents(sim.world()), 0u);
  }
  EXPECT_FALSE(sim.Failed()) << sim.Error();
}

TEST(CampfireTent, TheTentsFlagStaysSetWhenTheTentVanishedSoItIsNeverPlacedAgain) {
  Simulation sim(StartingAt(kTentCentre));
  sim.RunFor(2000);
  ASSERT_EQ(TentCreations(sim).size(), 1u);
  const Handle tent = TentCreations(sim)[0]->ResultInt();
  sim.world().Vanish(tent);

  const std::size_t mark = sim.recorder().Size();
  sim.Teleport(EastOf(kTentCentre, 300.0f));
  sim.RunFor(1000);
  // Asked after once, then forgotten: its number may come to name something else.
  EXPECT_EQ(CallsOn(sim.recorder(), NativeId::DoesPropSetExist, tent, mark).size(), 1u);
  EXPECT_TRUE(CallsOn(sim.recorder(), NativeId::DeletePropSet, tent, mark).empty());

  for (int visit = 0; visit < 2; ++visit) {
    sim.Teleport(kTentCentre);
    sim.RunFor(2000);
    sim.Teleport(EastOf(kTentCentre, 300.0f));
    sim.RunFor(1000);
  }
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  EXPECT_TRUE(TentCreations(sim, mark).empty());
  EXPECT_EQ(TentRequests(sim), 1u);
  EXPECT_EQ(LiveTents(sim.world()), 0u);
}

TEST(CampfireTent, APropSetThatNeverLoadsLeavesNoTentAndTheScriptRunsOn) {
  Simulation sim(StartingAt(kTentCentre));
  sim.world().NeverLoads(TentHash());
  sim.RunFor(15000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  std::vector<const Event*> polls;
  for (const Event* e : CallsSince(sim.recorder(), NativeId::HasPropsetLoaded, 0)) {
    if (e->args[0].i == TentHash()) polls.push_back(e);
  }
  ASSERT_GE(polls.size(), 2u);
  for (const Event* poll : polls) EXPECT_FALSE(poll->ResultBool());
  // Given up after 10,000 ms of game clock.
  const std::int32_t waited = polls.back()->clock - polls.front()->clock;
  EXPECT_GE(waited, 10000);
  EXPECT_LT(waited, 10000 + sim.world().Settings().frameMs);

  EXPECT_TRUE(TentCreations(sim).empty());
  EXPECT_EQ(LiveTents(sim.world()), 0u);
  EXPECT_EQ(TentRequests(sim), 1u) << "not asked for again while the player stays";

  // The frames go on: the loop measures distances and the camp's objects are placed.
  const std::size_t after = static_cast<std::size_t>(polls.back() - sim.recorder().Events().data());
  EXPECT_FALSE(CallsSince(sim.recorder(), NativeId::GetDistanceBetweenCoords, after).empty());
  EXPECT_FALSE(CallsSince(sim.recorder(), NativeId::CreateObject, after).empty());
}

}  // namespace
}  // namespace scenery_test
