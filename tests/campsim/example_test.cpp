// The example scenarios checked in for mod makers still tell the same story, line by line:
// every examples/NAME.json with an examples/NAME.timeline beside it. After a deliberate
// change of behaviour, regenerate the expected file as README.md says.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "campsim/campsim_run.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ExamplesWithTimelines() {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(fs::path(CAMPFIRE_SOURCE_DIR) / "examples")) {
    const fs::path json = entry.path();
    if (json.extension() == ".json" && fs::exists(fs::path(json).replace_extension(".timeline"))) {
      found.push_back(json);
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

TEST(ExampleScenario, EachExampleGivesItsExpectedTimeline) {
  const std::vector<fs::path> examples = ExamplesWithTimelines();
  ASSERT_GE(examples.size(), 2u);
  for (const fs::path& json : examples) {
    SCOPED_TRACE(json.filename().string());
    const std::string timeline = campsim_test::TempPath(json.stem().string() + ".example.timeline");
    const auto run =
        campsim_test::RunCampsimWith({json.string(), "--quiet", "--timeline", timeline});
    ASSERT_EQ(run.code, 0) << run.err;

    const fs::path expected = fs::path(json).replace_extension(".timeline");
    ASSERT_FALSE(campsim_test::ReadText(expected.string()).empty());
    const std::string difference = campsim_test::FirstDifference(
        campsim_test::ReadText(timeline), campsim_test::ReadText(expected.string()));
    EXPECT_TRUE(difference.empty())
        << difference
        << "if the change is intended, regenerate it: build/dev/tools/campsim/campsim examples/"
        << json.filename().string() << " --quiet --timeline examples/"
        << expected.filename().string();
  }
}

}  // namespace
