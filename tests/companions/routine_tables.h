// The four routines as the companions are meant to live them: per step the line and its
// variation bounds, the task with its values, the next step and the delay before it.
#pragma once

#include <cstdint>
#include <span>

#include "sim/host/native_call.h"

namespace campfire_test {

enum class Task : std::uint8_t {
  GoTo,            // TaskGoToCoord(at, speed, timeout)
  GoStraight,      // TaskGoStraightToCoord(at, heading)
  Scenario,        // TaskStartScenarioAtPosition(scenario, at, heading, duration)
  Wander,          // TaskWanderInArea(at)
  GoStraightHome,  // TaskGoStraightToCoord(Karen's home, heading)
  UntilScenario,   // no task once the ped uses a scenario, else a retry walk to `at`
};

struct ExpectedStep {
  const char* line;
  std::int32_t lo;
  std::int32_t hi;
  Task task;
  sim::Vec3 at;
  float speed = 0.0f;  // GoTo
  std::int32_t timeoutMs = 0;
  float heading = 0.0f;  // GoStraight, Scenario
  const char* scenario = nullptr;
  std::int32_t durationMs = 0;
  std::int32_t next = 0;
  std::int32_t delayMs = 0;
};

// The last three integers of a companion's TaskGoToCoord.
struct GoToTail {
  std::int32_t a, b, c;
};

struct ExpectedRoutine {
  const char* companion;
  std::span<const ExpectedStep> steps;
  GoToTail tail;
};

// The companions' homes and the headings they are made facing: the tests' one copy. Each
// routine's point A (Karen's Home) is its companion's home.
struct HomeRow {
  sim::Vec3 at;
  float heading;
};
namespace homes {
inline constexpr HomeRow Charles{{-1589.915f, -1438.418f, 81.434f}, 34.0f};
inline constexpr HomeRow Sadie{{-1647.547f, -1369.594f, 84.469f}, 90.0f};
inline constexpr HomeRow Karen{{-1660.454f, -1341.292f, 83.997f}, 0.0f};
inline constexpr HomeRow Abe{{-1625.389f, -1330.339f, 82.981f}, 123.477f};
}  // namespace homes

namespace charles_points {
inline constexpr sim::Vec3 A = homes::Charles.at;
inline constexpr sim::Vec3 B{-1563.785f, -1416.354f, 82.115f};
inline constexpr sim::Vec3 C{-1584.704f, -1405.335f, 81.252f};
inline constexpr sim::Vec3 D{-1604.970f, -1406.474f, 81.935f};
inline constexpr sim::Vec3 E{-1624.147f, -1331.240f, 82.970f};
inline constexpr sim::Vec3 F{-1647.476f, -1368.414f, 84.471f};
inline constexpr sim::Vec3 G{-1628.707f, -1333.827f, 82.987f};
inline constexpr sim::Vec3 H{-1662.335f, -1334.892f, 83.988f};
inline constexpr sim::Vec3 W{-1660.773f, -1333.058f, 83.998f};
}  // namespace charles_points

// Charles's steps 8 and 10 retry with this walk every 5000 ms until he uses a scenario.
inline constexpr float kRetrySpeed = 5.0f;
inline constexpr std::int32_t kRetryTimeoutMs = 120000;
inline constexpr std::int32_t kRetryDelayMs = 5000;

// clang-format off
inline constexpr ExpectedStep kCharlesSteps[] = {
  // line, lo, hi, task, at, speed, timeout, heading, scenario, duration, next, delay
  {"GREET_SECOND_RESPONSE_WORKING_CONV_DOWN", 1, 3, Task::GoTo, charles_points::A, 2.0f, 60000, 0, nullptr, 0, 1, 60000},
  {"SPOT_RABBIT", 1, 3, Task::GoStraight, charles_points::B, 0, 0, 1.0f, nullptr, 0, 2, 10000},
  {"GREET_PLAYER_DEAD_ANIMAL", 2, 3, Task::GoTo, charles_points::B, 2.0f, 40000, 0, nullptr, 0, 3, 60000},
  {"GREET_PLAYER_DEAD_ANIMAL_LARGE", 3, 4, Task::GoStraight, charles_points::C, 0, 0, 1.0f, nullptr, 0, 4, 20000},
  {"GREET_PLAYER_EVENING_DOWN", 1, 2, Task::GoTo, charles_points::C, 5.0f, 90000, 0, nullptr, 0, 5, 90000},
  {"GREET_PLAYER_EVENING_COLTER", 1, 2, Task::GoStraight, charles_points::D, 0, 0, 1.0f, nullptr, 0, 6, 20000},
  {"GREET_PLAYER_FETCHING_WATER", 2, 3, Task::GoTo, charles_points::D, 2.0f, 60000, 0, nullptr, 0, 7, 60000},
  {"GOING_BADLY_COLTER", 1, 2, Task::GoStraight, charles_points::E, 0, 0, 1.0f, nullptr, 0, 8, 70000},
  {"GREET_PLAYER_CHOPPING_WOOD", 2, 3, Task::UntilScenario, charles_points::E, 0, 0, 0, nullptr, 0, 9, 120000},
  {"GREET_PLAYER_CASUAL_DOWN", 5, 6, Task::GoStraight, charles_points::F, 0, 0, 1.0f, nullptr, 0, 10, 25000},
  {"CAMP_GOODBYE_DOWN", 1, 3, Task::UntilScenario, charles_points::F, 0, 0, 0, nullptr, 0, 11, 120000},
  {"GREET_ABIGAIL", 1, 4, Task::GoStraight, charles_points::G, 0, 0, 1.0f, nullptr, 0, 12, 25000},
  {"GREET_ARTHUR_SITDOWN_UPBEAT", 3, 4, Task::GoTo, charles_points::G, 10.0f, 130000, 0, nullptr, 0, 13, 130000},
  {"CAMPFIRE_LEAVE", 1, 6, Task::GoStraight, charles_points::H, 0, 0, 2.0f, nullptr, 0, 14, 20000},
  {"GREET_PLAYER_EVENING_COLTER", 1, 2, Task::Scenario, charles_points::H, 0, 0, 192.788f, "WORLD_CAMP_FIRE_SEATED_GROUND", 120000, 15, 120000},
  {"CAMPFIRE_LEAVE_UPBEAT", 1, 4, Task::GoStraight, charles_points::A, 0, 0, 1.0f, nullptr, 0, 16, 60000},
  {"CAMP_GOODBYE_BEAVER", 1, 3, Task::GoTo, charles_points::A, 5.0f, 70000, 0, nullptr, 0, 17, 70000},
  {"EXIT_TO_GUARD", 1, 3, Task::Wander, charles_points::W, 0, 0, 0, nullptr, 0, 0, 160000},
};
// clang-format on

namespace sadie_points {
inline constexpr sim::Vec3 A = homes::Sadie.at;
inline constexpr sim::Vec3 B{-1638.337f, -1363.413f, 84.416f};
inline constexpr sim::Vec3 C{-1625.937f, -1332.653f, 82.987f};
inline constexpr sim::Vec3 D{-1586.893f, -1400.336f, 81.317f};
inline constexpr sim::Vec3 E{-1662.104f, -1333.556f, 83.989f};
}  // namespace sadie_points

// clang-format off
inline constexpr ExpectedStep kSadieSteps[] = {
  {"GREET_PLAYER_MORNING_BEAVER", 2, 4, Task::GoTo, sadie_points::A, 2.0f, 120000, 0, nullptr, 0, 1, 120000},
  {"CAMPFIRE_LEAVE_DOWN", 1, 4, Task::GoStraight, sadie_points::B, 0, 0, 1.0f, nullptr, 0, 2, 10000},
  {"HOWS_IT_GOING", 1, 4, Task::GoTo, sadie_points::B, 2.0f, 160000, 0, nullptr, 0, 3, 160000},
  {"GREET_PLAYER_CAMPFIRE_DOWN", 1, 2, Task::GoStraight, sadie_points::C, 0, 0, 1.0f, nullptr, 0, 4, 30000},
  {"GREET_PLAYER_CAMPFIRE_DOWN", 2, 3, Task::GoTo, sadie_points::C, 2.0f, 160000, 0, nullptr, 0, 5, 160000},
  {"CAMPFIRE_LEAVE", 1, 4, Task::GoStraight, sadie_points::D, 0, 0, 1.0f, nullptr, 0, 6, 60000},
  {"GREET_MORNING_DOWN", 3, 4, Task::Scenario, sadie_points::D, 0, 0, 350.517f, "WORLD_HUMAN_FEED_CHICKEN", 120000, 7, 120000},
  {"RELIEVED_REACT", 1, 4, Task::Wander, sadie_points::E, 0, 0, 0, nullptr, 0, 8, 160000},
  {"GREET_PLAYER_MORNING_BEAVER", 2, 4, Task::GoStraight, sadie_points::C, 0, 0, 1.0f, nullptr, 0, 9, 10000},
  {"HOWS_IT_GOING_BEAVER", 1, 4, Task::GoTo, sadie_points::C, 50.0f, 140000, 0, nullptr, 0, 10, 140000},
  {"CAMPFIRE_LEAVE_DOWN", 1, 4, Task::GoStraight, sadie_points::B, 0, 0, 1.0f, nullptr, 0, 11, 10000},
  {"GREET_PLAYER_MORNING_BEAVER", 2, 4, Task::GoTo, sadie_points::B, 2.0f, 120000, 0, nullptr, 0, 12, 120000},
  {"GREET_PLAYER_EVENING_DOWN", 3, 4, Task::GoStraight, sadie_points::E, 0, 0, 1.0f, nullptr, 0, 0, 10000},
};
// clang-format on

namespace karen_points {
inline constexpr sim::Vec3 A{-1652.365f, -1359.928f, 84.464f};
inline constexpr sim::Vec3 B{-1639.188f, -1362.536f, 84.416f};
inline constexpr sim::Vec3 C{-1641.403f, -1372.524f, 84.469f};
inline constexpr sim::Vec3 D{-1641.301f, -1361.929f, 84.416f};
inline constexpr sim::Vec3 E{-1605.571f, -1419.890f, 81.867f};
inline constexpr sim::Vec3 F{-1606.370f, -1407.861f, 81.936f};
inline constexpr sim::Vec3 G{-1629.085f, -1332.626f, 82.987f};
inline constexpr sim::Vec3 H{-1647.128f, -1347.008f, 84.064f};
inline constexpr sim::Vec3 I{-1581.871f, -1420.165f, 81.449f};
inline constexpr sim::Vec3 Home = homes::Karen.at;
}  // namespace karen_points

// clang-format off
inline constexpr ExpectedStep kKarenSteps[] = {
  {"SHOUT_TO_PEARSON", 1, 3, Task::GoStraight, karen_points::A, 0, 0, 1.0f, nullptr, 0, 1, 10000},
  {"CAMP_STORY_TRANSITION", 1, 3, Task::Scenario, karen_points::A, 0, 0, 0.0f, "WORLD_HUMAN_BROOM_WORKING", 60000, 2, 60000},
  {"SHOUT_TO_PEARSON_ANNOYED", 1, 2, Task::GoStraight, karen_points::B, 0, 0, 1.0f, nullptr, 0, 3, 15000},
  {"RELIEVE_SCOUT_RESPONSE", 3, 4, Task::GoTo, karen_points::B, 2.0f, 160000, 0, nullptr, 0, 4, 160000},
  {"RELIEVE_SCOUT", 3, 4, Task::GoStraight, karen_points::C, 0, 0, 1.0f, nullptr, 0, 5, 10000},
  {"RELIEVE_SCOUT", 1, 2, Task::Scenario, karen_points::C, 0, 0, 0.0f, "WORLD_HUMAN_BROOM_WORKING", 60000, 6, 60000},
  {"GREET_ABIGAIL_DRUNK", 1, 4, Task::GoStraight, karen_points::D, 0, 0, 1.0f, nullptr, 0, 7, 20000},
  {"GREET_UNCLE_UPBEAT", 2, 3, Task::Scenario, karen_points::D, 0, 0, 0.0f, "WORLD_HUMAN_POCKET_MIRROR", 120000, 8, 120000},
  {"CAMPFIRE_LEAVE", 1, 4, Task::GoStraight, karen_points::E, 0, 0, 1.0f, nullptr, 0, 9, 85000},
  {"CAMPFIRE_LEAVE_UPBEAT", 1, 4, Task::Scenario, karen_points::E, 0, 0, 270.242f, "WORLD_HUMAN_FEED_CHICKEN", 120000, 10, 120000},
  {"CAMP_GOODBYE_DOWN", 1, 3, Task::GoStraight, karen_points::F, 0, 0, 1.0f, nullptr, 0, 11, 20000},
  {"GREET_PLAYER_MOVING_BALES", 2, 3, Task::GoTo, karen_points::F, 2.0f, 120000, 0, nullptr, 0, 12, 120000},
  {"GREET_PLAYER_EVENING_DOWN", 3, 4, Task::GoStraight, karen_points::G, 0, 0, 1.0f, nullptr, 0, 13, 65000},
  {"GREET_PLAYER_EVENING_DRUNK", 3, 4, Task::GoTo, karen_points::G, 5.0f, 60000, 0, nullptr, 0, 14, 60000},
  {"CAMPFIRE_LEAVE", 1, 4, Task::GoStraight, karen_points::H, 0, 0, 1.0f, nullptr, 0, 15, 20000},
  {"CAMP_STORY_RESPONSE_SAD", 2, 4, Task::Scenario, karen_points::H, 0, 0, 0.0f, "WORLD_HUMAN_POCKET_MIRROR", 60000, 16, 60000},
  {"CAMP_GOODBYE_DOWN", 1, 3, Task::GoStraight, karen_points::D, 0, 0, 1.0f, nullptr, 0, 17, 20000},
  {"CAMP_STORY_TRANSITION", 1, 4, Task::Scenario, karen_points::D, 0, 0, 0.0f, "WORLD_HUMAN_WRITE_NOTEBOOK", 60000, 18, 60000},
  {"RELIEVE_SCOUT", 1, 2, Task::GoStraight, karen_points::I, 0, 0, 1.0f, nullptr, 0, 19, 70000},
  {"GOING_BADLY", 2, 4, Task::Wander, karen_points::I, 0, 0, 0, nullptr, 0, 20, 90000},
  {"DISMISSIVE_REACT", 2, 4, Task::GoStraightHome, karen_points::Home, 0, 0, 1.0f, nullptr, 0, 0, 60000},
};
// clang-format on

namespace abe_points {
inline constexpr sim::Vec3 A = homes::Abe.at;
inline constexpr sim::Vec3 B{-1665.364f, -1337.209f, 83.979f};
inline constexpr sim::Vec3 C{-1653.067f, -1361.263f, 84.464f};
inline constexpr sim::Vec3 D{-1625.220f, -1330.060f, 82.980f};
inline constexpr sim::Vec3 E{-1597.163f, -1410.449f, 82.038f};
inline constexpr sim::Vec3 F{-1660.777f, -1335.343f, 83.988f};
}  // namespace abe_points

// clang-format off
inline constexpr ExpectedStep kAbeSteps[] = {
  {"CHAT_GOOD_WEATHER", 1, 2, Task::Scenario, abe_points::A, 0, 0, homes::Abe.heading, "WORLD_HUMAN_SIT_GUITAR", 120000, 1, 120000},
  {"GOODBYE_START", 1, 2, Task::GoStraight, abe_points::B, 0, 0, 1.0f, nullptr, 0, 2, 20000},
  {"CONVO_TAIL_OFF", 1, 3, Task::GoTo, abe_points::B, 2.0f, 130000, 0, nullptr, 0, 3, 130000},
  {"GOODBYE_START_MOVING", 1, 2, Task::GoStraight, abe_points::C, 0, 0, 1.0f, nullptr, 0, 4, 10000},
  {"CHAT_1907", 1, 2, Task::Scenario, abe_points::C, 0, 0, 146.255f, "WORLD_HUMAN_WRITE_NOTEBOOK", 90000, 5, 90000},
  {"CHAT_CHORES", 1, 5, Task::Wander, abe_points::C, 0, 0, 0, nullptr, 0, 6, 180000},
  {"CHAT_START_OF_DAY", 1, 2, Task::GoStraight, abe_points::D, 0, 0, 1.0f, nullptr, 0, 7, 20000},
  {"CHAT_CHORES", 1, 5, Task::GoTo, abe_points::D, 40.0f, 135000, 0, nullptr, 0, 8, 135000},
  {"GOODBYE_PEDTYPE_CUSTOM", 1, 2, Task::GoStraight, abe_points::E, 0, 0, 1.0f, nullptr, 0, 9, 60000},
  {"CHAT_LIVESTOCK_NEUTRAL", 1, 4, Task::GoTo, abe_points::E, 2.0f, 60000, 0, nullptr, 0, 10, 80000},
  {"RANCHER_CHAT_SELF_IDLE_CHORES", 1, 6, Task::GoStraight, abe_points::F, 0, 0, 1.0f, nullptr, 0, 11, 80000},
  {"CHAT_PEDTYPE_DIALOG", 1, 3, Task::Scenario, abe_points::F, 0, 0, 151.302f, "WORLD_HUMAN_SIT_GROUND_READING", 160000, 12, 160000},
  {"GOODBYE_START", 1, 2, Task::GoStraight, abe_points::A, 0, 0, 1.0f, nullptr, 0, 0, 30000},
};
// clang-format on

inline constexpr ExpectedRoutine kCharlesRoutine{"Charles", kCharlesSteps, {1, 1, 1}};
inline constexpr ExpectedRoutine kSadieRoutine{"Sadie", kSadieSteps, {0, 1, 0}};
inline constexpr ExpectedRoutine kKarenRoutine{"Karen", kKarenSteps, {1, 1, 1}};
inline constexpr ExpectedRoutine kAbeRoutine{"Abe", kAbeSteps, {0, 0, 0}};

}  // namespace campfire_test
