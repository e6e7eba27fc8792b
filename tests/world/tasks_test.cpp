// Tasks moving peds frame by frame.
#include <gtest/gtest.h>

#include "sim/world/geometry.h"
#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

constexpr Vec3 kHere{0.0f, 0.0f, 0.0f};
constexpr Vec3 kTwelveNorth{0.0f, 12.0f, 0.0f};

bool At(WorldDriver& d, Handle ped, Vec3 p) {
  return d.Bool(NativeId::IsEntityAtCoord, ped, p.x, p.y, p.z, 0.01f, 0.01f, 0.01f, 0, 1, 0);
}

void GoTo(WorldDriver& d, Handle ped, Vec3 to, float speed, std::int32_t timeoutMs) {
  d.Call(NativeId::TaskGoToCoord, ped, to.x, to.y, to.z, speed, timeoutMs, 1, 1, 1, 1);
}

// Frames (of 33 ms) a walk of the speed takes over twelve units.
int FramesToArrive(float speed) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kHere);
  GoTo(d, ped, kTwelveNorth, speed, -1);
  int frames = 0;
  while (!d.world.Ped(ped)->task.done && frames < 10000) {
    d.Frames(1);
    ++frames;
  }
  return frames;
}

TEST(WorldTasks, WalkArrivesAtAPaceSetByItsSpeed) {
  int walk = FramesToArrive(1.0f);
  EXPECT_EQ(walk, 304);  // 12 units at 1.2 units a second: 10 s
  EXPECT_LT(FramesToArrive(2.0f), walk);
  EXPECT_EQ(FramesToArrive(10.0f), FramesToArrive(5.0f));  // capped at a run
}

TEST(WorldTasks, WalkFacesItsWayAndStopsAtItsTimeOut) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kHere);
  GoTo(d, ped, Vec3{-12.0f, 0.0f, 0.0f}, 1.0f, 5000);
  d.Frames(400);
  Vec3 at = d.Coords(ped);
  EXPECT_NEAR(at.x, -6.0f, 0.1f);
  EXPECT_NEAR(d.world.Find(ped)->heading, 90.0f, 0.01f);
  EXPECT_TRUE(d.world.Ped(ped)->task.done);
}

TEST(WorldTasks, ScenarioIsUsedAtItsPointForItsDuration) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kHere);
  d.Call(NativeId::TaskStartScenarioAtPosition, ped, JoaatHash("WORLD_CAMP_FIRE_SEATED_GROUND"),
         kTwelveNorth.x, kTwelveNorth.y, kTwelveNorth.z, 192.788f, 3300, 1, false,
         static_cast<const char*>(nullptr), 0.0f, false);
  d.Frames(300);
  EXPECT_FALSE(d.Bool(NativeId::IsPedUsingAnyScenario, ped));  // still walking
  d.Frames(5);
  EXPECT_TRUE(d.Bool(NativeId::IsPedUsingAnyScenario, ped));
  EXPECT_TRUE(At(d, ped, kTwelveNorth));
  EXPECT_EQ(d.world.Find(ped)->heading, 192.788f);
  d.Frames(98);
  EXPECT_TRUE(d.Bool(NativeId::IsPedUsingAnyScenario, ped));
  d.Frames(3);
  EXPECT_FALSE(d.Bool(NativeId::IsPedUsingAnyScenario, ped));
}

TEST(WorldTasks, NewTaskEndsAScenario) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kHere);
  d.Call(NativeId::TaskStartScenarioAtPosition, ped, 1u, 0.0f, 0.0f, 0.0f, 0.0f, -1, 1, false,
         static_cast<const char*>(nullptr), 0.0f, false);
  d.Frames(1000);
  ASSERT_TRUE(d.Bool(NativeId::IsPedUsingAnyScenario, ped));  // -1 lasts until replaced
  GoTo(d, ped, kTwelveNorth, 1.0f, 60000);
  EXPECT_FALSE(d.Bool(NativeId::IsPedUsingAnyScenario, ped));
}

TEST(WorldTasks, WalkEndingAtAScenarioPointUsesIt) {
  WorldDriver d;
  d.world.AddScenarioPoint(kTwelveNorth, 1.5f, JoaatHash("PROP_HUMAN_WOOD_CHOP"));
  Handle ped = d.SpawnPed(kCharles, kHere);
  GoTo(d, ped, Vec3{0.0f, 11.0f, 0.0f}, 5.0f, 120000);
  d.Frames(100);
  EXPECT_TRUE(d.Bool(NativeId::IsPedUsingAnyScenario, ped));
}

TEST(WorldTasks, WanderStaysInItsAreaAndRepeatsForASeed) {
  auto wander = [](std::vector<Vec3>& path) {
    WorldDriver d;
    Handle ped = d.SpawnPed(kCharles, kCamp);
    d.Call(NativeId::TaskWanderInArea, ped, kCamp.x, kCamp.y, kCamp.z, 50.0f, 1.0f, 2.0f, 0);
    for (int i = 0; i < 100; ++i) {
      d.Frames(50);
      path.push_back(d.Coords(ped));
    }
  };
  std::vector<Vec3> first, second;
  wander(first);
  wander(second);
  double farthest = 0.0;
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].x, second[i].x);
    EXPECT_EQ(first[i].y, second[i].y);
    farthest = std::max(farthest, DistanceBetween(first[i], kCamp));
  }
  EXPECT_LE(farthest, 50.0);
  EXPECT_GT(farthest, 5.0);
}

TEST(WorldTasks, TurnFacesTheEntityWithTheGamesHeadings) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kHere);
  Handle other = d.SpawnPed(kCharles, Vec3{-5.0f, 0.0f, 0.0f});
  auto face = [&] {
    d.Call(NativeId::TaskTurnPedToFaceEntity, ped, other, 10000, 0, 0, 0);
    return d.world.Find(ped)->heading;
  };
  EXPECT_NEAR(face(), 90.0f, 0.05f);  // west
  other = d.world.PlayerPed();
  d.world.TeleportPlayer(Vec3{3.0f, -3.0f, 0.0f});
  EXPECT_NEAR(face(), 225.0f, 0.05f);  // south-east
  d.world.TeleportPlayer(Vec3{0.0f, 4.0f, 0.0f});
  d.Frames(1);
  EXPECT_NEAR(d.world.Find(ped)->heading, 0.0f, 0.05f);  // keeps facing as it moves
}

TEST(WorldTasks, DeadPedsStayPut) {
  WorldDriver d;
  Handle ped = d.SpawnPed(kCharles, kHere);
  GoTo(d, ped, kTwelveNorth, 1.0f, -1);
  d.Frames(10);
  d.world.Kill(ped);
  Vec3 before = d.Coords(ped);
  GoTo(d, ped, kTwelveNorth, 1.0f, -1);
  d.Frames(100);
  EXPECT_EQ(d.Coords(ped).y, before.y);
}

}  // namespace
}  // namespace sim::testing
