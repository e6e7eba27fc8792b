// The playground in headless Chromium, played with real mouse and key events through the
// DevTools protocol (chromium_play.py): ride to Charles, click him, look at the page in each
// window size, hold Talk and let go over the greyed button while paused, see his first line
// in the bubble, save while paused. The saved file replays with campsim to the live run's
// very trace and timeline, and the page showed that timeline word for word, the save's last
// wait included.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "play/play_fixture.h"
#include "report/chromium.h"
#include "tools/campsim/camp/clock_text.h"
#include "tools/campsim/timeline/timeline.h"

namespace {

bool HaveBrowserDriver() {
  return std::system(
             "command -v chromium >/dev/null 2>&1 && "
             "/usr/bin/python3 -c 'import websocket' >/dev/null 2>&1") == 0;
}

TEST(PlayInChromium, RideToCharlesHoldTalkSaveAndReplay) {
  if (!report_test::OpensPages()) GTEST_SKIP() << "pages are opened by the dev build's tests";
  if (!HaveBrowserDriver())
    GTEST_FAIL() << "chromium and python3-websocket are needed: scripts/install-deps.sh --tests";
  play_test::Playground play(campsim::Scenario{}.world, /*idle=*/true, 8, /*paced=*/true);
  const std::string downloads = campsim_test::TempPath("play-downloads");
  std::filesystem::remove_all(downloads);
  std::filesystem::create_directories(downloads);
  const std::string out = campsim_test::TempPath("play-page.json");
  std::string sizes;
  for (const auto& screen : report_test::kScreens)
    sizes += (sizes.empty() ? "" : ",") + screen.Name();
  const std::string command = "timeout 150 /usr/bin/python3 " + std::string(CAMPFIRE_SOURCE_DIR) +
                              "/tests/play/chromium_play.py '" + play.origin +
                              "/?token=" + play.token + "' '" + downloads + "' '" + out +
                              "' --sizes " + sizes;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  play.Stop();

  const auto page = nlohmann::json::parse(campsim_test::ReadText(out));
  ASSERT_TRUE(page["saved"].get<bool>());
  for (const auto& screen : report_test::kScreens) {
    const auto& seen = page["fits"][screen.Name()];
    EXPECT_EQ(seen["faults"], nlohmann::json::array()) << screen.Name();
    EXPECT_GE(seen["buttons"].get<int>(), 2) << screen.Name() << ": Charles's prompts were shown";
  }
  // Far from the camp on foot, B, X and L each said in one line why they did nothing, as B
  // did by Charles, far from the wagon; the saved file holds no boarding and no getting out.
  const struct {
    const char* key;
    const char* said;
  } keys[] = {{"b", "B: "},
              {"x", "X: the player is on foot; there is nothing to get out of"},
              {"l", "L: "},
              {"b by Charles", "B: the wagon is "}};
  for (const auto& k : keys) {
    const std::string said = page["said"][k.key];
    EXPECT_EQ(said.rfind(k.said, 0), 0u) << k.key << ": " << said;
    EXPECT_EQ(said.find('\n'), std::string::npos) << said;
  }
  for (const auto& saved :
       nlohmann::json::parse(campsim_test::ReadText(downloads + "/playground.json"))["steps"]) {
    EXPECT_FALSE(saved.contains("board") || saved.contains("leave")) << saved;
  }
  // The mouse let go over the greyed Talk while the game stood: the hold ends there.
  EXPECT_EQ(page["released_ms"], page["paused_ms"]);
  const auto replayed =
      play_test::Replay(campsim_test::ReadText(downloads + "/playground.json"), "chromium");
  EXPECT_EQ(campsim_test::FirstDifference(campsim_test::ReadText(play.tracePath), replayed.trace),
            "");
  EXPECT_EQ(campsim_test::FirstDifference(play.run->TimelineText(), replayed.timeline), "");

  // The page's lines are the replay's, up to the moment it was saved.
  std::string shown;
  for (const auto& line : page["lines"]) {
    shown += campsim::TimelineLine(line[0].get<std::int64_t>(), line[1].get<std::string>());
  }
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(replayed.timeline.substr(0, shown.size()), shown);
  // The bubble held a line Charles says after Talk was pressed.
  const std::string bubble = page["bubble"];
  const auto pressed = shown.find("> press INPUT_CONTEXT_A");
  ASSERT_NE(pressed, std::string::npos) << shown;
  const auto said = shown.find("Charles says ", pressed);
  ASSERT_NE(said, std::string::npos) << shown;
  const std::string line = shown.substr(said, shown.find('\n', said) - said);
  EXPECT_NE(line.find(bubble.substr(bubble.find('"'))), std::string::npos)
      << "bubble: " << bubble << "\nline: " << line;
}

}  // namespace
