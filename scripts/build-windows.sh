#!/usr/bin/env bash
# Cross-builds the program and kvarnet-calc for 64-bit Windows against Qt's DLLs and makes
#   <build-dir>/kvarnet-<version>-windows.zip   a portable folder with everything needed to run
#   <build-dir>/kvarnet-setup-<version>.exe     the installer (NSIS)
# Usage: scripts/build-windows.sh [--from-source] [build-dir [cmake-option...]]
#   (default build-dir: build-win-release/, a Release build without the tests)
# Qt for Windows comes from scripts/build-qt-windows.sh: the prebuilt one of ../shared/qt-windows/
# when it is there, else (or with --from-source) built from Debian's source package; FFmpeg from
# scripts/build-ffmpeg-windows.sh, built from Debian's source package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

qt_options=()
if [ "${1:-}" = --from-source ]; then
  qt_options+=(--from-source)
  shift
fi
build=${1:-$root/build-win-release}
shift || true

"$root/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix ninja-build nsis imagemagick
qt=$("$root/scripts/build-qt-windows.sh" "${qt_options[@]}" | tail -n 1)
ffmpeg=$("$root/scripts/build-ffmpeg-windows.sh" | tail -n 1)

# The C++ runtime as DLLs, shared with Qt's; Qt's host tools (moc, rcc) are this machine's.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_FIND_ROOT_PATH="$qt;$ffmpeg" -DKVARNET_FFMPEG_PKGCONFIG="$ffmpeg/lib/pkgconfig" \
  -DKVARNET_STATIC_RUNTIME=OFF \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "$@" >/dev/null
cmake --build "$build" --target windows-package -j"${KVARNET_JOBS:-2}"
ls -l "$build"/kvarnet-*-windows.zip "$build"/kvarnet-setup-*.exe
