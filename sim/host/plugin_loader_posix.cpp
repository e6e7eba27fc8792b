#include <dlfcn.h>

#include "sim/host/plugin_loader.h"

namespace sim {

namespace {
constexpr std::uint32_t kProcessDetach = 0;
constexpr std::uint32_t kProcessAttach = 1;
constexpr std::uint32_t kThreadAttach = 2;
constexpr std::uint32_t kThreadDetach = 3;
}  // namespace

PluginLibrary::~PluginLibrary() { Unload(); }

// The library's handle stands in for the module handle the Windows loader would pass.
HINSTANCE__* PluginLibrary::Module() const { return static_cast<HINSTANCE__*>(handle_); }

bool PluginLibrary::Load(const std::string& path, std::string& error) {
  Unload();
  // Local binding: every run gets the library's own fresh globals.
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();
    error = "cannot load plugin " + path + ": " + (why ? why : "unknown error");
    return false;
  }
  entry_ = reinterpret_cast<Entry>(dlsym(handle_, "DllMain"));
  if (entry_ == nullptr) {
    error = "plugin " + path + " has no DllMain entry";
    dlclose(handle_);
    handle_ = nullptr;
    return false;
  }
  if (entry_(Module(), kProcessAttach, nullptr) == 0) {
    error = "plugin " + path + " refused to load (DllMain returned FALSE)";
    return false;
  }
  return true;
}

int PluginLibrary::NotifyThread(bool attach) {
  if (entry_ == nullptr) return 0;
  return entry_(Module(), attach ? kThreadAttach : kThreadDetach, nullptr);
}

bool PluginLibrary::DetachAtProcessExit() {
  if (handle_ == nullptr || detached_) return false;
  // Any non-null value: the loader passes it when the process is terminating.
  static int processEnding;
  entry_(Module(), kProcessDetach, &processEnding);
  detached_ = true;
  return true;
}

void PluginLibrary::Unload() {
  if (handle_ == nullptr) return;
  if (!detached_) entry_(Module(), kProcessDetach, nullptr);
  dlclose(handle_);
  handle_ = nullptr;
  entry_ = nullptr;
  detached_ = false;
}

}  // namespace sim
