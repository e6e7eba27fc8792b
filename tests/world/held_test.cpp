// Numbers held across a wait: which calls act through a number with no proof since the
// script's last wait.
#include <gtest/gtest.h>

#include <functional>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

// A small script's turn after its setup: the frame's wait has passed unless it says not.
struct HeldCase {
  const char* name;
  std::function<void(WorldDriver&, Handle ped, Handle prompt)> afterWait;
  std::uint64_t held;
  NativeId firstHeld = NativeId::Count;
};

void Task(WorldDriver& d, Handle ped) { d.Call(NativeId::SetPedKeepTask, ped, 1); }

TEST(WorldHeldAcrossWait, OnlyAnActWithoutAProofSinceTheWaitCounts) {
  const HeldCase cases[] = {
      {"a task through the kept number", [](WorldDriver& d, Handle ped, Handle) { Task(d, ped); },
       1, NativeId::SetPedKeepTask},
      {"reads do not count",
       [](WorldDriver& d, Handle ped, Handle prompt) {
         d.Coords(ped);
         d.Bool(NativeId::IsPedDeadOrDying, ped, 1);
         d.Bool(NativeId::PromptHasHoldModeCompleted, prompt);
       },
       0},
      {"an existence test that answers true proves it",
       [](WorldDriver& d, Handle ped, Handle) {
         ASSERT_TRUE(d.Bool(NativeId::DoesEntityExist, ped));
         Task(d, ped);
       },
       0},
      {"one that answers false does not",
       [](WorldDriver& d, Handle ped, Handle) {
         d.world.Vanish(ped);
         ASSERT_FALSE(d.Bool(NativeId::DoesEntityExist, ped));
         Task(d, ped);
       },
       1, NativeId::SetPedKeepTask},
      {"reading its model proves it",
       [](WorldDriver& d, Handle ped, Handle) {
         d.Int(NativeId::GetEntityModel, ped);
         d.Call(NativeId::SetPedConfigFlag, ped, 130, 1);
       },
       0},
      {"a proof of one number proves no other",
       [](WorldDriver& d, Handle ped, Handle) {
         d.Int(NativeId::GetEntityModel, d.world.PlayerPed());
         Task(d, ped);
       },
       1, NativeId::SetPedKeepTask},
      {"a kept prompt, then one proved valid",
       [](WorldDriver& d, Handle, Handle prompt) {
         d.Call(NativeId::PromptSetEnabled, prompt, 1u);
         ASSERT_TRUE(d.Bool(NativeId::PromptIsValid, prompt));
         d.Call(NativeId::PromptSetVisible, prompt, 0);
       },
       1, NativeId::PromptSetEnabled},
      {"the player's ped kept from setup, then read again",
       [](WorldDriver& d, Handle ped, Handle) {
         const Handle kept = d.world.PlayerPed();
         ASSERT_TRUE(d.Bool(NativeId::DoesEntityExist, ped));
         d.Call(NativeId::TaskTurnPedToFaceEntity, ped, kept, 3000, 0, 0, 0);
         const Handle player = d.Int(NativeId::PlayerPedId);
         d.Call(NativeId::TaskTurnPedToFaceEntity, ped, player, 3000, 0, 0, 0);
       },
       1, NativeId::TaskTurnPedToFaceEntity},
      {"a deletion and a blip through kept numbers",
       [](WorldDriver& d, Handle ped, Handle) {
         d.Int(NativeId::BlipAddForEntity, 0x1857A152u, ped);
         Handle variable = ped;
         d.Call(NativeId::DeleteEntity, &variable);
       },
       2, NativeId::BlipAddForEntity},
      {"within the frame that made them, nothing",
       [](WorldDriver& d, Handle, Handle) {
         const Handle wagon = d.SpawnVehicle(kWagon, kCamp);  // polls with waits, then makes
         d.Call(NativeId::AddPropsetToVehicle, wagon, 0x1u);
         d.Int(NativeId::BlipAddForEntity, 0x1857A152u, wagon);
       },
       0},
  };
  for (const HeldCase& c : cases) {
    SCOPED_TRACE(c.name);
    WorldDriver d;
    const Handle ped = d.SpawnPed(kCharles, kCamp);
    const Handle prompt = d.Int(NativeId::PromptRegisterBegin);
    d.Call(NativeId::PromptRegisterEnd, prompt);
    Task(d, ped);  // in the frame that made it
    ASSERT_EQ(d.world.HeldAcrossWaitCount(), 0u);
    d.Frames(1);  // the frame's own wait
    c.afterWait(d, ped, prompt);
    EXPECT_EQ(d.world.HeldAcrossWaitCount(), c.held);
    ASSERT_EQ(d.world.HeldAcrossWait().size(), c.held);
    if (c.held > 0) {
      EXPECT_EQ(d.world.HeldAcrossWait()[0].native, c.firstHeld);
    }
  }
}

}  // namespace
}  // namespace sim::testing
