#include "tools/campsim/play_server.h"

#include <fmt/format.h>
#include <httplib.h>
#include <sys/socket.h>

#include <charconv>

#include "tools/campsim/play_page.h"
#include "tools/campsim/scenario_file.h"

namespace campsim {

namespace {

constexpr auto kStreamPoll = std::chrono::milliseconds(250);
constexpr std::size_t kSpareThreads = 8;  // for steps and pages beside the streams

void Answer(httplib::Response& res, int status, const std::string& line) {
  res.status = status;
  res.set_content(line + "\n", "text/plain; charset=utf-8");
}

}  // namespace

PlayServer::PlayServer(LiveRun& run, PlayServerOptions options)
    : run_(run),
      options_(std::move(options)),
      server_(std::make_unique<httplib::Server>()),
      page_(PlayPageHtml(options_.title, options_.frameMs)) {}

PlayServer::~PlayServer() { Stop(); }

bool PlayServer::HostIsOurs(const std::string& host) const {
  return host == fmt::format("127.0.0.1:{}", port_) || host == fmt::format("localhost:{}", port_);
}

std::string PlayServer::Start() {
  httplib::Server& svr = *server_;
  // Only SO_REUSEADDR: with SO_REUSEPORT a second playground could share the port unseen.
  svr.set_socket_options([](socket_t sock) {
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
  });
  const std::size_t threads = options_.maxStreams + kSpareThreads;
  svr.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  svr.set_payload_max_length(options_.maxBody);
  Routes();
  if (options_.port == 0) {
    port_ = svr.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) return "campsim: --play cannot listen on any port of 127.0.0.1";
  } else {
    port_ = options_.port;
    if (!svr.bind_to_port("127.0.0.1", port_)) {
      return fmt::format(
          "campsim: --play cannot listen on 127.0.0.1:{}: the port is in use (--port picks "
          "another, --port 0 any free one)",
          port_);
    }
  }
  listener_ = std::thread([&svr] { svr.listen_after_bind(); });
  // Answering once this returns, so that a test may connect at once.
  for (int i = 0; i < 1000 && !svr.is_running(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {};
}

void PlayServer::Stop() {
  stopping_ = true;
  if (server_) server_->stop();
  if (listener_.joinable()) listener_.join();
}

void PlayServer::Routes() {
  httplib::Server& svr = *server_;
  svr.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    if (HostIsOurs(req.get_header_value("Host")))
      return httplib::Server::HandlerResponse::Unhandled;
    Answer(res, 403,
           fmt::format("campsim: refused: the playground answers only requests for "
                       "127.0.0.1:{0} or localhost:{0}",
                       port_));
    return httplib::Server::HandlerResponse::Handled;
  });
  // The library's own refusals (too large a body, no such page) in one line too.
  svr.set_error_handler([this](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return;
    if (res.status == 413) {
      Answer(res, 413,
             fmt::format("campsim: refused: a request's body may hold at most {} bytes",
                         options_.maxBody));
    } else if (res.status == 404) {
      Answer(res, 404, "campsim: no such page: the playground is at /");
    } else {
      Answer(res, res.status, fmt::format("campsim: refused: HTTP {}", res.status));
    }
  });
  // A step, a speed or a save changes the run: only the playground's own page may ask.
  auto ownPage = [](const httplib::Request& req, httplib::Response& res) {
    const std::string origin = "http://" + req.get_header_value("Host");
    if (req.get_header_value("Origin") == origin) return true;
    Answer(res, 403,
           fmt::format("campsim: refused: steps are taken only from the playground's own page "
                       "(Origin {})",
                       origin));
    return false;
  };

  svr.Get("/", [this](const httplib::Request&, httplib::Response& res) {
    res.set_content(page_, "text/html; charset=utf-8");
  });
  svr.Post("/step", [this, ownPage](const httplib::Request& req, httplib::Response& res) {
    if (!ownPage(req, res)) return;
    StepRead read = ParseStep(req.body, "posted step");
    if (!read.step) return Answer(res, 400, read.error);
    bool unavailable = false;
    if (std::string e = run_.Post(std::move(*read.step), &unavailable); !e.empty()) {
      return Answer(res, unavailable ? 503 : 400, e);
    }
    res.status = 204;
  });
  svr.Post("/speed", [this, ownPage](const httplib::Request& req, httplib::Response& res) {
    if (!ownPage(req, res)) return;
    int speed = -1;
    const char* end = req.body.data() + req.body.size();
    const auto [at, ec] = std::from_chars(req.body.data(), end, speed);
    if (ec != std::errc() || at != end ||
        (speed != 0 && speed != 1 && speed != 10 && speed != 60)) {
      return Answer(res, 400, "campsim: the speed is 0 (paused), 1, 10 or 60");
    }
    run_.SetSpeed(speed);
    res.status = 204;
  });
  svr.Post("/save", [this, ownPage](const httplib::Request& req, httplib::Response& res) {
    if (!ownPage(req, res)) return;
    std::string problem;
    std::string text = run_.Save(problem);
    if (!problem.empty()) return Answer(res, 409, "campsim: " + problem);
    res.set_content(text, "application/json");
  });
  svr.Get("/status", [this](const httplib::Request&, httplib::Response& res) {
    const LiveRun::Status s = run_.Now();
    res.set_content(fmt::format("{{\"ms\":{},\"frames\":{},\"waiting\":{},\"steps\":{}}}\n", s.ms,
                                s.frames, s.waiting, s.steps),
                    "application/json");
  });
  svr.Get("/events", [this](const httplib::Request&, httplib::Response& res) {
    if (++streams_ > options_.maxStreams) {
      --streams_;
      return Answer(res, 503,
                    fmt::format("campsim: refused: the playground already feeds {} pages; close "
                                "one first",
                                options_.maxStreams));
    }
    res.set_header("Cache-Control", "no-store");
    res.set_chunked_content_provider(
        "text/event-stream",
        [this, at = LiveFeed::Cursor{}](std::size_t, httplib::DataSink& sink) mutable {
          std::vector<std::string> events;
          if (stopping_ || !run_.Feed().Read(at, events, kStreamPoll)) {
            sink.done();
            return true;
          }
          std::string out = events.empty() ? ": still here\n\n" : "";
          for (const std::string& e : events) out += "data: " + e + "\n\n";
          return sink.write(out.data(), out.size());
        },
        [this](bool) { --streams_; });
  });
}

}  // namespace campsim
