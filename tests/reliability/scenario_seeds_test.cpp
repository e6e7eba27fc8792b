// The scenario fuzzer's checked-in inputs, replayed with every test run: each is refused in
// one line before a frame runs, or runs to an end within the length read beforehand. An
// input the fuzzer once failed on belongs in that folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/scenario_check.h"

namespace {

TEST(ScenarioFuzzSeeds, EverySeedIsRefusedInOneLineOrRunsToItsEnd) {
  int seeds = 0;
  const std::string scratch = ::testing::TempDir() + "scenario_seed.json";
  for (const auto& entry : std::filesystem::directory_iterator(std::string(CAMPFIRE_SOURCE_DIR) +
                                                               "/fuzz/scenario_corpus")) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++seeds;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(campfire_fuzz::CheckScenarioBytes(bytes, scratch), "");
  }
  EXPECT_GE(seeds, 10);
}

}  // namespace
