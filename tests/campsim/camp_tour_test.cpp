// The built-in camp tour: it runs clean, and its timeline tells the camp's whole story in
// order, from the first companion to the last removal.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "campsim/campsim_run.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/camp/clock_text.h"

namespace {

using campsim_test::FindLine;
using campsim_test::RunCampsimWith;

class CampTour : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tour_ = new campsim_test::CampsimRun(RunCampsimWith({})); }
  static void TearDownTestSuite() { delete tour_; }
  static const std::vector<std::string>& Lines() {
    static const std::vector<std::string> lines = tour_->OutLines();
    return lines;
  }
  static campsim_test::CampsimRun* tour_;
};
campsim_test::CampsimRun* CampTour::tour_ = nullptr;

TEST_F(CampTour, RunsWithoutAHostError) {
  EXPECT_EQ(tour_->code, 0);
  EXPECT_EQ(tour_->err, "");
}

// The distance a line gives after "player ", e.g. 199.33 in "player 199.33 units away".
double PlayerDistance(const std::string& line) {
  const auto at = line.find("player ");
  return at == std::string::npos ? -1.0 : std::stod(line.substr(at + 7));
}

TEST_F(CampTour, EveryCompanionIsCreatedAsThePlayerComesWithin200Units) {
  for (const char* name : {"Charles", "Sadie", "Karen", "Abe"}) {
    bool near = false;
    for (int at = FindLine(Lines(), std::string(name) + " created at "); at >= 0;
         at = FindLine(Lines(), std::string(name) + " created at ", at + 1)) {
      const double d = PlayerDistance(Lines()[static_cast<std::size_t>(at)]);
      near = near || (d > 190.0 && d < 200.0);
    }
    EXPECT_TRUE(near) << name;
  }
  // Karen and Abe are made once at start wherever the player is, and removed at once.
  EXPECT_GT(PlayerDistance(Lines()[static_cast<std::size_t>(FindLine(Lines(), "Karen created"))]),
            250.0);
  EXPECT_GE(FindLine(Lines(), "Abe removed"), FindLine(Lines(), "Abe created"));
}

TEST_F(CampTour, CharlesTalkExchangePlaysItsFiveLinesInOrder) {
  const int begins = FindLine(Lines(), "Charles: \"Talk\" held, the exchange begins");
  ASSERT_GE(begins, 0);
  int at = begins;
  for (const char* line : {
           "player says \"GREET_SECOND_HOWS_IT_GOING_CONV\"",
           "Charles says \"GOING_WELL\"",
           "player says \"GREET_CHARLES_SECOND_VADIVARS_GENERAL_CONV\"",
           "Charles says \"GREET_SECOND_RESPONSE_GENERAL_CONV_DOWN\" (variation 5)",
           "player says \"GREET_CHARLES_BCCHRCNV1_GREET\" (variation 1)",
           "Charles: the \"Talk\" exchange ends after",
       }) {
    at = FindLine(Lines(), line, at + 1);
    ASSERT_GE(at, 0) << "missing after line " << begins << ": " << line;
  }
  EXPECT_NE(Lines()[static_cast<std::size_t>(at)].find("5 lines"), std::string::npos);
  // Each line holds the script while it is spoken.
  EXPECT_GE(FindLine(Lines(), "waiting for Charles to finish \"GOING_WELL\"", begins), 0);
}

TEST_F(CampTour, PromptsComeAndGoOnceForEachLockOn) {
  EXPECT_GE(FindLine(Lines(), "Charles: prompts shown: Talk, Guard, Goodbye, Hello"), 0);
  EXPECT_GE(FindLine(Lines(), "Karen: prompts shown: Talk, Goodbye, Hello, Guard"), 0);
  EXPECT_GE(FindLine(Lines(), "Karen: \"Guard\" held"), 0);
  EXPECT_GE(FindLine(Lines(), "Sadie: \"Hello\" held"), 0);
  EXPECT_GE(FindLine(Lines(), "Sadie: prompts removed: Talk, Guard, Goodbye, Hello"), 0);
  int shown = 0;
  for (const std::string& line : Lines()) shown += line.find("prompts shown") != std::string::npos;
  EXPECT_EQ(shown, 3) << "one batch for each of the three lock-ons";
}

TEST_F(CampTour, TheWagonIsBoardedAndDelivered) {
  const int boarded = FindLine(Lines(), "> board the wagon");
  ASSERT_GE(boarded, 0);
  const int objective = FindLine(
      Lines(), "objective shown: \"Deliver the wagon to the Emerald Ranch Fence\"", boarded);
  ASSERT_GE(objective, 0);
  EXPECT_GE(FindLine(Lines(), "stall of 5.", boarded), 0) << "the ride remarks pause the script";
  const int delivered = FindLine(Lines(), "supply wagon delivered, player", objective);
  ASSERT_GE(delivered, 0);
  EXPECT_GE(FindLine(Lines(), "map blip of the supply wagon removed", delivered), 0);
}

