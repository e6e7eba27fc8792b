// The --report page as a file: one self-contained page, small, telling the run in the
// terminal's own words, for the tour and for a scenario file with the other options.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "campsim/campsim_run.h"

namespace {

using campsim_test::RunCampsimWith;

std::size_t CountIn(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(ReportFile, TheToursPageStandsAloneAndIsSmall) {
  const std::string page = campsim_test::TempPath("alone.html");
  const auto run = RunCampsimWith({"--quiet", "--report", page});
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string html = campsim_test::ReadText(page);
  EXPECT_LT(html.size(), 1'500'000u);
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  // Nothing fetched: the only address is the SVG namespace, which is never loaded.
  EXPECT_EQ(CountIn(html, "http"), CountIn(html, "http://www.w3.org/2000/svg"));
  for (const char* fetch : {"<link", " src=", "href=", "@import", "fetch(", "XMLHttpRequest"}) {
    EXPECT_EQ(html.find(fetch), std::string::npos) << fetch;
  }
  EXPECT_EQ(CountIn(html, "<svg"), 1u);
  EXPECT_EQ(CountIn(html, "<script"), 2u) << "the run's data and the player";
  EXPECT_NE(html.find("<section id=\"summary\">"), std::string::npos);
  EXPECT_NE(html.find("<td>native calls</td>"), std::string::npos);
}

TEST(ReportFile, TheTimelineOnThePageIsTheTerminalsLineForLine) {
  const std::string page = campsim_test::TempPath("lines.html");
  const auto run = RunCampsimWith({"--report", page});
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string html = campsim_test::ReadText(page);
  std::vector<std::string> onPage;
  for (auto at = html.find("<li data-ms="); at != std::string::npos;
       at = html.find("<li data-ms=", at + 1)) {
    const auto time = html.find("<time>", at) + 6;
    const auto text = html.find("</time>", time);
    std::string line = html.substr(time, text - time) + "  " +
                       html.substr(text + 7, html.find("</li>", text) - text - 7);
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"&quot;", "\""},
                                   {"&lt;", "<"},
                                   {"&gt;", ">"},
                                   {"&amp;", "&"}}) {
      for (auto q = line.find(from); q != std::string::npos; q = line.find(from, q + 1))
        line.replace(q, from.size(), to);
    }
    onPage.push_back(line);
  }
  std::vector<std::string> printed;
  for (const std::string& line : run.OutLines()) {
    if (line.empty()) break;  // the summary follows
    printed.push_back(line.substr(line.find_first_not_of(' ')));
  }
  ASSERT_GT(printed.size(), 100u);
  EXPECT_EQ(onPage, printed);
}

TEST(ReportFile, AScenarioFileWithASeedAndThePluginGivesAPage) {
  const std::string page = campsim_test::TempPath("visit.html");
  const auto run =
      RunCampsimWith({std::string(CAMPFIRE_SOURCE_DIR) + "/examples/visit_charles.json", "--seed",
                      "3", "--plugin", CAMPFIRE_PLUGIN_PATH, "--quiet", "--report", page});
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string html = campsim_test::ReadText(page);
  EXPECT_NE(html.find("<title>Campfire: visit_charles.json</title>"), std::string::npos);
  EXPECT_NE(html.find("Charles: &quot;Talk&quot; held, the exchange begins"), std::string::npos);
}

TEST(ReportFile, ASoakHasNoPageAndABadPathCostsNoRun) {
  const auto soak = RunCampsimWith({"--soak", "90s", "--report", campsim_test::TempPath("s.html")});
  EXPECT_EQ(soak.code, 2);
  const auto bad = RunCampsimWith({"--report", "/nonexistent/dir/page.html"});
  EXPECT_EQ(bad.code, 2);
  EXPECT_NE(bad.err.find("/nonexistent/dir/page.html: cannot be written"), std::string::npos);
  EXPECT_TRUE(bad.out.empty());
}

}  // namespace
