// Creating, questioning and removing entities, and the faults that break them.
#include <gtest/gtest.h>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

TEST(WorldCreation, PedWaitsForItsModelToLoad) {
  WorldDriver d;  // three polls by default
  auto create = [&] {
    return d.Int(NativeId::CreatePed, kCharles, 1.0f, 2.0f, 3.0f, 90.0f, 1, 1, 0, 0);
  };
  EXPECT_EQ(create(), 0);  // never requested
  d.Call(NativeId::RequestModel, kCharles, 1);
  EXPECT_FALSE(d.Bool(NativeId::HasModelLoaded, kCharles));
  EXPECT_FALSE(d.Bool(NativeId::HasModelLoaded, kCharles));
  EXPECT_EQ(create(), 0);
  EXPECT_TRUE(d.Bool(NativeId::HasModelLoaded, kCharles));
  Handle ped = create();
  ASSERT_NE(ped, 0);
  EXPECT_EQ(d.world.Find(ped)->heading, 90.0f);
  EXPECT_EQ(static_cast<std::uint32_t>(d.Int(NativeId::GetEntityModel, ped)), kCharles);
  Vec3 at = d.Coords(ped);
  EXPECT_EQ(at.x, 1.0f);
  EXPECT_EQ(at.z, 3.0f);
}

TEST(WorldCreation, ModelThatNeverLoadsNeverCreates) {
  WorldDriver d;
  d.world.NeverLoads(kCharles);
  EXPECT_FALSE(d.LoadModel(kCharles));
  EXPECT_EQ(d.Int(NativeId::CreatePed, kCharles, 0.0f, 0.0f, 0.0f, 0.0f, 1, 1, 0, 0), 0);
  d.world.NeverLoads(0xDDE64341u);
  EXPECT_EQ(d.Int(NativeId::CreateObject, 0xDDE64341u, 0.0f, 0.0f, 0.0f, 1, 1, 1, 0, 1), 0);
}

TEST(WorldCreation, FailedCreationsAreCountedPerKind) {
  WorldDriver d;
  d.world.FailNextCreations(EntityKind::Ped, 2);
  EXPECT_EQ(d.SpawnPed(kCharles, kCamp), 0);
  EXPECT_NE(d.SpawnVehicle(kWagon, kCamp), 0);
  EXPECT_EQ(d.SpawnPed(kCharles, kCamp), 0);
  EXPECT_NE(d.SpawnPed(kCharles, kCamp), 0);
}

TEST(WorldCreation, PropsetNeedsLoadingAndRidesOnAVehicle) {
  WorldDriver d;
  const std::uint32_t tent = JoaatHash("pg_ambient_campfire05x_tent");
  auto place = [&] {
    return d.Int(NativeId::CreatePropset, tent, 1.0f, 2.0f, 3.0f, 1, 0.0f, 0.0f, 1, 1);
  };
  EXPECT_EQ(place(), 0);
  d.Call(NativeId::RequestPropset, tent);
  while (!d.Bool(NativeId::HasPropsetLoaded, tent)) d.Frames(1);
  EXPECT_NE(place(), 0);
  Handle wagon = d.SpawnVehicle(kWagon, kCamp);
  d.Call(NativeId::AddPropsetToVehicle, wagon, tent);
  EXPECT_EQ(d.world.Find(wagon)->propsets, std::vector<std::uint32_t>{tent});
}

TEST(WorldRemoval, WritesZeroThroughTheReferenceAndNeverReusesHandles) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kCamp);
  Handle variable = ped;
  d.Call(NativeId::DeleteEntity, &variable);
  EXPECT_EQ(variable, 0);
  EXPECT_EQ(d.world.Find(ped), nullptr);
  EXPECT_FALSE(d.Bool(NativeId::DoesEntityExist, ped));
  EXPECT_EQ(d.Int(NativeId::GetEntityModel, ped), 0);
  EXPECT_GT(d.SpawnPed(kCharles, kCamp), ped);
}

