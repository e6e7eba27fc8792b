// A playground in the test's process: the live run, unpaced, behind its server on a free
// loopback port, and a client that speaks to it as the page does.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "campsim/campsim_run.h"
#include "play/play_client.h"
#include "tools/campsim/live/live_run.h"
#include "tools/campsim/play/server.h"
#include "tools/campsim/scenario_file/reader.h"

namespace play_test {

struct Playground {
  explicit Playground(const sim::WorldSettings& world, bool idle, std::size_t maxStreams = 8,
                      bool paced = false)
      : tracePath(campsim_test::TempPath("live-" + std::to_string(++count) + ".trace")) {
    trace = std::fopen(tracePath.c_str(), "wb");
    campsim::LiveOptions options;
    options.world = world;
    options.paced = paced;
    options.idle = idle;
    options.trace = trace;
    run = std::make_unique<campsim::LiveRun>(options);
    EXPECT_EQ(run->Ready(), "");
    campsim::PlayServerOptions serverOptions;
    serverOptions.port = 0;
    serverOptions.maxStreams = maxStreams;
    server = std::make_unique<campsim::PlayServer>(*run, serverOptions);
    EXPECT_EQ(server->Start(), "");
    port = server->Port();
    origin = "http://127.0.0.1:" + std::to_string(port);
    token = server->Token();
  }
  ~Playground() { Stop(); }

  // As the page asks: its Origin and the token with every request.
  std::optional<Answer> Post(const std::string& path, const std::string& body) {
    return Request(port, http::verb::post, path, {{"Origin", origin}, {"X-Campsim-Token", token}},
                   body);
  }
  std::optional<Answer> Get(const std::string& path) {
    return Request(port, http::verb::get, path, {{"X-Campsim-Token", token}});
  }
  // Until every posted step has been played (bounded).
  void Settle() {
    for (int i = 0; i < 2000 && run->Now().waiting > 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_EQ(run->Now().waiting, 0u);
  }
  // Pauses and saves what was played.
  std::string Save() {
    EXPECT_EQ(Post("/speed", "0")->status, 204);
    const auto saved = Post("/save", "");
    EXPECT_EQ(saved->status, 200) << saved->body;
    return saved->body;
  }
  void Stop() {
    if (!server) return;
    server->Stop();
    run->Stop();
    std::fclose(trace);
    server.reset();
  }

  inline static int count = 0;
  std::string tracePath;
  std::FILE* trace = nullptr;
  std::unique_ptr<campsim::LiveRun> run;
  std::unique_ptr<campsim::PlayServer> server;
  int port = 0;
  std::string origin;
  std::string token;
};

// Replays a saved scenario with campsim; its trace and timeline.
struct Replayed {
  std::string trace;
  std::string timeline;
};
inline Replayed Replay(const std::string& saved, const std::string& name) {
  const std::string file = campsim_test::WriteTemp(name + ".json", saved);
  const std::string trace = campsim_test::TempPath(name + ".trace");
  const std::string timeline = campsim_test::TempPath(name + ".timeline");
  const auto run =
      campsim_test::RunCampsimWith({file, "--quiet", "--trace", trace, "--timeline", timeline});
  EXPECT_EQ(run.code, 0) << run.err;
  return {campsim_test::ReadText(trace), campsim_test::ReadText(timeline)};
}

}  // namespace play_test
