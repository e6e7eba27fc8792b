#!/usr/bin/env bash
# The fuzzers, from the sanitizer build (the asan preset: clang with libFuzzer's coverage,
# AddressSanitizer and UndefinedBehaviorSanitizer, the same build the sanitizer suite runs):
# builds them, then lets both run side by side, a core each, for a bounded time: the fuzzed
# world for FUZZ_SECONDS (60 unless set), the fuzzed scenario files for SCENARIO_FUZZ_SECONDS
# (30 unless set). Extra arguments go to both fuzzers; --built, first, skips the packages
# and the build (the test command has just built them).
# New inputs are kept in build/fuzz/corpus and build/fuzz/scenario_corpus (fuzz/corpus and
# fuzz/scenario_corpus, the checked-in seeds, are only read); an input that makes a fuzzer
# fail is written to build/fuzz/artifacts or build/fuzz/scenario_artifacts and the script
# exits with the fuzzer's non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--built" ]; then
  shift
else
  scripts/install-deps.sh --tests
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz --target campfire_world_fuzzer campfire_scenario_fuzzer
fi
fuzzers=build/asan/fuzz
mkdir -p build/fuzz/corpus build/fuzz/artifacts \
  build/fuzz/scenario_corpus build/fuzz/scenario_artifacts
# The two run side by side, a core each; the scenario fuzzer's output is shown when both end.
scenario_log=build/fuzz/scenario_fuzzer.log
"$fuzzers/campfire_scenario_fuzzer" build/fuzz/scenario_corpus fuzz/scenario_corpus \
  -dict=fuzz/scenario.dict -max_len=4096 -timeout=30 \
  -max_total_time="${SCENARIO_FUZZ_SECONDS:-30}" -print_final_stats=1 \
  -artifact_prefix=build/fuzz/scenario_artifacts/ "$@" >"$scenario_log" 2>&1 &
scenario=$!
world_status=0
"$fuzzers/campfire_world_fuzzer" build/fuzz/corpus fuzz/corpus \
  -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 \
  -artifact_prefix=build/fuzz/artifacts/ "$@" || world_status=$?
scenario_status=0
wait "$scenario" || scenario_status=$?
echo "--- the scenario fuzzer ($scenario_log):"
if [ "$scenario_status" -eq 0 ]; then tail -n 20 "$scenario_log"; else cat "$scenario_log"; fi
[ "$world_status" -eq 0 ] || exit "$world_status"
exit "$scenario_status"
