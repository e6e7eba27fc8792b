// The script's own stack and the switch between it and the host, on their own.
#include "sim/host/script_fiber.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kStack = 256 * 1024;

sim::ScriptFiber* runningFiber = nullptr;
std::vector<std::string> seen;

void Yield() { runningFiber->Yield(); }

// Each script keeps its state in locals, which live on its own stack across the switches.
template <char Name>
void CountingScript() {
  double total = 0.5;
  for (int i = 1; i <= 3; ++i) {
    total += i;
    seen.push_back(std::string(1, Name) + std::to_string(i) + "/" + std::to_string(total));
    Yield();
  }
}

void Resume(sim::ScriptFiber& fiber) {
  runningFiber = &fiber;
  fiber.Resume();
  runningFiber = nullptr;
}

TEST(ScriptFiber, TwoScriptsKeepTheirOwnStateAcrossSwitchesAndThenFinish) {
  seen.clear();
  sim::ScriptFiber a(&CountingScript<'a'>, kStack);
  sim::ScriptFiber b(&CountingScript<'b'>, kStack);
  for (int round = 0; round < 4; ++round) {
    EXPECT_FALSE(a.Finished());
    Resume(a);
    Resume(b);
    EXPECT_FALSE(a.Running());
  }
  EXPECT_TRUE(a.Finished());
  EXPECT_TRUE(b.Finished());
  const std::vector<std::string> expected{"a1/1.500000", "b1/1.500000", "a2/3.500000",
                                          "b2/3.500000", "a3/6.500000", "b3/6.500000"};
  EXPECT_EQ(seen, expected);
  Resume(a);  // a finished script is never run again
  EXPECT_EQ(seen.size(), expected.size());
}

bool localOnStack = false;
bool runningInside = false;
int roundingInside = 0;

void RoundingScript() {
  int local = 0;
  localOnStack = runningFiber->OnStack(&local, sizeof local);
  runningInside = runningFiber->Running();
  std::fesetround(FE_UPWARD);
  Yield();
  roundingInside = std::fegetround();
  std::fesetround(FE_TONEAREST);
  Yield();
}

// The floating-point control words are callee-saved: each side keeps its own.
TEST(ScriptFiber, EachSideKeepsItsOwnRoundingModeAndTheScriptRunsOnItsOwnStack) {
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  sim::ScriptFiber fiber(&RoundingScript, kStack);
  Resume(fiber);
  EXPECT_TRUE(localOnStack);
  EXPECT_TRUE(runningInside);
  EXPECT_FALSE(fiber.Running());
  EXPECT_EQ(std::fegetround(), FE_TONEAREST) << "the script's rounding mode leaked out";
  int hostLocal = 0;
  EXPECT_FALSE(fiber.OnStack(&hostLocal, sizeof hostLocal));

  std::fesetround(FE_DOWNWARD);
  Resume(fiber);
  EXPECT_EQ(roundingInside, FE_UPWARD) << "the host's rounding mode leaked in";
  EXPECT_EQ(std::fegetround(), FE_DOWNWARD);
  std::fesetround(FE_TONEAREST);
}

}  // namespace
