// The tour's report page in a real browser: at chosen moments the page must show what the
// run itself shows at that moment, and a picture of it must show the companions.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "campsim/campsim_run.h"
#include "report/chromium.h"
#include "report/png_image.h"
#include "tools/campsim/map/view.h"
#include "tools/campsim/run/camp_tour.h"
#include "tools/campsim/run/scenario_runner.h"

namespace {

using report_test::Tags;
using report_test::TextAfter;

constexpr std::array<const char*, 4> kCompanions = {"Charles", "Sadie", "Karen", "Abe"};

// Where each companion stood after every frame of a run of its own.
struct Frame {
  std::int64_t ms;
  std::array<std::optional<sim::Vec3>, 4> at;
};

class WhereEveryoneWas final : public campsim::FrameObserver {
 public:
  std::vector<Frame> frames;
  void AfterFrame(sim::Simulation& sim) override {
    Frame f{sim.world().ElapsedMs(), {}};
    for (std::size_t i = 0; i < kCompanions.size(); ++i) {
      if (const sim::Entity* e = sim.world().Find(sim.world().FindPedNamed(kCompanions[i])))
        f.at[i] = e->position;
    }
    frames.push_back(f);
  }
  // The last frame at or before ms: what a player would have seen then.
  const Frame& At(std::int64_t ms) const {
    std::size_t i = 0;
    while (i + 1 < frames.size() && frames[i + 1].ms <= ms) ++i;
    return frames[i];
  }
};

struct Line {
  std::int64_t ms;
  std::string text;
};

std::vector<Line> ReadTimeline(const std::string& path) {
  std::vector<Line> lines;
  for (const std::string& raw : campsim_test::CampsimRun::Lines(campsim_test::ReadText(path))) {
    const auto colon = raw.find(':');
    const std::int64_t ms = std::stoll(raw.substr(0, colon)) * 60'000 +
                            std::llround(std::stod(raw.substr(colon + 1, 6)) * 1000);
    lines.push_back(Line{ms, raw.substr(11)});
  }
  return lines;
}

class TourPage : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    page_ = report_test::OwnPath("tour_report.html");
    const std::string timeline = report_test::OwnPath("tour_report.timeline");
    const auto run =
        campsim_test::RunCampsimWith({"--quiet", "--report", page_, "--timeline", timeline});
    ASSERT_EQ(run.code, 0) << run.err;
    lines_ = ReadTimeline(timeline);

    const campsim::Scenario tour = campsim::CampTour();
    sim::SimulationOptions options;
    options.world = tour.world;
    options.record = false;
    sim::Simulation sim(options);
    campsim::ScenarioRunner runner(sim);
    runner.AddObserver(&truth_);
    ASSERT_TRUE(runner.Run(tour.steps));
  }
  void SetUp() override {
    if (!report_test::OpensPages()) GTEST_SKIP() << "pages are opened by the dev build's tests";
    if (!report_test::HaveChromium()) GTEST_FAIL() << "chromium is needed: scripts/install-deps.sh";
  }

  // The first line holding `needle`, from line `from` on.
  static std::size_t Find(const std::string& needle, std::size_t from = 0) {
    for (std::size_t i = from; i < lines_.size(); ++i) {
      if (lines_[i].text.find(needle) != std::string::npos) return i;
    }
    ADD_FAILURE() << "no line holds " << needle;
    return lines_.size() - 1;
  }
  static std::string Fragment(std::int64_t ms) {
    return "#t=" + std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100);
  }
  static std::int64_t Tenth(std::int64_t ms) { return ms / 100 * 100; }

  // Opens the page at ms and checks what every moment must hold: no script error, each
  // companion's marker where the run put her, the line of that moment highlighted.
  static std::string OpenAt(std::int64_t ms) {
    const std::string dom = report_test::DumpDom(page_, Fragment(ms));
    EXPECT_NE(dom.find("data-errors=\"\""), std::string::npos) << "a script error at " << ms;
    EXPECT_NE(dom.find("data-t=\"" + std::to_string(ms) + "\""), std::string::npos);
    const Frame& truth = truth_.At(ms);
    for (const auto& marker : Tags(dom, "<g class=\"marker\"")) {
      for (std::size_t i = 0; i < kCompanions.size(); ++i) {
        if (marker.at("data-name") != kCompanions[i]) continue;
        const bool shown = marker.at("data-present") == "1";
        EXPECT_EQ(shown, truth.at[i].has_value()) << kCompanions[i] << " at " << ms;
        if (!shown || !truth.at[i]) continue;
        EXPECT_NEAR(std::stod(marker.at("data-x")), truth.at[i]->x, 1.0) << kCompanions[i] << ms;
        EXPECT_NEAR(std::stod(marker.at("data-y")), truth.at[i]->y, 1.0) << kCompanions[i] << ms;
      }
    }
    std::string expected;
    for (const Line& line : lines_) {
      if (line.ms <= ms) expected = line.text;
    }
    const auto current = dom.find("class=\"current\"");
    EXPECT_NE(current, std::string::npos) << "no line highlighted at " << ms;
    if (current != std::string::npos) {
      EXPECT_EQ(TextAfter(dom.substr(current), "</time", "</li>"), expected) << "at " << ms;
    }
    return dom;
  }

  static std::string Bubble(const std::string& dom, const std::string& who) {
    for (const auto& b : Tags(dom, "<g class=\"bubble\"")) {
      if (b.at("data-name") == who) return b.at("data-text");
    }
    return "";
  }

  static std::string page_;
  static std::vector<Line> lines_;
  static WhereEveryoneWas truth_;
};
std::string TourPage::page_;
std::vector<Line> TourPage::lines_;
WhereEveryoneWas TourPage::truth_;

