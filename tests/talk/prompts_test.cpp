// The conversation prompts while the player locks on to Charles, Sadie or Karen: when they
// are made, how each is registered, and when they go again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "talk/talk_fixture.h"

namespace campfire_test {
namespace {

using sim::Event;
using sim::Handle;
using sim::NativeId;

std::vector<std::string> BlockLabels(const ConversingCompanion& companion) {
  std::vector<std::string> labels;
  for (const ExpectedBlock& block : companion.blocks) labels.emplace_back(block.prompt.label);
  return labels;
}

// Arguments of every call of `id` from `from` on, the first argument only.
std::vector<std::int64_t> FirstArgs(const sim::Recorder& recorder, NativeId id, std::size_t from) {
  std::vector<std::int64_t> args;
  const auto& events = recorder.Events();
  for (std::size_t i = from; i < events.size(); ++i) {
    if (!events[i].isWait && events[i].id == id) args.push_back(events[i].args[0].i);
  }
  return args;
}

std::size_t CountCalls(const sim::Recorder& recorder, NativeId id, std::size_t from) {
  const auto& events = recorder.Events();
  return static_cast<std::size_t>(
      std::count_if(events.begin() + static_cast<std::ptrdiff_t>(from), events.end(),
                    [id](const Event& e) { return !e.isWait && e.id == id; }));
}

int TurnsOf(const sim::Recorder& recorder, Handle ped, std::size_t from) {
  const auto turns = FirstArgs(recorder, NativeId::TaskTurnPedToFaceEntity, from);
  return static_cast<int>(std::count(turns.begin(), turns.end(), ped));
}

class CompanionPrompts : public ::testing::TestWithParam<const ConversingCompanion*> {};

INSTANTIATE_TEST_SUITE_P(Talk, CompanionPrompts, ::testing::ValuesIn(kConversingCompanions),
                         [](const auto& p) { return std::string(p.param->name); });

TEST_P(CompanionPrompts, LockingOnRegistersTheFourPromptsInBlockOrderAndTurnsTheCompanion) {
  const ConversingCompanion& companion = *GetParam();
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  const Handle ped = scene.PedOf(companion);
  const Handle player = scene.world().PlayerPed();
  const std::size_t from = scene.recorder().Size();
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(companion));
  ASSERT_FALSE(scene.sim().Failed()) << scene.sim().Error();

  const auto& events = scene.recorder().Events();
  auto turn = std::find_if(
      events.begin() + static_cast<std::ptrdiff_t>(from), events.end(), [&](const Event& e) {
        return !e.isWait && e.id == NativeId::TaskTurnPedToFaceEntity && e.args[0].i == ped;
      });
  ASSERT_NE(turn, events.end()) << companion.name << " was not turned to the player";
  std::size_t at = static_cast<std::size_t>(turn - events.begin());
  ASSERT_GE(at, from + 8);
  at -= 8;
  // Each call is checked for its native and its leading numeric arguments; one out of
  // place is reported and read as a blank, so that reading goes on safely.
  Event blank;
  blank.args.resize(16);
  auto call = [&](NativeId id, std::vector<std::int64_t> ints = {}) -> const Event& {
    const std::string expected(sim::SignatureOf(id).name);
    if (at >= events.size() || events[at].isWait || events[at].id != id) {
      ADD_FAILURE() << "call " << at << " is "
                    << (at < events.size() ? events[at].Name() : "missing") << ", expected "
                    << expected;
      ++at;
      return blank;
    }
    const Event& e = events[at++];
    for (std::size_t i = 0; i < ints.size(); ++i) {
      EXPECT_EQ(e.args[i].i, ints[i]) << expected << " argument " << i;
    }
    return e;
  };

  const std::int64_t playerIndex = call(NativeId::PlayerId).ResultInt();
  EXPECT_EQ(call(NativeId::PlayerPedId).ResultInt(), player);
  call(NativeId::IsPlayerTargetingAnything, {playerIndex});
  call(NativeId::GetPlayerTargetEntity, {playerIndex});
  call(NativeId::GetEntityModel, {ped});
  call(NativeId::IsEntityDead, {ped});
  call(NativeId::IsPedDeadOrDying, {ped, 1});
  // Its number could since have gone to another script's ped of the same model.
  call(NativeId::DoesEntityBelongToThisScript, {ped});
  call(NativeId::TaskTurnPedToFaceEntity, {ped, player, 10000, 0, 0, 0});

