#include "host/dll_entry.h"

#include "host/script_main.h"

extern "C" int DllMain(campfire::ModuleHandle module, std::uint32_t reason, void* reserved) {
  // Under the loader lock: one host call and nothing else.
  if (reason == campfire::kProcessAttach) {
    scriptRegister(module, campfire::ScriptMain);
  } else if (reason == campfire::kProcessDetach && reserved == nullptr) {
    // Only when the library is unloaded. At process exit (reserved not null) the game's
    // other threads are already gone, and the host might wait on a lock one of them held.
    scriptUnregister(module);
  }
  return 1;
}
