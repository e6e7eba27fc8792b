// The playground attacked as a page elsewhere in the browser, or a careless or hostile
// program on the same machine, would: raw bytes on loopback, each attack bounded in what it
// sends and in how long it waits. Every answer is one line or the page itself; a refusal
// closes the connection, so nothing sent after it is read; no step slips through.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <thread>
#include <vector>

#include "play/play_fixture.h"

namespace {

using play_test::Playground;
using play_test::Socket;

struct Attack {
  const char* what;
  std::string sent;
  std::vector<int> statuses;  // every answer, in order, before the server closes
  std::string first;          // the first answer's body, or its start when it ends in "..."
  bool halfClose = false;
  bool cutShort = false;  // the server stops reading before all is sent
};

std::string Chunked(std::size_t spaces, const std::string& end) {
  std::string body;
  const std::string chunk(64 * 1024, ' ');
  for (std::size_t sent = 0; sent < spaces; sent += chunk.size())
    body += "10000\r\n" + chunk + "\r\n";
  return body + fmt::format("{:x}\r\n{}\r\n0\r\n\r\n", end.size(), end);
}

TEST(PlayAttacks, EachIsAnsweredInOneLineOrRefusedAndClosedAndNoStepSlipsThrough) {
  Playground play(campsim::Scenario{}.world, /*idle=*/true, 8, /*paced=*/true);
  const std::string port = std::to_string(play.port);
  const std::string host = "Host: 127.0.0.1:" + port + "\r\n";
  const std::string own =
      host + "Origin: " + play.origin + "\r\nX-Campsim-Token: " + play.token + "\r\n";
  const std::string page = "/?token=" + play.token;
  auto request = [](const std::string& line, const std::string& headers, const std::string& body) {
    return line + " HTTP/1.1\r\n" + headers + "Content-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
  };
  const std::string step = R"({"target": "Karen"})";
  // Past the 4 KiB a reader might take ahead: what comes after would be read as a request.
  const std::string smuggled = std::string(5000, ' ') + request("POST /step", own, step);
  const std::string hostRefusal =
      "campsim: refused: the playground answers only requests for 127.0.0.1:" + port +
      " or localhost:" + port + "\n";
  const std::string noToken = "campsim: refused: the request lacks the playground's token...";
  std::vector<Attack> attacks = {
      {"1: a step smuggled in the body of a request for another host",
       request("POST /step", "Host: evil.example:" + port + "\r\n", smuggled),
       {403},
       hostRefusal},
      {"1: a step smuggled in the body of a request without the token",
       request("POST /step", host + "Origin: " + play.origin + "\r\n", smuggled),
       {403},
       noToken},
      {"1: a step sent after a refused one",
       request("POST /step", own, "{") + smuggled,
       {400},
       "posted step: not valid JSON: ..."},
      {"2: a chunked body of 32 MiB that ends in a step",
       "POST /step HTTP/1.1\r\n" + own + "Transfer-Encoding: chunked\r\n\r\n" +
           Chunked(32 << 20, step),
       {413},
       "campsim: refused: a request's body may hold at most 65536 bytes\n",
       false,
       true},
      {"2: a body of 1 MiB without a length",
       "POST /step HTTP/1.1\r\n" + own + "\r\n" + std::string(1 << 20, ' ') + step,
       {411},
       "campsim: refused: a request with a body says its length (Content-Length) or sends "
       "chunks\n"},
      {"3: a request line of 1 MiB",
       request("GET /" + std::string(1 << 20, 'a'), host, ""),
       {431},
       "campsim: refused: a request's line and headers may hold at most 8192 bytes\n"},
      {"3: 200 headers of 8 KB",
       request(
           "GET /status",
           [&] {
             std::string many = own;
             for (int i = 0; i < 200; ++i)
               many += fmt::format("X-{}: {}\r\n", i, std::string(8000, 'h'));
             return many;
           }(),
           ""),
       {431},
       "campsim: refused: a request's line and headers may hold at most 8192 bytes\n"},
      {"6: the page without its token", request("GET /", host, ""), {403}, noToken},
      {"6: the event stream without its token",
       request("GET /events", host + "Origin: " + play.origin + "\r\n", ""),
       {403},
       noToken},
      {"7: three requests in one write",
       request("GET /status", own, "") + request("GET /status", own, "") +
           request("GET /status", own + "Connection: close\r\n", ""),
       {200, 200, 200},
       "{\"ms\":..."},
      {"7: a step, then the client's side closed",
       request("POST /step", own, step),
       {204},
       "",
       true},
      {"7: a byte order mark before a step",
       request("POST /step", own, "\xEF\xBB\xBF" + step),
       {400},
       "posted step: a byte order mark before the step; send the JSON alone\n"},
      {"7: two Host headers",
       request("GET /status", own + "Host: evil.example\r\n", ""),
       {400},
       "campsim: refused: a request names its Host once\n"},
      {"7: two Origin headers",
       request("POST /step", own + "Origin: http://evil.example\r\n", step),
       {400},
       "campsim: refused: a request names its Origin once\n"},
      {"7: a step PUT",
       request("PUT /step", own, step),
       {405},
       "campsim: refused: /step takes POST only\n"},
  };
  for (const char* speed : {"-0", "01", "060"}) {
    attacks.push_back({"7: a speed written oddly",
                       request("POST /speed", own, speed),
                       {400},
                       "campsim: the speed is 0 (paused), 1, 10 or 60\n"});
  }
  // Byte ranges are not served: the whole page, once.
  const std::string whole = play.Get(page)->body;
  for (const std::string& ranges : {std::string("bytes=99999999-"), [] {
                                      std::string many = "bytes=0-";
                                      for (int i = 1; i < 1500; ++i) many += ",0-";
                                      return many;
                                    }()}) {
    attacks.push_back(
        {"3: byte ranges",
         request("GET " + page, host + "Range: " + ranges + "\r\nConnection: close\r\n", ""),
         {200},
         whole});
  }

  for (const Attack& a : attacks) {
    SCOPED_TRACE(a.what);
    Socket socket(play.port);
    ASSERT_TRUE(socket.Connected());
    const std::size_t sent = socket.Send(a.sent);
    if (a.halfClose) socket.HalfClose();
    std::string raw;
    EXPECT_TRUE(socket.ReadToClose(raw)) << "the server kept the connection open";
    if (a.cutShort) {
      EXPECT_LT(sent, a.sent.size());
    }
    const auto answers = play_test::ParseAnswers(raw);
    std::vector<int> statuses;
    for (const auto& answer : answers) statuses.push_back(answer.status);
    EXPECT_EQ(statuses, a.statuses) << raw.substr(0, 2000);
    if (answers.empty()) continue;
    const std::string& body = answers.front().body;
    if (a.first.ends_with("...")) {
      EXPECT_EQ(body.substr(0, a.first.size() - 3), a.first.substr(0, a.first.size() - 3));
      EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 1) << body;
    } else {
      EXPECT_EQ(body, a.first);
    }
    // A page in a frame elsewhere would carry the playground's own Origin: none is allowed.
    EXPECT_EQ(answers.front().headers["X-Frame-Options"], "DENY");
    EXPECT_EQ(answers.front().headers["Content-Security-Policy"], "frame-ancestors 'none'");
  }