// Dismissing a ped or deleting a vehicle only releases it: it stays, with its task, until
// the player is farther from it than the release range, and the variable keeps its value.
TEST(WorldRemoval, ReleasedPedsAndVehiclesStayUntilThePlayerIsFarAway) {
  WorldDriver d;
  d.world.TeleportPlayer(kCamp);
  Handle wagon = d.SpawnVehicle(kWagon, kCamp);
  Handle sadie = d.SpawnPed(kCharles, kCamp);
  Handle variable = wagon;
  d.Call(NativeId::DeleteVehicle, &variable);
  EXPECT_EQ(variable, wagon);
  variable = sadie;
  d.Call(NativeId::DismissPed, &variable);
  EXPECT_EQ(variable, sadie);
  // Each only releases its own kind.
  Handle other = d.SpawnPed(kCharles, kCamp);
  variable = other;
  d.Call(NativeId::DeleteVehicle, &variable);

  d.world.TeleportPlayer({kCamp.x + 299.0f, kCamp.y, kCamp.z});
  d.Frames(5);
  EXPECT_TRUE(d.Bool(NativeId::DoesEntityExist, wagon));
  EXPECT_TRUE(d.Bool(NativeId::DoesEntityExist, sadie));

  d.world.TeleportPlayer({kCamp.x + 301.0f, kCamp.y, kCamp.z});
  d.Frames(1);
  EXPECT_FALSE(d.Bool(NativeId::DoesEntityExist, wagon));
  EXPECT_FALSE(d.Bool(NativeId::DoesEntityExist, sadie));
  EXPECT_TRUE(d.Bool(NativeId::DoesEntityExist, other));
}

TEST(WorldRemoval, AReleasedVehicleThePlayerSitsInIsNeverCleared) {
  WorldDriver d;
  Handle wagon = d.SpawnVehicle(kWagon, kCamp);
  ASSERT_TRUE(d.world.BoardVehicle(wagon));
  Handle variable = wagon;
  d.Call(NativeId::DeleteVehicle, &variable);
  d.world.TeleportPlayer({kCamp.x + 2000.0f, kCamp.y, kCamp.z});
  d.Frames(2);
  EXPECT_TRUE(d.Bool(NativeId::DoesEntityExist, wagon));
  d.world.LeaveVehicle();
  d.world.TeleportPlayer({kCamp.x + 4000.0f, kCamp.y, kCamp.z});
  d.Frames(1);
  EXPECT_FALSE(d.Bool(NativeId::DoesEntityExist, wagon));
}

TEST(WorldFaults, VanishedAndKilledPedsAnswerAsTheGameWould) {
  WorldDriver d;
  Handle gone = d.SpawnPed(kCharles, kCamp);
  Handle dead = d.SpawnPed(kCharles, kCamp);
  d.Call(NativeId::SetPedPromptName, dead, "Charles");
  EXPECT_EQ(d.world.FindPedNamed("Charles"), dead);
  d.world.Vanish(gone);
  d.world.Kill(dead);
  EXPECT_FALSE(d.Bool(NativeId::DoesEntityExist, gone));
  EXPECT_FALSE(d.Bool(NativeId::IsEntityDead, gone));
  EXPECT_TRUE(d.Bool(NativeId::IsEntityDead, dead));
  EXPECT_TRUE(d.Bool(NativeId::IsPedDeadOrDying, dead, 1));
  EXPECT_EQ(d.world.FindPedNamed("Charles"), 0);
}

TEST(WorldQuestions, AtCoordUsesEachAxisTolerance) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, Vec3{10.0f, 20.0f, 30.0f});
  auto at = [&](float x, float y, float z) {
    return d.Bool(NativeId::IsEntityAtCoord, ped, x, y, z, 2.0f, 2.0f, 2.0f, 0, 1, 0);
  };
  EXPECT_TRUE(at(12.0f, 18.0f, 31.5f));
  EXPECT_FALSE(at(12.5f, 20.0f, 30.0f));
  EXPECT_FALSE(at(10.0f, 20.0f, 27.5f));
  EXPECT_FALSE(d.Bool(NativeId::IsEntityAtCoord, 0, 0.0f, 0.0f, 0.0f, 2.0f, 2.0f, 2.0f, 0, 1, 0));
}

}  // namespace
}  // namespace sim::testing
