#!/usr/bin/env bash
# The release: cross-builds Campfire.asi, campsim.exe and the stand-in host and packs the two
# zips into build/windows/package: Campfire-<version>.zip for players (Campfire.asi, the
# install guide, the licence and the changelog) and Campfire-modkit-<version>.zip for mod
# makers on Windows (campsim.exe, the stand-in host, Campfire.asi, the examples and a guide).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --workflow --preset package
ls build/windows/package/Campfire-*.zip
