// The playground over HTTP, from a client on loopback: steps posted by the page play as the
// same steps in a file do, what was played saves to a file that replays to the very same
// trace and timeline, and hostile requests are refused in one line without harm to the run.
#include <gtest/gtest.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <thread>
#include <vector>

#include "play/play_fixture.h"

namespace {

using campsim_test::FirstDifference;
using play_test::Playground;
using play_test::Replay;
namespace http = play_test::http;

TEST(Play, PostedStepsPlayAsTheSameStepsInAFile) {
  const std::string example = std::string(CAMPFIRE_SOURCE_DIR) + "/examples/visit_charles.json";
  const auto load = campsim::LoadScenarioFile(example);
  ASSERT_TRUE(load.scenario) << load.error;
  Playground play(load.scenario->world, /*idle=*/false);
  const auto file = nlohmann::json::parse(campsim_test::ReadText(example));
  for (const auto& step : file["steps"]) {
    const auto posted = play.Post("/step", step.dump());
    ASSERT_EQ(posted->status, 204) << step.dump() << ": " << posted->body;
  }
  play.Settle();
  const std::string saved = play.Save();
  play.Stop();

  const auto replayed = campsim_test::RunCampsimWith(
      {example, "--quiet", "--trace", campsim_test::TempPath("file.trace"), "--timeline",
       campsim_test::TempPath("file.timeline")});
  ASSERT_EQ(replayed.code, 0) << replayed.err;
  EXPECT_EQ(FirstDifference(campsim_test::ReadText(play.tracePath),
                            campsim_test::ReadText(campsim_test::TempPath("file.trace"))),
            "");
  EXPECT_EQ(FirstDifference(play.run->TimelineText(),
                            campsim_test::ReadText(campsim_test::TempPath("file.timeline"))),
            "");
  // The saved file holds the example's steps, no more: no game time passed between them.
  EXPECT_EQ(nlohmann::json::parse(saved)["steps"].size(), load.scenario->steps.size());
}

// Played as a person plays, the game running between the steps for as long as it happens
// to: the waits recorded make the saved file replay it exactly.
TEST(Play, APlayedRunSavesToAFileThatReplaysIt) {
  Playground play(campsim::Scenario{}.world, /*idle=*/true);
  const std::vector<std::string> steps = {
      R"({"go": [-1592.0, -1432.0, 81.5], "speed": 8})",
      R"({"target": "Charles"})",
      R"({"press": "INPUT_CONTEXT_A"})",
      R"({"release": "INPUT_CONTEXT_A"})",
      R"({"go": [-1617.0, -1380.0, 82.8], "speed": 8})",
      R"({"board": "wagon"})",
      R"({"go": [-1500.0, -1300.0, 82.8], "speed": 12})",
      R"({"reload": true})",
      R"({"restart": true})",
  };
  for (const std::string& step : steps) {
    // Until the world has moved on a little: each pause here is game time of its own.
    const auto frames = play.run->Now().frames;
    while (play.run->Now().frames < frames + 300)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(play.Post("/step", step)->status, 204) << step;
  }
  const std::string saved = play.Save();
  // Paused, once what came before the pause is out, nothing new reaches the feed: a
  // playground left open does not grow.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const std::size_t fed = play.run->Feed().Bytes();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(play.run->Feed().Bytes(), fed);
  play.Stop();
  const auto replayed = Replay(saved, "played");
  EXPECT_EQ(FirstDifference(campsim_test::ReadText(play.tracePath), replayed.trace), "");
  EXPECT_EQ(FirstDifference(play.run->TimelineText(), replayed.timeline), "");
  EXPECT_NE(saved.find(R"({"press":"INPUT_CONTEXT_A"})"), std::string::npos) << saved;
}

struct Hostile {
  const char* what;
  std::string method;
  std::string path;
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  int status;
  std::string answer;  // the whole answer, or its start when it ends in "..."
};

TEST(Play, HostileRequestsAreRefusedInOneLineAndTheRunGoesOn) {
  Playground play(campsim::Scenario{}.world, /*idle=*/true, /*maxStreams=*/2);
  const std::string port = std::to_string(play.server->Port());
  const std::vector<Hostile> cases = {
      {"a name that is not the loopback's",
       "GET",
       "/",
       {{"Host", "evil.example:" + port}},
       "",
       403,
       "campsim: refused: the playground answers only requests for 127.0.0.1:" + port +
           " or localhost:" + port + "\n"},
      {"the right name on another port",
       "POST",
       "/step",
       {{"Host", "localhost:1"}},
       R"({"leave": true})",
       403,
       "campsim: refused: the playground answers only..."},
      {"a step from another site",
       "POST",
       "/step",
       {{"Origin", "http://evil.example"}},
       R"({"leave": true})",
       403,
       "campsim: refused: steps are taken only from the playground's own page (Origin "
       "http://127.0.0.1:" +
           port + ")\n"},
      {"a save from another site",
       "POST",
       "/save",
       {{"Origin", "null"}},
       "",
       403,
       "campsim: refused: steps are taken only..."},
      {"a body past 64 KiB",
       "POST",
       "/step",
       {},
       std::string(70'000, ' '),
       413,
       "campsim: refused: a request's body may hold at most 65536 bytes\n"},
      {"bad JSON", "POST", "/step", {}, R"({"wait": )", 400, "posted step: not valid JSON: ..."},
      {"an unknown step",
       "POST",
       "/step",
       {},
       R"({"fly": true})",
       400,
       "posted step: unknown action \"fly\"\n"},
      {"a step a file could not hold either",
       "POST",
       "/step",
       {},
       R"({"hold": "INPUT_JUMP", "ms": 9})",
       400,
       "posted step: \"hold\": \"INPUT_JUMP\" is not a prompt's control (..."},
      {"a move too slow",
       "POST",
       "/step",
       {},
       R"({"move": [-1399, -1600, 80], "speed": 0.001})",
       400,
       "posted step: \"speed\" 0.001 is too slow to move the player at these coordinates in 33 ms "
       "frames; the smallest here is..."},
      {"a speed there is no button for",
       "POST",
       "/speed",
       {},
       "7",
       400,
       "campsim: the speed is 0 (paused), 1, 10 or 60\n"},
      {"no such page",
       "GET",
       "/etc/passwd",
       {},
       "",
       404,
       "campsim: no such page: the playground is at /\n"},
  };
  for (const Hostile& c : cases) {
    SCOPED_TRACE(c.what);
    auto headers = c.headers;
    if (headers.empty()) headers.emplace_back("Origin", play.origin);
    headers.emplace_back("X-Campsim-Token", play.token);
    const auto res =
        play_test::Request(play.port, http::string_to_verb(c.method), c.path, headers, c.body);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, c.status);
    if (c.answer.ends_with("...")) {
      EXPECT_EQ(res->body.substr(0, c.answer.size() - 3), c.answer.substr(0, c.answer.size() - 3));
      EXPECT_EQ(std::count(res->body.begin(), res->body.end(), '\n'), 1) << res->body;
    } else {
      EXPECT_EQ(res->body, c.answer);
    }
  }

  // A flood of steps: each taken, each played in turn.
  for (int i = 0; i < 1000; ++i) {
    const auto res =
        play.Post("/step", i % 2 == 0 ? R"({"target": "Karen"})" : R"({"target": null})");
    ASSERT_EQ(res->status, 204) << i << ": " << res->body;
  }
  play.Settle();

  // Streams past the cap: 503 while two pages are fed, taken again once one has gone.
  std::atomic<bool> close{false};
  std::atomic<int> open{0};
  std::vector<std::thread> pages;
  for (int i = 0; i < 2; ++i) {
    pages.emplace_back([&] {
      play_test::Socket page(play.port);
      page.Send("GET /events?token=" + play.token +
                " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(play.port) + "\r\n\r\n");
      if (page.ReadSome() > 0) ++open;
      while (!close) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });
  }
  while (open < 2) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  const auto third = play.Get("/events?token=" + play.token);
  ASSERT_TRUE(third);
  EXPECT_EQ(third->status, 503);
  EXPECT_EQ(third->body,
            "campsim: refused: the playground already feeds 2 pages; close one first\n");
  close = true;
  for (auto& p : pages) p.join();

  // Still running, and what it played replays exactly.
  const auto frames = play.run->Now().frames;
  while (play.run->Now().frames < frames + 10)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const std::string saved = play.Save();
  play.Stop();
  int targets = 0;
  const auto savedFile = nlohmann::json::parse(saved);
  for (const auto& step : savedFile["steps"]) targets += step.contains("target");
  EXPECT_EQ(targets, 1000);
  const auto replayed = Replay(saved, "hostile");
  EXPECT_EQ(FirstDifference(campsim_test::ReadText(play.tracePath), replayed.trace), "");
}

}  // namespace
