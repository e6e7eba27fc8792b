// The six functions the plugin imports from ScriptHookRDR2.
//
// Declared with C linkage: the Windows import library maps these plain names to
// the decorated names the host exports; the simulated host exports them as-is.
#pragma once

#include <cstdint>

struct HINSTANCE__;

namespace campfire {
using ModuleHandle = HINSTANCE__*;
using ScriptFunction = void (*)();
}  // namespace campfire

extern "C" {
void scriptRegister(campfire::ModuleHandle module, campfire::ScriptFunction script);
void scriptUnregister(campfire::ModuleHandle module);
void scriptWait(std::uint32_t ms);
void nativeInit(std::uint64_t hash);
void nativePush64(std::uint64_t value);
std::uint64_t* nativeCall();
}
