// Due times on the game clock, which is a signed 32-bit millisecond count that wraps
// after about 24.8 days of play. Sums and comparisons go modulo 2^32.
#pragma once

#include <cstdint>

namespace campfire {

constexpr std::int32_t ClockAfter(std::int32_t now, std::int32_t delayMs) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) +
                                   static_cast<std::uint32_t>(delayMs));
}

// Milliseconds from `since` to `now`, negative if `now` is earlier.
constexpr std::int32_t ClockElapsed(std::int32_t now, std::int32_t since) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                   static_cast<std::uint32_t>(since));
}

// True once the clock is strictly past the due time.
constexpr bool ClockIsPast(std::int32_t now, std::int32_t due) {
  return ClockElapsed(now, due) > 0;
}

}  // namespace campfire
