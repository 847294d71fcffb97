#!/usr/bin/env bash
# Cross-builds kvarnet-calc.exe for 64-bit Windows with MinGW-w64 and runs the command line's
# tests against it under wine.
# Usage: scripts/test-windows-cli.sh [build-dir]   (default build-mingw/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-mingw}

"$root/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix wine64 libgtest-dev

# -O2 as in the other builds with warnings as errors: GCC 12 warns falsely inside std::string at
# -O3 (Release).
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DKVARNET_WERROR=ON >/dev/null
cmake --build "$build" --target kvarnet-calc -j"$(nproc)"
exe=$build/cli/kvarnet-calc.exe

# The test runner starts the program through a POSIX shell, so it is built for this machine,
# with the core it takes the coefficient table from.
runner=$build/host/cli_test
mkdir -p "$build/host"
c++ -std=c++20 -O1 -Wall -Wextra -Werror -I"$root" -I"$build/generated" -o "$runner" \
  "$root/tests/cli/cli_test.cpp" "$root"/core/*.cpp -lgtest -pthread

# Debian's wine64 package keeps its loader out of PATH (the wine package adds the wrapper).
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
# A prefix of its own, made once and reused; no wine debugging chatter in the output.
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || "$wine" wineboot --init >/dev/null 2>&1
cd "$build/host"
"$runner" "$wine" "$exe"
