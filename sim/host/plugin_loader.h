// Loads a plugin library afresh and calls its entry as the Windows loader would.
#pragma once

#include <cstdint>
#include <string>

struct HINSTANCE__;

namespace sim {

class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Maps the library and calls its entry with the process-attach reason.
  bool Load(const std::string& path, std::string& error);
  // Calls the entry with the process-detach reason, then unmaps the library.
  void Unload();
  // A thread notification, which a plugin must ignore.
  int NotifyThread(bool attach);
  // The process-detach call the loader makes when the process ends with the library still
  // loaded: `reserved` is not null, and the library is never unmapped (Unload afterwards
  // only unmaps it, without another detach). False where the loader cannot be imitated.
  bool DetachAtProcessExit();
  bool Loaded() const { return handle_ != nullptr; }

 private:
  // The entry exactly as the plugin defines it, so the call matches its type.
  using Entry = int (*)(HINSTANCE__* module, std::uint32_t reason, void* reserved);
  HINSTANCE__* Module() const;

  void* handle_ = nullptr;
  Entry entry_ = nullptr;
  bool detached_ = false;
};

}  // namespace sim
