#!/usr/bin/env bash
# Instructions per idle frame of the plugin against the null game, counted by callgrind and
# split by where they run: inside Campfire.so, in the host program (the simulated host and
# the null game), in the C library.
#
#   bench/callgrind_idle_frame.sh [build dir, default build/bench] [frames, default 10000]
set -euo pipefail
build=${1:-build/bench}
frames=${2:-10000}
runner="$build/bench/campfire_idle_frames"
[ -x "$runner" ] || { echo "no $runner: build the target campfire_idle_frames first" >&2; exit 2; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT
report=$(valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out" \
  "$runner" "$frames" 2>/dev/null)
natives=$(echo "$report" | awk '{print $3}')

callgrind_annotate --threshold=100 "$out" 2>/dev/null | awk -v frames="$frames" -v natives="$natives" '
  /^ *[0-9,]+ +\(/ && /\[/ {
    n = $1; gsub(",", "", n)
    obj = $NF; gsub(/[\[\]]/, "", obj); sub(/.*\//, "", obj)
    sum[obj] += n; total += n
  }
  END {
    printf "%d frames, %d natives (%.0f a frame)\n\n", frames, natives, natives / frames
    printf "%-28s %14s %12s\n", "where", "per frame", "per native"
    for (o in sum) printf "%-28s %14.0f %12.1f\n", o, sum[o] / frames, sum[o] / natives
    printf "%-28s %14.0f %12.1f\n", "all", total / frames, total / natives
  }'
