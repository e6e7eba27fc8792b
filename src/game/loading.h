// Waiting for a model, outfit or prop set to load, polled once per frame.
#pragma once

#include <cstdint>

#include "game/game_clock.h"
#include "game/player_watch.h"
#include "game/wrappers.h"

namespace campfire {

// A load that never finishes must not hold the whole plugin forever.
inline constexpr std::int32_t kLoadTimeoutMs = 10000;

// Asks once, then again after every wait of a frame, until `isReady` answers true (returns
// true) or 10,000 ms of game clock have passed since the first refusal (returns false).
// The clock is read only when the first answer is no.
template <class IsReady>
bool WaitUntilLoaded(IsReady isReady) {
  if (isReady()) return true;
  const std::int32_t start = GetGameTimer();
  for (;;) {
    WaitAndWatchPlayer(0);
    if (isReady()) return true;
    if (ClockElapsed(GetGameTimer(), start) >= kLoadTimeoutMs) return false;
  }
}

}  // namespace campfire
