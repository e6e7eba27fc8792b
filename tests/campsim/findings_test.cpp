// The two findings of ownership and waits, as campsim tells them: the trace marks each, the
// summary counts what the trace holds, and the timeline says what a delete did not do.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "campsim/campsim_run.h"
#include "tools/campsim/camp/clock_text.h"

namespace {

using campsim_test::FindLine;

// The summary's text after its label, or "" if there is no such line.
std::string SummaryText(const std::vector<std::string>& lines, const std::string& label) {
  const int at = FindLine(lines, "  " + label + " ");
  if (at < 0) return "";
  const std::string& line = lines[static_cast<std::size_t>(at)];
  return line.substr(line.find_first_not_of(' ', 2 + label.size()));
}

TEST(CampsimFindings, TheSummaryCountsWhatTheTraceMarks) {
  // An exchange, a prompt dropped, Sadie dismissed and made again while she still stands
  // there, and another script about, in the harshest world.
  const std::string scenario = campsim_test::WriteTemp("harsh_visit.json", R"({
    "seed": 3, "start": [-1380, -1600, 80],
    "world": {"reuse_handles": true, "release_zeroes": true, "other_script_ms": 3000,
              "unowned_delete_releases": true, "blip_goes_with_entity": true,
              "prompt_drop_ms": 20000, "track_propset_requests": true, "release_range": 5000},
    "steps": [{"move": [-1592, -1432, 81.5], "speed": 8}, {"wait": 5000},
              {"target": "Charles"}, {"hold": "INPUT_CONTEXT_A", "ms": 800},
              {"target": null}, {"wait": 8000}, {"drop_prompt": true},
              {"move": [-1300, -1660, 80], "speed": 12}, {"wait": 2000},
              {"move": [-1592, -1432, 81.5], "speed": 12}, {"wait": 8000}]})");
  const std::string tracePath = campsim_test::TempPath("harsh_visit.jsonl");
  const std::string timelinePath = campsim_test::TempPath("harsh_visit.timeline");
  const auto run = campsim_test::RunCampsimWith(
      {scenario, "--quiet", "--trace", tracePath, "--timeline", timelinePath});
  ASSERT_EQ(run.code, 0) << run.err;
  std::uint64_t held = 0;
  std::uint64_t unowned = 0;
  std::istringstream trace(campsim_test::ReadText(tracePath));
  for (std::string line; std::getline(trace, line);) {
    const auto object = nlohmann::json::parse(line);
    const std::string finding = object.value("finding", "");
    held += finding == "held across a wait";
    unowned += finding == "deleted without owning it";
  }
  const auto lines = run.OutLines();
  const std::string heldText = SummaryText(lines, "held across a wait");
  const std::string unownedText = SummaryText(lines, "unowned deletes");
  EXPECT_EQ(heldText.rfind(held == 0 ? "none" : campsim::Grouped(held) + ", the first at", 0), 0u)
      << run.out;
  EXPECT_EQ(unownedText.rfind(unowned == 0 ? "none" : std::to_string(unowned) + ", the first", 0),
            0u)
      << run.out;
  // Every delete that removed nothing is told in the timeline too.
  std::uint64_t told = 0;
  for (const std::string& line :
       campsim_test::CampsimRun::Lines(campsim_test::ReadText(timelinePath))) {
    told += line.find("deleted without owning it") != std::string::npos;
  }
  EXPECT_EQ(told, unowned);
}

}  // namespace
