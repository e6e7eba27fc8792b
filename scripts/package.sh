#!/usr/bin/env bash
# The players' release: cross-builds Campfire.asi and packs it with the install guide, the
# licence and the changelog into build/windows/package/Campfire-<version>.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --workflow --preset package
ls build/windows/package/Campfire-*.zip
