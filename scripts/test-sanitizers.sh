#!/usr/bin/env bash
# Builds every test and the fuzz corpus replayers with AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs them headless. A sanitizer report stops the program it
# comes from, so any report fails a test and the run.
# Usage: scripts/test-sanitizers.sh [build-dir]   (default build-asan/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}

"$root/scripts/install-deps.sh"

# Debug: compiles in about half the time of an optimised build, and the tests run about as fast.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKVARNET_SANITIZE=ON -DKVARNET_WERROR=ON \
  -DKVARNET_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
# Leaks are reported too: Qt keeps what it allocates reachable, so nothing needs suppressing.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$build"
ctest --output-on-failure -j"$(nproc)"
