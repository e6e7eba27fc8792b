// campsim --play: the camp live in a browser until Ctrl-C.
#pragma once

#include <ostream>
#include <string>

#include "tools/campsim/scenario_file/scenario.h"

namespace campsim {

// Plays the scenario's world from its start (not its steps) behind a local web server and
// prints the address; returns at SIGINT or SIGTERM, 0, or 2 with one line if it cannot start.
int RunPlay(const Scenario& scenario, const std::string& plugin, int port, std::ostream& out,
            std::ostream& err);

}  // namespace campsim