TEST_F(TourPage, ShowsTheLineBeingSpokenWhileItPlaysAndNotAfter) {
  const std::size_t held = Find("Charles: \"Talk\" held");
  const std::size_t first = Find("Charles says \"", held);
  std::string dom = OpenAt(Tenth(lines_[first].ms + 1000));
  EXPECT_EQ(Bubble(dom, "Charles"), lines_[first].text);

  // The exchange's last line of his, once it is over (a line lasts 2.5 s).
  const std::size_t ends = Find("Charles: the \"Talk\" exchange ends", first);
  std::size_t last = first;
  for (std::size_t i = first; i < ends; ++i) {
    if (lines_[i].text.starts_with("Charles says")) last = i;
  }
  const std::int64_t after = Tenth(lines_[last].ms + 2500 + 300);
  ASSERT_GT(lines_[Find("Charles says \"", last + 1)].ms, after) << "a line of his comes between";
  dom = OpenAt(after);
  EXPECT_EQ(Bubble(dom, "Charles"), "");
}

TEST_F(TourPage, ShowsTheObjectiveWhileTheWagonIsDrivenAndNotBefore) {
  const std::size_t shown = Find("objective shown: \"");
  const std::string& line = lines_[shown].text;
  const std::string objective = line.substr(18, line.size() - 19);
  std::string dom = OpenAt(Tenth(lines_[shown].ms + 5000));
  EXPECT_EQ(TextAfter(dom, "<p id=\"objective\"", "</p>"), objective);
  EXPECT_EQ(dom.find("<p id=\"objective\" class=\"state\" hidden"), std::string::npos);

  dom = OpenAt(Tenth(lines_[shown].ms - 3000));
  EXPECT_NE(dom.find("<p id=\"objective\" class=\"state\" hidden"), std::string::npos);
}

TEST_F(TourPage, PutsEveryoneWhereTheRunPutThemAtAnyMoment) {
  for (std::int64_t ms : {1'000, 12'300, 47'800, 131'100, 402'000, 450'000}) OpenAt(ms);
}

TEST_F(TourPage, APictureOfThePageShowsTheCompanionsMarkers) {
  const std::int64_t ms = Tenth(lines_[Find("Karen: \"Guard\" held")].ms + 4000);
  const std::string dom = OpenAt(ms);
  const std::string png = report_test::OwnPath("tour_report.png");
  ASSERT_EQ(report_test::RunChromium(page_, Fragment(ms), "--screenshot='" + png + "'",
                                     report_test::OwnPath("screenshot.log")),
            0);
  const report_test::Image image = report_test::ReadPng(png);
  ASSERT_GT(image.width, 0) << "not a PNG";

  std::set<std::uint32_t> colours;
  for (const auto& p : image.pixels) colours.insert((p.r << 16) | (p.g << 8) | p.b);
  EXPECT_GT(colours.size(), 100u) << "a blank picture";

  int seen = 0;
  for (const auto& marker : Tags(dom, "<g class=\"marker\"")) {
    if (marker.at("data-present") != "1" || marker.at("data-panel") != "camp-live") continue;
    const std::string& name = marker.at("data-name");
    if (name == "player" || name == "wagon") continue;
    const int x = std::stoi(marker.at("data-px"));
    const int y = std::stoi(marker.at("data-py"));
    ASSERT_TRUE(x >= 2 && y >= 2 && x < image.width - 2 && y < image.height - 2) << name;
    const auto colour = report_test::FromHex(campsim::StyleOf(name).colour);
    bool found = false;
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) found |= Near(image.At(x + dx, y + dy), colour, 24);
    }
    EXPECT_TRUE(found) << name << "'s marker is not to be seen at " << x << "," << y;
    ++seen;
  }
  EXPECT_EQ(seen, 4) << "every companion is in the camp then";
}

// A person's clicks and keys, played by a script added to a copy of the page.
TEST_F(TourPage, PlaysAtTheChosenSpeedStepsByEventsAndSharesTheMoment) {
  std::string html = campsim_test::ReadText(page_);
  const std::string driver = R"(<script>
    var root = document.documentElement;
    document.querySelector('[data-speed="60"]').click();
    document.getElementById('play').click();
    setTimeout(function () {
      document.getElementById('play').click();
      root.setAttribute('data-paused-at', root.getAttribute('data-t'));
      root.setAttribute('data-address', location.hash);
      document.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowRight'}));
      root.setAttribute('data-next', root.getAttribute('data-t'));
      document.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowLeft'}));
      root.setAttribute('data-back', root.getAttribute('data-t'));
    }, 1000);
  </script></body>)";
  html.replace(html.rfind("</body>"), 7, driver);
  const std::string copy = report_test::OwnPath("driven.html");
  campsim_test::WriteTemp(copy.substr(::testing::TempDir().size()), html);
  const std::string dom = report_test::DumpDom(copy, "#t=100");
  const auto root = report_test::Tags(dom, "<html").at(0);
  EXPECT_EQ(root.at("data-errors"), "");

  // A second of page time at 60x is a minute of the game's.
  const double paused = std::stod(root.at("data-paused-at"));
  EXPECT_NEAR(paused, 160'000, 3'000);
  // The address gives the moment in seconds to a tenth, rounded as the page rounds it.
  const long tenths = std::lround(paused / 100.0);
  EXPECT_EQ(root.at("data-address"),
            "#t=" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10));
  std::int64_t next = 0, before = 0;
  for (const Line& line : lines_) {
    if (next == 0 && line.ms > paused) next = line.ms;
    if (line.ms <= paused) before = line.ms;
  }
  EXPECT_EQ(std::stoll(root.at("data-next")), next);
  EXPECT_EQ(std::stoll(root.at("data-back")), before);
}

}  // namespace
