// The timeline after the game misbehaves: a companion whose model never loaded, or whose
// ped the game took away, is asked nothing more.
#include <gtest/gtest.h>

#include <string>

#include "campsim/campsim_run.h"

namespace {

using campsim_test::FindLine;

std::vector<std::string> TimelineOf(const std::string& name, const std::string& json) {
  const auto run = campsim_test::RunCampsimWith({campsim_test::WriteTemp(name, json)});
  EXPECT_EQ(run.code, 0) << run.err;
  return run.OutLines();
}

// Her routine's steps still come due, but the plugin has no ped of hers to speak through
// or task: the timeline names her once and then tells nothing of her.
TEST(TimelineFaults, ACompanionNeverMadeIsNamedAndNothingHappensToHer) {
  const auto lines = TimelineOf("never_loads.json", R"({
      "start": [-1655.0, -1345.0, 84.0],
      "steps": [{"never_loads": "cs_karen"}, {"wait": 25000}]})");
  const int given = FindLine(lines, "Karen was never made: her model did not load");
  ASSERT_GE(given, 0) << ::testing::PrintToString(lines);
  EXPECT_EQ(FindLine(lines, "Karen says \"", given), -1) << ::testing::PrintToString(lines);
  EXPECT_EQ(FindLine(lines, "Karen goes straight to her spot A", given), -1);
  EXPECT_GE(FindLine(lines, "Abe says \"", given), 0) << "the others go on";
  EXPECT_EQ(FindLine(lines, "ped 0"), FindLine(lines, "goes on with ped 0"))
      << "ped 0 is named only where the plugin gives her up";
}

// Once her ped is gone, the plugin finds the number not its own at her next step and
// forgets it: no line or task goes to it.
TEST(TimelineFaults, AVanishedPedIsGivenNoMoreLinesOrTasks) {
  const auto lines = TimelineOf("vanish.json", R"({
      "start": [-1655.0, -1345.0, 84.0],
      "steps": [{"wait": 5000}, {"vanish": "Karen"}, {"wait": 15000}]})");
  const int before = FindLine(lines, "Karen goes straight to her spot A");
  const int vanish = FindLine(lines, "fault: Karen vanishes");
  ASSERT_GE(before, 0);
  ASSERT_GT(vanish, before);
  EXPECT_EQ(FindLine(lines, "Karen says \"", vanish), -1) << ::testing::PrintToString(lines);
  EXPECT_EQ(FindLine(lines, "Karen starts", vanish), -1);
}

}  // namespace
