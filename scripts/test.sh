#!/usr/bin/env bash
# Sets up, builds and runs every test headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
KVARNET_WERROR=ON "$root/scripts/setup.sh" "$root/build"
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
