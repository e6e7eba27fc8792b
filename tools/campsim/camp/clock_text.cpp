#include "tools/campsim/camp/clock_text.h"

#include <fmt/format.h>

namespace campsim {

std::string FormatClock(std::int64_t ms) {
  const char* sign = ms < 0 ? "-" : "";
  if (ms < 0) ms = -ms;
  return fmt::format("{}{}:{:02}.{:03}", sign, ms / 60000, ms / 1000 % 60, ms % 1000);
}

std::string FormatSeconds(std::int64_t ms) {
  return fmt::format("{}.{:03} s", ms / 1000, ms % 1000);
}

std::string FormatLong(std::int64_t ms) {
  const std::int64_t s = ms / 1000;
  const std::int64_t days = s / 86400;
  const std::int64_t hours = s / 3600 % 24;
  const std::int64_t minutes = s / 60 % 60;
  const std::int64_t seconds = s % 60;
  if (days > 0) return fmt::format("{}d {:02}h {:02}m {:02}s", days, hours, minutes, seconds);
  if (hours > 0) return fmt::format("{}h {:02}m {:02}s", hours, minutes, seconds);
  return fmt::format("{}m {:02}s", minutes, seconds);
}

std::string Grouped(std::uint64_t n) {
  const std::string digits = fmt::format("{}", n);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace campsim
