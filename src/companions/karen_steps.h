// Karen's routine table, step by step; campsim names her spots from it too.
#pragma once

#include <iterator>

#include "companions/routine.h"

namespace campfire {

namespace karen_table {

using enum RoutineTask;

// clang-format off
inline constexpr RoutineStep kKarenSteps[] = {
    {.line = "SHOUT_TO_PEARSON", .lo = 1, .hi = 3,  // 0
     .task = GoStraight, .point = {-1652.365f, -1359.928f, 84.464f}, .heading = 1.0f,
     .next = 1, .delayMs = 10000},
    {.line = "CAMP_STORY_TRANSITION", .lo = 1, .hi = 3,  // 1
     .task = Scenario, .scenario = "WORLD_HUMAN_BROOM_WORKING",
     .point = {-1652.365f, -1359.928f, 84.464f}, .heading = 0.0f, .durationMs = 60000,
     .next = 2, .delayMs = 60000},
    {.line = "SHOUT_TO_PEARSON_ANNOYED", .lo = 1, .hi = 2,  // 2
     .task = GoStraight, .point = {-1639.188f, -1362.536f, 84.416f}, .heading = 1.0f,
     .next = 3, .delayMs = 15000},
    {.line = "RELIEVE_SCOUT_RESPONSE", .lo = 3, .hi = 4,  // 3
     .task = GoTo, .point = {-1639.188f, -1362.536f, 84.416f}, .speed = 2.0f, .timeoutMs = 160000,
     .next = 4, .delayMs = 160000},
    {.line = "RELIEVE_SCOUT", .lo = 3, .hi = 4,  // 4
     .task = GoStraight, .point = {-1641.403f, -1372.524f, 84.469f}, .heading = 1.0f,
     .next = 5, .delayMs = 10000},
    {.line = "RELIEVE_SCOUT", .lo = 1, .hi = 2,  // 5
     .task = Scenario, .scenario = "WORLD_HUMAN_BROOM_WORKING",
     .point = {-1641.403f, -1372.524f, 84.469f}, .heading = 0.0f, .durationMs = 60000,
     .next = 6, .delayMs = 60000},
    {.line = "GREET_ABIGAIL_DRUNK", .lo = 1, .hi = 4,  // 6
     .task = GoStraight, .point = {-1641.301f, -1361.929f, 84.416f}, .heading = 1.0f,
     .next = 7, .delayMs = 20000},
    {.line = "GREET_UNCLE_UPBEAT", .lo = 2, .hi = 3,  // 7
     .task = Scenario, .scenario = "WORLD_HUMAN_POCKET_MIRROR",
     .point = {-1641.301f, -1361.929f, 84.416f}, .heading = 0.0f, .durationMs = 120000,
     .next = 8, .delayMs = 120000},
    {.line = "CAMPFIRE_LEAVE", .lo = 1, .hi = 4,  // 8
     .task = GoStraight, .point = {-1605.571f, -1419.890f, 81.867f}, .heading = 1.0f,
     .next = 9, .delayMs = 85000},
    {.line = "CAMPFIRE_LEAVE_UPBEAT", .lo = 1, .hi = 4,  // 9
     .task = Scenario, .scenario = "WORLD_HUMAN_FEED_CHICKEN",
     .point = {-1605.571f, -1419.890f, 81.867f}, .heading = 270.242f, .durationMs = 120000,
     .next = 10, .delayMs = 120000},
    {.line = "CAMP_GOODBYE_DOWN", .lo = 1, .hi = 3,  // 10
     .task = GoStraight, .point = {-1606.370f, -1407.861f, 81.936f}, .heading = 1.0f,
     .next = 11, .delayMs = 20000},
    {.line = "GREET_PLAYER_MOVING_BALES", .lo = 2, .hi = 3,  // 11
     .task = GoTo, .point = {-1606.370f, -1407.861f, 81.936f}, .speed = 2.0f, .timeoutMs = 120000,
     .next = 12, .delayMs = 120000},
    {.line = "GREET_PLAYER_EVENING_DOWN", .lo = 3, .hi = 4,  // 12
     .task = GoStraight, .point = {-1629.085f, -1332.626f, 82.987f}, .heading = 1.0f,
     .next = 13, .delayMs = 65000},
    {.line = "GREET_PLAYER_EVENING_DRUNK", .lo = 3, .hi = 4,  // 13
     .task = GoTo, .point = {-1629.085f, -1332.626f, 82.987f}, .speed = 5.0f, .timeoutMs = 60000,
     .next = 14, .delayMs = 60000},
    {.line = "CAMPFIRE_LEAVE", .lo = 1, .hi = 4,  // 14
     .task = GoStraight, .point = {-1647.128f, -1347.008f, 84.064f}, .heading = 1.0f,
     .next = 15, .delayMs = 20000},
    {.line = "CAMP_STORY_RESPONSE_SAD", .lo = 2, .hi = 4,  // 15
     .task = Scenario, .scenario = "WORLD_HUMAN_POCKET_MIRROR",
     .point = {-1647.128f, -1347.008f, 84.064f}, .heading = 0.0f, .durationMs = 60000,
     .next = 16, .delayMs = 60000},
    {.line = "CAMP_GOODBYE_DOWN", .lo = 1, .hi = 3,  // 16
     .task = GoStraight, .point = {-1641.301f, -1361.929f, 84.416f}, .heading = 1.0f,
     .next = 17, .delayMs = 20000},
    {.line = "CAMP_STORY_TRANSITION", .lo = 1, .hi = 4,  // 17
     .task = Scenario, .scenario = "WORLD_HUMAN_WRITE_NOTEBOOK",
     .point = {-1641.301f, -1361.929f, 84.416f}, .heading = 0.0f, .durationMs = 60000,
     .next = 18, .delayMs = 60000},
    {.line = "RELIEVE_SCOUT", .lo = 1, .hi = 2,  // 18
     .task = GoStraight, .point = {-1581.871f, -1420.165f, 81.449f}, .heading = 1.0f,
     .next = 19, .delayMs = 70000},
    {.line = "GOING_BADLY", .lo = 2, .hi = 4,  // 19
     .task = Wander, .point = {-1581.871f, -1420.165f, 81.449f},
     .next = 20, .delayMs = 90000},
    {.line = "DISMISSIVE_REACT", .lo = 2, .hi = 4,  // 20
     .task = GoStraightHome, .heading = 1.0f,
     .next = 0, .delayMs = 60000},
};
// clang-format on

static_assert(std::size(kKarenSteps) == 21);
static_assert(IsClosedCycle(kKarenSteps));
static_assert(CycleDelayMs(kKarenSteps) == 1305000);

}  // namespace karen_table

using karen_table::kKarenSteps;

}  // namespace campfire
