// Runs idle frames of the plugin against the null game, for counting instructions with
// callgrind (bench/callgrind_idle_frame.sh): collection covers only the measured frames.
//
//   campfire_idle_frames [frames]
#include <cstdio>
#include <cstdlib>

#include "sim/scenario/null_game.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

int main(int argc, char** argv) {
  const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
  sim::NullRun run;
  if (!run.Ok()) {
    std::fprintf(stderr, "campfire_idle_frames: %s\n", run.Error().c_str());
    return 1;
  }
  const auto before = run.host().CallCount();
  CALLGRIND_TOGGLE_COLLECT;
  for (long i = 0; i < frames; ++i) run.Frame();
  CALLGRIND_TOGGLE_COLLECT;
  if (!run.Ok()) {
    std::fprintf(stderr, "campfire_idle_frames: %s\n", run.Error().c_str());
    return 1;
  }
  std::printf("%ld frames, %llu natives\n", frames,
              static_cast<unsigned long long>(run.host().CallCount() - before));
  return 0;
}
