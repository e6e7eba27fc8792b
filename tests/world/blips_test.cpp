// Blips, which outlive their entities until the plugin removes them.
#include <gtest/gtest.h>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

TEST(WorldBlips, StayUntilRemovedThroughTheReference) {
  WorldDriver d;
  Handle wagon = d.SpawnVehicle(kWagon, kCamp);
  Handle blip = d.Int(NativeId::BlipAddForEntity, 0x1857A152u, wagon);
  ASSERT_NE(blip, 0);
  d.Call(NativeId::SetBlipSprite, blip, 0x3C5469D5u, 0);
  d.Call(NativeId::SetBlipName, blip, "CR_BLIP_COACH");
  EXPECT_EQ(d.world.Blip(blip)->sprite, 0x3C5469D5u);
  EXPECT_EQ(d.world.Blip(blip)->name, "CR_BLIP_COACH");
  EXPECT_FALSE(d.Bool(NativeId::DoesEntityExist, blip));  // blips are not entities

  Handle variable = wagon;
  d.Call(NativeId::DeleteEntity, &variable);
  EXPECT_TRUE(d.Bool(NativeId::DoesBlipExist, blip));
  EXPECT_EQ(d.world.LiveBlips(), std::vector<Handle>{blip});

  variable = blip;
  d.Call(NativeId::RemoveBlip, &variable);
  EXPECT_EQ(variable, 0);
  EXPECT_FALSE(d.Bool(NativeId::DoesBlipExist, blip));
  EXPECT_TRUE(d.world.LiveBlips().empty());
  EXPECT_EQ(d.Int(NativeId::BlipAddForEntity, 0x1857A152u, wagon), 0);  // gone
}

}  // namespace
}  // namespace sim::testing
