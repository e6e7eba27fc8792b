// The game's identifier hash: Jenkins one-at-a-time over the name, lower-cased.
#include <cstdint>
#include <string_view>

#include "sim/world/world.h"

namespace sim {

std::uint32_t JoaatHash(std::string_view name) {
  std::uint32_t h = 0;
  for (char c : name) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte + ('a' - 'A'));
    h += byte;
    h += h << 10;
    h ^= h >> 6;
  }
  h += h << 3;
  h ^= h >> 11;
  h += h << 15;
  return h;
}

}  // namespace sim
