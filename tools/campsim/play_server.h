// The playground's web server: the page, the live run's stream and the steps posted to it.
// It listens on the loopback address only and answers only requests that name that address
// (or "localhost") and its port as their host, so that a page elsewhere cannot reach it
// through a name of its own; steps are taken only from the playground's own page.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "tools/campsim/campsim.h"
#include "tools/campsim/live_run.h"

namespace httplib {
class Server;
}

namespace campsim {

struct PlayServerOptions {
  int port = kDefaultPlayPort;  // 0: any free port
  std::size_t maxStreams = 8;   // pages open at once; past it, 503
  std::size_t maxBody = 64 * 1024;
  std::string title = "camp tour";
  std::int32_t frameMs = 33;
};

class PlayServer {
 public:
  PlayServer(LiveRun& run, PlayServerOptions options);
  ~PlayServer();
  PlayServer(const PlayServer&) = delete;
  PlayServer& operator=(const PlayServer&) = delete;

  // Listens on 127.0.0.1 and starts answering: "" or the one line saying why it cannot.
  std::string Start();
  int Port() const { return port_; }
  void Stop();

 private:
  void Routes();
  bool HostIsOurs(const std::string& host) const;

  LiveRun& run_;
  const PlayServerOptions options_;
  std::unique_ptr<httplib::Server> server_;
  std::string page_;
  int port_ = 0;
  std::atomic<std::size_t> streams_{0};
  std::atomic<bool> stopping_{false};
  std::thread listener_;
};

}  // namespace campsim
