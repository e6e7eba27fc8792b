#include "tools/campsim/scenario_file/json_values.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace campsim {

namespace {

constexpr double kWorldLimit = 100000.0;                   // far beyond any place in the game
constexpr std::int32_t kLongestMilliseconds = 86'400'000;  // a day
// 2^64: the first double past every 64-bit unsigned number.
constexpr double kPastUnsigned = 18446744073709551616.0;

std::string NumberText(const json& v) {
  if (v.is_number_float()) return fmt::format("{}", v.get<double>());
  return v.dump();
}

// Throws unless a number written with a point or an exponent has no fractional part.
void NoFraction(const json& v, std::string_view what, std::string_view range) {
  if (!v.is_number()) throw Invalid{fmt::format("{} must be {}, not {}", what, range, KindOf(v))};
  if (v.is_number_float()) {
    const double d = v.get<double>();
    if (std::isfinite(d) && d != std::trunc(d)) {
      throw Invalid{fmt::format("{} must be {}, not {}, a number with a fraction", what, range,
                                NumberText(v))};
    }
  }
}

[[noreturn]] void OutOfRange(const json& v, std::string_view what, std::string_view range,
                             bool tooLarge) {
  throw Invalid{fmt::format("{} must be {}; {} is too {}", what, range, NumberText(v),
                            tooLarge ? "large" : "small")};
}

}  // namespace

std::string Quoted(std::string_view text) {
  return json(std::string(text)).dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string OneLineName(std::string_view name) {
  const bool plain = std::none_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
  return plain ? std::string(name) : Quoted(name);
}

std::string KindOf(const json& v) {
  if (v.is_null()) return "null";
  if (v.is_boolean()) return "a boolean";
  if (v.is_number_integer()) return "a whole number";
  if (v.is_number()) return "a number with a fraction";
  if (v.is_string()) return "a string";
  if (v.is_array()) return "an array";
  return "an object";
}

std::int64_t WholeNumber(const json& v, std::string_view what, std::int64_t lo, std::int64_t hi) {
  const std::string range = fmt::format("a whole number from {} to {}", lo, hi);
  NoFraction(v, what, range);
  if (v.is_number_float()) {
    const double d = v.get<double>();
    if (d < static_cast<double>(lo)) OutOfRange(v, what, range, false);
    if (d > static_cast<double>(hi)) OutOfRange(v, what, range, true);
    return static_cast<std::int64_t>(d);
  }
  if (v.is_number_unsigned() && v.get<std::uint64_t>() > static_cast<std::uint64_t>(hi)) {
    OutOfRange(v, what, range, true);
  }
  const auto n = v.get<std::int64_t>();
  if (n < lo) OutOfRange(v, what, range, false);
  if (n > hi) OutOfRange(v, what, range, true);
  return n;
}

std::uint64_t WholeUnsigned(const json& v, std::string_view what) {
  constexpr std::string_view range = "a whole number of 0 or more";
  NoFraction(v, what, range);
  if (v.is_number_unsigned()) return v.get<std::uint64_t>();
  if (v.is_number_integer()) {
    throw Invalid{fmt::format("{} must be {}, not {}", what, range, NumberText(v))};
  }
  const double d = v.get<double>();
  if (d < 0.0) throw Invalid{fmt::format("{} must be {}, not {}", what, range, NumberText(v))};
  if (d >= kPastUnsigned) {
    throw Invalid{fmt::format("{} must be {} up to {}; {} is too large", what, range,
                              std::numeric_limits<std::uint64_t>::max(), NumberText(v))};
  }
  return static_cast<std::uint64_t>(d);
}

std::int32_t Milliseconds(const json& v, std::string_view what) {
  return static_cast<std::int32_t>(WholeNumber(v, what, 0, kLongestMilliseconds));
}

double Number(const json& v, std::string_view what, double lo, double hi) {
  const std::string range = fmt::format("a number from {} to {}", lo, hi);
  if (!v.is_number()) throw Invalid{fmt::format("{} must be {}, not {}", what, range, KindOf(v))};
  const double d = v.get<double>();
  if (d < lo) OutOfRange(v, what, range, false);
  if (d > hi) OutOfRange(v, what, range, true);
  return d;
}

sim::Vec3 Point(const json& v, std::string_view what) {
  if (!v.is_array()) {
    throw Invalid{fmt::format("{} must be [x, y, z], three numbers, not {}", what, KindOf(v))};
  }
  if (v.size() != 3) {
    throw Invalid{
        fmt::format("{} must be [x, y, z], three numbers, not {} of them", what, v.size())};
  }
  std::array<float, 3> xyz{};
  for (std::size_t i = 0; i < 3; ++i) {
    if (!v[i].is_number()) {
      throw Invalid{fmt::format("{} must be [x, y, z], three numbers; item {} is {}", what, i + 1,
                                KindOf(v[i]))};
    }
    const double d = v[i].get<double>();
    if (!(std::fabs(d) <= kWorldLimit)) {
      throw Invalid{fmt::format("{}: {} is outside the world", what, d)};
    }
    xyz[i] = static_cast<float>(d);
  }
  return {xyz[0], xyz[1], xyz[2]};
}

std::string Text(const json& v, std::string_view what) {
  if (!v.is_string()) throw Invalid{fmt::format("{} must be a string, not {}", what, KindOf(v))};
  std::string s = v.get<std::string>();
  if (s.empty()) throw Invalid{fmt::format("{} must not be empty", what)};
  return s;
}

bool Boolean(const json& v, std::string_view what) {
  if (!v.is_boolean())
    throw Invalid{fmt::format("{} must be true or false, not {}", what, KindOf(v))};
  return v.get<bool>();
}

void MustBe(const json& v, bool expected, std::string_view what) {
  if (!v.is_boolean() || v.get<bool>() != expected) {
    throw Invalid{fmt::format("{} must be {}", what, expected)};
  }
}

}  // namespace campsim
