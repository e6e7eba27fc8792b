#!/usr/bin/env bash
# Makes docs/playground.png again: the playground in headless Chromium, played as its test
# plays it (ride to Charles, hold Talk), pictured with his line in the bubble.
set -euo pipefail
cd "$(dirname "$0")/.."
campsim=build/dev/tools/campsim/campsim
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
"$campsim" --play --port 0 >"$work/address" &
pid=$!
for _ in $(seq 100); do grep -q http "$work/address" && break; sleep 0.1; done
url=$(grep -o 'http://[0-9.:]*/?token=[0-9a-f]*' "$work/address")
timeout 120 /usr/bin/python3 tests/play/chromium_play.py "$url" "$work" "$work/page.json" \
  --picture docs/playground.png
echo "docs/playground.png written"
