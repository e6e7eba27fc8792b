// Mission entities: whose each entity is, what DeleteEntity removes, and the claim.
#include <gtest/gtest.h>

#include <functional>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

Handle DeleteThrough(WorldDriver& d, Handle entity) {
  Handle variable = entity;
  d.Call(NativeId::DeleteEntity, &variable);
  return variable;
}

struct OwnershipCase {
  const char* name;
  std::function<Handle(WorldDriver&)> entity;
  bool missionEntity;
  bool ours;
  bool removed;  // by the plugin's DeleteEntity
  std::optional<Owner> unownedFinding;
};

TEST(WorldOwnership, WhoseEachEntityIsDecidesWhatDeleteEntityRemoves) {
  const OwnershipCase cases[] = {
      {"made by the plugin", [](WorldDriver& d) { return d.SpawnPed(kCharles, kCamp); }, true, true,
       true, std::nullopt},
      {"released by the plugin",
       [](WorldDriver& d) {
         Handle ped = d.SpawnPed(kCharles, kCamp);
         Handle variable = ped;
         d.Call(NativeId::DismissPed, &variable);
         return ped;
       },
       false, false, false, Owner::Nobody},
      {"released, then claimed again",
       [](WorldDriver& d) {
         Handle wagon = d.SpawnVehicle(kWagon, kCamp);
         Handle variable = wagon;
         d.Call(NativeId::DeleteVehicle, &variable);
         d.Call(NativeId::SetEntityAsMissionEntity, wagon, 1u, 1u);
         return wagon;
       },
       true, true, true, std::nullopt},
      {"another script's",
       [](WorldDriver& d) { return d.world.OtherScriptMakes(ForeignKind::Ped, kCharles, kCamp); },
       true, false, false, Owner::OtherScript},
      {"another script's, claimed",
       [](WorldDriver& d) {
         Handle ped = d.world.OtherScriptMakes(ForeignKind::Ped, kCharles, kCamp);
         d.Call(NativeId::SetEntityAsMissionEntity, ped, 1u, 1u);
         return ped;
       },
       true, true, true, std::nullopt},
      {"the player's ped", [](WorldDriver& d) { return d.world.PlayerPed(); }, false, false, false,
       Owner::Nobody},
  };
  for (const OwnershipCase& c : cases) {
    SCOPED_TRACE(c.name);
    WorldDriver d;
    const Handle entity = c.entity(d);
    ASSERT_NE(entity, 0);
    EXPECT_EQ(d.Bool(NativeId::IsEntityAMissionEntity, entity), c.missionEntity);
    EXPECT_EQ(d.Bool(NativeId::DoesEntityBelongToThisScript, entity, 1u), c.ours);
    EXPECT_EQ(DeleteThrough(d, entity), 0);  // zeroed whether or not anything went
    EXPECT_EQ(d.world.Find(entity) == nullptr, c.removed);
    if (c.unownedFinding) {
      ASSERT_EQ(d.world.UnownedDeletions().size(), 1u);
      EXPECT_EQ(d.world.UnownedDeletions()[0].handle, entity);
      EXPECT_EQ(d.world.UnownedDeletions()[0].owner, *c.unownedFinding);
    } else {
      EXPECT_TRUE(d.world.UnownedDeletions().empty());
    }
  }
}

TEST(WorldOwnership, ClaimingAnotherScriptsEntityTouchesIt) {
  WorldDriver d;
  Handle ped = d.world.OtherScriptMakes(ForeignKind::Ped, kCharles, kCamp);
  d.Call(NativeId::SetEntityAsMissionEntity, ped, 1u, 1u);
  ASSERT_EQ(d.world.HandleFindings().size(), 1u);
  EXPECT_EQ(d.world.HandleFindings()[0].native, NativeId::SetEntityAsMissionEntity);
  EXPECT_TRUE(d.world.HandleFindings()[0].foreign);
  // Nothing of the game's own tells the claim apart from the plugin's own ped afterwards.
  EXPECT_TRUE(d.Bool(NativeId::DoesEntityBelongToThisScript, ped, 1u));
}

