// Numbers in the host's messages, written in hex.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace sim {

// 0x0123456789ABCDEF: all sixteen digits, so that a truncated value stands out.
inline std::string Hex(std::uint64_t v) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(v));
  return text;
}

}  // namespace sim
