#!/usr/bin/env bash
# The main job: builds the plugin and runs the camp tour in the simulator. It installs and
# builds only what that needs: the native plugin, campsim, and Campfire.asi (where mingw-w64
# is installed), rebuilt with it so that the tests, which compare the two, never meet a
# stale one. The tests' packages and programs come with scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target campsim campfire_plugins
build/dev/tools/campsim/campsim "$@"
