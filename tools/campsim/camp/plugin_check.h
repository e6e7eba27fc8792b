// Whether the plugin campsim was given could be loaded, in campsim's exit codes.
#pragma once

#include <ostream>

#include "sim/scenario/simulation.h"

namespace campsim {

inline constexpr int kRunStopped = 1;  // the host stopped the plugin, or a check failed
inline constexpr int kUnusable = 2;    // a file or command line campsim cannot use
inline constexpr int kNotWritten = 3;  // an output that could not be written whole

// 0 if the plugin loaded; 2 for a file that is not a plugin campsim can load, 1 if the
// host stopped the plugin as it loaded. Says which in one line.
inline int CheckPlugin(sim::Simulation& sim, std::ostream& err) {
  if (!sim.Failed()) return 0;
  if (sim.host().Failed()) {
    err << "campsim: the host stopped the plugin as it loaded: " << sim.Error() << '\n';
    return kRunStopped;
  }
  err << "campsim: cannot use the plugin: " << sim.Error() << '\n';
  return kUnusable;
}

}  // namespace campsim
