// A hold confirms a prompt once the control has been down for 700 ms of game time, to the
// millisecond, whatever the frame length: 700 ms confirms, 699 ms does not.
#include <gtest/gtest.h>

#include <string>

#include "campsim/campsim_run.h"

namespace {

constexpr const char* kExchange = "Charles: \"Talk\" held, the exchange begins";

std::string HoldTalk(int ms, int frameMs) {
  return R"({"seed": 7, "frame_ms": )" + std::to_string(frameMs) +
         R"(, "start": [-1592.0, -1432.0, 81.5], "steps": [
    {"wait": 40000}, {"target": "Charles"},
    {"hold": "INPUT_CONTEXT_A", "ms": )" +
         std::to_string(ms) + R"(}, {"wait": 2000}]})";
}

TEST(PromptHolds, AHoldConfirmsFromSevenHundredMillisecondsOn) {
  struct Row {
    int ms;
    int frameMs;
    bool confirms;
  };
  for (const Row& row :
       {Row{699, 33, false}, Row{700, 33, true}, Row{701, 33, true}, Row{713, 33, true},
        Row{726, 33, true}, Row{727, 33, true}, Row{699, 100, false}, Row{701, 100, true},
        Row{650, 1000, false}, Row{700, 1000, true}}) {
    SCOPED_TRACE(std::to_string(row.ms) + " ms in frames of " + std::to_string(row.frameMs));
    const std::string path = campsim_test::WriteTemp("hold.json", HoldTalk(row.ms, row.frameMs));
    const auto run = campsim_test::RunCampsimWith({path});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_GE(campsim_test::FindLine(run.OutLines(), "Charles: prompts shown: Talk"), 0) << run.out;
    EXPECT_EQ(campsim_test::FindLine(run.OutLines(), kExchange) >= 0, row.confirms) << run.out;
  }
}

}  // namespace
