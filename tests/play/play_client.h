// A client for the playground's tests, on loopback: sends bytes as they are (hostile ones
// too), reads whatever comes back until the server closes or a bounded wait ends, and reads
// the answers in it with Beast's own parser.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <boost/beast/http.hpp>
#include <chrono>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace play_test {

namespace http = boost::beast::http;

struct Answer {
  int status = 0;
  std::string body;
  http::fields headers;
};

// A connected socket whose every send and receive waits at most `seconds`.
class Socket {
 public:
  explicit Socket(int port, int seconds = 3)
      : fd_(::socket(AF_INET, SOCK_STREAM, 0)), seconds_(seconds) {
    const timeval wait{seconds, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof(wait));
    setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof(wait));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&to), sizeof(to)) == 0;
  }
  ~Socket() { ::close(fd_); }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  bool Connected() const { return connected_; }
  // What was sent before the server stopped taking it.
  std::size_t Send(std::string_view bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
      const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    return sent;
  }
  void HalfClose() { ::shutdown(fd_, SHUT_WR); }
  // Everything until the server closes (true), or until a wait or the whole read's bound
  // ends, or 64 MiB have come (false).
  bool ReadToClose(std::string& into) {
    char buffer[16384];
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds_);
    while (std::chrono::steady_clock::now() < end && into.size() < (std::size_t{64} << 20)) {
      const ssize_t n = ::recv(fd_, buffer, sizeof(buffer), 0);
      if (n > 0) {
        into.append(buffer, static_cast<std::size_t>(n));
        continue;
      }
      return n == 0 || errno == ECONNRESET;
    }
    return false;
  }
  // Some bytes, or none once the wait ends or the server closes.
  std::size_t ReadSome() {
    char buffer[16384];
    const ssize_t n = ::recv(fd_, buffer, sizeof(buffer), 0);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }

 private:
  int fd_;
  int seconds_;
  bool connected_ = false;
};

// The whole answers in `raw`, in order; a part answer at the end is left out.
inline std::vector<Answer> ParseAnswers(std::string_view raw) {
  std::vector<Answer> answers;
  while (!raw.empty()) {
    http::response_parser<http::string_body> parser;
    parser.eager(true);
    parser.body_limit(std::uint64_t{1} << 30);
    boost::beast::error_code ec;
    while (!parser.is_done()) {
      const std::size_t used = parser.put(boost::asio::buffer(raw.data(), raw.size()), ec);
      raw.remove_prefix(used);
      if (ec == http::error::need_more && used > 0) continue;
      if (ec) return answers;
    }
    auto message = parser.release();
    answers.push_back({static_cast<int>(message.result_int()), message.body(), message.base()});
  }
  return answers;
}

// A request as a browser would make it, on a connection of its own.
inline std::optional<Answer> Request(
    int port, http::verb method, const std::string& target,
    const std::vector<std::pair<std::string, std::string>>& headers, const std::string& body = "") {
  http::request<http::string_body> request(method, target, 11);
  request.set(http::field::host, "127.0.0.1:" + std::to_string(port));
  for (const auto& [name, value] : headers) request.set(name, value);
  request.set(http::field::connection, "close");
  if (method == http::verb::post || !body.empty()) {
    request.body() = body;
    request.prepare_payload();
  }
  std::ostringstream text;
  text << request;
  Socket socket(port, 30);
  socket.Send(text.str());
  std::string raw;
  socket.ReadToClose(raw);
  std::vector<Answer> answers = ParseAnswers(raw);
  if (answers.empty()) return std::nullopt;
  return answers.front();
}

}  // namespace play_test
