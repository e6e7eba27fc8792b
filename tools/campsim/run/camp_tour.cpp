#include "tools/campsim/run/camp_tour.h"

#include "sim/scenario/camp_places.h"

namespace campsim {

namespace {

constexpr float kRide = 8.0f;        // on horseback
constexpr float kWalk = 2.5f;        // on foot between companions
constexpr float kDrive = 25.0f;      // the wagon, quick so that the tour stays short
constexpr std::int32_t kHold = 800;  // the prompts confirm after 700 ms

}  // namespace

Scenario CampTour() {
  Scenario tour;
  tour.name = kCampTourName;
  tour.world.seed = 1;
  // South-east of the camp, out of every companion's reach.
  tour.world.playerStart = {-1330.0f, -1640.0f, 80.0f};
  tour.steps = {
      // Ride in: the tent and Charles first, then the rest of the camp.
      MoveStep{{-1596.0f, -1428.0f, 81.6f}, kRide},
      WaitStep{6000},
      // Charles: "Talk", five lines.
      TargetStep{"Charles"},
      HoldStep{"INPUT_CONTEXT_A", kHold},
      WaitStep{14000},
      ReleaseTargetStep{},
      // Karen: "Guard", nine lines.
      MoveStep{{-1655.0f, -1345.0f, 84.0f}, kWalk * 4},
      TargetStep{"Karen"},
      HoldStep{"INPUT_CONTEXT_Y", kHold},
      WaitStep{24000},
      ReleaseTargetStep{},
      // Sadie: "Hello", two lines.
      MoveStep{{-1644.0f, -1367.0f, 84.4f}, kWalk},
      TargetStep{"Sadie"},
      HoldStep{"INPUT_CONTEXT_RT", kHold},
      WaitStep{6000},
      ReleaseTargetStep{},
      // A remark spot, then on to the wagon.
      MoveStep{{-1637.012f, -1383.266f, 83.686f}, kWalk},
      WaitStep{1500},
      MoveStep{{-1619.0f, -1378.0f, 82.8f}, kWalk},
      BoardStep{},
      WaitStep{10000},  // the three ride remarks, then the objective
      MoveStep{{1400.0f, 250.0f, 89.6f}, kDrive},
      LeaveStep{},
      WaitStep{2000},  // delivered
      // Back past the camp, which comes to life again, and away until it is all gone.
      MoveStep{{-1600.0f, -1400.0f, 82.0f}, kDrive},
      WaitStep{3000},
      MoveStep{{-1250.0f, -1700.0f, 80.0f}, kRide * 2},
      WaitStep{3000},
  };
  return tour;
}

}  // namespace campsim
