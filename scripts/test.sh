#!/usr/bin/env bash
# The whole test suite: builds the plugin (native and Campfire.asi), the simulator, campsim
# and campsim.exe and runs every test, the Windows ones under wine and the report page's in
# Chromium; then builds the same suite once more with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), runs it, and lets the two fuzzers of that same build
# run for their time (FUZZ_SECONDS, 60 by default, and SCENARIO_FUZZ_SECONDS, 30). Tests run
# two at a time. At the end it prints where the time went.
set -euo pipefail
cd "$(dirname "$0")/.."

stages=()
stage() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" || status=$?
  stages+=("$(printf '%-30s %5d s' "$name" $((SECONDS - start)))")
  return $status
}
report() {
  local status=$?
  if [ ${#stages[@]} -gt 0 ]; then
    echo
    echo "Where the time went:"
    printf '  %s\n' "${stages[@]}"
    printf '  %-30s %5d s\n' "total" "$SECONDS"
  fi
  [ $status -eq 0 ] || echo "scripts/test.sh: stopped by a failure (status $status)" >&2
}
trap report EXIT
SECONDS=0

stage "packages" scripts/install-deps.sh --tests
stage "dev: configure" cmake --preset dev -DCAMPFIRE_REQUIRE_TESTS=ON
stage "dev: build" cmake --build --preset dev
stage "dev: tests" ctest --preset dev
stage "asan: configure" cmake --preset asan -DCAMPFIRE_REQUIRE_TESTS=ON
stage "asan: build" cmake --build --preset asan
stage "asan: tests" ctest --preset asan
stage "fuzzers" scripts/fuzz.sh --built
