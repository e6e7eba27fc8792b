// Reading a run of the plugin for the camp's scenery: calls since a mark, and points at an
// exact distance from a centre.
#pragma once

#include <cstddef>
#include <vector>

#include "sim/scenario/simulation.h"
#include "support/trace_queries.h"

namespace scenery_test {

using campfire_test::CallsOn;
using campfire_test::CallsSince;
using campfire_test::CountSince;
using campfire_test::DistancesTo;
using campfire_test::EastOf;
using campfire_test::FirstCallSince;
using campfire_test::IndexOfCallOn;

}  // namespace scenery_test
