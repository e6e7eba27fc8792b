// What the host hands checked invocations to: the simulated world, or a stand-in that
// answers from elsewhere (fixed values for benchmarks, fuzzer bytes).
#pragma once

#include <cstdint>

#include "sim/host/native_call.h"

namespace sim {

class Game {
 public:
  virtual ~Game() = default;
  // Runs the native and fills call.result.
  virtual void Invoke(NativeId id, NativeCall& call) = 0;
  // The game clock, which decides when a waiting script is resumed.
  virtual std::int32_t Clock() const = 0;
};

}  // namespace sim
