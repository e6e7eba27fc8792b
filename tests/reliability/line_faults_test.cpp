// Lines that misbehave: one that never starts, one that lasts a minute, one that never
// ends, and a host that hands back no answer to "is this line still playing?". What the
// player hears, how long the camp is held, and that it goes on afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "reliability/fault_fixture.h"

namespace reliability_test {
namespace {

// The player locks on to Charles and holds "Talk" until he starts "GOING_WELL", the line
// the fault is set on: who, where the exchange's lines start, when his line began, the
// main loop's passes and the spoken lines so far at that moment.
struct HeldLine {
  sim::Handle charles = 0;
  std::size_t mark = 0;
  std::int32_t started = 0;
  std::uint64_t passes = 0;
  std::size_t during = 0;
};

HeldLine HoldTalkUntilGoingWell(FaultRun& run) {
  HeldLine held;
  const FaultRun::TalkStart talk = run.HoldTalk("Charles");
  held.charles = talk.ped;
  held.mark = talk.mark;
  EXPECT_TRUE(run.RunUntil(
      [&] {
        const auto his = run.LinesBy(held.charles, held.mark);
        return !his.empty() && his.back().lineName == "GOING_WELL";
      },
      10000));
  const auto his = run.LinesBy(held.charles, held.mark);
  if (!his.empty()) held.started = his.back().clock;
  held.passes = run.watch.Passes();
  held.during = run.SpokenMark();
  return held;
}

// The player's and Charles's lines of his "Talk" exchange, held to its end: three of the
// player's and two of his.
struct Spoken {
  std::vector<sim::SpokenLine> player;
  std::vector<sim::SpokenLine> charles;
};

Spoken TalkToCharlesToTheEnd(FaultRun& run) {
  const auto [charles, mark] = run.HoldTalk("Charles");
  const sim::Handle player = run.world().PlayerPed();
  EXPECT_TRUE(run.RunUntil([&] { return run.AtRest(); }, 30000));
  Spoken spoken{From(run.LinesBy(player, mark), "GREET_SECOND_HOWS_IT_GOING_CONV"),
                From(run.LinesBy(charles, mark), "GOING_WELL")};
  EXPECT_EQ(spoken.player.size(), 3u);
  EXPECT_EQ(spoken.charles.size(), 2u);
  if (spoken.player.size() != 3u || spoken.charles.size() != 2u) {
    ADD_FAILURE() << "the exchange did not play";
    spoken.player.resize(3);
    spoken.charles.resize(2);
  }
  return spoken;
}

// --- lines ---

TEST(FaultMatrix, LineThatNeverStartsIsSkippedAndTheExchangeGoesOn) {
  FaultRun run;
  run.world().SilentLine("GOING_WELL");
  Spoken spoken;
  ASSERT_NO_FATAL_FAILURE(spoken = TalkToCharlesToTheEnd(run));
  const auto& [exchange, his] = spoken;
  EXPECT_EQ(his[0].lineName, "GOING_WELL");
  EXPECT_TRUE(his[0].silent);
  // The next line follows in the same frame.
  EXPECT_EQ(exchange[1].lineName, "GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV");
  EXPECT_EQ(exchange[1].clock, his[0].clock);
  EXPECT_EQ(exchange[2].lineName, "GREET_CHARLES_BCCHRCNV1_GREET");
  run.sim.ReleaseTarget();
  run.ExpectHealthy();
}

TEST(FaultMatrix, MinuteLongLineHoldsTheWholeCampForAMinuteAsIntended) {
  FaultRun run;
  run.world().LineDuration("GOING_WELL", 60000);
  HeldLine held;
  ASSERT_NO_FATAL_FAILURE(held = HoldTalkUntilGoingWell(run));
  const auto [charles, mark, started, passes, during] = held;

  ASSERT_TRUE(run.RunUntil([&] { return run.SpokenMark() > held.during; }, 70000));
  const sim::SpokenLine next = run.world().Spoken().back();
  EXPECT_EQ(next.lineName, "GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV");
  EXPECT_GE(ClockGap(next.clock, started), 60000u);
  EXPECT_LE(ClockGap(next.clock, started), 60000u + kFrameMs);
  EXPECT_EQ(run.watch.Passes(), passes) << "the main loop waited the minute out";
  EXPECT_FALSE(run.sim.Failed()) << run.sim.Error();

  ASSERT_TRUE(run.RunUntil([&] { return run.AtRest(); }, 30000));
  run.sim.ReleaseTarget();
  run.ExpectKeepsStepping({"Charles", "Sadie", "Karen", "Abe"});
  run.ExpectHealthy();
}

// Past two minutes a line is given up on, so a line that never ends holds the camp that
// long and no longer; a minute-long line (above) still plays whole.
TEST(FaultMatrix, LineThatNeverEndsHoldsTheCampForTwoMinutesThenTheExchangeGoesOn) {
  constexpr std::uint32_t kLineBoundMs = 120000;
  FaultRun run;
  run.world().EndlessLine("GOING_WELL");
  HeldLine held;
  ASSERT_NO_FATAL_FAILURE(held = HoldTalkUntilGoingWell(run));
  const auto [charles, mark, started, passes, during] = held;

  ASSERT_TRUE(run.RunUntil([&] { return run.SpokenMark() > held.during; }, kLineBoundMs + 10000));
  const sim::SpokenLine next = run.world().Spoken().back();
  EXPECT_EQ(next.lineName, "GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV");
  EXPECT_GE(ClockGap(next.clock, started), kLineBoundMs);
  EXPECT_LT(ClockGap(next.clock, started), kLineBoundMs + kFrameMs);
  EXPECT_EQ(run.watch.Passes(), passes) << "the main loop was held until the bound";
  EXPECT_FALSE(run.sim.Failed()) << run.sim.Error();

  // The exchange ends as usual, and the camp resumes.
  ASSERT_TRUE(run.RunUntil([&] { return run.AtRest(); }, 30000));
  const auto his = From(run.LinesBy(charles, mark), "GOING_WELL");
  ASSERT_EQ(his.size(), 2u);
  EXPECT_EQ(his[1].lineName, "GREET_SECOND_RESPONSE_GENERAL_CONV_DOWN");
  EXPECT_FALSE(his[1].silent);
  run.sim.ReleaseTarget();
  run.ExpectKeepsStepping({"Charles", "Sadie", "Karen", "Abe"});
  run.ExpectHealthy();
}

// --- a host that does not know a native ---

// Without a result area the answer reads as zero, "not speaking": the lines of an exchange
// are asked for one after another in one frame, and nothing is held or broken.
TEST(FaultMatrix, SpeechQueryWithoutAResultAreaPlaysTheExchangeWithoutWaiting) {
  FaultRun run;
  run.sim.host().WithoutResultArea(NativeId::IsAmbientSpeechPlaying);
  Spoken spoken;
  ASSERT_NO_FATAL_FAILURE(spoken = TalkToCharlesToTheEnd(run));
  const auto& [exchange, his] = spoken;
  EXPECT_EQ(his[1].lineName, "GREET_SECOND_RESPONSE_GENERAL_CONV_DOWN");
  for (const auto& line : {exchange[1], exchange[2], his[0], his[1]}) {
    EXPECT_EQ(line.clock, exchange[0].clock) << line.lineName << ": all five lines in one frame";
  }
  EXPECT_FALSE(run.sim.Failed()) << run.sim.Error();
  run.sim.ReleaseTarget();
  run.ExpectKeepsStepping({"Charles", "Sadie", "Karen", "Abe"});
  run.ExpectHealthy();
}

}  // namespace
}  // namespace reliability_test
