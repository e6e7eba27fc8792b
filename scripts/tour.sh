#!/usr/bin/env bash
# The main job: builds the plugin and runs the camp tour in the simulator. Campfire.asi is
# rebuilt with it (where mingw-w64 is installed), so that the tests, which compare the two,
# never meet a stale one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target campsim campfire_plugins
build/dev/tools/campsim/campsim "$@"
