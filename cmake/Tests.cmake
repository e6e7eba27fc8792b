# The tests and the benchmarks need packages the main job does not (scripts/install-deps.sh
# --tests installs them): without them the plugin and campsim still build, for the tour.
find_package(GTest QUIET)
find_package(benchmark QUIET)
if(NOT GTest_FOUND OR (CAMPFIRE_BENCH AND NOT benchmark_FOUND))
  if(CAMPFIRE_REQUIRE_TESTS)
    message(FATAL_ERROR "GoogleTest or Google Benchmark is missing: scripts/install-deps.sh --tests")
  endif()
  message(STATUS "GoogleTest or Google Benchmark is missing: the tests and benchmarks are not "
                 "built (scripts/install-deps.sh --tests installs them)")
  return()
endif()
add_subdirectory(tests)
if(CAMPFIRE_BENCH)
  add_subdirectory(bench)
endif()
