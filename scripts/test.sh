#!/usr/bin/env bash
# The whole test suite: builds the plugin (native and Campfire.asi), the simulator and
# campsim and runs every test; then the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer; then the fuzzed world for a bounded time (FUZZ_SECONDS,
# 60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --workflow --preset test
cmake --workflow --preset asan
scripts/fuzz.sh
