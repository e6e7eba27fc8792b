// The timeline after the game misbehaves: what the plugin asks of a companion whose model
// never loaded, or whose ped the game took away, is told as happening to no one.
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

TEST(TimelineFaults, ACompanionNeverMadeIsNamedAndNothingHappensToHer) {
  const auto lines = TimelineOf("never_loads.json", R"({
      "start": [-1655.0, -1345.0, 84.0],
      "steps": [{"never_loads": "cs_karen"}, {"wait": 25000}]})");
  const int given = FindLine(lines, "Karen was never made: her model did not load");
  ASSERT_GE(given, 0) << ::testing::PrintToString(lines);
  const int said = FindLine(lines, "Karen says \"", given);
  ASSERT_GT(said, given);
  EXPECT_NE(
      lines[static_cast<std::size_t>(said)].find("but her ped was never made: nothing happens"),
      std::string::npos);
  const int task = FindLine(lines, "Karen goes straight to her spot A", given);
  ASSERT_GT(task, given);
  EXPECT_NE(lines[static_cast<std::size_t>(task)].find("but her ped was never made"),
            std::string::npos);
  EXPECT_EQ(FindLine(lines, "ped 0"), FindLine(lines, "goes on with ped 0"))
      << "ped 0 is named only where the plugin gives her up";
}

TEST(TimelineFaults, ATaskForAVanishedPedSaysThePedIsGone) {
  const auto lines = TimelineOf("vanish.json", R"({
      "start": [-1655.0, -1345.0, 84.0],
      "steps": [{"wait": 5000}, {"vanish": "Karen"}, {"wait": 15000}]})");
  const int before = FindLine(lines, "Karen goes straight to her spot A");
  const int vanish = FindLine(lines, "fault: Karen vanishes");
  ASSERT_GE(before, 0);
  ASSERT_GT(vanish, before);
  EXPECT_EQ(lines[static_cast<std::size_t>(before)].find("gone"), std::string::npos);
  const int task = FindLine(lines, "Karen starts WORLD_HUMAN_BROOM_WORKING", vanish);
  ASSERT_GT(task, vanish) << ::testing::PrintToString(lines);
  EXPECT_NE(lines[static_cast<std::size_t>(task)].find("but her ped is gone: nothing happens"),
            std::string::npos)
      << lines[static_cast<std::size_t>(task)];
  const int said = FindLine(lines, "Karen says \"", vanish);
  EXPECT_NE(lines[static_cast<std::size_t>(said)].find("but her ped is gone"), std::string::npos);
}

}  // namespace
