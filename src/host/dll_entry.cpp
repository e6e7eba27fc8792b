#include "host/dll_entry.h"

#include "host/script_main.h"

extern "C" int DllMain(campfire::ModuleHandle module, std::uint32_t reason, void*) {
  // Under the loader lock: one host call and nothing else.
  if (reason == campfire::kProcessAttach) {
    scriptRegister(module, campfire::ScriptMain);
  } else if (reason == campfire::kProcessDetach) {
    scriptUnregister(module);
  }
  return 1;
}
