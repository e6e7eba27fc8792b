// The six functions a plugin imports from ScriptHookRDR2, exported under plain C names
// for the native build of the plugin.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "sim/host/host.h"

namespace {

sim::Host& Active() {
  sim::Host* host = sim::ActiveHost();
  if (host == nullptr) {
    std::fputs("campsim: the plugin called the host while no simulation was running\n", stderr);
    std::abort();
  }
  return *host;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void scriptRegister(void* module, void (*script)()) {
  Active().Register(module, script);
}
__attribute__((visibility("default"))) void scriptUnregister(void* module) {
  Active().Unregister(module);
}
__attribute__((visibility("default"))) void scriptWait(std::uint32_t ms) { Active().Wait(ms); }
__attribute__((visibility("default"))) void nativeInit(std::uint64_t hash) { Active().Init(hash); }
__attribute__((visibility("default"))) void nativePush64(std::uint64_t value) {
  Active().Push(value);
}
__attribute__((visibility("default"))) std::uint64_t* nativeCall() { return Active().Call(); }
}