  std::int64_t group = 0;
  for (const ExpectedBlock& block : companion.blocks) {
    SCOPED_TRACE(block.prompt.label);
    EXPECT_EQ(call(NativeId::GetHashKey).args[0].s, companion.modelName);
    call(NativeId::PromptIsValid, {0});  // no handle yet
    group = call(NativeId::PromptGetGroupIdForTargetEntity, {ped}).ResultInt();
    const std::int64_t prompt = call(NativeId::PromptRegisterBegin).ResultInt();
    call(NativeId::PromptSetGroup, {prompt, group, 0});
    call(NativeId::PromptSetOption, {prompt, 0});
    const Event& text = call(NativeId::CreateVarString, {10});
    EXPECT_EQ(text.args[1].s, "LITERAL_STRING");
    EXPECT_EQ(text.args[2].s, block.prompt.label);
    call(NativeId::PromptSetText, {prompt, static_cast<std::int64_t>(text.result[0])});
    EXPECT_EQ(call(NativeId::GetHashKey).args[0].s, block.prompt.control);
    call(NativeId::PromptSetControlAction, {prompt, sim::JoaatHash(block.prompt.control)});
    call(NativeId::PromptSetPriority, {prompt, 3});
    call(NativeId::PromptSetHoldMode, {prompt, 700});
    call(NativeId::PromptSetEnabled, {prompt, 1});
    call(NativeId::PromptSetVisible, {prompt, 1});
    call(NativeId::PromptRegisterEnd, {prompt});
    call(NativeId::PromptIsValid, {prompt});
    call(NativeId::PromptHasHoldModeCompleted, {prompt});
  }

  // What the game now shows in the companion's group.
  const std::vector<Handle> prompts = scene.PromptsOf(ped);
  EXPECT_EQ(scene.LabelsOf(prompts), BlockLabels(companion));
  for (Handle h : prompts) {
    const sim::PromptInfo* info = scene.world().Prompt(h);
    EXPECT_TRUE(info->registered && info->enabled && info->visible) << info->label;
    EXPECT_EQ(info->group, group) << info->label;
  }

  // Later frames of the lock-on make nothing new but turn the companion every time.
  const std::size_t later = scene.recorder().Size();
  scene.sim().RunFrames(30);
  EXPECT_EQ(CountCalls(scene.recorder(), NativeId::PromptRegisterBegin, later), 0u);
  EXPECT_EQ(scene.PromptsOf(ped), prompts);
  const auto frames = scene.FramesRun(later, scene.recorder().Size());
  EXPECT_EQ(frames.size(), 30u);
  for (std::uint64_t frame : frames) {
    int turns = 0;
    for (const Event& e : events) {
      if (e.frame == frame && !e.isWait && e.id == NativeId::TaskTurnPedToFaceEntity &&
          e.args[0].i == ped && e.args[1].i == player) {
        ++turns;
      }
    }
    EXPECT_EQ(turns, 1) << "frame " << frame;
  }
  EXPECT_EQ(scene.world().Ped(ped)->task.kind, sim::TaskKind::TurnToFace);
  EXPECT_EQ(scene.world().Ped(ped)->task.faced, player);
}

// Released, moved to another ped, or dead: the prompts go in the frame it happens, in
// block order, and a dead companion still locked on gets none again.
TEST_P(CompanionPrompts, PromptsGoInBlockOrderWhenTheLockOnEndsAndStayAwayFromTheDead) {
  const ConversingCompanion& companion = *GetParam();
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  const Handle ped = scene.PedOf(companion);
  const Handle abe = scene.world().FindPedNamed("Abe");
  ASSERT_NE(abe, 0);

  struct Ending {
    const char* what;
    void (*apply)(TalkScene&, Handle ped, Handle other);
  };
  const Ending endings[] = {
      {"lock-on released", [](TalkScene& s, Handle, Handle) { s.sim().ReleaseTarget(); }},
      {"locked on to Abe", [](TalkScene& s, Handle, Handle other) { s.world().LockOn(other); }},
      {"companion killed", [](TalkScene& s, Handle p, Handle) { s.world().Kill(p); }},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.what);
    ASSERT_NO_FATAL_FAILURE(scene.LockOn(companion));
    const std::vector<Handle> prompts = scene.PromptsOf(ped);
    ASSERT_EQ(scene.LabelsOf(prompts), BlockLabels(companion));

    const std::size_t from = scene.recorder().Size();
    ending.apply(scene, ped, abe);
    scene.sim().Frame();
    ASSERT_FALSE(scene.sim().Failed()) << scene.sim().Error();
    EXPECT_EQ(FirstArgs(scene.recorder(), NativeId::PromptDelete, from),
              std::vector<std::int64_t>(prompts.begin(), prompts.end()));
    EXPECT_TRUE(scene.PromptsOf(ped).empty());
    EXPECT_EQ(TurnsOf(scene.recorder(), ped, from), 0);
  }

