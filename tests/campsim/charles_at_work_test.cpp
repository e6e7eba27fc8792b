// Charles's wood pile and seat: the simulated camp sets him to work there by default, so a
// long visit hears his chopping-wood line once a round of his routine; without the camp's
// scenario points his routine asks again every 5 seconds and says the line each time.
#include <gtest/gtest.h>

#include <string>

#include "campsim/campsim_run.h"

namespace {

TEST(CharlesAtWork, ATwentyFiveMinuteVisitHearsTheChoppingLineOnlyAFewTimes) {
  struct Row {
    const char* world;  // the file's world settings
    int atLeast, atMost;
  };
  const Row rows[] = {
      {R"({})", 1, 3},                                   // the default: the camp has the points
      {R"({"camp_scenario_points": true})", 1, 3},       //
      {R"({"camp_scenario_points": false})", 100, 400},  // the retry every 5 s
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.world);
    // 25 minutes of game time beside the camp's middle, where every companion is made.
    const std::string path = campsim_test::WriteTemp(
        "charles_at_work.json", std::string(R"({"seed": 7, "start": [-1600.0, -1400.0, 82.0],)") +
                                    R"("world": )" + row.world +
                                    R"(, "steps": [{"wait": 1500000}]})");
    const auto run = campsim_test::RunCampsimWith({path});
    ASSERT_EQ(run.code, 0) << run.err;
    int chopping = 0;
    for (const std::string& line : run.OutLines()) {
      chopping += line.find("Charles says \"GREET_PLAYER_CHOPPING_WOOD\"") != std::string::npos;
    }
    EXPECT_GE(chopping, row.atLeast);
    EXPECT_LE(chopping, row.atMost);
  }
}

}  // namespace
