// One connection to the playground, read and written with Boost.Beast on the server's one
// thread. Its memory is bounded whatever the client sends: a request's line and headers, its
// body (whatever its framing) and the bytes read ahead each have a cap, and a request that
// does not arrive whole in time closes the connection. A refusal is the connection's last
// answer: nothing sent after the refused request is read as a request.
#pragma once

#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "tools/campsim/play/routes.h"

namespace campsim {

namespace http = boost::beast::http;

struct PlayTimes {
  std::chrono::milliseconds request{10'000};  // a request's arrival, or an idle connection's wait
  std::chrono::milliseconds write{10'000};    // an answer's, or a piece of the stream's
  std::chrono::milliseconds feed{40};         // the stream's look at the feed
  std::chrono::milliseconds linger{1'000};    // after a refusal, for the answer to be read
};

class PlaySession : public std::enable_shared_from_this<PlaySession> {
 public:
  PlaySession(boost::asio::ip::tcp::socket socket, PlayRoutes& routes, const PlayTimes& times);
  ~PlaySession();
  void Start() { ReadHeader(); }
  void Close();
  bool Streaming() const { return streaming_; }

 private:
  void ReadHeader();
  void OnHeader(boost::beast::error_code ec);
  void OnBody(boost::beast::error_code ec);
  void Refuse(const PlayReply& reply);
  void Reply(PlayReply reply, bool keepAlive);
  void Linger();
  void StartStream();
  void FeedStream();

  boost::beast::tcp_stream stream_;
  PlayRoutes& routes_;
  const PlayTimes& times_;
  boost::beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::string_body>> parser_;
  PlayRequest request_;
  boost::asio::steady_timer timer_;
  std::string out_;  // the stream's piece being written, or what a refusal is followed by
  std::shared_ptr<void> writing_;  // the answer being written
  LiveFeed::Cursor cursor_;
  int quiet_ = 0;  // looks at the feed since the stream last said something
  bool streaming_ = false;
};

}  // namespace campsim
