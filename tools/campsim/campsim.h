// campsim's whole program behind main(), so that tests can run it in-process.
#pragma once

#include <cstdint>
#include <ostream>

#include "tools/campsim/play/port.h"
#include "tools/campsim/scenario_file/bounds.h"

namespace campsim {

// Exit status: 0 after a run, 1 if the host stopped the plugin (or a soak check failed),
// 2 for a scenario file, a plugin or a command line that cannot be used, before any frame
// runs, 3 if an output could not be written whole. The soak's progress bar goes to `err`
// only when it is a terminal.
struct CampsimSetup {
  bool errIsTerminal = false;
  ScenarioLimits limits;              // how long a scenario file may run
  std::int64_t* elapsedMs = nullptr;  // if set, gets the game time a run took
};

int RunCampsim(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
               const CampsimSetup& setup = {});

}  // namespace campsim
