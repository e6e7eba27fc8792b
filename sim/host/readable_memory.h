// Whether the plugin handed the host an address it may read, without crashing the host
// when it did not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sim {

bool IsReadable(std::uintptr_t address, std::size_t bytes);

// The NUL-terminated text at an address, if it is readable, ends within `limit` bytes and
// holds printable characters only; otherwise an empty optional-like result.
struct TextCheck {
  bool ok = false;
  std::string_view text;
  const char* problem = "";
};
TextCheck ReadText(std::uintptr_t address, std::size_t limit = 4096);

}  // namespace sim
