// A wagon model or cargo that never loads holds the script for at most 10,000 ms of game
// clock: the wagon is given up until the next approach, the cargo is left off. A wagon the
// game refuses to make is likewise left until the next approach.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "delivery/delivery_run.h"
#include "sim/scenario/simulation.h"

namespace delivery_test {
namespace {

using sim::Event;
using sim::Handle;
using sim::NativeId;
using sim::Simulation;

constexpr std::int32_t kLoadLimitMs = 10000;

// Calls of `id` on `hash` (their first argument) since `from`, kept by index.
std::vector<std::size_t> CallsOnHash(const sim::Recorder& recorder, NativeId id, std::uint32_t hash,
                                     std::size_t from = 0) {
  std::vector<std::size_t> found;
  const auto& events = recorder.Events();
  for (std::size_t i = from; i < events.size(); ++i) {
    if (!events[i].isWait && events[i].id == id && events[i].args[0].i == hash) {
      found.push_back(i);
    }
  }
  return found;
}

// Every poll said no, and the last came 10,000 ms (to the frame) after the first.
void ExpectGivenUpAfterTheLimit(Simulation& sim, const std::vector<std::size_t>& polls) {
  const auto& events = sim.recorder().Events();
  ASSERT_GE(polls.size(), 2u);
  for (std::size_t at : polls) EXPECT_FALSE(events[at].ResultBool());
  const std::int32_t waited = events[polls.back()].clock - events[polls.front()].clock;
  EXPECT_GE(waited, kLoadLimitMs);
  EXPECT_LT(waited, kLoadLimitMs + sim.world().Settings().frameMs);
}

TEST(WagonLoading, AModelThatNeverLoadsIsReleasedWithoutAWagonAndTriedAgainNextApproach) {
  Simulation sim;
  sim.world().NeverLoads(WagonModel());
  sim.Teleport(kWagonSpot);
  sim.RunFor(15000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const auto& recorder = sim.recorder();
  const auto polls = CallsOnHash(recorder, NativeId::HasModelLoaded, WagonModel());
  ExpectGivenUpAfterTheLimit(sim, polls);
  const auto released = CallsOnHash(recorder, NativeId::SetModelAsNoLongerNeeded, WagonModel());
  ASSERT_EQ(released.size(), 1u);
  EXPECT_GT(released[0], polls.back());
  EXPECT_EQ(CountSince(recorder, NativeId::CreateVehicle), 0u);
  EXPECT_EQ(CountSince(recorder, NativeId::BlipAddForEntity), 0u);
  EXPECT_EQ(sim.Wagon(), 0);
  EXPECT_TRUE(sim.world().LiveBlips().empty());
  for (std::uint32_t unreleased : sim.world().UnreleasedRequests()) {
    EXPECT_NE(unreleased, WagonModel());
  }
  // The frames go on, and the player staying near does not start another wait.
  EXPECT_FALSE(CallsSince(recorder, NativeId::GetDistanceBetweenCoords, released[0]).empty());
  EXPECT_EQ(CallsOnHash(recorder, NativeId::RequestModel, WagonModel()).size(), 1u);

  sim.Teleport(EastOf(kWagonSpot, 300.0f));
  sim.RunFor(1000);
  const std::size_t mark = recorder.Size();
  sim.Teleport(kWagonSpot);
  sim.RunFor(1000);
  EXPECT_EQ(CallsOnHash(recorder, NativeId::RequestModel, WagonModel(), mark).size(), 1u)
      << "the next approach tries again";
  EXPECT_FALSE(sim.Failed()) << sim.Error();
}

TEST(WagonLoading, CargoThatNeverLoadsIsLeftOffAndTheWagonStillGetsItsBlip) {
  Simulation sim;
  sim.world().NeverLoads(CargoHash());
  sim.Teleport(kWagonSpot);
  sim.RunFor(15000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const auto& recorder = sim.recorder();
  ExpectGivenUpAfterTheLimit(sim, CallsOnHash(recorder, NativeId::HasPropsetLoaded, CargoHash()));
  EXPECT_EQ(CountSince(recorder, NativeId::AddPropsetToVehicle), 0u);

  const Handle wagon = sim.Wagon();
  ASSERT_NE(wagon, 0);
  EXPECT_TRUE(sim.world().Find(wagon)->propsets.empty());
  ASSERT_EQ(sim.world().LiveBlips().size(), 1u);
  const sim::BlipInfo* blip = sim.world().Blip(sim.world().LiveBlips()[0]);
  EXPECT_EQ(blip->entity, wagon);
  EXPECT_EQ(blip->kind, 0x1857A152u);
  EXPECT_EQ(blip->sprite, 0x3C5469D5u);
  EXPECT_EQ(blip->name, "CR_BLIP_COACH");
  EXPECT_EQ(CallsOnHash(recorder, NativeId::SetModelAsNoLongerNeeded, WagonModel()).size(), 1u);
  EXPECT_EQ(CountSince(recorder, NativeId::CreateVehicle), 1u);
}

TEST(WagonLoading, ARefusedCreationGetsNoCargoOrBlipAndWaitsForTheNextApproach) {
  Simulation sim;
  sim.world().FailNextCreations(sim::EntityKind::Vehicle, 1);
  sim.Teleport(kWagonSpot);
  sim.RunFor(3000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const auto& recorder = sim.recorder();
  ASSERT_EQ(CountSince(recorder, NativeId::CreateVehicle), 1u) << "not tried again while near";
  EXPECT_EQ(CallsSince(recorder, NativeId::CreateVehicle)[0]->ResultInt(), 0);
  EXPECT_EQ(CountSince(recorder, NativeId::AddPropsetToVehicle), 0u);
  EXPECT_EQ(CountSince(recorder, NativeId::BlipAddForEntity), 0u);
  EXPECT_EQ(CallsOnHash(recorder, NativeId::SetModelAsNoLongerNeeded, WagonModel()).size(), 1u);
  EXPECT_TRUE(sim.world().LiveBlips().empty());

  sim.Teleport(EastOf(kWagonSpot, 300.0f));
  sim.RunFor(1000);
  sim.Teleport(kWagonSpot);
  sim.RunFor(1000);
  const Handle wagon = sim.Wagon();
  ASSERT_NE(wagon, 0);
  EXPECT_EQ(sim.world().Find(wagon)->propsets, std::vector<std::uint32_t>{CargoHash()});
  EXPECT_EQ(sim.world().LiveBlips().size(), 1u);
}

}  // namespace
}  // namespace delivery_test
