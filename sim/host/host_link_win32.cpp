#include <cstdio>
#include <cstdlib>

#include "sim/host/host.h"
#include "sim/host/host_link.h"

namespace sim {

namespace {

Host& Active() {
  Host* host = ActiveHost();
  if (host == nullptr) {
    std::fputs("campsim: the plugin called the host while no simulation was running\n", stderr);
    std::abort();
  }
  return *host;
}

constexpr HostLink kLink{
    [](void* module, void (*script)()) { Active().Register(module, script); },
    [](void* module) { Active().Unregister(module); },
    [](std::uint32_t ms) { Active().Wait(ms); },
    [](std::uint64_t hash) { Active().Init(hash); },
    [](std::uint64_t value) { Active().Push(value); },
    []() { return Active().Call(); },
};

}  // namespace

const HostLink& ActiveHostLink() { return kLink; }

}  // namespace sim
