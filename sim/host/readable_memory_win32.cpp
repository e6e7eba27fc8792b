#include <windows.h>

#include "sim/host/readable_memory.h"

namespace sim {

namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// How many bytes from `address` on lie in readable committed memory, up to `wanted`.
// Asking the memory manager instead of touching the bytes keeps a bad address from faulting.
std::size_t ReadableRun(std::uintptr_t address, std::size_t wanted) {
  std::size_t run = 0;
  while (run < wanted) {
    MEMORY_BASIC_INFORMATION region{};
    const auto* at = reinterpret_cast<const void*>(address + run);
    if (VirtualQuery(at, &region, sizeof region) == 0) break;
    if (region.State != MEM_COMMIT || (region.Protect & kReadable) == 0 ||
        (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) != 0) {
      break;
    }
    const auto end = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    run = end - address;
  }
  return run < wanted ? run : wanted;
}

}  // namespace

bool IsReadable(std::uintptr_t address, std::size_t bytes) {
  if (address == 0) return false;
  return ReadableRun(address, bytes) == bytes;
}

TextCheck ReadText(std::uintptr_t address, std::size_t limit) {
  if (address == 0) return {false, {}, "null pointer"};
  const std::size_t readable = ReadableRun(address, limit);
  if (readable == 0) return {false, {}, "address is not readable"};
  const auto* text = reinterpret_cast<const unsigned char*>(address);
  for (std::size_t i = 0; i < readable; ++i) {
    const unsigned char c = text[i];
    if (c == 0) return {true, std::string_view(reinterpret_cast<const char*>(text), i), ""};
    if (c < 0x20 || c == 0x7F) return {false, {}, "text holds a control character"};
  }
  if (readable < limit) return {false, {}, "address is not readable"};
  return {false, {}, "text is not NUL-terminated"};
}

}  // namespace sim
