// The fake ScriptHookRDR2.dll: the host's six functions, passed on to the program that
// connected itself. ScriptHookRDR2.def exports them under the host's decorated names.
#include <cstdio>
#include <cstdlib>

#include "sim/host/host_link.h"

namespace {

const sim::HostLink* connected = nullptr;

const sim::HostLink& Link() {
  if (connected == nullptr) {
    std::fputs("ScriptHookRDR2.dll (simulated): no simulator is connected\n", stderr);
    std::abort();
  }
  return *connected;
}

}  // namespace

extern "C" {

void campsimConnectHost(const sim::HostLink* link) { connected = link; }

void ForwardScriptRegister(void* module, void (*script)()) {
  Link().scriptRegister(module, script);
}
void ForwardScriptUnregister(void* module) { Link().scriptUnregister(module); }
void ForwardScriptWait(std::uint32_t ms) { Link().scriptWait(ms); }
void ForwardNativeInit(std::uint64_t hash) { Link().nativeInit(hash); }
void ForwardNativePush64(std::uint64_t value) { Link().nativePush64(value); }
std::uint64_t* ForwardNativeCall() { return Link().nativeCall(); }
}
