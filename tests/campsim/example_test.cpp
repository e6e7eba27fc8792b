// The example scenario checked in for mod makers still tells the same story, line by line.
// After a deliberate change of behaviour, regenerate the expected file as README.md says.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "campsim/campsim_run.h"

namespace {

TEST(ExampleScenario, VisitCharlesGivesItsExpectedTimeline) {
  const std::string dir = std::string(CAMPFIRE_SOURCE_DIR) + "/examples/";
  const std::string timeline = campsim_test::TempPath("visit_charles.timeline");
  const auto run =
      campsim_test::RunCampsimWith({dir + "visit_charles.json", "--quiet", "--timeline", timeline});
  ASSERT_EQ(run.code, 0) << run.err;

  const auto expected =
      campsim_test::CampsimRun::Lines(campsim_test::ReadText(dir + "visit_charles.timeline"));
  const auto actual = campsim_test::CampsimRun::Lines(campsim_test::ReadText(timeline));
  ASSERT_FALSE(expected.empty());
  for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
    ASSERT_EQ(actual[i], expected[i]) << "first difference at line " << i + 1;
  }
  EXPECT_EQ(actual.size(), expected.size());
}

}  // namespace