  // Still locked on to the dead companion: nothing comes back.
  ASSERT_EQ(scene.world().LockOnTarget(), ped);
  const std::size_t from = scene.recorder().Size();
  scene.sim().RunFrames(20);
  EXPECT_EQ(CountCalls(scene.recorder(), NativeId::PromptRegisterBegin, from), 0u);
  EXPECT_TRUE(FirstArgs(scene.recorder(), NativeId::PromptDelete, from).empty());
  EXPECT_EQ(TurnsOf(scene.recorder(), ped, from), 0);
  EXPECT_TRUE(scene.PromptsOf(ped).empty());
}

TEST_P(CompanionPrompts, APromptTheGameDropsIsMadeAgainWhileTheLockOnLasts) {
  const ConversingCompanion& companion = *GetParam();
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  const Handle ped = scene.PedOf(companion);
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(companion));
  const std::vector<Handle> before = scene.PromptsOf(ped);
  ASSERT_EQ(before.size(), 4u);

  // The second block's prompt disappears behind the plugin's back.
  const Handle dropped = before[1];
  scene.world().DropPrompt(dropped);
  const std::size_t from = scene.recorder().Size();
  scene.sim().Frame();
  ASSERT_FALSE(scene.sim().Failed()) << scene.sim().Error();

  EXPECT_EQ(CountCalls(scene.recorder(), NativeId::PromptRegisterBegin, from), 1u);
  const auto ends = FirstArgs(scene.recorder(), NativeId::PromptRegisterEnd, from);
  ASSERT_EQ(ends.size(), 1u);
  const Handle remade = static_cast<Handle>(ends[0]);
  ASSERT_NE(scene.world().Prompt(remade), nullptr);
  EXPECT_EQ(scene.world().Prompt(remade)->label, companion.blocks[1].prompt.label);
  EXPECT_TRUE(scene.world().Prompt(remade)->enabled);
  EXPECT_TRUE(FirstArgs(scene.recorder(), NativeId::PromptDelete, from).empty());
  const std::vector<Handle> after = scene.PromptsOf(ped);
  EXPECT_EQ(after.size(), 4u);
  for (std::size_t i : {0u, 2u, 3u}) {
    EXPECT_NE(std::find(after.begin(), after.end(), before[i]), after.end()) << i;
  }
}

TEST(ConversationPrompts, LockingOnToSadieTakesCharlessPromptsAwayAndGivesHers) {
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  const Handle charles = scene.PedOf(kCharles);
  const Handle sadie = scene.PedOf(kSadie);
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kCharles));
  const std::vector<Handle> his = scene.PromptsOf(charles);
  ASSERT_EQ(his.size(), 4u);

  const std::size_t from = scene.recorder().Size();
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kSadie));
  EXPECT_EQ(FirstArgs(scene.recorder(), NativeId::PromptDelete, from),
            std::vector<std::int64_t>(his.begin(), his.end()));
  EXPECT_TRUE(scene.PromptsOf(charles).empty());
  EXPECT_EQ(scene.LabelsOf(scene.PromptsOf(sadie)), BlockLabels(kSadie));
  EXPECT_EQ(TurnsOf(scene.recorder(), charles, from), 0);
  EXPECT_EQ(TurnsOf(scene.recorder(), sadie, from), 1);

  // Charles is looked at before Sadie, so his prompts are gone before hers are made.
  const auto& events = scene.recorder().Events();
  std::size_t lastDelete = 0;
  std::size_t firstRegister = events.size();
  for (std::size_t i = from; i < events.size(); ++i) {
    if (events[i].isWait) continue;
    if (events[i].id == NativeId::PromptDelete) lastDelete = i;
    if (events[i].id == NativeId::PromptRegisterBegin) firstRegister = std::min(firstRegister, i);
  }
  EXPECT_LT(lastDelete, firstRegister);
}

