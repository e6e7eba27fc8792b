#include "fuzz/plugin_image.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>

namespace campfire_fuzz {

namespace {

struct Span {
  std::uintptr_t begin;
  std::uintptr_t end;
};

struct Search {
  std::uintptr_t base;
  std::vector<Span> writable;
  Span relro{0, 0};
  bool found = false;
};

int FindSegments(dl_phdr_info* info, std::size_t, void* data) {
  auto& search = *static_cast<Search*>(data);
  if (info->dlpi_addr != search.base) return 0;
  search.found = true;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& ph = info->dlpi_phdr[i];
    const std::uintptr_t begin = info->dlpi_addr + ph.p_vaddr;
    if (ph.p_type == PT_LOAD && (ph.p_flags & PF_W) != 0) {
      search.writable.push_back({begin, begin + ph.p_memsz});
    } else if (ph.p_type == PT_GNU_RELRO) {
      search.relro = {begin, begin + ph.p_memsz};
    }
  }
  return 1;
}

// The copies go byte by byte, unchecked: the globals' redzones lie between them, and
// AddressSanitizer would take any read or write of those for an overflow.
__attribute__((no_sanitize("address"))) void CopyIn(std::vector<std::uint8_t>& into,
                                                    const std::uint8_t* from) {
  const volatile std::uint8_t* source = from;
  for (std::uint8_t& b : into) b = *source++;
}

__attribute__((no_sanitize("address"))) void CopyOut(std::uint8_t* to,
                                                     const std::vector<std::uint8_t>& from) {
  volatile std::uint8_t* target = to;
  for (std::uint8_t b : from) *target++ = b;
}

}  // namespace

bool PluginImage::Capture(void* libraryHandle, std::string& error) {
  link_map* map = nullptr;
  if (dlinfo(libraryHandle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
    error = "cannot find where the plugin is loaded";
    return false;
  }
  Search search{.base = map->l_addr, .writable = {}};
  dl_iterate_phdr(&FindSegments, &search);
  if (!search.found || search.writable.empty()) {
    error = "the plugin has no writable segment";
    return false;
  }
  // Relocated data is made read-only after loading, up to the last whole page; it never
  // changes, and writing it back would fault.
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const Span sealed{search.relro.begin & ~(page - 1), search.relro.end & ~(page - 1)};
  pieces_.clear();
  for (const Span& s : search.writable) {
    std::vector<Span> parts{s};
    if (sealed.end > sealed.begin) {
      parts = {{s.begin, std::min(s.end, sealed.begin)}, {std::max(s.begin, sealed.end), s.end}};
    }
    for (const Span& piece : parts) {
      if (piece.end <= piece.begin) continue;
      Piece copy{reinterpret_cast<std::uint8_t*>(piece.begin),
                 std::vector<std::uint8_t>(piece.end - piece.begin)};
      CopyIn(copy.bytes, copy.at);
      pieces_.push_back(std::move(copy));
    }
  }
  return true;
}

void PluginImage::Restore() const {
  for (const Piece& p : pieces_) CopyOut(p.at, p.bytes);
}

std::size_t PluginImage::Bytes() const {
  std::size_t bytes = 0;
  for (const Piece& p : pieces_) bytes += p.bytes.size();
  return bytes;
}

}  // namespace campfire_fuzz
