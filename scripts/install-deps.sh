#!/usr/bin/env bash
# Installs the Debian packages a command needs, if any is missing:
#   scripts/install-deps.sh          what the plugin, Campfire.asi and campsim need (the tour)
#   scripts/install-deps.sh --tests  that, and what the tests, the sanitizer build, the
#                                    fuzzers, the browser and the Windows tests add
set -euo pipefail

packages=(
  cmake ninja-build g++ g++-mingw-w64-x86-64-win32
  nlohmann-json3-dev libcli11-dev libfmt-dev libboost1.74-dev pkg-config
)
if [ "${1:-}" = "--tests" ]; then
  packages+=(
    clang libclang-rt-14-dev
    libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
    wine64 chromium librsvg2-bin zip unzip valgrind python3-websocket
  )
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--tests]" >&2
  exit 2
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
