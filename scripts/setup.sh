#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
# Usage: scripts/setup.sh [build-dir [target...]]   (no target: everything)
#
# scripts/run.sh and scripts/test.sh share build/ and both configure it here, the same way, so
# that one after the other compiles only what has changed. Warnings are errors
# (KVARNET_WERROR) in CI (CI=true) and where KVARNET_WERROR=ON or OFF is given in the
# environment; otherwise the build directory keeps what it was configured with, off in a new one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true

"$root/scripts/install-deps.sh"

options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ -n "${KVARNET_WERROR:-}" ]; then
  options+=(-DKVARNET_WERROR="$KVARNET_WERROR")
elif [ "${CI:-}" = true ]; then
  options+=(-DKVARNET_WERROR=ON)
fi
cmake -S "$root" -B "$build" "${options[@]}" >/dev/null

targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
