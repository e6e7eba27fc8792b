// campsim's whole program behind main(), so that tests can run it in-process.
#pragma once

#include <ostream>

namespace campsim {

// Exit status: 0 after a run, 1 if the host stopped the plugin (or a soak check failed),
// 2 for a scenario file or a command line that cannot be used, before any frame runs.
int RunCampsim(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace campsim
