// Every scenario file either is refused in one line before a frame runs, or runs to an end
// known before its first frame: its length, the pace of its moves and its numbers.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "campsim/campsim_run.h"
#include "sim/scenario/simulation.h"
#include "tools/campsim/run/scenario_runner.h"
#include "tools/campsim/scenario_file/json_values.h"
#include "tools/campsim/scenario_file/reader.h"

namespace {

using campsim_test::ExpectRejected;

constexpr const char* kTooLong =
    " of game time, more than the 30 days a scenario may run (--soak is for long runs)";

std::string Days(int n) {
  std::string steps;
  for (int i = 0; i < n; ++i) steps += std::string(i == 0 ? "" : ", ") + R"({"wait": 86400000})";
  return R"({"steps": [)" + steps + "]}";
}

campsim::Scenario Parsed(const std::string& text) {
  campsim::ScenarioLoad load = campsim::ParseScenario(text, "test.json");
  EXPECT_TRUE(load.scenario) << load.error;
  return load.scenario ? *load.scenario : campsim::Scenario{};
}

// Runs a scenario in the simulated world; the game time it took.
std::int64_t Play(const campsim::Scenario& scenario, sim::Vec3* playerAtEnd = nullptr) {
  sim::SimulationOptions options;
  options.world = scenario.world;
  options.record = false;
  sim::Simulation sim(options);
  EXPECT_FALSE(sim.Failed()) << sim.Error();
  campsim::ScenarioRunner runner(sim);
  EXPECT_TRUE(runner.Run(scenario.steps)) << sim.Error();
  if (playerAtEnd != nullptr) *playerAtEnd = sim.world().PlayerPosition();
  return sim.world().ElapsedMs();
}

// "... the smallest here is 0.12 units per second" gives 0.12.
std::string SmallestIn(const std::string& error) {
  const std::string tag = "the smallest here is ";
  const auto at = error.find(tag);
  if (at == std::string::npos) return "";
  const auto from = at + tag.size();
  return error.substr(from, error.find(' ', from) - from);
}

TEST(ScenarioLength, ARunLongerThanThirtyDaysIsRefusedSayingHowLong) {
  ExpectRejected("for_ever.json", R"({"steps": [{"move": [-1600, -1400, 82], "speed": 1e-30}]})",
                 std::string("step 1: the run would last 3.4e+27 days") + kTooLong);
  ExpectRejected("a_month.json", Days(31),
                 std::string("step 31: the run would last 31d 00h 00m 00s") + kTooLong);
  // Thirty days are allowed, though the last frame of each wait goes a little past its end.
  const campsim::Scenario thirty = Parsed(Days(30));
  EXPECT_GE(thirty.lengthMs, 30 * campsim::kDayMs);
  EXPECT_LT(thirty.lengthMs, 30 * campsim::kDayMs + 30 * 33);
}

TEST(ScenarioLength, EveryRunEndsWithinTheLengthReadBeforeIt) {
  const auto load =
      campsim::LoadScenarioFile(std::string(CAMPFIRE_SOURCE_DIR) + "/examples/visit_charles.json");
  ASSERT_TRUE(load.scenario) << load.error;
  const std::int64_t elapsed = Play(*load.scenario);
  EXPECT_LE(elapsed, load.scenario->lengthMs);
  EXPECT_GE(elapsed * 11 / 10, load.scenario->lengthMs) << "the length is close, not a guess";
}

TEST(ScenarioNumbers, ANumberTooLargeIsCalledTooLargeNotAFraction) {
  ExpectRejected("wait.json", R"({"steps": [{"wait": 1e300}]})",
                 "step 1: \"wait\" must be a whole number from 0 to 86400000; 1e+300 is too large");
  ExpectRejected("hold.json", R"({"steps": [{"hold": "INPUT_CONTEXT_A", "ms": 1e12}]})",
                 "step 1: \"ms\" must be a whole number from 0 to 86400000; 1000000000000 is too "
                 "large");
  ExpectRejected("clock.json", R"({"clock": 1e10, "steps": []})",
                 "\"clock\" must be a whole number from -2147483648 to 2147483647; 10000000000 is "
                 "too large");
  ExpectRejected("frame.json", R"({"frame_ms": -5.0, "steps": []})",
                 "\"frame_ms\" must be a whole number from 1 to 1000; -5 is too small");
  ExpectRejected("seed.json", R"({"seed": 1e20, "steps": []})",
                 "\"seed\" must be a whole number of 0 or more up to 18446744073709551615; 1e+20 "
                 "is too large");
  // Found by the scenario fuzzer: past a double's range the reader itself gives up.
  ExpectRejected("overflow.json", R"({"steps": [{"wait": 1e993}]})",
                 "number overflow parsing '1e993'");
  ExpectRejected("half.json", R"({"steps": [{"wait": 1.5}]})",
                 "step 1: \"wait\" must be a whole number from 0 to 86400000, not 1.5, a number "
                 "with a fraction");
}

TEST(ScenarioNumbers, AWholeNumberMayBeWrittenWithAPointOrAnExponent) {
  const campsim::Scenario s = Parsed(R"({"seed": 7.0, "frame_ms": 1.6e1, "steps": [
      {"wait": 1e3}, {"wait": 1000.0}, {"hold": "INPUT_CONTEXT_A", "ms": 8e2},
      {"never_loads": 12345.0}]})");
  EXPECT_EQ(s.world.seed, 7u);
  EXPECT_EQ(s.world.frameMs, 16);
  ASSERT_EQ(s.steps.size(), 4u);
  EXPECT_EQ(std::get<campsim::WaitStep>(s.steps[0]).ms, 1000);
  EXPECT_EQ(std::get<campsim::WaitStep>(s.steps[1]).ms, 1000);
  EXPECT_EQ(std::get<campsim::HoldStep>(s.steps[2]).ms, 800);
  EXPECT_EQ(std::get<campsim::NeverLoadsStep>(s.steps[3]).hash, 12345u);
}

