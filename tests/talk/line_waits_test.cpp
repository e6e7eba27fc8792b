// How an exchange waits for its speakers, and how it holds up the rest of the plugin.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "companions/routine_tables.h"
#include "talk/talk_fixture.h"

namespace campfire_test {
namespace {

using sim::Handle;
using sim::NativeId;

// The world's defaults: how long a line lasts, and a frame.
const std::int32_t kSpeechMs = sim::WorldSettings{}.speechMs;
const std::int32_t kFrameMs = sim::WorldSettings{}.frameMs;

TEST(LineWaits, ALineThatNeverStartsCostsNoTime) {
  TalkScene scene;
  scene.world().SilentLine("GOING_WELL");
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kCharles));
  const Handle charles = scene.PedOf(kCharles);

  const auto window = scene.Play(kCharles, kTalk);
  ASSERT_TRUE(window.has_value());
  const auto played = ExpectExchange(scene.recorder(), *window, kCharles.blocks[0], charles,
                                     scene.world().PlayerPed(), {"GOING_WELL"});
  ASSERT_EQ(played.size(), 5u);
  const auto& events = scene.recorder().Events();
  EXPECT_EQ(played[1].waits, 0);
  // Charles's silent line is asked after once, and the player's next line follows at once.
  EXPECT_EQ(events[played[2].speech].frame, events[played[1].speech].frame);
  EXPECT_EQ(played[1].silentAt, events[played[1].speech].clock);
  // The line before it was waited for in full.
  EXPECT_GE(played[0].silentAt, events[played[0].speech].clock + kSpeechMs);
}

// The last Goodbye line is asked after every 500 ms, so the prompt comes back up to half a
// second after the companion has finished; the lines before it return on the first silent
// frame.
TEST(LineWaits, TheLastGoodbyeLineIsPolledEveryHalfSecond) {
  constexpr std::int32_t kGoodbyeMs = 1700;
  for (const ConversingCompanion* companion : kConversingCompanions) {
    SCOPED_TRACE(companion->name);
    TalkScene scene;
    scene.world().LineDuration("GENERIC_GOODBYE", kGoodbyeMs);
    ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
    ASSERT_NO_FATAL_FAILURE(scene.LockOn(*companion));
    const Handle ped = scene.PedOf(*companion);

    std::size_t goodbye = 0;
    while (std::string_view(companion->blocks[goodbye].prompt.label) != kGoodbye.label) ++goodbye;
    const auto window = scene.Play(*companion, kGoodbye);
    ASSERT_TRUE(window.has_value());
    const auto played = ExpectExchange(scene.recorder(), *window, companion->blocks[goodbye], ped,
                                       scene.world().PlayerPed());
    ASSERT_EQ(played.size(), 4u);
    const auto& events = scene.recorder().Events();

    const std::int32_t lastEnds = events[played[3].speech].clock + kGoodbyeMs;
    EXPECT_GE(played[3].silentAt, lastEnds);
    EXPECT_LT(played[3].silentAt, lastEnds + 500 + kFrameMs);
    EXPECT_GT(played[3].silentAt, lastEnds + kFrameMs) << "asked every frame, not every 500 ms";
    EXPECT_EQ(events[window->end].clock, played[3].silentAt);

    const std::int32_t thirdEnds = events[played[2].speech].clock + kSpeechMs;
    EXPECT_GE(played[2].silentAt, thirdEnds);
    EXPECT_LT(played[2].silentAt, thirdEnds + kFrameMs);
  }
}

TEST(LineWaits, SadiesPartingLineIsNotWaitedForAndTalkCanStartOverWhileSheSpeaks) {
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kSadie));
  const Handle sadie = scene.PedOf(kSadie);
  const Handle player = scene.world().PlayerPed();
  const Handle talk = scene.PromptLabelled(sadie, "Talk");
  ASSERT_NE(talk, 0);

  // The control stays down throughout, so the hold starts over as soon as Talk is back.
  const std::uint32_t control = sim::JoaatHash(kTalk.control);
  const std::size_t from = scene.recorder().Size();
  scene.world().HoldControl(control);
  const auto first = scene.FinishExchange(talk, from);
  ASSERT_TRUE(first.has_value());
  const auto played = ExpectExchange(scene.recorder(), *first, kSadie.blocks[0], sadie, player);
  ASSERT_EQ(played.size(), 6u);
  const auto& events = scene.recorder().Events();
  const sim::Event parting = events[played[5].speech];  // a copy: more frames follow
  EXPECT_EQ(parting.frame, events[first->end].frame);
  EXPECT_TRUE(scene.world().IsSpeaking(sadie)) << "Talk is back before she has finished";
  EXPECT_TRUE(scene.world().Prompt(talk)->enabled);
  EXPECT_FALSE(scene.world().Ped(sadie)->blockingEvents);

  const auto second = scene.RunUntilStarted(talk, scene.recorder().Size());
  scene.world().ReleaseControl(control);
  ASSERT_TRUE(second.has_value()) << "Talk did not start again";
  EXPECT_LT(scene.recorder().Events()[*second].clock, parting.clock + kSpeechMs)
      << "the second Talk began only after Sadie had finished";

  const auto secondWindow = scene.FinishExchange(talk, *second);
  ASSERT_TRUE(secondWindow.has_value());
  EXPECT_EQ(ExpectExchange(scene.recorder(), *secondWindow, kSadie.blocks[0], sadie, player).size(),
            6u);
}

