// The fuzzed world's checked-in inputs, replayed with every test run (and under the
// sanitizers with the asan preset): the plugin, freshly loaded for each, must come through
// the same thousands of frames of nonsense answers as under the fuzzer, without a refused
// call. An input the fuzzer once failed on belongs in that folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_game.h"
#include "sim/host/host.h"
#include "sim/host/plugin_loader.h"

namespace {

constexpr std::uint64_t kFrames = 3000;     // as many as the fuzzer gives an input
constexpr std::uint64_t kLastFrames = 300;  // 10 s of game time, past the plugin's longest pause

std::vector<std::filesystem::path> Seeds() {
  std::vector<std::filesystem::path> seeds;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(CAMPFIRE_SOURCE_DIR) + "/fuzz/corpus")) {
    if (entry.is_regular_file()) seeds.push_back(entry.path());
  }
  return seeds;
}

TEST(FuzzSeeds, ThePluginComesThroughEverySeedWithoutARefusedCall) {
  const std::vector<std::filesystem::path> seeds = Seeds();
  ASSERT_FALSE(seeds.empty());
  int restarts = 0;
  for (const std::filesystem::path& seed : seeds) {
    SCOPED_TRACE(seed.filename().string());
    std::ifstream in(seed, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    campfire_fuzz::FuzzGame game(bytes.data(), bytes.size());
    sim::Host host(game);
    sim::SetActiveHost(&host);
    {
      sim::PluginLibrary plugin;
      std::string error;
      ASSERT_TRUE(plugin.Load(CAMPFIRE_PLUGIN_PATH, error)) << error;
      ASSERT_TRUE(host.Registered());
      std::size_t callsBeforeTheLastFrames = 0;
      for (std::uint64_t frame = 1; frame <= kFrames && !host.Failed(); ++frame) {
        if (frame == kFrames - kLastFrames) callsBeforeTheLastFrames = host.CallCount();
        host.RunFrame(frame);
        game.AdvanceFrame();
        const auto restart = game.TakeRestart();
        if (restart != campfire_fuzz::FuzzGame::Restart::None) {
          host.RestartScript(restart == campfire_fuzz::FuzzGame::Restart::Reload);
          ++restarts;
        }
      }
      EXPECT_FALSE(host.Failed()) << host.Error();
      EXPECT_EQ(game.KindMismatch(), "") << "a handle given to a native of another kind";
      // Still calling at the end: a world where nothing the plugin makes exists keeps it in
      // its pauses (5 s at most) between tries, so it need not call every frame.
      EXPECT_GT(host.CallCount(), callsBeforeTheLastFrames) << "the script kept running";
    }
    sim::SetActiveHost(nullptr);
  }
  // Each input is read byte by byte as the plugin's calls ask, so a change of the camp (a prop,
  // a routine step, a creation) moves what each seed reaches.
  EXPECT_GT(restarts, 0)
      << "no seed in fuzz/corpus reaches a reload or a restart of the script any more. After an "
         "intended change of the camp, regenerate the seeds: build the fuzz preset (`cmake "
         "--preset fuzz && cmake --build --preset fuzz`), fuzz for a few minutes "
         "(`FUZZ_SECONDS=300 scripts/fuzz.sh`), then merge what it found into the seeds with "
         "`build/fuzz/fuzz/campfire_world_fuzzer -merge=1 fuzz/corpus build/fuzz/corpus` and run "
         "this test again (docs/changing-the-camp.md, \"The fuzz seeds\")";
}

}  // namespace
