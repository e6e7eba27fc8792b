// The playground's port (--play) when --port is not given; the command line names it too,
// in the Windows build that has no playground.
#pragma once

namespace campsim {

inline constexpr int kDefaultPlayPort = 8642;

}  // namespace campsim
