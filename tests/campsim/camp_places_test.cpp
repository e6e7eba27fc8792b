// campsim names the places of the plugin's own routine tables: every point a routine sends a
// companion to has a letter, so a spot moved in the plugin moves on the map and in words.
#include "sim/scenario/camp_places.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "companions/abe_steps.h"
#include "companions/charles_steps.h"
#include "companions/karen_steps.h"
#include "companions/routine_tables.h"
#include "companions/sadie_steps.h"
#include "delivery/delivery_run.h"
#include "scenery/scenery_table.h"
#include "tools/campsim/camp/camp_tables.h"
#include "tools/campsim/timeline/wording.h"

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
  // The points are the tests' routine table's (routine_tables.h), in the timeline's words.
  const auto words = [](sim::Vec3 p) {
    return fmt::format("({:.1f}, {:.1f}, {:.1f})", p.x, p.y, p.z);
  };
  EXPECT_EQ(campsim::PlaceWords("Charles", PointOf(campfire::kCharlesSteps[0])),
            "his home " + words(campfire_test::charles_points::A));
  EXPECT_EQ(campsim::PlaceWords("Charles", PointOf(campfire::kCharlesSteps[1])),
            "his spot B " + words(campfire_test::charles_points::B))
      << "Charles's spots are tests/companions/routine_tables.h's: update it if the move is "
         "intended";
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

// The scenarios' places are the plugin's tables'; the tests keep their own copy of each, apart
// on purpose. A place moved in the plugin is named here with both files, so that the mod
// maker changes the tests' copy on purpose.
struct PlacePair {
  const char* what;
  sim::Vec3 camp;
  const char* campTable;
  sim::Vec3 tests;
  const char* testsTable;
};

std::string Point(sim::Vec3 p) { return fmt::format("({:.3f}, {:.3f}, {:.3f})", p.x, p.y, p.z); }

TEST(CampPlaces, EveryPlaceOfTheCampIsTheTestsOwn) {
  namespace places = sim::places;
  namespace homes = campfire_test::homes;
  constexpr const char* kHomes = "src/companions/homes.h";
  constexpr const char* kTestHomes = "tests/companions/routine_tables.h";
  constexpr const char* kWagon = "src/delivery/supply_wagon_table.h";
  constexpr const char* kTestWagon = "tests/delivery/delivery_run.h";
  constexpr const char* kTestScenery = "tests/scenery/scenery_table.h";
  const PlacePair pairs[] = {
      {"Charles's home", places::kCharlesHome, kHomes, homes::Charles.at, kTestHomes},
      {"Sadie's home", places::kSadieHome, kHomes, homes::Sadie.at, kTestHomes},
      {"Karen's home", places::kKarenHome, kHomes, homes::Karen.at, kTestHomes},
      {"Abe's home", places::kAbeHome, kHomes, homes::Abe.at, kTestHomes},
      {"the props' centre (the first prop)", places::kPropsCentre, "src/scenery/props_table.h",
       scenery_test::kPropsCentre, kTestScenery},
      {"the tent's centre", places::kTentCentre, "src/scenery/campfire_tent.h",
       scenery_test::kTentCentre, kTestScenery},
      {"the tent's place", places::kTentPlacement, "src/scenery/campfire_tent.h",
       scenery_test::kTentPlacement, kTestScenery},
      {"the wagon's spot", places::kWagonSpot, kWagon, delivery_test::kWagonSpot, kTestWagon},
      {"the fence", places::kFence, kWagon, delivery_test::kFence, kTestWagon},
  };
  for (const PlacePair& p : pairs) {
    const bool same = p.camp.x == p.tests.x && p.camp.y == p.tests.y && p.camp.z == p.tests.z;
    EXPECT_TRUE(same) << p.what << ": the plugin's " << p.campTable << " has " << Point(p.camp)
                      << ", the tests' " << p.testsTable << " has " << Point(p.tests)
                      << ": update the tests' copy if the change is intended";
  }
  EXPECT_EQ(campfire::propsTable.size(), scenery_test::kPropCount)
      << scenery_test::PropCountNote(campfire::propsTable.size())
      << " (the plugin's are in src/scenery/props_table.h)";
  EXPECT_STREQ(places::kWagonModel, delivery_test::kWagonModel) << kWagon << " vs " << kTestWagon;
  EXPECT_STREQ(places::kWagonCargo, delivery_test::kCargo) << kWagon << " vs " << kTestWagon;
  EXPECT_STREQ(places::kTentPropset, scenery_test::kTentPropset)
      << "src/scenery/campfire_tent.h vs " << kTestScenery;
}

}  // namespace
