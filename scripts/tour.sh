#!/usr/bin/env bash
# The main job: builds the plugin and runs the camp tour in the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target campsim campfire_plugin
build/dev/tools/campsim/campsim "$@"
