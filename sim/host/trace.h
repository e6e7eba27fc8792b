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
  // The host dropped the script where it stood and starts it again in `frame`: after the
  // game reloaded (`reload`), or on a restart of its own with the world kept.
  virtual void OnScriptRestart(std::uint64_t frame, std::int32_t clock, bool reload) {
    (void)frame;
    (void)clock;
    (void)reload;
  }
};

}  // namespace sim
