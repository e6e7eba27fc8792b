#include "tools/campsim/play/server.h"

#include <fmt/format.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <list>
#include <thread>

#include "tools/campsim/play/page.h"
#include "tools/campsim/play/routes.h"
#include "tools/campsim/play/session.h"

namespace campsim {

namespace net = boost::asio;
using net::ip::tcp;

struct PlayServer::Impl {
  Impl(LiveRun& run, const PlayServerOptions& chosen)
      : options(chosen),
        token(MakePlayToken()),
        routes(run, {chosen.maxStreams, chosen.maxBody, 8 * 1024},
               PlayPageHtml(chosen.title, chosen.frameMs), token) {}

  void Accept();
  void MakeRoom();

  const PlayServerOptions options;
  const std::string token;
  PlayRoutes routes;
  PlayTimes times;
  net::io_context io{1};
  tcp::acceptor acceptor{io};
  std::list<std::weak_ptr<PlaySession>> sessions;  // oldest first
  std::thread thread;
  int port = 0;
  bool stopped = false;
};

void PlayServer::Impl::Accept() {
  acceptor.async_accept([this](boost::system::error_code ec, tcp::socket socket) {
    if (ec) return;  // the acceptor was closed
    MakeRoom();
    auto session = std::make_shared<PlaySession>(std::move(socket), routes, times);
    sessions.push_back(session);
    session->Start();
    Accept();
  });
}

void PlayServer::Impl::MakeRoom() {
  sessions.remove_if([](const auto& s) { return s.expired(); });
  if (sessions.size() < options.maxConnections) return;
  for (const auto& s : sessions) {
    auto session = s.lock();
    if (session && !session->Streaming()) return session->Close();
  }
}

PlayServer::PlayServer(LiveRun& run, PlayServerOptions options)
    : impl_(std::make_unique<Impl>(run, options)) {}

PlayServer::~PlayServer() { Stop(); }

int PlayServer::Port() const { return impl_->port; }
const std::string& PlayServer::Token() const { return impl_->token; }

std::string PlayServer::Start() {
  Impl& s = *impl_;
  boost::system::error_code ec;
  const tcp::endpoint at(net::ip::address_v4::loopback(),
                         static_cast<unsigned short>(s.options.port));
  s.acceptor.open(at.protocol(), ec);
  // Only SO_REUSEADDR: with SO_REUSEPORT a second playground could share the port unseen.
  if (!ec) s.acceptor.set_option(tcp::acceptor::reuse_address(true), ec);
  if (!ec) s.acceptor.bind(at, ec);
  if (!ec) s.acceptor.listen(net::socket_base::max_listen_connections, ec);
  if (ec) {
    if (s.options.port == 0) return "campsim: --play cannot listen on any port of 127.0.0.1";
    return fmt::format(
        "campsim: --play cannot listen on 127.0.0.1:{}: the port is in use (--port picks "
        "another, --port 0 any free one)",
        s.options.port);
  }
  s.port = s.acceptor.local_endpoint().port();
  s.routes.SetPort(s.port);
  s.Accept();
  s.thread = std::thread([&s] { s.io.run(); });
  return {};
}

void PlayServer::Stop() {
  Impl& s = *impl_;
  if (s.stopped) return;
  s.stopped = true;
  net::post(s.io, [&s] {
    boost::system::error_code ignored;
    s.acceptor.close(ignored);
    for (const auto& weak : s.sessions) {
      if (auto session = weak.lock()) session->Close();
    }
    s.sessions.clear();
    s.io.stop();  // what is left to run is dropped with the server
  });
  if (s.thread.joinable()) s.thread.join();
}

}  // namespace campsim
