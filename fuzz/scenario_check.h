// What must hold for any bytes given to campsim as a scenario file: either they are refused
// with exit 2 and one line naming the file, before any frame runs, or they run to an end
// within the length read before the first frame. Shared by the scenario fuzzer and the
// test that replays its seeds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace campfire_fuzz {

// Far below the thirty days a file may ask for, so that each input runs in moments.
inline constexpr std::int64_t kScenarioCapMs = 60'000;

// Writes the bytes to `path`, plays them with campsim under that cap; "" if all held, else
// what did not.
std::string CheckScenarioBytes(std::string_view bytes, const std::string& path);

}  // namespace campfire_fuzz