TEST(ConversationPrompts, EachFrameLooksAtKarenThenCharlesThenSadie) {
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  std::vector<std::int64_t> handlesInOrder;
  for (const ConversingCompanion* companion : kConversingCompanions) {
    ASSERT_NO_FATAL_FAILURE(scene.LockOn(*companion));
    for (Handle h : scene.PromptsOf(scene.PedOf(*companion))) handlesInOrder.push_back(h);
  }
  ASSERT_EQ(handlesInOrder.size(), 12u);
  const std::vector<std::int64_t> sadies(handlesInOrder.end() - 4, handlesInOrder.end());

  // With nothing locked on, each conversation asks after its own four handles, in its own
  // block order. Karen's and Charles's were deleted and forgotten as the lock-on moved on;
  // only Sadie's still exist to be deleted, and are forgotten in turn.
  std::vector<std::int64_t> kept(8, 0);
  kept.insert(kept.end(), sadies.begin(), sadies.end());
  std::size_t from = scene.recorder().Size();
  scene.sim().ReleaseTarget();
  scene.sim().Frame();
  EXPECT_EQ(FirstArgs(scene.recorder(), NativeId::PromptIsValid, from), kept);
  EXPECT_EQ(FirstArgs(scene.recorder(), NativeId::PromptDelete, from), sadies);

  from = scene.recorder().Size();
  scene.sim().Frame();
  ASSERT_FALSE(scene.sim().Failed()) << scene.sim().Error();
  EXPECT_EQ(FirstArgs(scene.recorder(), NativeId::PromptIsValid, from),
            std::vector<std::int64_t>(12, 0));
  EXPECT_TRUE(FirstArgs(scene.recorder(), NativeId::PromptDelete, from).empty());
  EXPECT_TRUE(scene.world().LivePrompts().empty());
}

TEST(ConversationPrompts, AllThreeAreLookedAtEveryFrameWhetherTheCompanionsExistOrNot) {
  // Within Karen's far distance but beyond Charles's and Sadie's near one: only Karen,
  // made at start, stands.
  TalkScene scene;
  scene.sim().Teleport({-1757.0f, -1132.0f, 84.0f});
  for (int i = 0; i < 200 && scene.PedOf(kKaren) == 0; ++i) scene.sim().Frame();
  scene.sim().RunFor(2000);
  ASSERT_FALSE(scene.sim().Failed()) << scene.sim().Error();
  ASSERT_NE(scene.PedOf(kKaren), 0);
  ASSERT_EQ(scene.PedOf(kCharles), 0);
  ASSERT_EQ(scene.PedOf(kSadie), 0);

  const std::size_t from = scene.recorder().Size();
  scene.sim().RunFrames(10);
  for (std::uint64_t frame : scene.FramesRun(from, scene.recorder().Size())) {
    int asked = 0;
    int handlesAsked = 0;
    for (const Event& e : scene.recorder().Events()) {
      if (e.frame != frame || e.isWait) continue;
      if (e.id == NativeId::IsPlayerTargetingAnything) ++asked;
      if (e.id == NativeId::PromptIsValid && e.args[0].i == 0) ++handlesAsked;
    }
    EXPECT_EQ(asked, 3) << "frame " << frame;
    EXPECT_EQ(handlesAsked, 12) << "frame " << frame;
  }

  // Karen talks to the player whether the others exist or not.
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kKaren));
  EXPECT_EQ(scene.LabelsOf(scene.PromptsOf(scene.PedOf(kKaren))), BlockLabels(kKaren));
}

}  // namespace
}  // namespace campfire_test
