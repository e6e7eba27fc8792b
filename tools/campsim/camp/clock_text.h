// How campsim writes times: the timeline's m:ss.mmm and plain durations.
#pragma once

#include <cstdint>
#include <string>

namespace campsim {

inline constexpr std::int64_t kHourMs = 3'600'000;

// Milliseconds since the run began as m:ss.mmm (minutes keep counting past 59).
std::string FormatClock(std::int64_t ms);
// A duration in seconds with milliseconds: "2.508 s".
std::string FormatSeconds(std::int64_t ms);
// A long duration to the second: "6h 00m 00s", "2d 03h 00m 00s", "41m 07s".
std::string FormatLong(std::int64_t ms);

// A count with thousands separated: "843,960".
std::string Grouped(std::uint64_t n);

}  // namespace campsim