  // Of every step sent, only the one whose request was whole and well-formed was taken.
  play.Settle();
  int targets = 0;
  const std::string saved = play.Save();
  const auto savedFile = nlohmann::json::parse(saved);
  for (const auto& s : savedFile["steps"]) targets += s.contains("target");
  EXPECT_EQ(targets, 1) << saved;
}

// Sixteen clients sending their headers a byte at a time and 64 that send nothing: the page
// is still answered while they go on, and Stop (Ctrl-C) does not wait for them.
TEST(PlayAttacks, SlowAndIdleClientsNeitherStarveThePageNorHoldUpStop) {
  Playground play(campsim::Scenario{}.world, /*idle=*/true, 8, /*paced=*/true);
  std::vector<std::unique_ptr<Socket>> idle;
  for (int i = 0; i < 64; ++i) idle.push_back(std::make_unique<Socket>(play.port));
  std::atomic<int> started{0}, trickling{0};
  std::vector<std::thread> slow;
  for (int i = 0; i < 16; ++i) {
    slow.emplace_back([&] {
      Socket socket(play.port);
      const std::string head =
          "GET /status HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(play.port) +
          "\r\nX-Padding: " + std::string(80, 'p');
      ++trickling;
      for (std::size_t at = 0; at < head.size() && socket.Send(head.substr(at, 1)) == 1; ++at) {
        if (at == 2) ++started;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
      --trickling;
    });
  }
  while (started < 16) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  // Asked while they still have seconds of bytes to send.
  Socket page(play.port, 5);
  page.Send("GET /status HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(play.port) +
            "\r\nX-Campsim-Token: " + play.token + "\r\nConnection: close\r\n\r\n");
  std::string raw;
  page.ReadToClose(raw);
  const auto answers = play_test::ParseAnswers(raw);
  ASSERT_EQ(answers.size(), 1u) << raw;
  EXPECT_EQ(answers[0].status, 200);
  play.server->Stop();
  EXPECT_EQ(trickling.load(), 16) << "Stop waited for slow clients";
  for (auto& t : slow) t.join();
}

}  // namespace
