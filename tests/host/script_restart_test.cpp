// The host dropping the script where it stands and calling it again, as after a reload of
// the game or a restart of the host's scripts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/host_interface.h"
#include "game/invoke.h"
#include "game/natives.h"
#include "sim/host/json_trace.h"
#include "support/script_harness.h"

namespace {

using campfire_test::ScriptHarness;

int starts = 0;
int unwound = 0;
int waitsDone = 0;

struct CountsUnwinding {
  ~CountsUnwinding() { ++unwound; }
};

void WaitingScript() {
  ++starts;
  CountsUnwinding guard;
  for (;;) {
    scriptWait(1000);
    ++waitsDone;
  }
}

TEST(ScriptRestart, TheScriptIsDroppedWithoutUnwindingAndCalledAgainInTheNextFrame) {
  starts = unwound = waitsDone = 0;
  ScriptHarness harness(WaitingScript);
  harness.RunFrames(3);
  ASSERT_EQ(starts, 1);
  ASSERT_TRUE(harness.host().Waiting());

  harness.host().RestartScript(true);
  EXPECT_FALSE(harness.host().Waiting());
  EXPECT_EQ(starts, 1) << "nothing runs until the next frame";
  harness.RunFrames(1);
  EXPECT_EQ(starts, 2) << "called again at once, whatever the old wait had left";
  EXPECT_EQ(unwound, 0) << "nothing on the dropped stack is unwound";
  EXPECT_EQ(waitsDone, 0) << "the dropped script never resumes";
  harness.RunFrames(40);
  EXPECT_EQ(waitsDone, 1) << "the new start waits its own second";
  EXPECT_FALSE(harness.host().Failed()) << harness.host().Error();
}

TEST(ScriptRestart, TheTraceMarksReloadsAndRestarts) {
  ScriptHarness harness([] { campfire::Invoke<std::int32_t>(campfire::natives::GetGameTimer); });
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  {
    sim::JsonTraceWriter writer(file);
    harness.host().AddSink(&writer);
    harness.RunFrames(2);
    harness.host().RestartScript(true);
    harness.RunFrames(1);
    harness.host().RestartScript(false);
    harness.RunFrames(1);
    harness.host().RemoveSink(&writer);
  }
  std::rewind(file);
  std::vector<std::string> marks;
  char line[512];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    const std::string text = line;
    if (text.find("\"reload\"") != std::string::npos ||
        text.find("\"restart\"") != std::string::npos) {
      marks.push_back(text);
    }
  }
  std::fclose(file);
  const std::int32_t clock = sim::WorldSettings{}.startClock;
  const std::int32_t frame = sim::WorldSettings{}.frameMs;
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0],
            "{\"frame\":3,\"clock\":" + std::to_string(clock + 2 * frame) + ",\"reload\":true}\n");
  EXPECT_EQ(marks[1],
            "{\"frame\":4,\"clock\":" + std::to_string(clock + 3 * frame) + ",\"restart\":true}\n");
}

}  // namespace