TEST(WorldOwnership, AnUnownedDeleteMayReleaseInstead) {
  WorldSettings settings;
  settings.unownedDeleteReleases = true;
  WorldDriver d(settings);
  Handle ped = d.world.OtherScriptMakes(ForeignKind::Ped, kCharles, kCamp);
  DeleteThrough(d, ped);
  ASSERT_NE(d.world.Find(ped), nullptr);  // still there
  EXPECT_FALSE(d.Bool(NativeId::IsEntityAMissionEntity, ped));
  d.world.TeleportPlayer(Vec3{kCamp.x + 1000.0f, kCamp.y, kCamp.z});
  d.Frames(1);
  EXPECT_EQ(d.world.Find(ped), nullptr);  // cleared once the player is far
}

TEST(WorldBlips, GoWithTheirEntityOnlyWhenTheWorldIsSetSo) {
  for (const bool goes : {false, true}) {
    SCOPED_TRACE(goes ? "the blip goes with its entity" : "the blip stays");
    WorldSettings settings;
    settings.blipGoesWithEntity = goes;
    WorldDriver d(settings);
    Handle wagon = d.SpawnVehicle(kWagon, kCamp);
    Handle other = d.SpawnVehicle(kWagon, kCamp);
    Handle blip = d.Int(NativeId::BlipAddForEntity, 0x1857A152u, wagon);
    Handle kept = d.Int(NativeId::BlipAddForEntity, 0x1857A152u, other);
    d.world.Vanish(wagon);
    EXPECT_EQ(d.Bool(NativeId::DoesBlipExist, blip), !goes);
    EXPECT_TRUE(d.Bool(NativeId::DoesBlipExist, kept));
  }
}

TEST(WorldPromptDrops, TheGameDropsOneOfThePluginsPromptsAtItsRate) {
  WorldSettings settings;
  settings.promptDropEveryMs = 1000;
  WorldDriver d(settings);
  const Handle foreign = d.world.OtherScriptMakes(ForeignKind::Prompt, 0, kCamp);
  const Handle first = d.Int(NativeId::PromptRegisterBegin);
  const Handle second = d.Int(NativeId::PromptRegisterBegin);
  d.Call(NativeId::PromptRegisterEnd, first);
  d.Call(NativeId::PromptRegisterEnd, second);
  ASSERT_TRUE(d.Bool(NativeId::PromptIsValid, first));
  d.Frames(30);  // 990 ms
  EXPECT_EQ(d.world.LivePrompts().size(), 3u);
  d.Frames(1);
  const std::vector<Handle> live = d.world.LivePrompts();
  ASSERT_EQ(live.size(), 2u);
  EXPECT_NE(std::find(live.begin(), live.end(), foreign), live.end());  // never another's
  d.Frames(31);
  EXPECT_EQ(d.world.LivePrompts(), std::vector<Handle>{foreign});
  EXPECT_FALSE(d.Bool(NativeId::PromptIsValid, first));
  EXPECT_FALSE(d.Bool(NativeId::PromptIsValid, second));
}

TEST(WorldLoading, APropSetRequestIsTrackedUntilReleased) {
  const std::uint32_t tent = JoaatHash("pg_ambient_campfire05x_tent");
  for (const bool tracked : {false, true}) {
    SCOPED_TRACE(tracked ? "tracked" : "not tracked");
    WorldSettings settings;
    settings.trackPropsetRequests = tracked;
    WorldDriver d(settings);
    d.Call(NativeId::RequestPropset, tent);
    while (!d.Bool(NativeId::HasPropsetLoaded, tent)) d.Frames(1);
    ASSERT_NE(d.Int(NativeId::CreatePropset, tent, 1.0f, 2.0f, 3.0f, 1, 0.0f, 0.0f, 1, 1), 0);
    EXPECT_EQ(d.world.UnreleasedRequests(),
              tracked ? std::vector<std::uint32_t>{tent} : std::vector<std::uint32_t>{});
    EXPECT_TRUE(d.Bool(NativeId::ReleasePropset, tent));
    EXPECT_FALSE(d.Bool(NativeId::ReleasePropset, tent));  // nothing left to release
    EXPECT_TRUE(d.world.UnreleasedRequests().empty());
  }
}

}  // namespace
}  // namespace sim::testing
