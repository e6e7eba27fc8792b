// The clock, the random draws, name hashes and distances.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

TEST(WorldClock, AdvancesByFrameAndWrapsPastTwoToTheThirtyOne) {
  WorldSettings settings;
  settings.startClock = std::numeric_limits<std::int32_t>::max() - 10;
  settings.frameMs = 33;
  WorldDriver d(settings);
  EXPECT_EQ(d.Int(NativeId::GetGameTimer), settings.startClock);
  d.Frames(1);
  EXPECT_EQ(d.world.Clock(), std::numeric_limits<std::int32_t>::min() + 22);
  EXPECT_EQ(d.Int(NativeId::GetGameTimer), d.world.Clock());
  EXPECT_EQ(d.world.ElapsedMs(), 33);
}

TEST(WorldRandom, SameSeedGivesSameDrawsAndOtherSeedsDiffer) {
  WorldSettings other;
  other.seed = 2;
  WorldDriver a, b, c(other);
  int differences = 0;
  for (int i = 0; i < 50; ++i) {
    std::int32_t drawn = a.Int(NativeId::GetRandomIntInRange, 0, 1000000);
    EXPECT_EQ(drawn, b.Int(NativeId::GetRandomIntInRange, 0, 1000000));
    differences += drawn != c.Int(NativeId::GetRandomIntInRange, 0, 1000000);
  }
  EXPECT_GT(differences, 40);
}

TEST(WorldRandom, DrawsFromLoUpToHiMinusOne) {
  WorldDriver d;
  bool seen[7] = {};
  for (int i = 0; i < 500; ++i) {
    std::int32_t v = d.Int(NativeId::GetRandomIntInRange, 1, 6);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 5);
    seen[v] = true;
  }
  for (int v = 1; v <= 5; ++v) EXPECT_TRUE(seen[v]) << v;
  EXPECT_EQ(d.Int(NativeId::GetRandomIntInRange, 2, 3), 2);
  EXPECT_EQ(d.Int(NativeId::GetRandomIntInRange, -5, -4), -5);
  EXPECT_EQ(d.Int(NativeId::GetRandomIntInRange, 7, 7), 7);
  EXPECT_EQ(d.Int(NativeId::GetRandomIntInRange, 9, 3), 9);
}

// The game's own choices must not shift the plugin's variations.
TEST(WorldRandom, WanderingDoesNotShiftThePluginsDraws) {
  WorldDriver quiet, busy;
  Handle ped = busy.SpawnPed(kCharles, kCamp);
  quiet.LoadModel(kCharles);  // same frames on both sides
  busy.Call(NativeId::TaskWanderInArea, ped, kCamp.x, kCamp.y, kCamp.z, 50.0f, 1.0f, 0.0f, 0);
  quiet.Frames(300);
  busy.Frames(300);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(quiet.Int(NativeId::GetRandomIntInRange, 0, 1000),
              busy.Int(NativeId::GetRandomIntInRange, 0, 1000));
  }
}

TEST(WorldHash, MatchesTheGamesModelHashesAndIgnoresCase) {
  EXPECT_EQ(JoaatHash("cs_charlessmith"), 0x53DD98DFu);
  EXPECT_EQ(JoaatHash("cs_mrsadler"), 0x155E51DBu);
  EXPECT_EQ(JoaatHash("cs_karen"), 0x9A3E29FBu);
  EXPECT_EQ(JoaatHash("REL_GANG_DUTCHS"), JoaatHash("rel_gang_dutchs"));
  EXPECT_NE(JoaatHash("REL_GANG_DUTCHS"), JoaatHash("REL_PLAYER_LIKE"));
  WorldDriver d;
  EXPECT_EQ(static_cast<std::uint32_t>(d.Int(NativeId::GetHashKey, "cs_Karen")), 0x9A3E29FBu);
}

TEST(WorldDistance, IsThreeDimensionalUnlessFlatIsAsked) {
  WorldDriver d;
  EXPECT_EQ(d.Float(NativeId::GetDistanceBetweenCoords, 1.0f, 1.0f, 1.0f, 3.0f, 4.0f, 7.0f, 1),
            7.0f);
  EXPECT_EQ(d.Float(NativeId::GetDistanceBetweenCoords, 0.0f, 0.0f, 0.0f, 3.0f, 4.0f, 9.0f, 0),
            5.0f);
  EXPECT_EQ(d.Float(NativeId::GetDistanceBetweenCoords, -1652.328f, -1347.401f, 83.069f, -1452.328f,
                    -1347.401f, 83.069f, 1),
            200.0f);
}

}  // namespace
}  // namespace sim::testing
