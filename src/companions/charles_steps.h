// Charles's routine table, step by step; campsim names his spots from it too.
#pragma once

#include <iterator>

#include "companions/homes.h"
#include "companions/routine.h"

namespace campfire {

namespace charles_table {

using enum RoutineTask;

// clang-format off
inline constexpr RoutineStep kCharlesSteps[] = {
    {.line = "GREET_SECOND_RESPONSE_WORKING_CONV_DOWN", .lo = 1, .hi = 3,  // 0
     .task = GoTo, .point = kCharlesHome.place, .speed = 2.0f, .timeoutMs = 60000,
     .next = 1, .delayMs = 60000},
    {.line = "SPOT_RABBIT", .lo = 1, .hi = 3,  // 1
     .task = GoStraight, .point = {-1563.785f, -1416.354f, 82.115f}, .heading = 1.0f,
     .next = 2, .delayMs = 10000},
    {.line = "GREET_PLAYER_DEAD_ANIMAL", .lo = 2, .hi = 3,  // 2
     .task = GoTo, .point = {-1563.785f, -1416.354f, 82.115f}, .speed = 2.0f, .timeoutMs = 40000,
     .next = 3, .delayMs = 60000},
    {.line = "GREET_PLAYER_DEAD_ANIMAL_LARGE", .lo = 3, .hi = 4,  // 3
     .task = GoStraight, .point = {-1584.704f, -1405.335f, 81.252f}, .heading = 1.0f,
     .next = 4, .delayMs = 20000},
    {.line = "GREET_PLAYER_EVENING_DOWN", .lo = 1, .hi = 2,  // 4
     .task = GoTo, .point = {-1584.704f, -1405.335f, 81.252f}, .speed = 5.0f, .timeoutMs = 90000,
     .next = 5, .delayMs = 90000},
    {.line = "GREET_PLAYER_EVENING_COLTER", .lo = 1, .hi = 2,  // 5
     .task = GoStraight, .point = {-1604.970f, -1406.474f, 81.935f}, .heading = 1.0f,
     .next = 6, .delayMs = 20000},
    {.line = "GREET_PLAYER_FETCHING_WATER", .lo = 2, .hi = 3,  // 6
     .task = GoTo, .point = {-1604.970f, -1406.474f, 81.935f}, .speed = 2.0f, .timeoutMs = 60000,
     .next = 7, .delayMs = 60000},
    {.line = "GOING_BADLY_COLTER", .lo = 1, .hi = 2,  // 7
     .task = GoStraight, .point = {-1624.147f, -1331.240f, 82.970f}, .heading = 1.0f,
     .next = 8, .delayMs = 70000},
    {.line = "GREET_PLAYER_CHOPPING_WOOD", .lo = 2, .hi = 3,  // 8
     .task = UntilScenario, .point = {-1624.147f, -1331.240f, 82.970f},
     .speed = 5.0f, .timeoutMs = 120000,
     .next = 9, .delayMs = 120000},
    {.line = "GREET_PLAYER_CASUAL_DOWN", .lo = 5, .hi = 6,  // 9
     .task = GoStraight, .point = {-1647.476f, -1368.414f, 84.471f}, .heading = 1.0f,
     .next = 10, .delayMs = 25000},
    {.line = "CAMP_GOODBYE_DOWN", .lo = 1, .hi = 3,  // 10
     .task = UntilScenario, .point = {-1647.476f, -1368.414f, 84.471f},
     .speed = 5.0f, .timeoutMs = 120000,
     .next = 11, .delayMs = 120000},
    {.line = "GREET_ABIGAIL", .lo = 1, .hi = 4,  // 11
     .task = GoStraight, .point = {-1628.707f, -1333.827f, 82.987f}, .heading = 1.0f,
     .next = 12, .delayMs = 25000},
    {.line = "GREET_ARTHUR_SITDOWN_UPBEAT", .lo = 3, .hi = 4,  // 12
     .task = GoTo, .point = {-1628.707f, -1333.827f, 82.987f}, .speed = 10.0f, .timeoutMs = 130000,
     .next = 13, .delayMs = 130000},
    {.line = "CAMPFIRE_LEAVE", .lo = 1, .hi = 6,  // 13
     .task = GoStraight, .point = {-1662.335f, -1334.892f, 83.988f}, .heading = 2.0f,
     .next = 14, .delayMs = 20000},
    {.line = "GREET_PLAYER_EVENING_COLTER", .lo = 1, .hi = 2,  // 14
     .task = Scenario, .scenario = "WORLD_CAMP_FIRE_SEATED_GROUND",
     .point = {-1662.335f, -1334.892f, 83.988f}, .heading = 192.788f, .durationMs = 120000,
     .next = 15, .delayMs = 120000},
    {.line = "CAMPFIRE_LEAVE_UPBEAT", .lo = 1, .hi = 4,  // 15
     .task = GoStraight, .point = kCharlesHome.place, .heading = 1.0f,
     .next = 16, .delayMs = 60000},
    {.line = "CAMP_GOODBYE_BEAVER", .lo = 1, .hi = 3,  // 16
     .task = GoTo, .point = kCharlesHome.place, .speed = 5.0f, .timeoutMs = 70000,
     .next = 17, .delayMs = 70000},
    {.line = "EXIT_TO_GUARD", .lo = 1, .hi = 3,  // 17
     .task = Wander, .point = {-1660.773f, -1333.058f, 83.998f},
     .next = 0, .delayMs = 160000},
};
// clang-format on

static_assert(std::size(kCharlesSteps) == 18);
static_assert(IsClosedCycle(kCharlesSteps));
static_assert(CycleDelayMs(kCharlesSteps) == 1240000);

}  // namespace charles_table

using charles_table::kCharlesSteps;

}  // namespace campfire
