// Reading one value of a scenario file: each reader checks the value's kind and range and
// throws Invalid with what is wrong, in the words the file's author used.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "sim/world/world.h"

namespace campsim {

using nlohmann::json;

// Thrown inside the reader and turned into the one-line error at its edge.
struct Invalid {
  std::string what;
};

// The file's own text in double quotes, escaped, so that a message stays on one line.
std::string Quoted(std::string_view text);

// A name (a file's, an asset's) as an error line or the timeline shows it: as it is, or
// quoted as Quoted() does when it holds a control character (a newline would split the line).
std::string OneLineName(std::string_view name);

// "a string", "a whole number", "an array", ...
std::string KindOf(const json& v);

// A whole number from lo to hi; a number written with a point or an exponent counts when it
// has no fractional part (1000.0, 1e3).
std::int64_t WholeNumber(const json& v, std::string_view what, std::int64_t lo, std::int64_t hi);
std::uint64_t WholeUnsigned(const json& v, std::string_view what);
// Game time in ms, from 0 to a day.
std::int32_t Milliseconds(const json& v, std::string_view what);
// Any number from lo to hi.
double Number(const json& v, std::string_view what, double lo, double hi);
// [x, y, z], inside the world.
sim::Vec3 Point(const json& v, std::string_view what);
// A string that is not empty.
std::string Text(const json& v, std::string_view what);
// `true` (or `false`), as a step that takes no argument writes it.
void MustBe(const json& v, bool expected, std::string_view what);
// `true` or `false`.
bool Boolean(const json& v, std::string_view what);

}  // namespace campsim
