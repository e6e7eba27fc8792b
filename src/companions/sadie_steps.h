// Sadie's routine table, step by step; campsim names her spots from it too.
#pragma once

#include <iterator>

#include "companions/homes.h"
#include "companions/routine.h"

namespace campfire {

namespace sadie_table {

using enum RoutineTask;

// clang-format off
inline constexpr RoutineStep kSadieSteps[] = {
    {.line = "GREET_PLAYER_MORNING_BEAVER", .lo = 2, .hi = 4,  // 0
     .task = GoTo, .point = kSadieHome.place, .speed = 2.0f, .timeoutMs = 120000,
     .next = 1, .delayMs = 120000},
    {.line = "CAMPFIRE_LEAVE_DOWN", .lo = 1, .hi = 4,  // 1
     .task = GoStraight, .point = {-1638.337f, -1363.413f, 84.416f}, .heading = 1.0f,
     .next = 2, .delayMs = 10000},
    {.line = "HOWS_IT_GOING", .lo = 1, .hi = 4,  // 2
     .task = GoTo, .point = {-1638.337f, -1363.413f, 84.416f}, .speed = 2.0f, .timeoutMs = 160000,
     .next = 3, .delayMs = 160000},
    {.line = "GREET_PLAYER_CAMPFIRE_DOWN", .lo = 1, .hi = 2,  // 3
     .task = GoStraight, .point = {-1625.937f, -1332.653f, 82.987f}, .heading = 1.0f,
     .next = 4, .delayMs = 30000},
    {.line = "GREET_PLAYER_CAMPFIRE_DOWN", .lo = 2, .hi = 3,  // 4
     .task = GoTo, .point = {-1625.937f, -1332.653f, 82.987f}, .speed = 2.0f, .timeoutMs = 160000,
     .next = 5, .delayMs = 160000},
    {.line = "CAMPFIRE_LEAVE", .lo = 1, .hi = 4,  // 5
     .task = GoStraight, .point = {-1586.893f, -1400.336f, 81.317f}, .heading = 1.0f,
     .next = 6, .delayMs = 60000},
    {.line = "GREET_MORNING_DOWN", .lo = 3, .hi = 4,  // 6
     .task = Scenario, .scenario = "WORLD_HUMAN_FEED_CHICKEN",
     .point = {-1586.893f, -1400.336f, 81.317f}, .heading = 350.517f, .durationMs = 120000,
     .next = 7, .delayMs = 120000},
    {.line = "RELIEVED_REACT", .lo = 1, .hi = 4,  // 7
     .task = Wander, .point = {-1662.104f, -1333.556f, 83.989f},
     .next = 8, .delayMs = 160000},
    {.line = "GREET_PLAYER_MORNING_BEAVER", .lo = 2, .hi = 4,  // 8
     .task = GoStraight, .point = {-1625.937f, -1332.653f, 82.987f}, .heading = 1.0f,
     .next = 9, .delayMs = 10000},
    {.line = "HOWS_IT_GOING_BEAVER", .lo = 1, .hi = 4,  // 9
     .task = GoTo, .point = {-1625.937f, -1332.653f, 82.987f}, .speed = 50.0f, .timeoutMs = 140000,
     .next = 10, .delayMs = 140000},
    {.line = "CAMPFIRE_LEAVE_DOWN", .lo = 1, .hi = 4,  // 10
     .task = GoStraight, .point = {-1638.337f, -1363.413f, 84.416f}, .heading = 1.0f,
     .next = 11, .delayMs = 10000},
    {.line = "GREET_PLAYER_MORNING_BEAVER", .lo = 2, .hi = 4,  // 11
     .task = GoTo, .point = {-1638.337f, -1363.413f, 84.416f}, .speed = 2.0f, .timeoutMs = 120000,
     .next = 12, .delayMs = 120000},
    {.line = "GREET_PLAYER_EVENING_DOWN", .lo = 3, .hi = 4,  // 12
     .task = GoStraight, .point = {-1662.104f, -1333.556f, 83.989f}, .heading = 1.0f,
     .next = 0, .delayMs = 10000},
};
// clang-format on

static_assert(std::size(kSadieSteps) == 13);
static_assert(IsClosedCycle(kSadieSteps));
static_assert(CycleDelayMs(kSadieSteps) == 1110000);

}  // namespace sadie_table

using sadie_table::kSadieSteps;

}  // namespace campfire
