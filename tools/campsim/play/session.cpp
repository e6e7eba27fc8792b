#include "tools/campsim/play/session.h"

#include <boost/asio/write.hpp>
#include <vector>

namespace campsim {

namespace beast = boost::beast;
namespace net = boost::asio;

namespace {

constexpr std::size_t kReadAhead = 16 * 1024;  // past the cap on a request's headers
constexpr std::size_t kLingerBytes = 64 * 1024;
constexpr int kQuietLooks = 25;  // a second or so without news: the stream says it is there

bool FromTheParser(const beast::error_code& ec) {
  return &ec.category() == &http::make_error_code(http::error::bad_target).category() &&
         ec != http::error::end_of_stream && ec != http::error::partial_message;
}

template <class Body>
void Headers(http::response<Body>& res, const PlayReply& reply, bool keepAlive) {
  res.set(http::field::content_type, reply.type);
  res.set(http::field::cache_control, "no-store");
  // Never inside another page's frame: a click there would carry the playground's Origin.
  res.set("X-Frame-Options", "DENY");
  res.set("Content-Security-Policy", "frame-ancestors 'none'");
  res.set("X-Content-Type-Options", "nosniff");
  if (reply.allow) res.set(http::field::allow, reply.allow);
  res.keep_alive(keepAlive);
}

}  // namespace

PlaySession::PlaySession(net::ip::tcp::socket socket, PlayRoutes& routes, const PlayTimes& times)
    : stream_(std::move(socket)),
      routes_(routes),
      times_(times),
      buffer_(kReadAhead),
      timer_(stream_.get_executor()) {}

PlaySession::~PlaySession() {
  if (streaming_) routes_.StreamEnded();
}

void PlaySession::Close() {
  beast::error_code ignored;
  timer_.cancel();
  stream_.socket().shutdown(net::ip::tcp::socket::shutdown_both, ignored);
  stream_.close();
}

void PlaySession::ReadHeader() {
  parser_.emplace();
  parser_->header_limit(static_cast<std::uint32_t>(routes_.Limits().maxHead));
  parser_->body_limit(routes_.Limits().maxBody);
  // One deadline for the whole request, headers and body: a byte now and then keeps nothing.
  stream_.expires_after(times_.request);
  http::async_read_header(
      stream_, buffer_, *parser_,
      [self = shared_from_this()](beast::error_code ec, std::size_t) { self->OnHeader(ec); });
}

void PlaySession::OnHeader(beast::error_code ec) {
  if (ec == http::error::header_limit || ec == http::error::buffer_overflow) {
    return Refuse(routes_.HeadTooLarge());
  }
  if (ec == http::error::body_limit) return Refuse(routes_.BodyTooLarge());
  if (ec) return FromTheParser(ec) ? Refuse(routes_.Malformed()) : Close();
  const auto& head = parser_->get();
  request_ = PlayRequest{};
  request_.method = std::string(head.method_string());
  request_.target = std::string(head.target());
  request_.hosts = static_cast<int>(head.count(http::field::host));
  request_.host = std::string(head[http::field::host]);
  request_.origins = static_cast<int>(head.count(http::field::origin));
  request_.origin = std::string(head[http::field::origin]);
  request_.tokens = static_cast<int>(head.count("X-Campsim-Token"));
  request_.token = std::string(head["X-Campsim-Token"]);
  request_.sized = parser_->content_length().has_value() || parser_->chunked();
  if (auto refusal = routes_.Screen(request_)) return Refuse(*refusal);
  if (parser_->is_done()) return OnBody({});
  http::async_read(
      stream_, buffer_, *parser_,
      [self = shared_from_this()](beast::error_code e, std::size_t) { self->OnBody(e); });
}

void PlaySession::OnBody(beast::error_code ec) {
  if (ec == http::error::body_limit) return Refuse(routes_.BodyTooLarge());
  if (ec) return FromTheParser(ec) ? Refuse(routes_.Malformed()) : Close();
  request_.body = std::move(parser_->get().body());
  const bool keepAlive = parser_->get().keep_alive();
  PlayReply reply = routes_.Answer(request_);
  if (reply.stream) return StartStream();
  const bool refused = reply.status >= 400;
  Reply(std::move(reply), keepAlive && !refused);
}

void PlaySession::Refuse(const PlayReply& reply) { Reply(reply, false); }

void PlaySession::Reply(PlayReply reply, bool keepAlive) {
  auto done = [self = shared_from_this(), keepAlive](beast::error_code ec, std::size_t) {
    self->writing_.reset();
    if (ec) return self->Close();
    if (!keepAlive) return self->Linger();
    self->ReadHeader();
  };
  stream_.expires_after(times_.write);
  if (reply.page) {
    auto res = std::make_shared<http::response<http::span_body<const char>>>(http::status::ok, 11);
    res->body() = {reply.page->data(), reply.page->size()};
    Headers(*res, reply, keepAlive);
    res->prepare_payload();
    writing_ = res;
    return http::async_write(stream_, *res, std::move(done));
  }
  auto res = std::make_shared<http::response<http::string_body>>(
      static_cast<http::status>(reply.status), 11);
  Headers(*res, reply, keepAlive);
  res->body() = std::move(reply.body);
  res->prepare_payload();
  writing_ = res;
  http::async_write(stream_, *res, std::move(done));
}

// The answer is out; what the client still sends is read and dropped, up to a bound, so that
// the client sees the answer rather than a reset connection. None of it is a request.
void PlaySession::Linger() {
  beast::error_code ignored;
  stream_.socket().shutdown(net::ip::tcp::socket::shutdown_send, ignored);
  buffer_.clear();
  stream_.expires_after(times_.linger);
  auto drain = std::make_shared<std::size_t>(0);
  struct Drop {
    std::shared_ptr<PlaySession> self;
    std::shared_ptr<std::size_t> dropped;
    void operator()(beast::error_code ec, std::size_t n) const {
      *dropped += n;
      if (ec || *dropped > kLingerBytes) return self->Close();
      self->stream_.async_read_some(self->buffer_.prepare(kReadAhead), *this);
    }
  };
  stream_.async_read_some(buffer_.prepare(kReadAhead), Drop{shared_from_this(), drain});
}

void PlaySession::StartStream() {
  streaming_ = true;
  struct Head {
    http::response<http::empty_body> res{http::status::ok, 11};
    http::response_serializer<http::empty_body> writer{res};
  };
  auto head = std::make_shared<Head>();
  Headers(head->res, PlayReply{.type = "text/event-stream"}, true);
  head->res.chunked(true);
  writing_ = head;
  stream_.expires_after(times_.write);
  http::async_write_header(stream_, head->writer,
                           [self = shared_from_this()](beast::error_code ec, std::size_t) {
                             self->writing_.reset();
                             if (ec) return self->Close();
                             self->FeedStream();
                           });
}

// Each look at the feed sends what is new; the feed keeps the events, the stream only where
// it is, so a page that reads slowly holds one piece at most.
void PlaySession::FeedStream() {
  auto again = [self = shared_from_this()](beast::error_code ec, std::size_t = 0) {
    if (ec) return self->Close();
    self->timer_.expires_after(self->times_.feed);
    self->timer_.async_wait([self](beast::error_code e) {
      if (!e) self->FeedStream();
    });
  };
  std::vector<std::string> events;
  stream_.expires_after(times_.write);
  if (!routes_.Feed().Read(cursor_, events, std::chrono::milliseconds(0))) {
    return net::async_write(
        stream_, http::make_chunk_last(),
        [self = shared_from_this()](beast::error_code, std::size_t) { self->Linger(); });
  }
  out_.clear();
  for (const std::string& e : events) out_ += "data: " + e + "\n\n";
  if (out_.empty() && ++quiet_ >= kQuietLooks) out_ = ": still here\n\n";
  if (out_.empty()) return again({});
  quiet_ = 0;
  net::async_write(stream_, http::make_chunk(net::buffer(out_)), std::move(again));
}

}  // namespace campsim
