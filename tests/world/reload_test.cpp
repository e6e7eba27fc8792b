// A reload of the game as the world sees it: everything scripts made goes, the player has
// a new ped, and time and chance go on.
#include <gtest/gtest.h>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

TEST(WorldReload, EverythingScriptsMadeIsGoneAndNoOldHandleComesBack) {
  WorldDriver d;
  const Handle ped = d.SpawnPed(kCharles, kCamp);
  const Handle wagon = d.SpawnVehicle(kWagon, kCamp);
  const Handle blip = d.Int(NativeId::BlipAddForEntity, 0x1857A152u, wagon);
  const Handle prompt = d.Int(NativeId::PromptRegisterBegin);
  d.Call(NativeId::PromptRegisterEnd, prompt);
  const Handle oldPlayer = d.world.PlayerPed();
  d.world.TeleportPlayer(kCamp);
  d.world.LockOn(ped);
  d.world.HoldControl(JoaatHash("INPUT_CONTEXT_A"));
  d.Frames(3);
  const std::int32_t clock = d.world.Clock();
  const RandomStreams streams = d.world.Streams();

  d.world.Reload();
  EXPECT_EQ(d.world.Clock(), clock);
  EXPECT_EQ(d.world.Streams().script, streams.script);
  for (Handle h : {ped, wagon, oldPlayer}) {
    EXPECT_FALSE(d.Bool(NativeId::DoesEntityExist, h)) << h;
  }
  EXPECT_FALSE(d.Bool(NativeId::DoesBlipExist, blip));
  EXPECT_FALSE(d.Bool(NativeId::PromptIsValid, prompt));
  EXPECT_EQ(d.world.LockOnTarget(), 0);
  EXPECT_FALSE(d.world.UnreleasedRequests().size() > 0);

  const Handle player = d.world.PlayerPed();
  EXPECT_GT(player, prompt) << "handles go on from the counter";
  EXPECT_EQ(d.Int(NativeId::PlayerPedId), player);
  EXPECT_EQ(d.world.Entities().size(), 1u);
  EXPECT_EQ(d.world.PlayerPosition().x, kCamp.x) << "where the old ped stood";
  EXPECT_GT(d.SpawnPed(kCharles, kCamp), player);
}

TEST(WorldReload, PutsThePlayerWhereTheReloadSaysAndLoadsStartOver) {
  WorldDriver d;
  d.Call(NativeId::RequestModel, kCharles, 1);
  for (int i = 0; i < 5; ++i) d.Bool(NativeId::HasModelLoaded, kCharles);
  ASSERT_TRUE(d.Bool(NativeId::HasModelLoaded, kCharles));
  const Vec3 there{100.0f, 200.0f, 30.0f};
  d.world.Reload(there);
  EXPECT_EQ(d.world.PlayerPosition().x, there.x);
  EXPECT_EQ(d.world.PlayerPosition().y, there.y);
  EXPECT_FALSE(d.Bool(NativeId::HasModelLoaded, kCharles)) << "streaming starts over";
}

TEST(WorldReload, AWorldGivenTheSameStreamsDrawsTheSame) {
  WorldDriver a;
  for (int i = 0; i < 7; ++i) a.Int(NativeId::GetRandomIntInRange, 0, 1000);
  WorldDriver b;
  b.world.SetStreams(a.world.Streams());
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(a.Int(NativeId::GetRandomIntInRange, 0, 1000),
              b.Int(NativeId::GetRandomIntInRange, 0, 1000));
  }
}

}  // namespace
}  // namespace sim::testing