TEST_F(CampTour, EverythingIsRemovedAtTheEnd) {
  const int rideAway = FindLine(Lines(), "> move to (-1250.0, -1700.0, 80.0)");
  ASSERT_GE(rideAway, 0);
  const std::string props = std::to_string(campsim::kPropCount) + " props removed";
  for (const char* gone : {"Charles removed", "Karen removed", "Abe removed", "Sadie dismissed",
                           props.c_str(), "campfire tent removed", "supply wagon removed"}) {
    EXPECT_GE(FindLine(Lines(), gone, rideAway), 0) << gone;
  }
  EXPECT_GE(FindLine(Lines(),
                     "alive at the end   companions none; props 0; tent 0; wagon 0; "
                     "blips 0; prompts 0"),
            0)
      << tour_->out;
  EXPECT_GE(FindLine(Lines(), "never released     nothing"), 0);
}

// "1:02.345" as milliseconds.
long ClockMs(const std::string& stamp) {
  const auto colon = stamp.find(':');
  return std::stol(stamp.substr(0, colon)) * 60000 + std::stol(stamp.substr(colon + 1, 2)) * 1000 +
         std::stol(stamp.substr(colon + 4, 3));
}

TEST_F(CampTour, TheTimelineRunsForwardInTime) {
  long last = 0;
  int lines = 0;
  for (const std::string& line : Lines()) {
    if (line.empty()) break;  // the summary follows
    std::istringstream fields(line);
    std::string stamp;
    fields >> stamp;
    const long ms = ClockMs(stamp);
    EXPECT_LE(last, ms) << line;
    last = ms;
    ++lines;
  }
  EXPECT_GT(lines, 100);
  EXPECT_GT(last, 6 * 60000) << "the tour lasts some minutes of game time";
}

TEST(CampsimRuns, QuietPrintsOnlyTheSummary) {
  const auto run = RunCampsimWith({"--quiet"});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out.rfind("Summary\n", 0), 0u) << run.out;
  EXPECT_EQ(run.OutLines().size(), 10u) << run.out;
}

TEST(CampsimRuns, TheTraceHoldsOneJsonObjectPerCallOrWait) {
  const std::string path = campsim_test::TempPath("visit_trace.jsonl");
  const auto run =
      RunCampsimWith({std::string(CAMPFIRE_SOURCE_DIR) + "/examples/visit_charles.json", "--quiet",
                      "--trace", path});
  ASSERT_EQ(run.code, 0) << run.err;
  std::istringstream trace(campsim_test::ReadText(path));
  std::size_t calls = 0;
  std::size_t waits = 0;
  for (std::string line; std::getline(trace, line);) {
    const auto object = nlohmann::json::parse(line);
    calls += object.contains("native") && !object.contains("finding");
    waits += object.contains("wait");
  }
  EXPECT_GT(calls, 10000u);
  EXPECT_GT(waits, 1000u);
  // The summary counts what the trace holds.
  EXPECT_NE(run.out.find(campsim::Grouped(calls) + " in all"), std::string::npos) << run.out;
}

TEST(CampsimRuns, TheSeedChangesTheDrawsAndNothingElse) {
  const auto first = RunCampsimWith({"--seed", "1"});
  const auto second = RunCampsimWith({"--seed", "99"});
  ASSERT_EQ(first.code, 0);
  ASSERT_EQ(second.code, 0);
  EXPECT_NE(first.out, second.out);
  // The tour's own seed is 1.
  EXPECT_EQ(first.out, RunCampsimWith({}).out);
}

TEST(CampsimRuns, APluginThatCannotBeLoadedIsAFileCampsimCannotUse) {
  const std::string notAPlugin = campsim_test::WriteTemp("not_a_plugin.so", "plain text");
  for (const auto& args : {std::vector<std::string>{"--plugin", notAPlugin},
                           std::vector<std::string>{"--plugin", notAPlugin, "--soak", "1h"}}) {
    const auto run = RunCampsimWith(args);
    EXPECT_EQ(run.code, 2);
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.err;
    EXPECT_EQ(run.err.rfind("campsim: cannot use the plugin: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(notAPlugin), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST(CampsimRuns, AModelThatNeverLoadsShowsAsAStall) {
  const std::string path = campsim_test::WriteTemp("karen_never_loads.json", R"({
    "start": [-1640, -1350, 84],
    "steps": [{"never_loads": "cs_karen"}, {"wait": 12000}]})");
  const auto run = RunCampsimWith({path});
  ASSERT_EQ(run.code, 0) << run.err;
  const auto lines = run.OutLines();
  const int stall = FindLine(lines, "waiting for Karen's model to load");
  ASSERT_GE(stall, 0) << run.out;
  EXPECT_NE(lines[static_cast<std::size_t>(stall)].find("stall of 1"), std::string::npos)
      << "held for seconds, not a frame: " << lines[static_cast<std::size_t>(stall)];
  EXPECT_GE(FindLine(lines, "longest stall"), 0);
}

}  // namespace
