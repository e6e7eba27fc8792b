// The fake ScriptHookRDR2.dll that stands in for the host under a Windows loader holds
// nothing but forwarders: the program running the simulator connects them to its host
// before it loads a plugin.
#pragma once

#include <cstdint>

namespace sim {

struct HostLink {
  void (*scriptRegister)(void* module, void (*script)());
  void (*scriptUnregister)(void* module);
  void (*scriptWait)(std::uint32_t ms);
  void (*nativeInit)(std::uint64_t hash);
  void (*nativePush64)(std::uint64_t value);
  std::uint64_t* (*nativeCall)();
};

// The DLL's one export besides the host's six; a null link disconnects.
using ConnectHostFunction = void (*)(const HostLink* link);
inline constexpr char kConnectHostExport[] = "campsimConnectHost";
inline constexpr wchar_t kHostDllName[] = L"ScriptHookRDR2.dll";

// Forwards to the active host (see SetActiveHost).
const HostLink& ActiveHostLink();

}  // namespace sim
