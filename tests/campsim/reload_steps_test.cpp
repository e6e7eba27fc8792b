// Reloads and restarts in scenario files: read, run, told in the timeline and marked in the
// trace; and the world's release range.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "campsim/campsim_run.h"
#include "tools/campsim/camp/camp_tables.h"

namespace {

using campsim_test::ExpectRejected;
using campsim_test::ReadText;
using campsim_test::RunCampsimWith;
using campsim_test::WriteTemp;

bool HasLine(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

TEST(ReloadSteps, AReloadIsToldWithThePlayersPlaceAndMarkedInTheTrace) {
  const std::string path = WriteTemp("reload.json", R"({"start": [-1630, -1380, 83], "steps": [
      {"wait": 5000},
      {"reload": [-1000, -1000, 80]},
      {"wait": 2000},
      {"reload": true},
      {"move": [-1630, -1380, 83], "speed": 100},
      {"wait": 3000},
      {"restart": true},
      {"wait": 3000}]})");
  const std::string trace = campsim_test::TempPath("reload.trace");
  const auto run = RunCampsimWith({path, "--trace", trace});
  ASSERT_EQ(run.code, 0) << run.err;
  const auto lines = run.OutLines();
  EXPECT_TRUE(HasLine(lines, "> the game reloads, the player at (-1000.0, -1000.0, 80.0)"));
  EXPECT_TRUE(HasLine(lines, "game reloaded, player at (-1000.0, -1000.0, 80.0)"));
  EXPECT_TRUE(HasLine(lines, "> the game reloads"));
  EXPECT_TRUE(HasLine(lines, "the host restarts its scripts, the world kept"));
  // Back in the camp after the reloads, the camp is made again, and only once.
  const std::string once = "companions Charles, Sadie, Karen, Abe; props " +
                           std::to_string(campsim::kPropCount) + "; tent 1; wagon 1";
  EXPECT_TRUE(HasLine(lines, once)) << run.out;

  const std::string text = ReadText(trace);
  EXPECT_NE(text.find(",\"reload\":true}\n"), std::string::npos);
  EXPECT_NE(text.find(",\"restart\":true}\n"), std::string::npos);
}

TEST(ReloadSteps, AReloadInTheMiddleOfAnExchangeCutsItOff) {
  const std::string path = WriteTemp("cut.json", R"({"start": [-1592, -1432, 81.5], "steps": [
      {"wait": 3000},
      {"target": "Charles"},
      {"hold": "INPUT_CONTEXT_A", "ms": 800},
      {"wait": 3000},
      {"reload": true},
      {"wait": 3000}]})");
  const auto run = RunCampsimWith({path});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_TRUE(HasLine(run.OutLines(), "Charles: the \"Talk\" exchange is cut off after"))
      << run.out;
}

TEST(ReloadSteps, BadReloadsAndReleaseRangesAreRefused) {
  ExpectRejected("reload_false.json", R"({"steps": [{"reload": false}]})",
                 "step 1: \"reload\" (true, or where the player stands: [x, y, z]) must be true");
  ExpectRejected("reload_text.json", R"({"steps": [{"reload": "now"}]})",
                 "step 1: \"reload\" must be true or the player's place, [x, y, z], not a string");
  ExpectRejected("reload_short.json", R"({"steps": [{"reload": [1, 2]}]})",
                 "step 1: \"reload\" must be [x, y, z], three numbers, not 2 of them");
  ExpectRejected("restart.json", R"({"steps": [{"restart": 1}]})",
                 "step 1: \"restart\" must be true");
  ExpectRejected("range.json", R"({"world": {"release_range": -5}, "steps": []})",
                 "\"world.release_range\" must be a number from 0 to 100000; -5 is too small");
}

// A dismissed Sadie stays until the player is farther from her than the release range.
TEST(ReloadSteps, TheReleaseRangeIsReadFromTheWorld) {
  const auto alive = [](const std::string& world) {
    const std::string path =
        WriteTemp("range_ok.json", R"({"start": [-1630, -1380, 83], )" + world +
                                       R"("steps": [
        {"wait": 3000}, {"teleport": [-1000, -1000, 80]}, {"wait": 2000}]})");
    return RunCampsimWith({path, "--quiet"});
  };
  const auto kept = alive(R"("world": {"release_range": 100000}, )");
  ASSERT_EQ(kept.code, 0) << kept.err;
  EXPECT_TRUE(HasLine(kept.OutLines(), "companions Sadie;")) << kept.out;
  const auto cleared = alive("");
  ASSERT_EQ(cleared.code, 0) << cleared.err;
  EXPECT_TRUE(HasLine(cleared.OutLines(), "companions none;")) << cleared.out;
}

}  // namespace

namespace {

// A dismissed Sadie still in the camp when the player comes back is removed by the plugin
// before a new one is made; the timeline tells it as such.
TEST(ReleasedInTheTimeline, ADismissedSadieRemovedOnTheWayBackIsNamed) {
  const std::string path = WriteTemp("sadie_back.json", R"({"start": [-1647.5, -1369.6, 84.5],
      "steps": [{"wait": 3000}, {"teleport": [-1437.5, -1369.6, 84.5]}, {"wait": 1000},
                {"teleport": [-1457.5, -1369.6, 84.5]}, {"wait": 1000}]})");
  const auto run = RunCampsimWith({path});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_TRUE(HasLine(run.OutLines(), "Sadie dismissed, player 210.05 units from her home"))
      << run.out;
  EXPECT_TRUE(HasLine(run.OutLines(), "Sadie, left to the game earlier and still there, removed"))
      << run.out;
  EXPECT_FALSE(HasLine(run.OutLines(), "never saw made")) << run.out;
}

}  // namespace
