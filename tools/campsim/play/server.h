// The playground's web server: the page, the live run's stream and the steps posted to it.
// It listens on the loopback address only, on one thread of its own. What it answers is in
// routes.h; how each connection is read and bounded, in session.h. Past its cap on
// connections, the oldest that is not feeding a page is closed, so that clients that send
// slowly or nothing at all cannot keep the page from being answered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "tools/campsim/live/live_run.h"
#include "tools/campsim/play/port.h"

namespace campsim {

struct PlayServerOptions {
  int port = kDefaultPlayPort;  // 0: any free port
  std::size_t maxStreams = 8;   // pages open at once; past it, 503
  std::size_t maxBody = 64 * 1024;
  std::size_t maxConnections = 64;
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
  int Port() const;
  // Made at start; every request must carry it (the page's address holds it).
  const std::string& Token() const;
  // Closes every connection at once, whatever its clients are doing.
  void Stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace campsim
