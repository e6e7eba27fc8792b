// Scenario files: every kind of mistake stops campsim with one line and exit 2 before a
// frame runs; a good file gives exactly the steps it wrote.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "campsim/campsim_run.h"
#include "sim/world/world.h"
#include "tools/campsim/scenario_file/reader.h"

namespace {

using campsim_test::RunCampsimWith;
using campsim_test::WriteTemp;

// A file that is fine but for its steps.
std::string WithSteps(const std::string& steps) {
  return R"({"seed": 3, "start": [-1400, -1600, 80], "steps": [)" + steps + "]}";
}

using campsim_test::ExpectRejected;

TEST(ScenarioFileErrors, AFileThatCannotBeReadIsNamed) {
  const std::string path = campsim_test::TempPath("no_such_scenario.json");
  const auto run = RunCampsimWith({path});
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.err, path + ": cannot be read: No such file or directory\n");
  EXPECT_EQ(run.out, "");
}

TEST(ScenarioFileErrors, BadJsonGivesTheParsersPlaceOnOneLine) {
  const std::string path = WriteTemp("bad.json", "{\"steps\": [\n  {\"wait\": 10},\n]}\n");
  const auto run = RunCampsimWith({path});
  EXPECT_EQ(run.code, 2);
  ASSERT_EQ(run.ErrLines().size(), 1u) << run.err;
  EXPECT_EQ(run.err.rfind(path + ": not valid JSON: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("line 3"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

TEST(ScenarioFileErrors, EachWrongStepIsNamedByItsNumber) {
  ExpectRejected("unknown.json", WithSteps(R"({"wait": 10}, {"jump": true})"),
                 "step 2: unknown action \"jump\"");
  ExpectRejected("type.json", WithSteps(R"({"wait": "soon"})"),
                 "step 1: \"wait\" must be a whole number from 0 to 86400000, not a string");
  ExpectRejected("fraction.json", WithSteps(R"({"hold": "INPUT_CONTEXT_A", "ms": 700.5})"),
                 "step 1: \"ms\" must be a whole number from 0 to 86400000, not 700.5, a number "
                 "with a fraction");
  ExpectRejected("length.json", WithSteps(R"({"wait": 1}, {"wait": 2}, {"teleport": [1, 2]})"),
                 "step 3: \"teleport\" must be [x, y, z], three numbers, not 2 of them");
  ExpectRejected("item.json", WithSteps(R"({"move": [1, "north", 3]})"),
                 "step 1: \"move\" must be [x, y, z], three numbers; item 2 is a string");
  ExpectRejected("two.json", WithSteps(R"({"wait": 10, "leave": true})"),
                 "step 1: has two actions, \"leave\" and \"wait\"; give one per step");
  ExpectRejected("none.json", WithSteps(R"({})"),
                 "step 1: has no action (wait, teleport, move, go, target, hold, press, release, "
                 "board, leave or a fault)");
  ExpectRejected("holdms.json", WithSteps(R"({"hold": "INPUT_CONTEXT_A"})"),
                 "step 1: \"hold\" needs \"ms\", how long to hold");
  ExpectRejected("speed.json", WithSteps(R"({"wait": 5, "speed": 3})"),
                 "step 1: \"speed\" belongs to \"move\" or \"go\" only");
  ExpectRejected("who.json", WithSteps(R"({"target": "Arthur"})"),
                 "step 1: \"target\": no companion is named \"Arthur\" (Charles, Sadie, Karen or "
                 "Abe)");
  ExpectRejected("kill.json", WithSteps(R"({"kill": "horse"})"),
                 "step 1: \"kill\": \"horse\" is not Charles, Sadie, Karen, Abe, \"wagon\" or "
                 "\"tent\"");
  ExpectRejected("hex.json", WithSteps(R"({"never_loads": "0xNOTHEX"})"),
                 "step 1: \"never_loads\": \"0xNOTHEX\" is not a 32-bit hex hash");
  ExpectRejected("object.json", WithSteps(R"(42)"),
                 "step 1: must be an object with one action, e.g. {\"wait\": 1000}, not a whole "
                 "number");
}

TEST(ScenarioFileErrors, WrongSettingsAreNamedByTheirKey) {
  ExpectRejected("top.json", R"({"steps": [], "speed": 4})",
                 "unknown key \"speed\" (seed, frame_ms, clock, start, world, steps)");
  ExpectRejected("frame.json", R"({"frame_ms": 0, "steps": []})",
                 "\"frame_ms\" must be a whole number from 1 to 1000; 0 is too small");
  ExpectRejected("world.json", R"({"world": {"load_poll": 2}, "steps": []})",
                 "\"world\" has an unknown key \"load_poll\" (load_polls, speech_ms, "
                 "release_range, reuse_handles, "
                 "release_zeroes, other_script_ms, camp_scenario_points, unowned_delete_releases, "
                 "blip_goes_with_entity, prompt_drop_ms, track_propset_requests, "
                 "reload_keeps_player_number)");
  ExpectRejected("seed.json", R"({"seed": -1, "steps": []})",
                 "\"seed\" must be a whole number of 0 or more, not -1");
  ExpectRejected("nosteps.json", R"({"seed": 1})", "has no \"steps\" array");
  ExpectRejected("array.json", R"([{"wait": 1}])", "must hold a JSON object, not an array");
}

TEST(ScenarioFile, ReadsEverySettingAndEveryAction) {
  const auto load = campsim::ParseScenario(R"({
    "seed": 42, "frame_ms": 16, "clock": -5000, "start": [1, 2.5, 3],
    "world": {"load_polls": 7, "speech_ms": 900},
    "steps": [
      {"wait": 250}, {"teleport": [4, 5, 6]}, {"move": [7, 8, 9], "speed": 3.5}, {"move": [1, 1, 1]},
      {"target": "Karen"}, {"target": null}, {"hold": "INPUT_CONTEXT_Y", "ms": 900},
      {"board": "wagon"}, {"leave": true}, {"vanish": "tent"}, {"kill": "Abe"},
      {"never_loads": "cs_karen"}, {"never_loads": "0x53dd98df"}, {"never_loads": 12345},
      {"silent_line": "GOING_WELL"}, {"new_player_ped": true}
    ]})",
                                           "all.json");
  ASSERT_TRUE(load.scenario) << load.error;
  const campsim::Scenario& s = *load.scenario;
  EXPECT_EQ(s.world.seed, 42u);
  EXPECT_EQ(s.world.frameMs, 16);
  EXPECT_EQ(s.world.startClock, -5000);
  EXPECT_EQ(s.world.playerStart.y, 2.5f);
  EXPECT_EQ(s.world.loadPolls, 7);
  EXPECT_EQ(s.world.speechMs, 900);
  ASSERT_EQ(s.steps.size(), 16u);
  EXPECT_EQ(std::get<campsim::WaitStep>(s.steps[0]).ms, 250);
  EXPECT_EQ(std::get<campsim::TeleportStep>(s.steps[1]).to.z, 6.0f);
  EXPECT_EQ(std::get<campsim::MoveStep>(s.steps[2]).unitsPerSecond, 3.5f);
  EXPECT_GT(std::get<campsim::MoveStep>(s.steps[3]).unitsPerSecond, 0.0f) << "a default speed";
  EXPECT_EQ(std::get<campsim::TargetStep>(s.steps[4]).name, "Karen");
  EXPECT_TRUE(std::holds_alternative<campsim::ReleaseTargetStep>(s.steps[5]));
  EXPECT_EQ(std::get<campsim::HoldStep>(s.steps[6]).control, "INPUT_CONTEXT_Y");
  EXPECT_EQ(std::get<campsim::HoldStep>(s.steps[6]).ms, 900);
  EXPECT_TRUE(std::holds_alternative<campsim::BoardStep>(s.steps[7]));
  EXPECT_TRUE(std::holds_alternative<campsim::LeaveStep>(s.steps[8]));
  EXPECT_EQ(std::get<campsim::VanishStep>(s.steps[9]).name, "tent");
  EXPECT_EQ(std::get<campsim::KillStep>(s.steps[10]).name, "Abe");
  // Karen's model hash as the game computes it, and Charles's written in hex.
  EXPECT_EQ(std::get<campsim::NeverLoadsStep>(s.steps[11]).hash, 0x9A3E29FBu);
  EXPECT_EQ(std::get<campsim::NeverLoadsStep>(s.steps[12]).hash, 0x53DD98DFu);
  EXPECT_EQ(std::get<campsim::NeverLoadsStep>(s.steps[13]).hash, 12345u);
  EXPECT_EQ(std::get<campsim::SilentLineStep>(s.steps[14]).line, "GOING_WELL");
  EXPECT_TRUE(std::holds_alternative<campsim::NewPlayerPedStep>(s.steps[15]));
}

TEST(ScenarioFile, TheCommandLineRejectsWhatItCannotUse) {
  const auto soakWithFile = RunCampsimWith({"--soak", "1h", WriteTemp("ok.json", WithSteps(""))});
  EXPECT_EQ(soakWithFile.code, 2);
  const auto badDuration = RunCampsimWith({"--soak", "6x"});
  EXPECT_EQ(badDuration.code, 2);
  EXPECT_EQ(badDuration.out, "");
  const auto unwritable = RunCampsimWith({"--trace", "/nonexistent-dir/trace.jsonl"});
  EXPECT_EQ(unwritable.code, 2);
  EXPECT_EQ(unwritable.ErrLines().size(), 1u) << unwritable.err;
  EXPECT_EQ(unwritable.out, "");
  const auto help = RunCampsimWith({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--soak"), std::string::npos);
}

}  // namespace
