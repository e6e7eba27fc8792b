// The scenario reader and runner, fuzzed: any bytes, given to campsim as a scenario file,
// are refused in one line before any frame runs, or run to an end within the length read
// beforehand. The plugin is loaded once and its globals put back before each input, as
// the world fuzzer does, so that the plugin's coverage counters stay where they are.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/plugin_image.h"
#include "fuzz/scenario_check.h"

namespace {

struct Fuzzing {
  void* plugin = nullptr;  // held open, so that each run's load finds the same image
  campfire_fuzz::PluginImage image;
  std::string path;
};

Fuzzing& State() {
  static Fuzzing state;
  return state;
}

[[noreturn]] void Stop(const char* what, const std::string& detail) {
  std::fprintf(stderr, "campfire scenario fuzz: %s: %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzzing& f = State();
  f.plugin = dlopen(CAMPFIRE_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
  if (f.plugin == nullptr) Stop("cannot load the plugin", dlerror());
  std::string error;
  if (!f.image.Capture(f.plugin, error)) Stop("cannot copy the plugin's globals", error);
  const char* tmp = std::getenv("TMPDIR");
  f.path = std::string(tmp != nullptr ? tmp : "/tmp") + "/campfire-scenario-fuzz-" +
           std::to_string(getpid()) + ".json";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Fuzzing& f = State();
  f.image.Restore();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (std::string problem = campfire_fuzz::CheckScenarioBytes(bytes, f.path); !problem.empty()) {
    Stop("the scenario's property failed", problem);
  }
  return 0;
}
