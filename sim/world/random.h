// The world's own random numbers: splitmix64, so that a seed gives the same draws with
// every standard library and on every platform.
#pragma once

#include <cstdint>

namespace sim {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // lo up to hi - 1; lo, without a draw, when the range is empty.
  std::int32_t IntInRange(std::int32_t lo, std::int32_t hi) {
    if (hi <= lo) return lo;
    auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo);
    return static_cast<std::int32_t>(lo + static_cast<std::int64_t>(Next() % span));
  }

  // [0, 1) with 24 bits, exactly representable as a float.
  float Unit() { return static_cast<float>(Next() >> 40) * (1.0f / 16777216.0f); }

  // Where the stream stands: a Random made from it goes on with the same draws.
  std::uint64_t State() const { return state_; }

 private:
  std::uint64_t state_;
};

}  // namespace sim
