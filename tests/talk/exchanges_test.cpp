// Every exchange of the three conversations, played by holding its prompt: who speaks
// which line with which variation, and what the prompt and the companion go through.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "talk/talk_fixture.h"

namespace campfire_test {
namespace {

using sim::Handle;
using sim::NativeId;

struct ExchangeCase {
  const ConversingCompanion* companion;
  std::size_t block;
};

void PrintTo(const ExchangeCase& c, std::ostream* os) {
  *os << c.companion->name << " " << c.companion->blocks[c.block].prompt.label;
}

std::vector<ExchangeCase> AllExchanges() {
  std::vector<ExchangeCase> cases;
  for (const ConversingCompanion* companion : kConversingCompanions) {
    for (std::size_t b = 0; b < companion->blocks.size(); ++b) cases.push_back({companion, b});
  }
  return cases;
}

class Exchange : public ::testing::TestWithParam<ExchangeCase> {};

INSTANTIATE_TEST_SUITE_P(Talk, Exchange, ::testing::ValuesIn(AllExchanges()), [](const auto& p) {
  return std::string(p.param.companion->name) + "_" +
         p.param.companion->blocks[p.param.block].prompt.label;
});

TEST_P(Exchange, HoldingThePromptPlaysItsLinesAndGivesThePromptBack) {
  const ConversingCompanion& companion = *GetParam().companion;
  const ExpectedBlock& block = companion.blocks[GetParam().block];
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(companion));
  const Handle ped = scene.PedOf(companion);
  const Handle player = scene.world().PlayerPed();
  const std::vector<Handle> prompts = scene.PromptsOf(ped);
  ASSERT_EQ(prompts.size(), 4u);
  const Handle prompt = prompts[GetParam().block];
  ASSERT_EQ(scene.world().Prompt(prompt)->label, block.prompt.label);

  const std::size_t from = scene.recorder().Size();
  scene.HoldPrompt(block.prompt);
  ASSERT_FALSE(scene.sim().Failed()) << scene.sim().Error();

  // Part-way through: only this prompt is off; only Talk keeps the companion's mind on it.
  ASSERT_TRUE(scene.FindWindow(prompt, from) == std::nullopt) << "the exchange ended early";
  EXPECT_FALSE(scene.world().Prompt(prompt)->enabled);
  EXPECT_EQ(scene.world().Ped(ped)->blockingEvents, block.blocksEvents);
  for (Handle other : prompts) {
    if (other != prompt) {
      EXPECT_TRUE(scene.world().Prompt(other)->enabled);
    }
  }

  const auto window = scene.FinishExchange(prompt, from);
  ASSERT_TRUE(window.has_value()) << "the prompt was not given back";
  const auto played = ExpectExchange(scene.recorder(), *window, block, ped, player);
  EXPECT_EQ(played.size(), block.exchange.size());

  // The game heard the lines in the table's order, from the right mouths.
  std::vector<std::pair<Handle, std::string>> heard;
  std::vector<std::pair<Handle, std::string>> expected;
  const std::int32_t startedAt = scene.recorder().Events()[window->begin].clock;
  for (const sim::SpokenLine& line : scene.world().Spoken()) {
    if (line.clock >= startedAt && line.clock <= scene.recorder().Events()[window->end].clock) {
      heard.emplace_back(line.speaker, line.lineName);
      EXPECT_FALSE(line.silent) << line.lineName;
    }
  }
  for (const ExpectedLine& line : block.exchange) {
    expected.emplace_back(line.speaker == kPlayer ? player : ped, line.line);
  }
  EXPECT_EQ(heard, expected);

  // Afterwards: the prompt is back, the others are as they were, the companion is free.
  scene.sim().Frame();
  EXPECT_EQ(scene.PromptsOf(ped), prompts);
  for (Handle h : prompts) {
    EXPECT_TRUE(scene.world().Prompt(h)->enabled) << scene.world().Prompt(h)->label;
    EXPECT_TRUE(scene.world().Prompt(h)->visible) << scene.world().Prompt(h)->label;
  }
  EXPECT_FALSE(scene.world().Ped(ped)->blockingEvents);

