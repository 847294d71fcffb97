#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
# Usage: scripts/setup.sh [build-dir]
#   KVARNET_WERROR=ON in the environment makes warnings errors (the tests and CI do).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKVARNET_WERROR="${KVARNET_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j"$(nproc)"
