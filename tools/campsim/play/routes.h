// What the playground answers, apart from how requests arrive: each request is screened on
// its headers alone (so that a refusal comes before any of its body is read), then answered.
// A request is answered only if it names the loopback and the server's port as its Host and
// carries the token printed in the playground's address; a step, a speed or a save only from
// the playground's own page (its Origin).
#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "tools/campsim/live/live_run.h"

namespace campsim {

// A request as the routes see it; the server's reader fills it in.
struct PlayRequest {
  std::string method;  // as sent: "GET", "POST", ...
  std::string target;  // path and query
  std::string host, origin, token;
  int hosts = 0, origins = 0, tokens = 0;  // how many times each header came
  bool sized = false;                      // a Content-Length, or chunks
  std::string body;
};

struct PlayReply {
  int status = 200;
  std::string body{};                 // a line, JSON or nothing
  const std::string* page = nullptr;  // or the page itself, which the routes keep
  const char* type = "text/plain; charset=utf-8";
  const char* allow = nullptr;  // the method a 405 names
  bool stream = false;          // the event stream: fed until the run ends or the page goes
};

struct PlayLimits {
  std::size_t maxStreams = 8;  // pages fed at once; past it, 503
  std::size_t maxBody = 64 * 1024;
  std::size_t maxHead = 8 * 1024;  // the request line and headers
};

class PlayRoutes {
 public:
  PlayRoutes(LiveRun& run, PlayLimits limits, std::string page, std::string token);

  void SetPort(int port) { port_ = port; }
  const PlayLimits& Limits() const { return limits_; }
  // A refusal from the headers alone, or nothing: the body may be read.
  std::optional<PlayReply> Screen(const PlayRequest& request) const;
  PlayReply Answer(const PlayRequest& request);
  // Refusals made by the reader, in the same one-line words.
  PlayReply Malformed() const;
  PlayReply HeadTooLarge() const;
  PlayReply BodyTooLarge() const;
  LiveFeed& Feed() { return run_.Feed(); }
  void StreamEnded() { --streams_; }

 private:
  LiveRun& run_;
  const PlayLimits limits_;
  const std::string page_;
  const std::string token_;
  int port_ = 0;
  std::atomic<std::size_t> streams_{0};
};

// A token no other page can guess: 128 bits from the system's random device, in hex.
std::string MakePlayToken();

}  // namespace campsim
