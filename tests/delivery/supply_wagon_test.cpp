// The supply wagon: made at its spot when the player comes near, removed with its blip when
// the player goes away without it, untouched while the player drives it, delivered at the
// fence.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "delivery/delivery_run.h"
#include "sim/scenario/simulation.h"

namespace delivery_test {
namespace {

using sim::Event;
using sim::Handle;
using sim::NativeId;
using sim::Simulation;
using sim::SimulationOptions;

constexpr float kWagonHeading = 347.6f;
constexpr std::uint32_t kBlipKind = 0x1857A152;
constexpr std::uint32_t kBlipSprite = 0x3C5469D5;
constexpr const char* kBlipName = "CR_BLIP_COACH";
// Far from the spot, far from the fence.
constexpr sim::Vec3 kOpenCountry{-100.0f, -500.0f, 85.0f};

// The blip standing for `wagon`, or 0.
Handle BlipOf(const sim::World& world, Handle wagon) {
  for (Handle blip : world.LiveBlips()) {
    if (world.Blip(blip)->entity == wagon) return blip;
  }
  return 0;
}

// Walks to the spot and lets the wagon be made; returns it (0 if none came).
Handle ApproachSpot(Simulation& sim) {
  sim.Teleport(kWagonSpot);
  sim.RunFor(1000);
  return sim.Wagon();
}

// The removal of a wagon, seen from the question before it on (`before`: the in-wagon test
// for a wagon left behind, the existence test for a delivery): the wagon proved still the
// plugin's (there, of the wagon's model, its own), which vouches for the blip; then the blip,
// tested and removed, and the wagon, deleted outright (a released one could be driven back to
// the spot).
void ExpectWagonRemoved(const sim::Recorder& recorder, std::size_t from, Handle wagon, Handle blip,
                        std::string_view before) {
  const std::size_t removal = IndexOfCallOn(recorder, NativeId::DeleteEntity, wagon, from);
  ASSERT_LT(removal, recorder.Size());
  ASSERT_GE(removal, from + 7);
  const std::vector<std::string> expected = {std::string(before),
                                             "GetHashKey",
                                             "DoesEntityExist",
                                             "GetEntityModel",
                                             "DoesEntityBelongToThisScript",
                                             "DoesBlipExist",
                                             "RemoveBlip",
                                             "DeleteEntity"};
  std::vector<std::string> seen;
  for (std::size_t i = removal - 7; i <= removal; ++i) seen.push_back(recorder.Sequence(i).at(0));
  ASSERT_EQ(seen, expected);
  const auto& events = recorder.Events();
  EXPECT_EQ(events[removal - 6].args[0].s, "wagon02x");
  EXPECT_EQ(events[removal - 5].args[0].i, wagon);
  EXPECT_EQ(events[removal - 4].args[0].i, wagon);
  EXPECT_EQ(events[removal - 3].args[0].i, wagon);
  EXPECT_EQ(events[removal - 2].args[0].i, blip);
  EXPECT_EQ(events[removal - 1].args[0].i, blip);
}

void ExpectLeftBehind(const sim::Recorder& recorder, std::size_t from, Handle wagon, Handle blip) {
  ExpectWagonRemoved(recorder, from, wagon, blip, "IsPedInVehicle");
}

TEST(SupplyWagon, ComingWithinTwoHundredOfTheSpotBringsTheWagonWithItsCargoAndBlip) {
  SimulationOptions options;
  options.world.loadPolls = 1;  // ready at the first poll: the creation reads straight through
  Simulation sim(options);
  sim.RunFrames(3);
  EXPECT_EQ(CountSince(sim.recorder(), NativeId::CreateVehicle), 0u) << "not made at start";
  // Before there is a wagon the boarding tests are made with handle 0.
  for (const Event* e : CallsSince(sim.recorder(), NativeId::IsPedInVehicle)) {
    EXPECT_EQ(e->args[1].i, 0);
  }

  std::size_t mark = sim.recorder().Size();
  sim.Teleport(EastOf(kWagonSpot, 200.0f));
  sim.RunFor(2000);
  ASSERT_FALSE(DistancesTo(sim.recorder(), kWagonSpot, mark).empty());
  EXPECT_EQ(DistancesTo(sim.recorder(), kWagonSpot, mark).back(), 200.0f);
  EXPECT_EQ(CountSince(sim.recorder(), NativeId::CreateVehicle), 0u) << "exactly 200";

  mark = sim.recorder().Size();
  sim.Teleport(EastOf(kWagonSpot, 199.0f));
  sim.RunFor(2000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();

  const auto& events = sim.recorder().Events();
  std::size_t start = mark;
  while (start < events.size() &&
         !(events[start].id == NativeId::GetHashKey && events[start].args[0].s == kWagonModel)) {
    ++start;
  }
  const std::vector<std::string> expected = {
      "GetHashKey",       "RequestModel",        "HasModelLoaded",          "CreateVehicle",
      "DoesEntityExist",  "GetHashKey",          "RequestPropset",          "HasPropsetLoaded",
      "HasPropsetLoaded", "AddPropsetToVehicle", "ReleasePropset",          "BlipAddForEntity",
      "SetBlipSprite",    "SetBlipName",         "SetModelAsNoLongerNeeded"};
  ASSERT_LE(start + expected.size(), events.size());
  const auto sequence = sim.recorder().Sequence(start);
  ASSERT_EQ(std::vector<std::string>(
                sequence.begin(), sequence.begin() + static_cast<std::ptrdiff_t>(expected.size())),
            expected);

  const Event* e = &events[start];
  EXPECT_EQ(static_cast<std::uint32_t>(e[0].ResultInt()), WagonModel());
  EXPECT_EQ(e[1].args[0].i, WagonModel());
  EXPECT_EQ(e[1].args[1].i, 1);
  const Event& create = e[3];
  EXPECT_EQ(create.args[0].i, WagonModel());
  EXPECT_EQ(create.args[1].f, kWagonSpot.x);
  EXPECT_EQ(create.args[2].f, kWagonSpot.y);
  EXPECT_EQ(create.args[3].f, kWagonSpot.z);
  EXPECT_EQ(create.args[4].f, kWagonHeading);
  const std::int64_t flags[] = {1, 1, 0, 0};
  for (std::size_t i = 0; i < std::size(flags); ++i) EXPECT_EQ(create.args[5 + i].i, flags[i]);
  const Handle wagon = create.ResultInt();
  EXPECT_EQ(e[4].args[0].i, wagon);
  EXPECT_EQ(e[5].args[0].s, kCargo);
  EXPECT_EQ(e[6].args[0].i, CargoHash());
  EXPECT_EQ(e[9].args[0].i, wagon);
  EXPECT_EQ(e[9].args[1].i, CargoHash());
  // The cargo's request is released once the set is on the wagon.
  EXPECT_EQ(e[10].args[0].i, CargoHash());
  EXPECT_EQ(e[11].args[0].i, kBlipKind);
  EXPECT_EQ(e[11].args[1].i, wagon);
  const Handle blip = e[11].ResultInt();
  EXPECT_EQ(e[12].args[0].i, blip);
  EXPECT_EQ(e[12].args[1].i, kBlipSprite);
  EXPECT_EQ(e[12].args[2].i, 0);
  EXPECT_EQ(e[13].args[0].i, blip);
  EXPECT_EQ(e[13].args[1].s, kBlipName);
  EXPECT_EQ(e[14].args[0].i, WagonModel());

  // What stands in the world.
  ASSERT_EQ(sim.Wagon(), wagon);
  const sim::Entity* vehicle = sim.world().Find(wagon);
  EXPECT_EQ(vehicle->position.x, kWagonSpot.x);
  EXPECT_EQ(vehicle->position.y, kWagonSpot.y);
  EXPECT_EQ(vehicle->position.z, kWagonSpot.z);
  EXPECT_FLOAT_EQ(vehicle->heading, kWagonHeading);
  EXPECT_EQ(vehicle->propsets, std::vector<std::uint32_t>{CargoHash()});
  ASSERT_EQ(sim.world().LiveBlips(), std::vector<Handle>{blip});
  const sim::BlipInfo* info = sim.world().Blip(blip);
  EXPECT_EQ(info->kind, kBlipKind);
  EXPECT_EQ(info->entity, wagon);
  EXPECT_EQ(info->sprite, kBlipSprite);
  EXPECT_EQ(info->name, kBlipName);
  for (std::uint32_t unreleased : sim.world().UnreleasedRequests()) {
    EXPECT_NE(unreleased, WagonModel());
  }
  EXPECT_EQ(CountSince(sim.recorder(), NativeId::CreateVehicle), 1u) << "one while staying";
}

TEST(SupplyWagon, GoingBeyondTwoHundredFiftyWithoutItRemovesTheWagonAndItsBlipEveryRound) {
  Simulation sim;
  for (int round = 1; round <= 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const Handle wagon = ApproachSpot(sim);
    ASSERT_NE(wagon, 0);
    const Handle blip = BlipOf(sim.world(), wagon);
    ASSERT_NE(blip, 0);
    EXPECT_EQ(sim.world().LiveBlips(), std::vector<Handle>{blip});

    std::size_t mark = sim.recorder().Size();
    sim.Teleport(EastOf(kWagonSpot, 250.0f));
    sim.RunFor(1000);
    EXPECT_EQ(DistancesTo(sim.recorder(), kWagonSpot, mark).back(), 250.0f);
    EXPECT_EQ(CountSince(sim.recorder(), NativeId::DeleteVehicle, mark), 0u) << "exactly 250";
    EXPECT_EQ(sim.Wagon(), wagon);

    mark = sim.recorder().Size();
    sim.Teleport(EastOf(kWagonSpot, 250.5f));
    sim.RunFor(1000);
    ASSERT_FALSE(sim.Failed()) << sim.Error();
    ExpectLeftBehind(sim.recorder(), mark, wagon, blip);
    EXPECT_EQ(sim.Wagon(), 0);
    EXPECT_TRUE(sim.world().LiveBlips().empty()) << "no marker left on the map";
  }
  // After all those rounds only the wagon now standing has a marker.
  const Handle wagon = ApproachSpot(sim);
  ASSERT_NE(wagon, 0);
  ASSERT_EQ(sim.world().LiveBlips().size(), 1u);
  EXPECT_EQ(sim.world().Blip(sim.world().LiveBlips()[0])->entity, wagon);
  EXPECT_EQ(CountSince(sim.recorder(), NativeId::CreateVehicle), 4u);
}

// In a game that takes a blip away with its entity, the blip's number is free once the
// wagon is gone: it is forgotten with the wagon's, and nothing is asked of either again.
TEST(SupplyWagon, AWagonThatVanishedIsNotDeliveredAndItsNumbersAreForgottenWithIt) {
  SimulationOptions options;
  options.world.blipGoesWithEntity = true;
  Simulation sim(options);
  const Handle wagon = ApproachSpot(sim);
  ASSERT_NE(wagon, 0);
  const Handle blip = BlipOf(sim.world(), wagon);
  sim.world().Vanish(wagon);
  ASSERT_TRUE(sim.world().LiveBlips().empty());

  // At the fence there is nothing to deliver; the gone wagon's number is forgotten.
  std::size_t mark = sim.recorder().Size();
  sim.Teleport(kFence);
  sim.RunFor(1000);
  EXPECT_TRUE(CallsOn(sim.recorder(), NativeId::DeleteEntity, wagon, mark).empty());

  // Away from both places the stale state is cleared without a call on either number.
  mark = sim.recorder().Size();
  sim.Teleport(kOpenCountry);
  sim.RunFor(1000);
  for (NativeId id : {NativeId::DoesBlipExist, NativeId::RemoveBlip}) {
    EXPECT_TRUE(CallsOn(sim.recorder(), id, blip, mark).empty()) << sim::SignatureOf(id).name;
  }
  EXPECT_TRUE(CallsOn(sim.recorder(), NativeId::DoesEntityExist, wagon, mark).empty());

  const Handle fresh = ApproachSpot(sim);
  EXPECT_NE(fresh, 0);
  EXPECT_NE(fresh, wagon);
  EXPECT_NE(BlipOf(sim.world(), fresh), 0);
  EXPECT_FALSE(sim.Failed()) << sim.Error();
}

TEST(SupplyWagon, DrivenToTheFenceAndSteppedOutOfTheWagonIsDelivered) {
  Simulation sim;
  const Handle wagon = ApproachSpot(sim);
  ASSERT_NE(wagon, 0);
  const Handle blip = BlipOf(sim.world(), wagon);
  ASSERT_TRUE(sim.BoardWagon());
  sim.RunFor(12000);  // the ride lines

  // Nothing happens to a wagon with the player in it, however far it goes, even at the
  // fence itself.
  std::size_t mark = sim.recorder().Size();
  ASSERT_TRUE(sim.MoveTo(kOpenCountry, 1500.0f));
  ASSERT_TRUE(sim.MoveTo(kFence, 1500.0f));
  sim.RunFor(2000);
  ASSERT_FALSE(sim.Failed()) << sim.Error();
  for (NativeId id : {NativeId::CreateVehicle, NativeId::DeleteVehicle, NativeId::RequestModel,
                      NativeId::RemoveBlip, NativeId::BlipAddForEntity}) {
    EXPECT_EQ(CountSince(sim.recorder(), id, mark), 0u) << sim::SignatureOf(id).name;
  }
  EXPECT_EQ(sim.Wagon(), wagon);
  EXPECT_EQ(sim.world().LiveBlips(), std::vector<Handle>{blip});

  mark = sim.recorder().Size();
  sim.Leave();
  sim.Frame();
  // Delivered: removed at once with its blip, wherever it stands.
  ExpectWagonRemoved(sim.recorder(), mark, wagon, blip, "DoesEntityExist");
  EXPECT_TRUE(sim.world().LiveBlips().empty());
  EXPECT_EQ(sim.world().Find(wagon), nullptr);

  // Standing on at the fence brings nothing more.
  mark = sim.recorder().Size();
  sim.RunFor(3000);
  for (NativeId id : {NativeId::CreateVehicle, NativeId::DeleteVehicle, NativeId::RequestModel,
                      NativeId::RemoveBlip}) {
    EXPECT_EQ(CountSince(sim.recorder(), id, mark), 0u) << sim::SignatureOf(id).name;
  }

  // A fresh wagon, with cargo and marker, waits at the spot on the next visit.
  const Handle fresh = ApproachSpot(sim);
  ASSERT_NE(fresh, 0);
  EXPECT_NE(fresh, wagon);
  EXPECT_EQ(sim.world().Find(fresh)->propsets, std::vector<std::uint32_t>{CargoHash()});
  EXPECT_NE(BlipOf(sim.world(), fresh), 0);
  EXPECT_EQ(sim.world().LiveBlips().size(), 1u);
}

TEST(SupplyWagon, SteppingOutFarFromSpotAndFenceLosesTheWagonInThatFrame) {
  Simulation sim;
  const Handle wagon = ApproachSpot(sim);
  ASSERT_NE(wagon, 0);
  const Handle blip = BlipOf(sim.world(), wagon);
  ASSERT_TRUE(sim.BoardWagon());
  sim.RunFor(12000);
  ASSERT_TRUE(sim.MoveTo(kOpenCountry, 1500.0f));
  sim.RunFor(1000);
  EXPECT_EQ(sim.Wagon(), wagon);

  const std::size_t mark = sim.recorder().Size();
  sim.Leave();
  sim.Frame();
  ExpectLeftBehind(sim.recorder(), mark, wagon, blip);
  EXPECT_EQ(sim.recorder().Events().back().frame, sim.FrameNumber()) << "in the same frame";
  EXPECT_EQ(sim.Wagon(), 0);
  EXPECT_TRUE(sim.world().LiveBlips().empty());

  const Handle fresh = ApproachSpot(sim);
  ASSERT_NE(fresh, 0);
  EXPECT_NE(fresh, wagon);
  EXPECT_EQ(sim.world().Find(fresh)->position.x, kWagonSpot.x);
  EXPECT_EQ(sim.world().Find(fresh)->position.y, kWagonSpot.y);
}

TEST(SupplyWagon, TheFenceIsReachedOnlyWithinFiftyUnitsOfThePlayer) {
  // A player on foot, with the wagon still at the spot, is at the fence or not by the
  // player's own distance. At exactly 50 the wagon is only left behind: removed without the
  // delivery's existence test.
  struct Case {
    float fromFence;
    bool delivered;
  };
  for (const Case c : {Case{50.0f, false}, Case{49.5f, true}}) {
    SCOPED_TRACE("from the fence: " + std::to_string(c.fromFence));
    Simulation sim;
    const Handle wagon = ApproachSpot(sim);
    ASSERT_NE(wagon, 0);
    const Handle blip = BlipOf(sim.world(), wagon);

    const std::size_t mark = sim.recorder().Size();
    sim.Teleport(EastOf(kFence, c.fromFence));
    sim.RunFor(500);
    ASSERT_FALSE(sim.Failed()) << sim.Error();
    ASSERT_FALSE(DistancesTo(sim.recorder(), kFence, mark).empty());
    EXPECT_EQ(DistancesTo(sim.recorder(), kFence, mark).back(), c.fromFence);

    const std::size_t removal = IndexOfCallOn(sim.recorder(), NativeId::DeleteEntity, wagon, mark);
    ASSERT_LT(removal, sim.recorder().Size());
    EXPECT_EQ(CountSince(sim.recorder(), NativeId::DeleteVehicle, mark), 0u);
    ExpectWagonRemoved(sim.recorder(), mark, wagon, blip,
                       c.delivered ? "DoesEntityExist" : "IsPedInVehicle");
    EXPECT_EQ(sim.Wagon(), 0);
    EXPECT_TRUE(sim.world().LiveBlips().empty());
  }
}

}  // namespace
}  // namespace delivery_test
