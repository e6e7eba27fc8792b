// Prompts: registration, and the hold that completes only on the targeted entity's group.
#include <gtest/gtest.h>

#include "tests/world/world_driver.h"

namespace sim::testing {
namespace {

const std::uint32_t kTalkControl = JoaatHash("INPUT_CONTEXT_A");

// The registration order the conversations use.
Handle Register(WorldDriver& d, Handle target, const char* label, std::uint32_t control) {
  std::int32_t group = d.Int(NativeId::PromptGetGroupIdForTargetEntity, target);
  Handle prompt = d.Int(NativeId::PromptRegisterBegin);
  d.Call(NativeId::PromptSetGroup, prompt, group, 0);
  d.Call(NativeId::PromptSetOption, prompt, 0);
  NativeCall text = d.Call(NativeId::CreateVarString, 10, "LITERAL_STRING", label);
  d.Call(NativeId::PromptSetText, prompt, text.result[0]);
  d.Call(NativeId::PromptSetControlAction, prompt, control);
  d.Call(NativeId::PromptSetPriority, prompt, 3);
  d.Call(NativeId::PromptSetHoldMode, prompt, 700);
  d.Call(NativeId::PromptSetEnabled, prompt, 1);
  d.Call(NativeId::PromptSetVisible, prompt, 1);
  d.Call(NativeId::PromptRegisterEnd, prompt);
  return prompt;
}

class WorldPrompts : public ::testing::Test {
 protected:
  bool Completed(Handle prompt) { return d.Bool(NativeId::PromptHasHoldModeCompleted, prompt); }

  WorldDriver d;
  Handle charles = d.SpawnPed(kCharles, kCamp);
  Handle talk = Register(d, charles, "Talk", kTalkControl);
};

TEST_F(WorldPrompts, RegistrationIsRecorded) {
  const PromptInfo* p = d.world.Prompt(talk);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->label, "Talk");
  EXPECT_EQ(p->control, kTalkControl);
  EXPECT_EQ(p->priority, 3);
  EXPECT_EQ(p->holdMs, 700);
  EXPECT_EQ(p->group, d.Int(NativeId::PromptGetGroupIdForTargetEntity, charles));
  EXPECT_NE(p->group, 0);
  EXPECT_TRUE(d.Bool(NativeId::PromptIsValid, talk));
  EXPECT_EQ(d.world.LivePrompts(), std::vector<Handle>{talk});
  EXPECT_EQ(d.Int(NativeId::PromptGetGroupIdForTargetEntity, 0), 0);
}

TEST_F(WorldPrompts, HoldCompletesAfterItsTimeOnTheTargetedEntity) {
  d.world.LockOn(charles);
  d.world.HoldControl(kTalkControl);
  d.Frames(21);  // 693 ms
  EXPECT_FALSE(Completed(talk));
  d.Frames(1);
  EXPECT_TRUE(Completed(talk));
}

TEST_F(WorldPrompts, HoldNeedsTheGroupOfTheTarget) {
  Handle other = d.SpawnPed(kCharles, kCamp);
  d.world.HoldControl(kTalkControl);
  d.Frames(30);
  EXPECT_FALSE(Completed(talk));  // nothing targeted
  d.world.LockOn(other);
  d.Frames(30);
  EXPECT_FALSE(Completed(talk));
  d.world.HoldControl(JoaatHash("INPUT_CONTEXT_Y"));
  d.world.ReleaseControl(kTalkControl);
  d.world.LockOn(charles);
  d.Frames(30);
  EXPECT_FALSE(Completed(talk));  // another control
}

TEST_F(WorldPrompts, DisablingOrReleasingClearsTheHold) {
  d.world.LockOn(charles);
  d.world.HoldControl(kTalkControl);
  d.Frames(22);
  ASSERT_TRUE(Completed(talk));
  d.Call(NativeId::PromptSetEnabled, talk, 0);
  EXPECT_FALSE(Completed(talk));
  d.Frames(30);
  EXPECT_FALSE(Completed(talk));
  d.Call(NativeId::PromptSetEnabled, talk, 1);
  d.Frames(15);
  d.world.ReleaseControl(kTalkControl);
  d.world.HoldControl(kTalkControl);
  d.Frames(15);
  EXPECT_FALSE(Completed(talk));  // progress started again at the release
  d.Frames(7);
  EXPECT_TRUE(Completed(talk));
  d.world.ReleaseControl(kTalkControl);
  EXPECT_FALSE(Completed(talk));
}

// A press for a set time counts to the millisecond: the part of its last frame too. The
// completion it reaches there is still there for the script's next frame.
TEST_F(WorldPrompts, ATimedPressCompletesToTheMillisecondAndIsSeenOnce) {
  d.world.LockOn(charles);
  d.world.PressControl(kTalkControl, 701);
  d.Frames(21);  // 693 ms
  EXPECT_FALSE(Completed(talk));
  d.Frames(1);  // 8 ms of the frame held
  EXPECT_TRUE(Completed(talk));
  d.Frames(1);
  EXPECT_FALSE(Completed(talk)) << "the control is up: the hold clears";

  d.world.PressControl(kTalkControl, 700);
  d.Frames(22);
  EXPECT_TRUE(Completed(talk));
  d.Frames(1);

  d.world.PressControl(kTalkControl, 699);
  d.Frames(22);
  EXPECT_FALSE(Completed(talk));
  d.Frames(10);
  EXPECT_FALSE(Completed(talk));
}

TEST_F(WorldPrompts, ReleasingEndsATimedPressAtOnce) {
  d.world.LockOn(charles);
  d.world.PressControl(kTalkControl, 5000);
  d.Frames(22);
  ASSERT_TRUE(Completed(talk));
  d.world.ReleaseControl(kTalkControl);
  EXPECT_FALSE(Completed(talk));
  d.Frames(30);
  EXPECT_FALSE(Completed(talk));
}

TEST_F(WorldPrompts, HiddenPromptNeverCompletes) {
  d.Call(NativeId::PromptSetVisible, talk, 0);
  d.world.LockOn(charles);
  d.world.HoldControl(kTalkControl);
  d.Frames(40);
  EXPECT_FALSE(Completed(talk));
}

TEST_F(WorldPrompts, DeletedAndDroppedPromptsAreInvalid) {
  Handle guard = Register(d, charles, "Guard", JoaatHash("INPUT_CONTEXT_Y"));
  d.Call(NativeId::PromptDelete, talk);
  d.world.DropPrompt(guard);
  EXPECT_FALSE(d.Bool(NativeId::PromptIsValid, talk));
  EXPECT_FALSE(d.Bool(NativeId::PromptIsValid, guard));
  EXPECT_TRUE(d.world.LivePrompts().empty());
  EXPECT_EQ(d.world.Prompt(talk), nullptr);
}

}  // namespace
}  // namespace sim::testing
