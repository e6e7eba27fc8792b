// Mission entities, what DeleteEntity removes, and the settings of what the game may do on
// its own: blips, prompts, prop set requests, the player's number through a reload.
#include <gtest/gtest.h>

#include <functional>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

Handle Released(WorldDriver& d, Handle entity, NativeId release) {
  Handle variable = entity;
  d.Call(release, &variable);
  return entity;
}

Handle OtherScriptsPed(WorldDriver& d) {
  return d.world.OtherScriptMakes(ForeignKind::Ped, kCharles, kCamp);
}

TEST(WorldOwnership, WhoseEachEntityIsDecidesWhatDeleteEntityRemoves) {
  const struct {
    const char* name;
    std::function<Handle(WorldDriver&)> entity;
    bool missionEntity, ours, removed, othersTouched;
  } cases[] = {
      {"made", [](WorldDriver& d) { return d.SpawnPed(kCharles, kCamp); }, true, true, true, false},
      {"released",
       [](WorldDriver& d) {
         return Released(d, d.SpawnPed(kCharles, kCamp), NativeId::DismissPed);
       },
       false, false, false, false},
      {"released, claimed again",
       [](WorldDriver& d) {
         Handle wagon = Released(d, d.SpawnVehicle(kWagon, kCamp), NativeId::DeleteVehicle);
         d.Call(NativeId::SetEntityAsMissionEntity, wagon, 1u, 1u);
         return wagon;
       },
       true, true, true, false},
      {"another script's", OtherScriptsPed, true, false, false, true},
      {"another script's, claimed",
       [](WorldDriver& d) {
         Handle ped = OtherScriptsPed(d);
         d.Call(NativeId::SetEntityAsMissionEntity, ped, 1u, 1u);
         return ped;
       },
       true, true, true, true},
      {"the player's ped", [](WorldDriver& d) { return d.world.PlayerPed(); }, false, false, false,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WorldDriver d;
    const Handle entity = c.entity(d);
    EXPECT_EQ(d.Bool(NativeId::IsEntityAMissionEntity, entity), c.missionEntity);
    EXPECT_EQ(d.Bool(NativeId::DoesEntityBelongToThisScript, entity, 1u), c.ours);
    Handle variable = entity;
    d.Call(NativeId::DeleteEntity, &variable);
    EXPECT_EQ(variable, 0);  // zeroed whether or not anything went
    EXPECT_EQ(d.world.Find(entity) == nullptr, c.removed);
    EXPECT_EQ(d.world.UnownedDeletions().size(), c.removed ? 0u : 1u);
    EXPECT_EQ(!d.world.HandleFindings().empty(), c.othersTouched);
  }
}

TEST(WorldOwnership, AnUnownedDeleteMayReleaseInstead) {
  WorldDriver d(WorldSettings{.unownedDeleteReleases = true});
  Handle ped = OtherScriptsPed(d);
  Handle variable = ped;
  d.Call(NativeId::DeleteEntity, &variable);
  EXPECT_FALSE(d.Bool(NativeId::IsEntityAMissionEntity, ped));
  d.world.TeleportPlayer(Vec3{kCamp.x + 1000.0f, kCamp.y, kCamp.z});
  d.Frames(1);
  EXPECT_EQ(d.world.Find(ped), nullptr);  // cleared once the player is far
}

TEST(WorldSettingsOfTheGame, BlipsPromptsAndPropSetRequests) {
  for (const bool on : {false, true}) {
    SCOPED_TRACE(on ? "on" : "off");
    const std::uint32_t tent = JoaatHash("pg_ambient_campfire05x_tent");
    WorldDriver d(WorldSettings{.blipGoesWithEntity = on,
                                .promptDropEveryMs = on ? 1000 : 0,
                                .trackPropsetRequests = on,
                                .reloadKeepsPlayerNumber = on});
    const Handle wagon = d.SpawnVehicle(kWagon, kCamp);
    d.Int(NativeId::BlipAddForEntity, 0x1857A152u, wagon);
    const Handle foreign = d.world.OtherScriptMakes(ForeignKind::Prompt, 0, kCamp);
    const Handle own = d.Int(NativeId::PromptRegisterBegin);
    d.Call(NativeId::RequestPropset, tent);
    d.world.Vanish(wagon);
    EXPECT_EQ(d.world.LiveBlips().empty(), on);
    d.Frames(31);  // a second: one prompt dropped, never another script's
    const std::vector<Handle> dropped{foreign};
    const std::vector<Handle> kept{foreign, own};
    EXPECT_EQ(d.world.LivePrompts(), on ? dropped : kept);
    EXPECT_EQ(d.world.UnreleasedRequests().size(), on ? 2u : 1u);  // the wagon's model too
    EXPECT_EQ(d.Bool(NativeId::ReleasePropset, tent), true);
    EXPECT_EQ(d.Bool(NativeId::ReleasePropset, tent), false);  // nothing left to release
    EXPECT_EQ(d.world.UnreleasedRequests().size(), 1u);
    const Handle player = d.world.PlayerPed();
    d.world.Reload();
    EXPECT_EQ(d.world.PlayerPed() == player, on);
  }
}

}  // namespace
}  // namespace sim::testing
