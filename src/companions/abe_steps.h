// Abe's routine table, step by step; campsim names his spots from it too.
#pragma once

#include <iterator>

#include "companions/homes.h"
#include "companions/routine.h"

namespace campfire {

namespace abe_table {

using enum RoutineTask;

// clang-format off
inline constexpr RoutineStep kAbeSteps[] = {
    {.line = "CHAT_GOOD_WEATHER", .lo = 1, .hi = 2,  // 0
     .task = Scenario, .scenario = "WORLD_HUMAN_SIT_GUITAR",
     .point = kAbeHome.place, .heading = kAbeHome.heading, .durationMs = 120000,
     .next = 1, .delayMs = 120000},
    {.line = "GOODBYE_START", .lo = 1, .hi = 2,  // 1
     .task = GoStraight, .point = {-1665.364f, -1337.209f, 83.979f}, .heading = 1.0f,
     .next = 2, .delayMs = 20000},
    {.line = "CONVO_TAIL_OFF", .lo = 1, .hi = 3,  // 2
     .task = GoTo, .point = {-1665.364f, -1337.209f, 83.979f}, .speed = 2.0f, .timeoutMs = 130000,
     .next = 3, .delayMs = 130000},
    {.line = "GOODBYE_START_MOVING", .lo = 1, .hi = 2,  // 3
     .task = GoStraight, .point = {-1653.067f, -1361.263f, 84.464f}, .heading = 1.0f,
     .next = 4, .delayMs = 10000},
    {.line = "CHAT_1907", .lo = 1, .hi = 2,  // 4
     .task = Scenario, .scenario = "WORLD_HUMAN_WRITE_NOTEBOOK",
     .point = {-1653.067f, -1361.263f, 84.464f}, .heading = 146.255f, .durationMs = 90000,
     .next = 5, .delayMs = 90000},
    {.line = "CHAT_CHORES", .lo = 1, .hi = 5,  // 5
     .task = Wander, .point = {-1653.067f, -1361.263f, 84.464f},
     .next = 6, .delayMs = 180000},
    {.line = "CHAT_START_OF_DAY", .lo = 1, .hi = 2,  // 6
     .task = GoStraight, .point = {-1625.220f, -1330.060f, 82.980f}, .heading = 1.0f,
     .next = 7, .delayMs = 20000},
    {.line = "CHAT_CHORES", .lo = 1, .hi = 5,  // 7
     .task = GoTo, .point = {-1625.220f, -1330.060f, 82.980f}, .speed = 40.0f, .timeoutMs = 135000,
     .next = 8, .delayMs = 135000},
    {.line = "GOODBYE_PEDTYPE_CUSTOM", .lo = 1, .hi = 2,  // 8
     .task = GoStraight, .point = {-1597.163f, -1410.449f, 82.038f}, .heading = 1.0f,
     .next = 9, .delayMs = 60000},
    {.line = "CHAT_LIVESTOCK_NEUTRAL", .lo = 1, .hi = 4,  // 9
     .task = GoTo, .point = {-1597.163f, -1410.449f, 82.038f}, .speed = 2.0f, .timeoutMs = 60000,
     .next = 10, .delayMs = 80000},
    {.line = "RANCHER_CHAT_SELF_IDLE_CHORES", .lo = 1, .hi = 6,  // 10
     .task = GoStraight, .point = {-1660.777f, -1335.343f, 83.988f}, .heading = 1.0f,
     .next = 11, .delayMs = 80000},
    {.line = "CHAT_PEDTYPE_DIALOG", .lo = 1, .hi = 3,  // 11
     .task = Scenario, .scenario = "WORLD_HUMAN_SIT_GROUND_READING",
     .point = {-1660.777f, -1335.343f, 83.988f}, .heading = 151.302f, .durationMs = 160000,
     .next = 12, .delayMs = 160000},
    {.line = "GOODBYE_START", .lo = 1, .hi = 2,  // 12
     .task = GoStraight, .point = kAbeHome.place, .heading = 1.0f,
     .next = 0, .delayMs = 30000},
};
// clang-format on

static_assert(std::size(kAbeSteps) == 13);
static_assert(IsClosedCycle(kAbeSteps));
static_assert(CycleDelayMs(kAbeSteps) == 1115000);

}  // namespace abe_table

using abe_table::kAbeSteps;

}  // namespace campfire
