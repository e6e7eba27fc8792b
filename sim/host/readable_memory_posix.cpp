#include <sys/uio.h>
#include <unistd.h>

#include <cstring>

#include "sim/host/readable_memory.h"

namespace sim {

namespace {

std::size_t PageSize() {
  static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return page;
}

// Asks the kernel to copy the bytes: a bad address fails the copy instead of faulting.
bool CopyOut(std::uintptr_t address, void* into, std::size_t bytes) {
  // Asked once: getpid is a system call of its own.
  static const pid_t self = getpid();
  iovec local{into, bytes};
  iovec remote{reinterpret_cast<void*>(address), bytes};
  return process_vm_readv(self, &local, 1, &remote, 1, 0) == static_cast<ssize_t>(bytes);
}

}  // namespace

bool IsReadable(std::uintptr_t address, std::size_t bytes) {
  if (address == 0) return false;
  char buffer[256];
  while (bytes > 0) {
    const std::size_t chunk = bytes < sizeof buffer ? bytes : sizeof buffer;
    if (!CopyOut(address, buffer, chunk)) return false;
    address += chunk;
    bytes -= chunk;
  }
  return true;
}

TextCheck ReadText(std::uintptr_t address, std::size_t limit) {
  if (address == 0) return {false, {}, "null pointer"};
  // Read page by page so a text ending just before an unmapped page still passes.
  std::size_t length = 0;
  char buffer[512];
  while (length < limit) {
    const std::uintptr_t at = address + length;
    std::size_t chunk = PageSize() - (at % PageSize());
    if (chunk > sizeof buffer) chunk = sizeof buffer;
    if (!CopyOut(at, buffer, chunk)) return {false, {}, "address is not readable"};
    for (std::size_t i = 0; i < chunk; ++i) {
      const auto c = static_cast<unsigned char>(buffer[i]);
      if (c == 0) {
        return {true, std::string_view(reinterpret_cast<const char*>(address), length + i), ""};
      }
      if (c < 0x20 || c == 0x7F) return {false, {}, "text holds a control character"};
    }
    length += chunk;
  }
  return {false, {}, "text is not NUL-terminated"};
}

}  // namespace sim