TEST(ScenarioKeys, AKeyGivenTwiceIsRefusedWhereItIs) {
  ExpectRejected("top.json", R"({"seed": 1, "seed": 2, "steps": []})",
                 "has the key \"seed\" twice");
  ExpectRejected("world.json", R"({"world": {"speech_ms": 1, "speech_ms": 2}, "steps": []})",
                 "\"world\" has the key \"speech_ms\" twice");
  ExpectRejected("step.json", R"({"steps": [{"wait": 1}, {"wait": 10, "wait": 20}]})",
                 "step 2: has the key \"wait\" twice");
  // The file's own text is quoted as JSON writes it, so that the refusal stays one line.
  ExpectRejected("newline.json", R"({"steps": [{"wait\nwait": 1}]})",
                 "step 1: unknown action \"wait\\nwait\"");
  ExpectRejected("move.json",
                 R"({"steps": [[1], {"wait": 1}, {"move": [1, 2, 3], "speed": 2, "speed": 3}]})",
                 "step 3: has the key \"speed\" twice");
  // Found by the scenario fuzzer: an array at the top has no key to name the place by.
  ExpectRejected("top_array.json", R"( [{"wait": 10, "wait": 20}], "seed": ait": 20}], "seed": 2})",
                 "item 1: has the key \"wait\" twice");
}

TEST(ScenarioSpeed, ASpeedTooSlowForTheCoordinatesIsRefusedWithTheSmallest) {
  const std::string tooSlow =
      " is too slow to move the player at these coordinates in 33 ms frames; the smallest here "
      "is 0.12 units per second";
  ExpectRejected("crawl.json", R"({"steps": [{"move": [-1600, -1400, 82], "speed": 0.001}]})",
                 "step 1: \"speed\" 0.001" + tooSlow);
  ExpectRejected("creep.json",
                 R"({"steps": [{"wait": 5}, {"move": [-1600, -1400, 82], "speed": 0.005}]})",
                 "step 2: \"speed\" 0.005" + tooSlow);
  // Further from the origin a float's steps are coarser, and with longer frames each step
  // is longer: the smallest speed follows both, and the one named is accepted.
  for (const std::string settings : {R"("start": [90000, 90000, 0])", R"("frame_ms": 1000)"}) {
    SCOPED_TRACE(settings);
    const std::string to =
        settings.find("90000") != std::string::npos ? "[90010, 90000, 0]" : "[-1401, -1600, 80]";
    const auto slow = campsim::ParseScenario(
        "{" + settings + R"(, "steps": [{"move": )" + to + R"(, "speed": 0.001}]})", "s.json");
    ASSERT_FALSE(slow.scenario);
    const std::string smallest = SmallestIn(slow.error);
    ASSERT_NE(smallest, "") << slow.error;
    const auto atSmallest = campsim::ParseScenario(
        "{" + settings + R"(, "steps": [{"move": )" + to + R"(, "speed": )" + smallest + "}]}",
        "s.json");
    EXPECT_TRUE(atSmallest.scenario) << atSmallest.error;
  }
}

TEST(ScenarioSpeed, AtTheSmallestSpeedAMoveKeepsItsPace) {
  struct Row {
    const char* file;
    double seconds;  // the distance over the speed
  };
  for (const Row& row : {
           Row{R"({"steps": [{"move": [-1401, -1600, 80], "speed": 0.12}]})", 1.0 / 0.12},
           Row{R"({"frame_ms": 1000, "steps": [{"move": [-1400, -1600.03, 80], "speed": 0.004}]})",
               0.03 / 0.004},
           Row{R"({"steps": [{"move": [-1400, -1500, 80]}]})", 100.0 / 8.0},
       }) {
    SCOPED_TRACE(row.file);
    const campsim::Scenario s = Parsed(row.file);
    sim::Vec3 at{};
    const std::int64_t elapsed = Play(s, &at);
    const sim::Vec3 to = std::get<campsim::MoveStep>(s.steps[0]).to;
    EXPECT_EQ(at.x, to.x);
    EXPECT_EQ(at.y, to.y);
    EXPECT_NEAR(static_cast<double>(elapsed), row.seconds * 1000.0,
                row.seconds * 1000.0 * 0.04 + 1000);
    EXPECT_LE(elapsed, s.lengthMs);
  }
}

