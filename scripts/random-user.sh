#!/usr/bin/env bash
# The long run of the random user: thousands of random clicks, texts, picks and timer ticks
# across every window, the program's promises checked after each, with its figures.
# Usage: scripts/random-user.sh [actions] [seed] [build-dir]   (defaults: 20000, 20261210, build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
actions=${1:-20000}
seed=${2:-20261210}
build=${3:-$root/build}

[[ -f $build/CMakeCache.txt ]] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tst_random_user -j2 >/dev/null
export QT_QPA_PLATFORM=offscreen KVARNET_RANDOM_ACTIONS=$actions KVARNET_RANDOM_SEED=$seed
exec "$build/tests/tst_random_user" -maxwarnings 0
