// What the host reports of the script's activity: every native call and every wait.
#pragma once

#include <cstdint>

#include "sim/host/native_call.h"

namespace sim {

// A native call after it ran. `refBefore` holds, for each by-address handle argument,
// the value the variable had when the call was made.
struct CallEvent {
  std::uint64_t frame;
  std::int32_t clock;
  const NativeCall& call;
  const std::int32_t* refBefore;
};

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void OnCall(const CallEvent& event) = 0;
  virtual void OnWait(std::uint64_t frame, std::int32_t clock, std::uint32_t ms) = 0;
};

}  // namespace sim