  // The blocks after this one are still looked at in the same call, none played.
  const auto& events = scene.recorder().Events();
  std::size_t at = window->end + 1;
  for (std::size_t b = GetParam().block + 1; b < companion.blocks.size(); ++b) {
    SCOPED_TRACE(companion.blocks[b].prompt.label);
    const NativeId checks[] = {NativeId::GetHashKey, NativeId::PromptIsValid,
                               NativeId::PromptIsValid, NativeId::PromptHasHoldModeCompleted};
    for (std::size_t k = 0; k < std::size(checks); ++k, ++at) {
      ASSERT_LT(at, events.size());
      ASSERT_FALSE(events[at].isWait) << "a wait after the exchange";
      ASSERT_EQ(events[at].id, checks[k]) << events[at].Name();
      if (k == 0) {
        EXPECT_EQ(events[at].args[0].s, companion.modelName);
      } else {
        EXPECT_EQ(events[at].args[0].i, prompts[b]) << events[at].Name();
      }
    }
    EXPECT_FALSE(events[at - 1].ResultBool()) << "no other hold was completed";
  }
}

// Each round is read against the table on its own, so each line must be drawn afresh.
TEST(Exchanges, HoldingTalkAgainPlaysItAgainWithNewDraws) {
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kCharles));
  const Handle charles = scene.PedOf(kCharles);
  const Handle player = scene.world().PlayerPed();
  const Handle talk = scene.PromptLabelled(charles, "Talk");

  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    const auto window = scene.Play(kCharles, kTalk);
    ASSERT_TRUE(window.has_value());
    const auto played =
        ExpectExchange(scene.recorder(), *window, kCharles.blocks[0], charles, player);
    EXPECT_EQ(played.size(), std::size(kCharlesTalk));
    // Between two exchanges the lock-on goes on as before.
    const std::size_t between = scene.recorder().Size();
    scene.sim().RunFrames(5);
    int turns = 0;
    for (const sim::Event* e : scene.recorder().Calls(NativeId::TaskTurnPedToFaceEntity)) {
      if (e >= &scene.recorder().Events()[between] && e->args[0].i == charles) ++turns;
    }
    EXPECT_EQ(turns, 5);
    EXPECT_EQ(scene.PromptLabelled(charles, "Talk"), talk) << "the same prompt plays again";
  }
}

// A hold completed while another exchange plays is taken up when the procedure reaches
// its block: straight after, in the same call, if it comes later in the block order, and
// in the next frame if it comes earlier.
TEST(Exchanges, AHoldCompletedDuringAnExchangePlaysWhenItsBlockIsReached) {
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kCharles));
  const Handle charles = scene.PedOf(kCharles);
  const Handle player = scene.world().PlayerPed();
  const Handle talk = scene.PromptLabelled(charles, "Talk");
  const Handle guard = scene.PromptLabelled(charles, "Guard");
  const std::uint32_t talkControl = sim::JoaatHash(kTalk.control);
  const std::uint32_t guardControl = sim::JoaatHash(kGuard.control);
  const auto& events = scene.recorder().Events();

  // Guard during Talk: Guard follows in the same call.
  std::size_t from = scene.recorder().Size();
  scene.world().HoldControl(talkControl);
  const auto talkStart = scene.RunUntilStarted(talk, from);
  ASSERT_TRUE(talkStart.has_value());
  scene.world().ReleaseControl(talkControl);
  scene.world().HoldControl(guardControl);
  scene.sim().RunFor(kHoldMs);
  const auto talkWindow = scene.FinishExchange(talk, *talkStart);
  ASSERT_TRUE(talkWindow.has_value());
  ExpectExchange(scene.recorder(), *talkWindow, kCharles.blocks[0], charles, player);
  const auto guardStart = scene.FindStart(guard, talkWindow->end);
  ASSERT_TRUE(guardStart.has_value());
  scene.world().ReleaseControl(guardControl);
  EXPECT_EQ(*guardStart, talkWindow->end + 5) << "Guard's checks, then its exchange";
  EXPECT_TRUE(events[*guardStart - 1].ResultBool()) << events[*guardStart - 1].Name();
  const auto guardWindow = scene.FinishExchange(guard, *guardStart);
  ASSERT_TRUE(guardWindow.has_value());
  ExpectExchange(scene.recorder(), *guardWindow, kCharles.blocks[1], charles, player);

  // Talk during Guard: Talk waits for the next frame.
  from = scene.recorder().Size();
  scene.world().HoldControl(guardControl);
  const auto secondGuard = scene.RunUntilStarted(guard, from);
  ASSERT_TRUE(secondGuard.has_value());
  scene.world().ReleaseControl(guardControl);
  scene.world().HoldControl(talkControl);
  scene.sim().RunFor(kHoldMs);
  const auto secondGuardWindow = scene.FinishExchange(guard, *secondGuard);
  ASSERT_TRUE(secondGuardWindow.has_value());
  const auto nextTalk = scene.RunUntilStarted(talk, secondGuardWindow->end, 2);
  scene.world().ReleaseControl(talkControl);
  ASSERT_TRUE(nextTalk.has_value());
  EXPECT_EQ(events[*nextTalk].frame, events[secondGuardWindow->end].frame + 1);
  const auto talkAgain = scene.FinishExchange(talk, *nextTalk);
  ASSERT_TRUE(talkAgain.has_value());
  ExpectExchange(scene.recorder(), *talkAgain, kCharles.blocks[0], charles, player);
}

// The player's ped is asked for afresh every frame: a new one speaks the player's lines
// and is the one faced.
TEST(Exchanges, ThePlayersLinesComeFromThePlayersCurrentPed) {
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kCharles));
  const Handle charles = scene.PedOf(kCharles);
  const Handle replaced = scene.world().ReplacePlayerPed();
  const auto window = scene.Play(kCharles, kHello);
  ASSERT_TRUE(window.has_value());
  EXPECT_EQ(ExpectExchange(scene.recorder(), *window, kCharles.blocks[3], charles, replaced).size(),
            2u);
  EXPECT_EQ(scene.world().Ped(charles)->task.faced, replaced);
}

}  // namespace
}  // namespace campfire_test
