// The player: vehicles, movement, lock-on and a replaced ped.
#include <gtest/gtest.h>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

bool InVehicle(WorldDriver& d, Handle vehicle) {
  return d.Bool(NativeId::IsPedInVehicle, d.Int(NativeId::PlayerPedId), vehicle, 0);
}

TEST(WorldPlayer, SitsOnlyInTheVehicleBoardedAndNeverInVehicleZero) {
  WorldDriver d;
  Handle wagon = d.SpawnVehicle(kWagon, kCamp);
  Handle other = d.SpawnVehicle(kWagon, kCamp);
  EXPECT_FALSE(InVehicle(d, wagon));
  EXPECT_FALSE(InVehicle(d, 0));
  ASSERT_TRUE(d.world.BoardVehicle(wagon));
  EXPECT_TRUE(InVehicle(d, wagon));
  EXPECT_FALSE(InVehicle(d, other));
  EXPECT_FALSE(InVehicle(d, 0));
  EXPECT_FALSE(d.world.BoardVehicle(d.world.PlayerPed()));  // not a vehicle
  d.world.LeaveVehicle();
  EXPECT_FALSE(InVehicle(d, wagon));
  EXPECT_EQ(d.world.PlayerVehicle(), 0);
}

TEST(WorldPlayer, DrivesTheVehicleAlongAndStepsOutBesideIt) {
  WorldDriver d;
  Handle wagon = d.SpawnVehicle(kWagon, kCamp);
  d.world.BoardVehicle(wagon);
  EXPECT_EQ(d.world.PlayerPosition().x, kCamp.x);
  const Vec3 fence{kCamp.x + 100.0f, kCamp.y, kCamp.z};
  int frames = 1;
  while (!d.world.StepPlayerToward(fence, 10.0f)) ++frames;
  EXPECT_EQ(frames, 304);  // 100 units at 0.33 a frame
  EXPECT_EQ(d.Coords(wagon).x, fence.x);
  d.world.LeaveVehicle();
  Vec3 player = d.Coords(d.world.PlayerPed());
  EXPECT_NEAR(player.x, fence.x, 3.0f);
  EXPECT_NE(player.x, fence.x);
  d.world.StepPlayerToward(kCamp, 10.0f);
  EXPECT_EQ(d.Coords(wagon).x, fence.x);  // on foot now
}

TEST(WorldPlayer, LockOnLastsWhileTheTargetExists) {
  WorldDriver d;
  Handle charles = d.SpawnPed(kCharles, kCamp);
  std::int32_t player = d.Int(NativeId::PlayerId);
  Handle target = -1;
  EXPECT_FALSE(d.Bool(NativeId::IsPlayerTargetingAnything, player));
  d.Call(NativeId::GetPlayerTargetEntity, player, &target);
  EXPECT_EQ(target, 0);
  d.world.LockOn(charles);
  EXPECT_TRUE(d.Bool(NativeId::IsPlayerTargetingAnything, player));
  EXPECT_FALSE(d.Bool(NativeId::IsPlayerTargetingAnything, player + 1));
  d.Call(NativeId::GetPlayerTargetEntity, player, &target);
  EXPECT_EQ(target, charles);
  d.world.Vanish(charles);
  EXPECT_FALSE(d.Bool(NativeId::IsPlayerTargetingAnything, player));
  EXPECT_EQ(d.world.LockOnTarget(), 0);
}

TEST(WorldPlayer, ReplacedPedTakesThePlaceAndTheOldOneStays) {
  WorldDriver d;
  Handle wagon = d.SpawnVehicle(kWagon, kCamp);
  Handle old = d.world.PlayerPed();
  d.world.BoardVehicle(wagon);
  Handle fresh = d.world.ReplacePlayerPed();
  EXPECT_NE(fresh, old);
  EXPECT_EQ(d.Int(NativeId::PlayerPedId), fresh);
  EXPECT_EQ(d.world.Ped(fresh)->relationshipGroup, JoaatHash("PLAYER"));
  EXPECT_EQ(d.world.Ped(old)->relationshipGroup, JoaatHash("PLAYER"));
  EXPECT_TRUE(d.Bool(NativeId::DoesEntityExist, old));
  EXPECT_EQ(d.Coords(fresh).x, kCamp.x);
  EXPECT_TRUE(InVehicle(d, wagon));
  EXPECT_FALSE(d.Bool(NativeId::IsPedInVehicle, old, wagon, 0));
}

}  // namespace
}  // namespace sim::testing
