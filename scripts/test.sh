#!/usr/bin/env bash
# The whole test suite: builds the plugin (native and Campfire.asi), the simulator and
# campsim, then runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --workflow --preset test
