// The steps made for play by hand, as a scenario file gives them: a way under way goes on
// through the steps after it, a control held from press to release confirms a prompt, and
// a file written from any steps reads back to the very same steps. And --play's refusals.
#include <gtest/gtest.h>

#include <boost/asio/ip/tcp.hpp>

#include "campsim/campsim_run.h"
#include "sim/scenario/camp_places.h"
#include "tools/campsim/run/scenario_runner.h"
#include "tools/campsim/scenario_file/reader.h"
#include "tools/campsim/scenario_file/writer.h"
#include "tools/campsim/timeline/timeline.h"

namespace {

struct Played {
  sim::Vec3 player;
  std::string timeline;
};

Played Play(const std::string& steps) {
  const auto load = campsim::ParseScenario(
      R"({"start": [-1560, -1460, 81.4], "steps": [)" + steps + "]}", "steps.json");
  EXPECT_TRUE(load.scenario) << load.error;
  sim::SimulationOptions options;
  options.world = load.scenario->world;
  options.record = false;
  sim::Simulation sim(options);
  std::ostringstream text;
  campsim::Timeline timeline(sim.world());
  timeline.AddOutput(&text);
  sim.host().AddSink(&timeline);
  campsim::ScenarioRunner(sim, &timeline).Run(load.scenario->steps);
  sim.host().RemoveSink(&timeline);
  return {sim.world().Find(sim.world().PlayerPed())->position, text.str()};
}

TEST(PlaySteps, AWayGoesOnThroughTheStepsAfterItUntilThereOrEnded) {
  const sim::Vec3 there{-1580.0f, -1460.0f, 81.4f};  // 20 units west, 2.5 s at 8 units/s
  struct Case {
    const char* steps;
    float x;  // where the player is at the end
  } cases[] = {
      {R"({"go": [-1580, -1460, 81.4]}, {"wait": 1000}, {"wait": 2000})", there.x},
      {R"({"go": [-1580, -1460, 81.4]}, {"wait": 1000})", -1568.0f},
      {R"({"go": [-1580, -1460, 81.4]}, {"wait": 1000}, {"go": null}, {"wait": 2000})", -1568.0f},
      {R"({"go": [-1580, -1460, 81.4]}, {"teleport": [-1560, -1460, 81.4]}, {"wait": 3000})",
       -1560.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    EXPECT_NEAR(Play(c.steps).player.x, c.x, 0.3f);
  }
}

TEST(PlaySteps, AControlHeldFromPressToReleaseConfirmsThePromptOnlyIfHeldLongEnough) {
  const std::string lockOn = R"({"move": [-1592, -1432, 81.5]}, {"wait": 3000},
                               {"target": "Charles"}, {"wait": 500}, {"press": "INPUT_CONTEXT_A"},)";
  const std::string held = Play(lockOn + R"({"wait": 800}, {"release": "INPUT_CONTEXT_A"},
                                            {"wait": 1000})")
                               .timeline;
  EXPECT_NE(held.find("Charles: \"Talk\" held, the exchange begins"), std::string::npos) << held;
  const std::string brief = Play(lockOn + R"({"wait": 330}, {"release": "INPUT_CONTEXT_A"},
                                             {"wait": 1000})")
                                .timeline;
  EXPECT_EQ(brief.find("the exchange begins"), std::string::npos) << brief;
}

TEST(PlaySteps, AScenarioWrittenOutReadsBackToTheSameSteps) {
  const std::string steps = R"({"wait": 33}, {"teleport": [-1400.25, -1600.5, 80.1]},
      {"move": [-1592, -1432, 81.5], "speed": 12.3}, {"go": [-1500, -1500, 80.7], "speed": 2},
      {"go": null}, {"target": "Sadie"}, {"target": null}, {"hold": "INPUT_CONTEXT_Y", "ms": 700},
      {"press": "INPUT_CONTEXT_RT"}, {"release": "INPUT_CONTEXT_RT"}, {"board": "wagon"},
      {"leave": true}, {"vanish": "tent"}, {"kill": "Abe"}, {"never_loads": "cs_karen"},
      {"never_loads": 4009}, {"silent_line": "GOING_WELL"}, {"new_player_ped": true},
      {"reload": true}, {"reload": [-1600, -1400, 82]}, {"restart": true}, {"other_script": true},
      {"drop_prompt": true})";
  const auto first = campsim::ParseScenario(
      R"({"seed": 18446744073709551615, "frame_ms": 17, "clock": -5, "start": [1.5, 2.25, 3],
          "world": {"load_polls": 9, "speech_ms": 1234, "release_range": 250.5,
                    "reuse_handles": true, "release_zeroes": true, "other_script_ms": 4000,
                    "camp_scenario_points": false,
                    "unowned_delete_releases": true, "blip_goes_with_entity": true,
                    "prompt_drop_ms": 9000, "track_propset_requests": true,
                    "reload_keeps_player_number": true},
          "steps": [)" +
          steps + "]}",
      "first.json");
  ASSERT_TRUE(first.scenario) << first.error;
  const std::string text = campsim::ScenarioFileText(first.scenario->world, first.scenario->steps);
  // Places and speeds as they were written, not as the floats' exact binary values.
  for (const char* written : {"[-1400.25,-1600.5,80.1]", "\"speed\":12.3", "250.5"}) {
    EXPECT_NE(text.find(written), std::string::npos) << written << " in\n" << text;
  }
  const auto again = campsim::ParseScenario(text, "again.json");
  ASSERT_TRUE(again.scenario) << again.error << "\n" << text;
  EXPECT_EQ(campsim::ScenarioFileText(again.scenario->world, again.scenario->steps), text);
  ASSERT_EQ(again.scenario->steps.size(), first.scenario->steps.size());
  for (std::size_t i = 0; i < first.scenario->steps.size(); ++i) {
    EXPECT_EQ(campsim::Describe(again.scenario->steps[i]),
              campsim::Describe(first.scenario->steps[i]));
  }
}

TEST(PlaySteps, PlayRefusesWhatItCannotUseInOneLine) {
  boost::asio::io_context io;
  const boost::asio::ip::tcp::acceptor busy(  // holds a port of the loopback's
      io, {boost::asio::ip::address_v4::loopback(), 0});
  const int port = busy.local_endpoint().port();
  ASSERT_GT(port, 0);
  const std::string p = std::to_string(port);
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"--play", "--port", p},
       "campsim: --play cannot listen on 127.0.0.1:" + p +
           ": the port is in use (--port picks another, --port 0 any free one)\n"},
      {{"--port", "9000"}, "campsim: --port requires --play (campsim --help lists the options)\n"},
      {{"--play", "--report", "x.html"},
       "campsim: --report excludes --play (campsim --help lists the options)\n"},
  };
  for (const auto& c : cases) {
    const auto run = campsim_test::RunCampsimWith(c.args);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, c.err);
  }
}

}  // namespace
