// Numbers held across a wait: which calls act through a number with no proof since the
// script's last wait.
#include <gtest/gtest.h>

#include <functional>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

// A small script: a ped and a prompt made and set up in one frame, then, after the frame's
// wait, one of these turns.
TEST(WorldHeldAcrossWait, OnlyAnActWithoutAProofSinceTheWaitCounts) {
  const struct {
    const char* name;
    std::function<void(WorldDriver&, Handle ped, Handle prompt)> afterWait;
    std::vector<NativeId> held;
  } cases[] = {
      {"acts through kept numbers",
       [](WorldDriver& d, Handle ped, Handle prompt) {
         d.Call(NativeId::SetPedKeepTask, ped, 1);
         d.Call(NativeId::PromptSetEnabled, prompt, 1u);
         d.Int(NativeId::BlipAddForEntity, 0x1857A152u, ped);
       },
       {NativeId::SetPedKeepTask, NativeId::PromptSetEnabled, NativeId::BlipAddForEntity}},
      {"reads, and acts after proofs",
       [](WorldDriver& d, Handle ped, Handle prompt) {
         d.Coords(ped);
         d.Bool(NativeId::PromptHasHoldModeCompleted, prompt);
         d.Int(NativeId::GetEntityModel, ped);
         d.Call(NativeId::SetPedKeepTask, ped, 1);
         ASSERT_TRUE(d.Bool(NativeId::PromptIsValid, prompt));
         d.Call(NativeId::PromptSetEnabled, prompt, 1u);
       },
       {}},
      {"an existence test that answers false proves nothing",
       [](WorldDriver& d, Handle ped, Handle) {
         d.world.Vanish(ped);
         ASSERT_FALSE(d.Bool(NativeId::DoesEntityExist, ped));
         Handle variable = ped;
         d.Call(NativeId::DeleteEntity, &variable);
       },
       {NativeId::DeleteEntity}},
      {"the player's ped kept from setup, then read again",
       [](WorldDriver& d, Handle ped, Handle) {
         ASSERT_TRUE(d.Bool(NativeId::DoesEntityExist, ped));
         d.Call(NativeId::TaskTurnPedToFaceEntity, ped, d.world.PlayerPed(), 3000, 0, 0, 0);
         const Handle player = d.Int(NativeId::PlayerPedId);
         d.Call(NativeId::TaskTurnPedToFaceEntity, ped, player, 3000, 0, 0, 0);
       },
       {NativeId::TaskTurnPedToFaceEntity}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WorldDriver d;
    const Handle ped = d.SpawnPed(kCharles, kCamp);
    const Handle prompt = d.Int(NativeId::PromptRegisterBegin);
    d.Call(NativeId::PromptRegisterEnd, prompt);
    d.Call(NativeId::SetPedKeepTask, ped, 1);
    d.Frames(1);  // the frame's own wait
    c.afterWait(d, ped, prompt);
    std::vector<NativeId> held;
    for (const HeldCall& h : d.world.HeldAcrossWait()) held.push_back(h.native);
    EXPECT_EQ(held, c.held);
    EXPECT_EQ(d.world.HeldAcrossWaitCount(), c.held.size());
  }
}

}  // namespace
}  // namespace sim::testing
