#!/usr/bin/env bash
# The fuzzed world: builds the plugin with libFuzzer's coverage, AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), then lets the fuzzer drive it for a bounded time,
# 60 s unless FUZZ_SECONDS says otherwise. Extra arguments go to the fuzzer.
# New inputs are kept in build/fuzz/corpus (fuzz/corpus, the checked-in seeds, is only
# read); an input that makes the plugin fail is written to build/fuzz/artifacts and the
# script exits with the fuzzer's non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus build/fuzz/artifacts
build/fuzz/fuzz/campfire_world_fuzzer build/fuzz/corpus fuzz/corpus \
  -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 \
  -artifact_prefix=build/fuzz/artifacts/ "$@"