TEST(ScenarioMoves, AMoveStopsWhereThePlayerIsWhenItsTimeRunsOut) {
  campsim::Scenario s;
  s.world.playerStart = {-1400.0f, -1600.0f, 80.0f};
  s.steps = {campsim::MoveStep{{-400.0f, -1600.0f, 80.0f}, 8.0f, 2000}, campsim::WaitStep{1000}};
  sim::Vec3 at{};
  const std::int64_t elapsed = Play(s, &at);
  EXPECT_GE(elapsed, 3000);
  EXPECT_LT(elapsed, 3000 + 2 * 33);
  EXPECT_NEAR(at.x, -1400.0f + 16.0f, 0.5f) << "two seconds at 8 units a second, then no further";
}

// What campsim cannot use, one row each: a file's bytes, or a command line, and the one
// line that refuses it before any frame runs.
TEST(CampsimInput, EachInputItCannotUseIsRefusedInOneLine) {
  const std::string thirtyDays = Days(30);
  struct Row {
    const char* file;
    std::string text;
    std::string expected;
  };
  for (const Row& row : {
           Row{"nul_after.json", std::string(R"({"steps": []})") + '\0' + "garbage",
               "not valid JSON: a NUL byte at line 1, byte 14; a scenario file is text, and "
               "nothing may follow its JSON document"},
           Row{"nul_inside.json", std::string("{\"steps\":\n [") + '\0' + "]}",
               "not valid JSON: a NUL byte at line 2, byte 13; a scenario file is text, and "
               "nothing may follow its JSON document"},
           Row{"control.json", R"({"steps": [{"hold": "INPUT_CONTEX_A", "ms": 900}]})",
               "step 1: \"hold\": \"INPUT_CONTEX_A\" is not a prompt's control (INPUT_CONTEXT_A, "
               "INPUT_CONTEXT_Y, INPUT_INTERACT_LOCKON_STUDY_BINOCULARS, INPUT_CONTEXT_RT)"},
           Row{"frames.json", R"({"frame_ms": 1, )" + thirtyDays.substr(1),
               "the run would take 2,592,000,000 frames of 1 ms, about 86 minutes to run; a "
               "scenario may take 80,000,000 (a little over 30 days of 33 ms frames): give "
               "\"frame_ms\" a larger value or the steps less time"},
       }) {
    ExpectRejected(row.file, row.text, row.expected);
  }
  for (const auto& [option, file] :
       std::vector<std::pair<std::string, std::string>>{{"--trace", "FILE"},
                                                        {"--map", "FILE.svg"},
                                                        {"--timeline", "FILE"},
                                                        {"--report", "FILE.html"}}) {
    SCOPED_TRACE(option);
    campsim_test::ExpectCommandRefused(
        {option, ""}, "campsim: " + option + " needs a file name, not an empty one");
    campsim_test::ExpectCommandRefused({option}, "campsim: " + option + ": 1 required " + file +
                                                     " missing (campsim --help lists the options)");
  }
  campsim_test::ExpectCommandRefused(
      {"--no\nsuch"},
      "campsim: The following argument was not expected: --no\\nsuch (campsim --help lists the "
      "options)");
  // A name with a newline is quoted, so that the refusal stays one line.
  const std::string twoLines = campsim_test::WriteTemp("two\nlines.json", "[]");
  campsim_test::ExpectCommandRefused(
      {twoLines}, campsim::Quoted(twoLines) + ": must hold a JSON object, not an array");
  // The file's own words stay on one line in the timeline too.
  const auto words = campsim_test::RunCampsimWith({campsim_test::WriteTemp(
      "words.json", R"({"steps": [{"silent_line": "A\nB"}, {"never_loads": "c\rd"}]})")});
  EXPECT_EQ(words.code, 0) << words.err;
  EXPECT_NE(campsim_test::FindLine(words.OutLines(), R"(> fault: "A\nB" is never heard)"), -1);
  EXPECT_NE(campsim_test::FindLine(words.OutLines(), R"(> fault: "c\rd" (0x)"), -1);
  campsim_test::ExpectCommandRefused(
      {"--trace", "/nonexistent\ndir/trace"},
      "\"/nonexistent\\ndir/trace\": cannot be written: No such file or directory");
}

}  // namespace
