#include "tools/campsim/play/command.h"

#include <pthread.h>

#include <csignal>
#include <filesystem>

#include "tools/campsim/camp/plugin_check.h"
#include "tools/campsim/live/live_run.h"
#include "tools/campsim/play/server.h"

namespace campsim {

int RunPlay(const Scenario& scenario, const std::string& plugin, int port, std::ostream& out,
            std::ostream& err) {
  // Ctrl-C is taken by this thread alone, with sigwait, once every other thread is started
  // with it blocked: the simulation and the server then stop in order.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  struct Unblock {
    sigset_t* signals;
    ~Unblock() { pthread_sigmask(SIG_UNBLOCK, signals, nullptr); }
  } unblock{&stopSignals};

  LiveOptions liveOptions;
  liveOptions.world = scenario.world;
  liveOptions.pluginPath = plugin;
  LiveRun run(liveOptions);
  if (std::string problem = run.Ready(); !problem.empty()) {
    err << problem << '\n';
    return kUnusable;
  }
  PlayServerOptions serverOptions;
  serverOptions.port = port;
  serverOptions.title = std::filesystem::path(scenario.name).filename().string();
  serverOptions.frameMs = scenario.world.frameMs;
  PlayServer server(run, serverOptions);
  if (std::string problem = server.Start(); !problem.empty()) {
    err << problem << '\n';
    return kUnusable;
  }
  out << "Campfire playground at http://127.0.0.1:" << server.Port() << "/?token=" << server.Token()
      << " (Ctrl-C to stop)" << std::endl;
  int signal = 0;
  sigwait(&stopSignals, &signal);
  run.Stop();
  server.Stop();
  return 0;
}

}  // namespace campsim
