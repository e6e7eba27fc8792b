#!/usr/bin/env bash
# Makes docs/report.png again: the camp tour's report page as headless Chromium draws it,
# at 1280x800, a few seconds into Charles's "Talk" exchange.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
cmake --preset dev >/dev/null
cmake --build build/dev --target campsim
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/dev/tools/campsim/campsim --quiet --report "$work/tour.html" \
  --timeline "$work/tour.timeline" >/dev/null
at=$(grep -m1 'Charles: "Talk" held' "$work/tour.timeline" |
  awk '{ split($1, t, ":"); printf "%.1f", t[1] * 60 + t[2] + 3.5 }')
timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run --hide-scrollbars \
  --force-device-scale-factor=1 --window-size=1280,800 --virtual-time-budget=3000 \
  --user-data-dir="$work/profile" --screenshot="$PWD/docs/report.png" \
  "file://$work/tour.html#t=$at" 2>/dev/null
echo "docs/report.png: the tour at $at s"
