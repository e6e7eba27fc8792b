#include "tools/campsim/play/routes.h"

#include <fmt/format.h>

#include <array>
#include <random>

#include "tools/campsim/scenario_file/reader.h"

namespace campsim {

namespace {

PlayReply Line(int status, std::string line) {
  PlayReply reply;
  reply.status = status;
  reply.body = std::move(line);
  reply.body += '\n';
  return reply;
}

// The same time whatever the guess, so that the token cannot be found a byte at a time.
bool SameToken(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned char differ = 0;
  for (std::size_t i = 0; i < a.size(); ++i) differ |= static_cast<unsigned char>(a[i] ^ b[i]);
  return differ == 0;
}

struct Route {
  std::string_view path;
  std::string_view method;
};
constexpr std::array kRoutes = {Route{"/", "GET"},       Route{"/events", "GET"},
                                Route{"/status", "GET"}, Route{"/step", "POST"},
                                Route{"/speed", "POST"}, Route{"/save", "POST"}};
constexpr std::string_view kBom = "\xEF\xBB\xBF";

}  // namespace

std::string MakePlayToken() {
  std::random_device random;
  std::string token;
  for (int i = 0; i < 4; ++i) token += fmt::format("{:08x}", random());
  return token;
}

PlayRoutes::PlayRoutes(LiveRun& run, PlayLimits limits, std::string page, std::string token)
    : run_(run), limits_(limits), page_(std::move(page)), token_(std::move(token)) {}

PlayReply PlayRoutes::Malformed() const {
  return Line(400, "campsim: refused: not a well-formed HTTP request");
}
PlayReply PlayRoutes::HeadTooLarge() const {
  return Line(431, fmt::format("campsim: refused: a request's line and headers may hold at "
                               "most {} bytes",
                               limits_.maxHead));
}
PlayReply PlayRoutes::BodyTooLarge() const {
  return Line(413, fmt::format("campsim: refused: a request's body may hold at most {} bytes",
                               limits_.maxBody));
}

std::optional<PlayReply> PlayRoutes::Screen(const PlayRequest& r) const {
  // Two of a header would let two readers of the request see two requests.
  for (const auto& [count, name] : {std::pair{r.hosts, "Host"}, std::pair{r.origins, "Origin"},
                                    std::pair{r.tokens, "X-Campsim-Token"}}) {
    if (count > 1)
      return Line(400, fmt::format("campsim: refused: a request names its {} once", name));
  }
  if (r.host != fmt::format("127.0.0.1:{}", port_) &&
      r.host != fmt::format("localhost:{}", port_)) {
    return Line(403, fmt::format("campsim: refused: the playground answers only requests for "
                                 "127.0.0.1:{0} or localhost:{0}",
                                 port_));
  }
  const std::size_t mark = r.target.find('?');
  const std::string_view path = std::string_view(r.target).substr(0, mark);
  const std::string_view query =
      mark == std::string::npos ? std::string_view() : std::string_view(r.target).substr(mark + 1);
  const bool tokenInQuery = query.starts_with("token=") && SameToken(query.substr(6), token_);
  if (!tokenInQuery && !(r.tokens == 1 && SameToken(r.token, token_))) {
    return Line(403,
                "campsim: refused: the request lacks the playground's token: open the "
                "address campsim printed, which carries it");
  }
  const auto route =
      std::find_if(kRoutes.begin(), kRoutes.end(), [&](const Route& x) { return x.path == path; });
  if (route == kRoutes.end()) return Line(404, "campsim: no such page: the playground is at /");
  if (r.method != route->method) {
    PlayReply reply =
        Line(405, fmt::format("campsim: refused: {} takes {} only", path, route->method));
    reply.allow = route->method.data();
    return reply;
  }
  if (r.method == "POST") {
    const std::string origin = "http://" + r.host;
    if (r.origins != 1 || r.origin != origin) {
      return Line(403, fmt::format("campsim: refused: steps are taken only from the playground's "
                                   "own page (Origin {})",
                                   origin));
    }
    if (!r.sized) {
      return Line(411,
                  "campsim: refused: a request with a body says its length "
                  "(Content-Length) or sends chunks");
    }
  }
  return std::nullopt;
}

PlayReply PlayRoutes::Answer(const PlayRequest& r) {
  const std::string_view path = std::string_view(r.target).substr(0, r.target.find('?'));
  if (path == "/") return {.page = &page_, .type = "text/html; charset=utf-8"};
  if (path == "/status") {
    const LiveRun::Status s = run_.Now();
    return {.body = fmt::format("{{\"ms\":{},\"frames\":{},\"waiting\":{},\"steps\":{}}}\n", s.ms,
                                s.frames, s.waiting, s.steps),
            .type = "application/json"};
  }
  if (path == "/events") {
    if (++streams_ > limits_.maxStreams) {
      --streams_;
      return Line(503, fmt::format("campsim: refused: the playground already feeds {} pages; "
                                   "close one first",
                                   limits_.maxStreams));
    }
    return {.type = "text/event-stream", .stream = true};
  }
  if (path == "/step") {
    // A file may start with one (an editor's habit); a step posted by the page never does.
    if (std::string_view(r.body).starts_with(kBom)) {
      return Line(400, "posted step: a byte order mark before the step; send the JSON alone");
    }
    StepRead read = ParseStep(r.body, "posted step");
    if (!read.step) return Line(400, read.error);
    bool unavailable = false;
    if (std::string e = run_.Post(std::move(*read.step), &unavailable); !e.empty()) {
      return Line(unavailable ? 503 : 400, e);
    }
    return {.status = 204};
  }
  if (path == "/speed") {
    // Written as the page's buttons write them, and no other way.
    for (const int speed : {0, 1, 10, 60}) {
      if (r.body == std::to_string(speed)) {
        run_.SetSpeed(speed);
        return {.status = 204};
      }
    }
    return Line(400, "campsim: the speed is 0 (paused), 1, 10 or 60");
  }
  std::string problem;  // "/save"
  std::string text = run_.Save(problem);
  if (!problem.empty()) return Line(409, "campsim: " + problem);
  return {.body = std::move(text), .type = "application/json"};
}

}  // namespace campsim
