// The fuzzed world: the real plugin, loaded once, meets for each input a game that answers
// every native from the input's bytes, for thousands of frames. A crash, a sanitizer report,
// a failed bounds check on one of the plugin's tables or an invocation the host refuses
// stops the fuzzer with the input that caused it.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_game.h"
#include "fuzz/plugin_image.h"
#include "sim/host/host.h"

struct HINSTANCE__;  // the module handle's type, as the plugin's entry declares it

namespace {

// A minute and a half of game time at the usual frame: every routine's first steps, loads
// given up on, exchanges, the wagon's round.
constexpr std::uint64_t kFramesPerInput = 3000;
constexpr std::uint32_t kProcessDetach = 0;
constexpr std::uint32_t kProcessAttach = 1;

// The entry's own type, module handle and all: a call through any other is undefined.
using Entry = int (*)(HINSTANCE__* module, std::uint32_t reason, void* reserved);

struct LoadedPlugin {
  void* handle = nullptr;
  Entry entry = nullptr;
  campfire_fuzz::PluginImage image;
};

LoadedPlugin& Plugin() {
  static LoadedPlugin plugin;
  return plugin;
}

HINSTANCE__* Module() { return static_cast<HINSTANCE__*>(Plugin().handle); }

[[noreturn]] void Stop(const char* what, const std::string& detail) {
  std::fprintf(stderr, "campfire fuzz: %s: %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  LoadedPlugin& p = Plugin();
  p.handle = dlopen(CAMPFIRE_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
  if (p.handle == nullptr) Stop("cannot load the plugin", dlerror());
  p.entry = reinterpret_cast<Entry>(dlsym(p.handle, "DllMain"));
  if (p.entry == nullptr) Stop("the plugin has no entry", CAMPFIRE_PLUGIN_PATH);
  std::string error;
  if (!p.image.Capture(p.handle, error)) Stop("cannot copy the plugin's globals", error);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LoadedPlugin& p = Plugin();
  p.image.Restore();
  campfire_fuzz::FuzzGame game(data, size);
  sim::Host host(game);
  sim::SetActiveHost(&host);
  p.entry(Module(), kProcessAttach, nullptr);
  if (!host.Registered()) Stop("the plugin registered no script", host.Error());
  for (std::uint64_t frame = 1; frame <= kFramesPerInput; ++frame) {
    host.RunFrame(frame);
    if (host.Failed()) Stop("the host stopped the plugin", host.Error());
    if (!game.KindMismatch().empty()) Stop("a handle of the wrong kind", game.KindMismatch());
    game.AdvanceFrame();
    const auto restart = game.TakeRestart();
    if (restart != campfire_fuzz::FuzzGame::Restart::None) {
      host.RestartScript(restart == campfire_fuzz::FuzzGame::Restart::Reload);
    }
  }
  p.entry(Module(), kProcessDetach, nullptr);
  sim::SetActiveHost(nullptr);
  return 0;
}
