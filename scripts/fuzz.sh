#!/usr/bin/env bash
# The fuzzers: builds the plugin with libFuzzer's coverage, AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), then lets each fuzzer run for a bounded time: the
# fuzzed world for FUZZ_SECONDS (60 unless set), the fuzzed scenario files for
# SCENARIO_FUZZ_SECONDS (30 unless set). Extra arguments go to both fuzzers.
# New inputs are kept in build/fuzz/corpus and build/fuzz/scenario_corpus (fuzz/corpus and
# fuzz/scenario_corpus, the checked-in seeds, are only read); an input that makes a fuzzer
# fail is written to build/fuzz/artifacts or build/fuzz/scenario_artifacts and the script
# exits with the fuzzer's non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus build/fuzz/artifacts \
  build/fuzz/scenario_corpus build/fuzz/scenario_artifacts
build/fuzz/fuzz/campfire_world_fuzzer build/fuzz/corpus fuzz/corpus \
  -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 \
  -artifact_prefix=build/fuzz/artifacts/ "$@"
build/fuzz/fuzz/campfire_scenario_fuzzer build/fuzz/scenario_corpus fuzz/scenario_corpus \
  -dict=fuzz/scenario.dict -max_len=4096 -timeout=30 \
  -max_total_time="${SCENARIO_FUZZ_SECONDS:-30}" -print_final_stats=1 \
  -artifact_prefix=build/fuzz/scenario_artifacts/ "$@"
