// The library entry the Windows loader calls; the simulated host calls it the same way.
#pragma once

#include <cstdint>

#include "game/host_interface.h"

#if defined(_WIN32)
#define CAMPFIRE_ENTRY
#else
// The simulated host finds the entry by name; nothing else of the library is visible.
#define CAMPFIRE_ENTRY __attribute__((visibility("default")))
#endif

namespace campfire {
inline constexpr std::uint32_t kProcessDetach = 0;
inline constexpr std::uint32_t kProcessAttach = 1;
}  // namespace campfire

extern "C" CAMPFIRE_ENTRY int DllMain(campfire::ModuleHandle module, std::uint32_t reason,
                                      void* reserved);
