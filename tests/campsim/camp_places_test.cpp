// campsim names the places of the plugin's own routine tables: every point a routine sends a
// companion to has a letter, so a spot moved in the plugin moves on the map and in words.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "companions/abe_steps.h"
#include "companions/charles_steps.h"
#include "companions/karen_steps.h"
#include "companions/sadie_steps.h"
#include "tools/campsim/camp_tables.h"
#include "tools/campsim/wording.h"

namespace {

struct Routine {
  const char* who;
  std::span<const campfire::RoutineStep> steps;
};

const Routine kRoutines[] = {{"Charles", campfire::kCharlesSteps},
                             {"Sadie", campfire::kSadieSteps},
                             {"Karen", campfire::kKarenSteps},
                             {"Abe", campfire::kAbeSteps}};

sim::Vec3 PointOf(const campfire::RoutineStep& step) {
  return {step.point.x, step.point.y, step.point.z};
}

TEST(CampPlaces, EveryPointOfEveryRoutineIsALetteredSpot) {
  for (const Routine& r : kRoutines) {
    for (const campfire::RoutineStep& step : r.steps) {
      if (step.task == campfire::RoutineTask::GoStraightHome) continue;
      const campsim::RoutineSpot* spot = campsim::RoutineSpotAt(r.who, PointOf(step));
      ASSERT_NE(spot, nullptr) << r.who << " " << step.line;
      EXPECT_NE(spot->label, "?") << r.who << ": more spots than letters";
    }
  }
}

TEST(CampPlaces, SpotsAreLetteredInTheOrderTheRoutineFirstGoesThere) {
  EXPECT_EQ(campsim::PlaceWords("Charles", PointOf(campfire::kCharlesSteps[0])),
            "his home (-1589.9, -1438.4, 81.4)");
  EXPECT_EQ(campsim::PlaceWords("Charles", PointOf(campfire::kCharlesSteps[1])),
            "his spot B (-1563.8, -1416.4, 82.1)");
  EXPECT_EQ(campsim::RoutineSpotAt("Charles", PointOf(campfire::kCharlesSteps[17]))->label, "W");
  EXPECT_EQ(campsim::RoutineSpotAt("Karen", PointOf(campfire::kKarenSteps[0]))->label, "A");
  EXPECT_EQ(campsim::RoutineSpotAt("Abe", PointOf(campfire::kAbeSteps[0]))->label, "home");
  // A point of another companion's routine is no spot of hers.
  EXPECT_EQ(campsim::RoutineSpotAt("Sadie", PointOf(campfire::kCharlesSteps[1])), nullptr);
}

TEST(CampPlaces, ThePropsAndRemarkSpotsAreThePluginsOwn) {
  ASSERT_EQ(campsim::kProps.size(), campfire::propsTable.size());
  for (std::size_t i = 0; i < campsim::kProps.size(); ++i) {
    EXPECT_EQ(campsim::kProps[i].model, campfire::propsTable[i].model);
    EXPECT_EQ(campsim::kProps[i].at.x, campfire::propsTable[i].position.x);
  }
  ASSERT_EQ(campsim::kRemarkSpots.size(), campfire::locationRemarks.size());
  EXPECT_STREQ(campsim::kRemarkSpots[13].line, "SOOTH_HORSE");
}

}  // namespace