// Charles's routine has a step due in the middle of a Talk exchange: it waits for the
// exchange, then acts at once as the step it was, with its own timing.
TEST(LineWaits, AnExchangeHoldsThePluginAndTheRoutineResumesWhereItStood) {
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  const Handle charles = scene.PedOf(kCharles);
  const Handle player = scene.world().PlayerPed();

  auto linesOf = [&](Handle speaker, std::int32_t after) {
    std::vector<const sim::SpokenLine*> lines;
    for (const sim::SpokenLine& line : scene.world().Spoken()) {
      if (line.speaker == speaker && line.clock > after) lines.push_back(&line);
    }
    return lines;
  };
  const auto firstSteps = linesOf(charles, 0);
  ASSERT_EQ(firstSteps.size(), 1u);
  ASSERT_EQ(firstSteps[0]->lineName, "GREET_SECOND_RESPONSE_WORKING_CONV_DOWN");
  const std::int32_t stepZeroAt = firstSteps[0]->clock;
  // Step 1 is due one minute after step 0 acted.
  const std::int32_t stepOneDue = stepZeroAt + 60000;

  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kCharles));
  scene.sim().RunFor(stepOneDue - 4000 - scene.sim().Clock());
  ASSERT_EQ(linesOf(charles, stepZeroAt).size(), 0u);

  const auto window = scene.Play(kCharles, kTalk);
  ASSERT_TRUE(window.has_value());
  const auto& events = scene.recorder().Events();
  const sim::Event begin = events[window->begin];
  const sim::Event end = events[window->end];
  ASSERT_LT(begin.clock, stepOneDue);
  ASSERT_GT(end.clock, stepOneDue + 2 * kFrameMs) << "the step did not fall due in the exchange";
  ExpectExchange(scene.recorder(), *window, kCharles.blocks[0], charles, player);

  // Nobody but the two talking said anything while it played.
  for (const sim::SpokenLine& line : scene.world().Spoken()) {
    if (line.clock > begin.clock && line.clock <= end.clock) {
      EXPECT_TRUE(line.speaker == charles || line.speaker == player)
          << line.lineName << " from " << line.speaker;
    }
  }

  // The overdue step acts in the next frame, and the one after keeps its own delay.
  scene.sim().RunFor(11000);
  ASSERT_FALSE(scene.sim().Failed()) << scene.sim().Error();
  const auto after = linesOf(charles, end.clock);
  ASSERT_GE(after.size(), 2u);
  const auto& charlesSteps = campfire_test::kCharlesRoutine.steps;
  EXPECT_EQ(after[0]->lineName, charlesSteps[1].line)
      << "Charles's step 1 as tests/companions/routine_tables.h has it";
  EXPECT_LE(after[0]->clock, end.clock + kFrameMs);
  EXPECT_EQ(after[1]->lineName, charlesSteps[2].line);
  EXPECT_GT(after[1]->clock, after[0]->clock + 10000);
  EXPECT_LE(after[1]->clock, after[0]->clock + 10000 + 2 * kFrameMs);
}

// The whole of Karen's Talk (fifteen lines) holds everything else until the player's last
// line; Charles's and Sadie's conversations then follow in the same frame.
TEST(LineWaits, KarensTalkHoldsEveryOtherPartUntilItsLastLine) {
  TalkScene scene;
  ASSERT_NO_FATAL_FAILURE(scene.ArriveAtCamp());
  ASSERT_NO_FATAL_FAILURE(scene.LockOn(kKaren));
  const Handle karen = scene.PedOf(kKaren);
  const auto window = scene.Play(kKaren, kTalk);
  ASSERT_TRUE(window.has_value());
  const auto played =
      ExpectExchange(scene.recorder(), *window, kKaren.blocks[0], karen, scene.world().PlayerPed());
  const ExpectedExchange talk = kKaren.blocks[0].exchange;
  ASSERT_EQ(played.size(), talk.size()) << "Karen's Talk as tests/talk/exchange_tables.h has it";
  const auto& events = scene.recorder().Events();
  EXPECT_EQ(events[played.back().speech].args[1].lineName, talk.back().line);

  const std::uint64_t frame = events[window->end].frame;
  int laterConversations = 0;
  for (std::size_t i = window->end; i < events.size() && events[i].frame == frame; ++i) {
    if (!events[i].isWait && events[i].id == NativeId::IsPlayerTargetingAnything) {
      ++laterConversations;
    }
  }
  EXPECT_EQ(laterConversations, 2);
}

}  // namespace
}  // namespace campfire_test
